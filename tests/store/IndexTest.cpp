#include <array>
#include <cstdio>

#include "StoreTestSupport.h"

namespace mss::store::test {
namespace {

class IndexTest : public StoreTest {
  protected:
    // Key 1: length 5, unique; key 2: length 8, duplicates allowed.
    void SetUp() override {
        StoreTest::SetUp();
        ASSERT_EQ(CreateFileblock(Base("I"), 30, keys_), kOk);
        ASSERT_EQ(OpenFileblock(Base("I"), false, fb_), kOk);
    }
    static std::string Key(int i) {
        char text[16];
        std::snprintf(text, sizeof text, "K%04d", i);
        return text;
    }
    std::vector<KeyEntry> Walk(int k) {
        std::vector<KeyEntry> entries;
        EXPECT_EQ(ClearKey(fb_, k), kOk);
        KeyEntry entry;
        while (NextKey(fb_, k, entry) == kOk) entries.push_back(entry);
        EXPECT_EQ(EngineError(), kEndOfIndex);
        return entries;
    }
    std::vector<KeyDefinition> keys_ = {{5, false}, {8, true}};
    Fileblock fb_;
};

TEST_F(IndexTest, NewIndexFileHoldsTheKeyHeadersInRowZero) {
    const auto file = ReadFileBytes(PathOf("I.IX"));
    const std::size_t page1 = 6 + 62 * (5 + 9);
    const std::size_t page2 = 6 + 62 * (8 + 9);
    ASSERT_EQ(page1, 874u);
    ASSERT_EQ(file.size(), page1 + page2);
    const std::array<std::uint8_t, 28> header1 = {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0,  0, 0, 0,
                                                  0,    0,    0x6A, 0x03, 0, 0, 0,  0, 0, 0,
                                                  0,    0,    0,    0,    0, 0, 62, 0};
    EXPECT_TRUE(std::equal(header1.begin(), header1.end(), file.begin()));
    EXPECT_EQ(Int32At(file, page1 + 12), static_cast<std::int32_t>(page2));
    EXPECT_EQ(file[page1 + 20], 1);  // duplicates allowed
    EXPECT_EQ(file[page1 + 26], 62);
    EXPECT_TRUE(
        std::all_of(file.begin() + 28, file.begin() + page1, [](auto b) { return b == 0; }));
    const auto data = ReadFileBytes(PathOf("I.DAT"));
    EXPECT_EQ(Int32At(data, 16), 2);
    KeyDefinition def;
    ASSERT_EQ(GetKeyDefinition(fb_, 2, def), kOk);
    EXPECT_EQ(def.keyLen, 8);
    EXPECT_TRUE(def.allowDups);
}

TEST_F(IndexTest, SixtyThreeAscendingKeysSplitIntoRootAndTwoLeaves) {
    for (int i = 1; i <= 63; ++i) ASSERT_EQ(AddKey(fb_, 1, i, Key(i)), kOk);
    ASSERT_EQ(FlushFileblock(fb_), kOk);
    TreeReport report = CheckTree(PathOf("I.IX"), {5, 8}, 1);
    EXPECT_EQ(report.pageCount, 3);
    EXPECT_EQ(report.entryCount, 63);
    EXPECT_EQ(report.depth, 2);
    const auto file = ReadFileBytes(PathOf("I.IX"));
    const std::size_t rowSize = 874 + 6 + 62 * 17;
    ASSERT_EQ(file.size(), 4 * rowSize);  // row 0 and three page rows
    const std::size_t root = report.root * rowSize;
    EXPECT_EQ(file[root], 1);  // one item in the root ...
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&file[root + 6 + 9]), 5), Key(32));
    const std::int32_t left = Int32At(file, root + 2);
    const std::int32_t right = Int32At(file, root + 6 + 4);
    EXPECT_EQ(file[left * rowSize], 31);  // ... over two leaves of 31
    EXPECT_EQ(file[right * rowSize], 31);
    // Item layout: DataRef, RightChild, length byte, key bytes.
    const std::size_t firstItem = left * rowSize + 6;
    EXPECT_EQ(Int32At(file, firstItem), 1);
    EXPECT_EQ(Int32At(file, firstItem + 4), 0);
    EXPECT_EQ(file[firstItem + 8], 5);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&file[firstItem + 9]), 5), Key(1));
    std::int32_t count = 0;
    ASSERT_EQ(CountKeys(fb_, 1, count), kOk);
    EXPECT_EQ(count, 63);
}

TEST_F(IndexTest, FullLeafSharesWithItsNeighbourBeforeSplitting) {
    for (int i = 1; i <= 95; ++i) ASSERT_EQ(AddKey(fb_, 1, i, Key(i)), kOk);
    ASSERT_EQ(FlushFileblock(fb_), kOk);
    TreeReport report = CheckTree(PathOf("I.IX"), {5, 8}, 1);
    EXPECT_EQ(report.pageCount, 3);  // 31 + 1 + 62 + the new one, spread 47 / 47
    const auto file = ReadFileBytes(PathOf("I.IX"));
    const std::size_t rowSize = 874 + 6 + 62 * 17;
    const std::size_t root = report.root * rowSize;
    ASSERT_EQ(file[root], 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&file[root + 6 + 9]), 5), Key(48));
    EXPECT_EQ(file[Int32At(file, root + 2) * rowSize], 47);
    EXPECT_EQ(file[Int32At(file, root + 6 + 4) * rowSize], 47);
}

TEST_F(IndexTest, UniqueIndexRefusesSecondEntryAndDeletesByKeyAlone) {
    ASSERT_EQ(AddKey(fb_, 1, 7, "X"), kOk);
    EXPECT_EQ(AddKey(fb_, 1, 8, "X"), kEntryExists);
    EXPECT_EQ(ErrorClass(EngineError()), 1);
    EXPECT_EQ(AddKey(fb_, 1, 8, "TOOLONG"), kKeyTooLong);
    EXPECT_EQ(DeleteKey(fb_, 1, 999, "X"), kOk);
    EXPECT_EQ(DeleteKey(fb_, 1, 7, "X"), kEntryNotFound);
    std::int32_t count = -1;
    ASSERT_EQ(CountKeys(fb_, 1, count), kOk);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(AddKey(fb_, 3, 1, "X"), kBadKeyNumber);
    EXPECT_EQ(AddKey(fb_, 0, 1, "X"), kBadKeyNumber);
}

TEST_F(IndexTest, DuplicatesAreOrderedByReference) {
    ASSERT_EQ(AddKey(fb_, 2, 7, "X"), kOk);
    ASSERT_EQ(AddKey(fb_, 2, 3, "X"), kOk);
    ASSERT_EQ(AddKey(fb_, 2, 5, "W"), kOk);
    ASSERT_EQ(AddKey(fb_, 2, 1, "Y"), kOk);
    EXPECT_EQ(AddKey(fb_, 2, 3, "X"), kEntryExists);
    EXPECT_EQ(Walk(2), (std::vector<KeyEntry>{{5, "W"}, {3, "X"}, {7, "X"}, {1, "Y"}}));
    RecordRef ref = 0;
    ASSERT_EQ(FindKey(fb_, 2, "X", ref), kOk);
    EXPECT_EQ(ref, 3);
    KeyEntry found;
    ASSERT_EQ(SearchKey(fb_, 2, "X", found), kOk);
    EXPECT_EQ(found, (KeyEntry{3, "X"}));
    ASSERT_EQ(SearchKey(fb_, 2, "WA", found), kOk);
    EXPECT_EQ(found, (KeyEntry{3, "X"}));
    EXPECT_EQ(FindKey(fb_, 2, "WA", ref), kKeyNotFound);
    EXPECT_EQ(FindKey(fb_, 2, "Z", ref), kKeyNotFound);
    EXPECT_EQ(SearchKey(fb_, 2, "Z", found), kNoKeyNotBelow);
    EXPECT_EQ(DeleteKey(fb_, 2, 4, "X"), kEntryNotFound);
    ASSERT_EQ(DeleteKey(fb_, 2, 3, "X"), kOk);
    ASSERT_EQ(FindKey(fb_, 2, "X", ref), kOk);
    EXPECT_EQ(ref, 7);
    bool exists = false;
    ASSERT_EQ(KeyExists(fb_, 2, 0, "X", exists), kOk);
    EXPECT_TRUE(exists);
    ASSERT_EQ(KeyExists(fb_, 2, 7, "X", exists), kOk);
    EXPECT_TRUE(exists);
    ASSERT_EQ(KeyExists(fb_, 2, 3, "X", exists), kOk);
    EXPECT_FALSE(exists);
    ASSERT_EQ(KeyExists(fb_, 2, 0, "XX", exists), kOk);
    EXPECT_FALSE(exists);
}

TEST_F(IndexTest, StepsOnAnEmptyIndexReportTheEnds) {
    KeyEntry entry;
    ASSERT_EQ(ClearKey(fb_, 1), kOk);
    EXPECT_EQ(NextKey(fb_, 1, entry), kEndOfIndex);
    ASSERT_EQ(ClearKey(fb_, 1), kOk);
    EXPECT_EQ(PrevKey(fb_, 1, entry), kBeginningOfIndex);
    KeyEntry found;
    EXPECT_EQ(SearchKeyNearest(fb_, 1, "A", 0, found), kBeginningOfIndex);
    std::int32_t position = 0;
    EXPECT_EQ(KeyPosition(fb_, 1, "A", 0, 100, position), kEstimateIndexEmpty);
    EXPECT_EQ(KeyAtPosition(fb_, 1, 0, 100, found), kPositionIndexEmpty);
}

TEST_F(IndexTest, SteppingWrapsAroundAtBothEnds) {
    for (int i = 1; i <= 200; ++i) ASSERT_EQ(AddKey(fb_, 1, i, Key(i)), kOk);
    KeyEntry entry;
    ASSERT_EQ(FindKeyAndRef(fb_, 1, Key(199), 0, 0, entry), kOk);
    ASSERT_EQ(NextKey(fb_, 1, entry), kOk);
    EXPECT_EQ(entry.key, Key(200));
    EXPECT_EQ(NextKey(fb_, 1, entry), kEndOfIndex);
    ASSERT_EQ(NextKey(fb_, 1, entry), kOk);
    EXPECT_EQ(entry.key, Key(1));
    EXPECT_EQ(PrevKey(fb_, 1, entry), kBeginningOfIndex);
    ASSERT_EQ(PrevKey(fb_, 1, entry), kOk);
    EXPECT_EQ(entry.key, Key(200));
    std::vector<KeyEntry> backwards;
    ASSERT_EQ(ClearKey(fb_, 1), kOk);
    while (PrevKey(fb_, 1, entry) == kOk) backwards.push_back(entry);
    ASSERT_EQ(backwards.size(), 200u);
    for (int i = 0; i < 200; ++i) EXPECT_EQ(backwards[i].ref, 200 - i);
}

TEST_F(IndexTest, StepAfterChangesFindsItsPlaceAgain) {
    for (int i = 1; i <= 300; i += 2) ASSERT_EQ(AddKey(fb_, 1, i, Key(i)), kOk);
    KeyEntry entry;
    ASSERT_EQ(SearchKey(fb_, 1, Key(100), entry), kOk);
    EXPECT_EQ(entry.key, Key(101));
    // Changes elsewhere and at the very entry of the position.
    ASSERT_EQ(AddKey(fb_, 1, 102, Key(102)), kOk);
    for (int i = 103; i <= 121; i += 2) ASSERT_EQ(DeleteKey(fb_, 1, i, Key(i)), kOk);
    ASSERT_EQ(NextKey(fb_, 1, entry), kOk);
    EXPECT_EQ(entry.key, Key(102));
    ASSERT_EQ(DeleteKey(fb_, 1, 102, Key(102)), kOk);
    KeyEntry forward = entry;
    ASSERT_EQ(NextKey(fb_, 1, forward), kOk);  // the gone entry's place
    EXPECT_EQ(forward.key, Key(123));
    ASSERT_EQ(DeleteKey(fb_, 1, 123, Key(123)), kOk);
    ASSERT_EQ(PrevKey(fb_, 1, forward), kOk);  // gone: the greatest below it
    EXPECT_EQ(forward.key, Key(101));
    ASSERT_EQ(PrevKey(fb_, 1, forward), kOk);
    EXPECT_EQ(forward.key, Key(99));
}

TEST_F(IndexTest, FindKeyAndRefMovesByDirection) {
    for (int ref : {10, 20, 30}) ASSERT_EQ(AddKey(fb_, 2, ref, "M"), kOk);
    ASSERT_EQ(AddKey(fb_, 2, 5, "N"), kOk);
    KeyEntry found;
    ASSERT_EQ(FindKeyAndRef(fb_, 2, "M", 20, 0, found), kOk);
    EXPECT_EQ(found, (KeyEntry{20, "M"}));
    EXPECT_EQ(FindKeyAndRef(fb_, 2, "M", 25, 0, found), kExactEntryNotFound);
    ASSERT_EQ(FindKeyAndRef(fb_, 2, "M", 25, 1, found), kOk);
    EXPECT_EQ(found, (KeyEntry{30, "M"}));
    ASSERT_EQ(FindKeyAndRef(fb_, 2, "M", 25, -1, found), kOk);
    EXPECT_EQ(found, (KeyEntry{20, "M"}));
    EXPECT_EQ(FindKeyAndRef(fb_, 2, "M", 5, -1, found), kBeginningOfIndex);
    EXPECT_EQ(FindKeyAndRef(fb_, 2, "N", 6, 1, found), kEndOfIndex);
    ASSERT_EQ(SearchKeyNearest(fb_, 2, "N", 6, found), kOk);
    EXPECT_EQ(found, (KeyEntry{5, "N"}));
    ASSERT_EQ(SearchKeyNearest(fb_, 2, "", 0, found), kOk);
    EXPECT_EQ(found, (KeyEntry{10, "M"}));
    // Largest entry not above a prefix padded with 0xFF (the auto-number lookup).
    ASSERT_EQ(FindKeyAndRef(fb_, 2, std::string(8, '\xFF'), INT32_MAX, -1, found), kOk);
    EXPECT_EQ(found, (KeyEntry{5, "N"}));
}

TEST_F(IndexTest, DeletingEverythingFreesAllPagesForReuse) {
    for (int i = 1; i <= 2000; ++i) ASSERT_EQ(AddKey(fb_, 1, i, Key(i)), kOk);
    ASSERT_EQ(FlushFileblock(fb_), kOk);
    const std::int32_t pages = CheckTree(PathOf("I.IX"), {5, 8}, 1).pageCount;
    for (int i = 1; i <= 2000; ++i) ASSERT_EQ(DeleteKey(fb_, 1, i, Key(i)), kOk) << i;
    ASSERT_EQ(FlushFileblock(fb_), kOk);
    TreeReport empty = CheckTree(PathOf("I.IX"), {5, 8}, 1);
    EXPECT_EQ(empty.root, 0);
    EXPECT_EQ(empty.entryCount, 0);
    EXPECT_EQ(empty.freeCount, pages);
    const auto size = ReadFileBytes(PathOf("I.IX")).size();
    for (int i = 1; i <= 2000; ++i) ASSERT_EQ(AddKey(fb_, 1, i, Key(i)), kOk);
    ASSERT_EQ(CloseFileblock(fb_), kOk);
    TreeReport again = CheckTree(PathOf("I.IX"), {5, 8}, 1);
    EXPECT_EQ(again.pageCount, pages);
    EXPECT_EQ(ReadFileBytes(PathOf("I.IX")).size(), size);
}

TEST_F(IndexTest, PositionEstimatesOnASingleLeaf) {
    for (int i = 1; i <= 10; ++i) ASSERT_EQ(AddKey(fb_, 1, i, Key(i)), kOk);
    std::int32_t position = -1;
    ASSERT_EQ(KeyPosition(fb_, 1, Key(5), 0, 100, position), kOk);
    EXPECT_EQ(position, 5 * 101 / 11);
    ASSERT_EQ(KeyPosition(fb_, 1, Key(10), 0, 100, position), kOk);
    EXPECT_EQ(position, 10 * 101 / 11);
    KeyEntry entry;
    ASSERT_EQ(KeyAtPosition(fb_, 1, 50, 100, entry), kOk);
    EXPECT_EQ(entry, (KeyEntry{5, Key(5)}));
    ASSERT_EQ(KeyAtPosition(fb_, 1, 0, 100, entry), kOk);
    EXPECT_EQ(entry, KeyEntry{});  // the very beginning
    EXPECT_EQ(KeyPosition(fb_, 1, Key(5), 0, 0, position), kBadScale);
    EXPECT_EQ(KeyAtPosition(fb_, 1, 101, 100, entry), kBadPosition);
    EXPECT_EQ(KeyAtPosition(fb_, 1, 0, 0, entry), kBadPosition);
}

TEST_F(IndexTest, PositionEstimatesGrowWithTheKeyOnATallTree) {
    for (int i = 1; i <= 5000; ++i) ASSERT_EQ(AddKey(fb_, 1, i, Key(i)), kOk);
    std::int32_t last = -1;
    for (int i = 1; i <= 5000; i += 37) {
        std::int32_t position = -1;
        ASSERT_EQ(KeyPosition(fb_, 1, Key(i), 0, 1000, position), kOk);
        EXPECT_GE(position, last);
        EXPECT_LE(position, 1000);
        last = position;
    }
    EXPECT_GT(last, 900);
    std::string previous;
    for (int pos = 0; pos <= 1000; pos += 50) {
        KeyEntry entry;
        ASSERT_EQ(KeyAtPosition(fb_, 1, pos, 1000, entry), kOk);
        EXPECT_GE(CompareKeys(entry.key, previous), 0) << pos;
        previous = entry.key;
    }
}

}  // namespace
}  // namespace mss::store::test

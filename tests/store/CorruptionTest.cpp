// Damaged and hostile files: every one must give an error code, never a
// crash or a read outside a buffer (these tests also run under sanitizers).
#include <filesystem>
#include <random>

#include "StoreTestSupport.h"

namespace mss::store::test {
namespace {

constexpr std::int32_t kRecLen = 40;

class CorruptionTest : public StoreTest {
  protected:
    // A fileblock with 500 records and keys of length 5 (unique) and 12 (duplicates).
    void SetUp() override {
        StoreTest::SetUp();
        const KeyDefinition keys[] = {{5, false}, {12, true}};
        ASSERT_EQ(CreateFileblock(Base("C"), kRecLen, keys), kOk);
        Fileblock fb;
        ASSERT_EQ(OpenFileblock(Base("C"), false, fb), kOk);
        for (int i = 0; i < 500; ++i) {
            RecordRef ref = 0;
            ASSERT_EQ(AddRecord(fb, Record(kRecLen, static_cast<std::uint8_t>(i)), ref), kOk);
            ASSERT_EQ(AddKey(fb, 1, ref, IntToKey(i)), kOk);
            ASSERT_EQ(AddKey(fb, 2, ref, "DUP" + std::to_string(i % 7)), kOk);
        }
        for (RecordRef ref = 2; ref <= 40; ref += 3) ASSERT_EQ(DeleteRecord(fb, ref), kOk);
        ASSERT_EQ(CloseFileblock(fb), kOk);
        data_ = ReadFileBytes(PathOf("C.DAT"));
        index_ = ReadFileBytes(PathOf("C.IX"));
    }

    EngineCode Open(Fileblock& fb) { return OpenFileblock(Base("C"), false, fb); }

    // Runs reads, steps and changes over everything; answers the first failure.
    static EngineCode Exercise(Fileblock fb) {
        EngineCode first = kOk;
        auto note = [&](EngineCode code) {
            if (code == kOk || ErrorClass(code) == 1) return;
            EXPECT_TRUE(code == kShortRead || code == kFreeChainDamaged || code == kShortWrite)
                << "unexpected code " << code;
            if (!first) first = code;
        };
        std::vector<std::uint8_t> out(kRecLen);
        for (int k = 1; k <= 2; ++k) {
            KeyEntry entry;
            note(ClearKey(fb, k));
            for (int n = 0; n < 600 && NextKey(fb, k, entry) == kOk; ++n) {
                note(GetRecord(fb, entry.ref, out));
            }
            note(EngineError());
            note(ClearKey(fb, k));
            for (int n = 0; n < 600 && PrevKey(fb, k, entry) == kOk; ++n) {
            }
            note(EngineError());
            std::int32_t position = 0;
            note(KeyPosition(fb, k, IntToKey(250), 0, 1000, position));
            note(KeyAtPosition(fb, k, 500, 1000, entry));
        }
        for (int i = 0; i < 500; i += 13) {
            RecordRef ref = 0;
            note(FindKey(fb, 1, IntToKey(i), ref));
            note(DeleteKey(fb, 1, ref, IntToKey(i)));
            note(AddKey(fb, 1, 1000 + i, IntToKey(1000 + i)));
            note(AddKey(fb, 2, 1000 + i, "NEW"));
            note(DeleteKey(fb, 2, i + 1, "DUP" + std::to_string(i % 7)));
            note(AddRecord(fb, Record(kRecLen, 1), ref));
        }
        return first;
    }

    std::vector<std::uint8_t> data_;
    std::vector<std::uint8_t> index_;
};

TEST_F(CorruptionTest, DataFileThatDisagreesWithItsHeaderAsksForARebuild) {
    // Each would otherwise be read as far as the header says: records cut
    // off or beyond SlotCount would be silently missing, or overwritten by
    // the next add.
    const std::size_t slots = data_.size() / kRecLen;
    struct Case {
        const char* what;
        std::size_t size;
    };
    const Case cases[] = {{"shorter than a header", 15},
                          {"cut inside the records", 100 * kRecLen + 7},
                          {"cut at a slot boundary", 100 * kRecLen},
                          {"one slot more than SlotCount", (slots + 1) * kRecLen},
                          {"part of a slot more", slots * kRecLen + 3}};
    for (const Case& c : cases) {
        auto bytes = data_;
        bytes.resize(c.size);
        WriteFileBytes(PathOf("C.DAT"), bytes);
        Fileblock fb;
        EXPECT_EQ(Open(fb), kNotClosedProperly) << c.what;
    }
}

TEST_F(CorruptionTest, TruncatedIndexFileAsksForARebuild) {
    Fileblock fb;
    for (std::size_t size : {std::size_t{10}, index_.size() / 2, index_.size() - 1}) {
        WriteFileBytes(PathOf("C.IX"),
                       std::vector<std::uint8_t>(index_.begin(), index_.begin() + size));
        EXPECT_EQ(Open(fb), kKeyLengthNotWhole) << size;
    }
    WriteFileBytes(PathOf("C.IX"), {});
    EXPECT_EQ(Open(fb), kKeyLengthNotWhole);
}

TEST_F(CorruptionTest, ImpossibleDataHeaderFieldsAskForARebuild) {
    const std::int32_t slotCount = Int32At(data_, 8);
    struct Case {
        std::size_t offset;
        std::int32_t value;
        EngineCode expected;
    };
    const Case cases[] = {{12, 5, kNotClosedProperly},
                          {12, -40, kNotClosedProperly},
                          {12, kRecLen + 1, kNotClosedProperly},
                          {12, 2 * kRecLen, kNotClosedProperly},
                          {16, 111, kHeaderTooManyKeys},
                          {8, -1, kNotClosedProperly},
                          {8, INT32_MAX, kNotClosedProperly},
                          {8, slotCount - 1, kNotClosedProperly},
                          {8, slotCount + 1, kNotClosedProperly},
                          {4, -3, kNotClosedProperly},
                          {4, 100000, kNotClosedProperly},
                          {4, 0, kNotClosedProperly},
                          {0, -7, kNotClosedProperly},
                          {0, -1, kNotClosedProperly},
                          {0, slotCount + 1, kNotClosedProperly}};
    for (const Case& c : cases) {
        auto bytes = data_;
        PutInt32At(bytes, c.offset, c.value);
        WriteFileBytes(PathOf("C.DAT"), bytes);
        Fileblock fb;
        EXPECT_EQ(Open(fb), c.expected) << "offset " << c.offset << " value " << c.value;
    }
}

TEST_F(CorruptionTest, InconsistentKeyHeadersGiveTheirOwnCodes) {
    struct Case {
        std::size_t offset;
        int width;
        std::int32_t value;
        EngineCode expected;
    };
    const Case cases[] = {{26, 2, 63, kPageCapacityTooLarge},
                          {26, 2, 0xFFFF, kPageCapacityTooLarge},
                          {12, 4, 875, kKeyLengthNotWhole},
                          {12, 4, 6 + 62 * 60, kKeyLengthOutOfRange},
                          {12, 4, 6 + 62 * 9, kKeyLengthOutOfRange},
                          {12, 4, 0, kKeyLengthNotWhole},
                          {16, 4, 100000, kKeyLengthNotWhole},
                          {8, 4, -1, kKeyLengthNotWhole},
                          {8, 4, 1000000, kKeyLengthNotWhole},
                          {0, 4, 0, kKeyLengthNotWhole},
                          {4, 4, -2, kKeyLengthNotWhole},
                          {22, 4, -5, kKeyLengthNotWhole},
                          {22, 4, INT32_MAX, kKeyLengthNotWhole},
                          {22, 4, 0, kKeyLengthNotWhole},
                          {16, 4, 0, kKeyLengthNotWhole}};
    for (const Case& c : cases) {
        auto bytes = index_;
        if (c.width == 2) {
            bytes[c.offset] = static_cast<std::uint8_t>(c.value);
            bytes[c.offset + 1] = static_cast<std::uint8_t>(c.value >> 8);
        } else {
            PutInt32At(bytes, c.offset, c.value);
        }
        WriteFileBytes(PathOf("C.IX"), bytes);
        Fileblock fb;
        EXPECT_EQ(Open(fb), c.expected) << "offset " << c.offset << " value " << c.value;
    }
    // A stored capacity of 0 reads as 62.
    auto bytes = index_;
    bytes[26] = 0;
    WriteFileBytes(PathOf("C.IX"), bytes);
    Fileblock fb;
    ASSERT_EQ(Open(fb), kOk);
    EXPECT_EQ(Exercise(fb), kOk);
    EXPECT_EQ(CloseFileblock(fb), kOk);
}

// Key 1 (5-byte keys, 14-byte items) as laid out in the index file.
constexpr std::size_t kRowSize = 874 + 6 + 62 * 21;
constexpr std::size_t kItem = 14;

TEST_F(CorruptionTest, ARootThatCannotHoldTheEntriesIsFoundAtOpen) {
    const std::int32_t root = Int32At(index_, 16);
    const std::int32_t leftLeaf = Int32At(index_, root * kRowSize + 2);
    const std::size_t page = root * kRowSize;
    struct Case {
        const char* what;
        std::size_t offset;
        std::int32_t value;
    };
    const Case cases[] = {{"root 0 with entries", 16, 0},
                          {"root is a leaf", 16, leftLeaf},
                          {"entry count beyond what the tree can hold", 22, 20000},
                          {"entry count below what the tree holds", 22, 40},
                          {"item count above capacity", page, 63},
                          {"left child beyond PageCount", page + 2, 1000},
                          {"left child is the page itself", page + 2, root},
                          {"leaf pointing back at the root", leftLeaf * kRowSize + 2, root}};
    for (const Case& c : cases) {
        auto bytes = index_;
        if (c.offset == page)
            bytes[c.offset] = static_cast<std::uint8_t>(c.value);
        else
            PutInt32At(bytes, c.offset, c.value);
        WriteFileBytes(PathOf("C.IX"), bytes);
        Fileblock fb;
        EXPECT_EQ(Open(fb), kKeyLengthNotWhole) << c.what;
    }
}

TEST_F(CorruptionTest, DamagedPagesAreReportedWhenReached) {
    // The second leaf of key 1: no open reads it, a search for its keys does.
    const std::int32_t root = Int32At(index_, 16);
    const std::int32_t leaf = Int32At(index_, root * kRowSize + 6 + 4);
    const std::size_t page = leaf * kRowSize;
    const std::string firstKey(reinterpret_cast<const char*>(&index_[page + 6 + 9]), 5);
    struct Case {
        const char* what;
        std::size_t offset;
        std::int32_t value;
    };
    const Case cases[] = {{"item count above capacity", page, 63},
                          {"left child beyond PageCount", page + 2, 1000},
                          {"left child is the page itself", page + 2, leaf},
                          {"negative right child", page + 6 + 4, -4},
                          {"key length above KeyLen", page + 6 + 8, 6},
                          {"inner item in a leaf", page + 6 + 4, root},
                          {"leaf pointing back at the root", page + 2, root}};
    for (const Case& c : cases) {
        auto bytes = index_;
        if (c.offset == page || c.offset == page + 6 + 8) {
            bytes[c.offset] = static_cast<std::uint8_t>(c.value);
        } else {
            PutInt32At(bytes, c.offset, c.value);
        }
        WriteFileBytes(PathOf("C.IX"), bytes);
        WriteFileBytes(PathOf("C.DAT"), data_);  // the last case left it marked in use
        Fileblock fb;
        ASSERT_EQ(Open(fb), kOk) << c.what;
        RecordRef ref = 0;
        EXPECT_EQ(FindKey(fb, 1, firstKey, ref), kShortRead) << c.what;
        EXPECT_EQ(Exercise(fb), kShortRead) << c.what;
        (void)CloseFileblock(fb);
        // A change that failed on the damage leaves the file marked for a rebuild.
        EXPECT_EQ(Open(fb), kNotClosedProperly) << c.what;
    }
}

TEST_F(CorruptionTest, PagesFormingACycleAreReportedNotFollowed) {
    const std::int32_t root = Int32At(index_, 16);
    const std::int32_t child = Int32At(index_, root * kRowSize + 6 + 4);  // not on the left edge
    // A key inside that page's range that no page holds: its search descends.
    const std::string gone(reinterpret_cast<const char*>(&index_[child * kRowSize + 6 + kItem + 9]),
                           5);
    Fileblock fb;
    ASSERT_EQ(Open(fb), kOk);
    ASSERT_EQ(DeleteKey(fb, 1, 0, gone), kOk);
    ASSERT_EQ(CloseFileblock(fb), kOk);
    auto bytes = ReadFileBytes(PathOf("C.IX"));
    PutInt32At(bytes, child * kRowSize + 2, root);  // a leaf pointing back up
    for (int i = 0; i < bytes[child * kRowSize]; ++i)
        PutInt32At(bytes, child * kRowSize + 6 + i * kItem + 4, root);
    WriteFileBytes(PathOf("C.IX"), bytes);
    ASSERT_EQ(Open(fb), kOk);
    RecordRef ref = 0;
    EXPECT_EQ(FindKey(fb, 1, gone, ref), kShortRead);
    EXPECT_EQ(Exercise(fb), kShortRead);
    (void)CloseFileblock(fb);
}

TEST_F(CorruptionTest, LoopingDataFreeChainIsRefusedBeforeALiveRecordIsReused) {
    auto bytes = data_;
    const std::int32_t head = Int32At(bytes, 0);
    const std::int32_t next = Int32At(bytes, head * kRecLen);
    PutInt32At(bytes, next * kRecLen, head);  // head -> next -> head
    WriteFileBytes(PathOf("C.DAT"), bytes);
    Fileblock fb;
    ASSERT_EQ(Open(fb), kOk);
    RecordRef ref = 0;
    EXPECT_EQ(AddRecord(fb, Record(kRecLen, 9), ref), kFreeChainDamaged);
    std::int32_t slots = 0;
    ASSERT_EQ(CountSlots(fb, slots), kOk);
    EXPECT_EQ(slots, 501);
    // The file stays marked in use, so the next open has it reorganised
    // instead of refusing every add from now on.
    EXPECT_EQ(CloseFileblock(fb), kShortRead);
    EXPECT_EQ(Open(fb), kNotClosedProperly);
    // A live slot in the chain is caught as well.
    bytes = data_;
    PutInt32At(bytes, 0, 1);  // slot 1 is live
    WriteFileBytes(PathOf("C.DAT"), bytes);
    ASSERT_EQ(Open(fb), kOk);
    EXPECT_EQ(AddRecord(fb, Record(kRecLen, 9), ref), kFreeChainDamaged);
    EXPECT_EQ(CloseFileblock(fb), kShortRead);
}

TEST_F(CorruptionTest, LoopingPageFreeChainIsRefused) {
    // Free some pages of key 1, then make its free chain loop.
    Fileblock fb;
    ASSERT_EQ(Open(fb), kOk);
    for (int i = 0; i < 500; ++i) ASSERT_EQ(DeleteKey(fb, 1, 0, IntToKey(i)), kOk);
    ASSERT_EQ(CloseFileblock(fb), kOk);
    auto bytes = ReadFileBytes(PathOf("C.IX"));
    const std::size_t rowSize = 874 + 6 + 62 * 21;
    const std::int32_t head = Int32At(bytes, 0);
    ASSERT_GE(Int32At(bytes, 4), 2);
    PutInt32At(bytes, head * rowSize, head);
    WriteFileBytes(PathOf("C.IX"), bytes);
    ASSERT_EQ(Open(fb), kOk);
    EXPECT_EQ(AddKey(fb, 1, 1, IntToKey(1)), kFreeChainDamaged);
    (void)CloseFileblock(fb);
}

TEST_F(CorruptionTest, RandomlyFlippedBytesNeverCrash) {
    std::mt19937 rng(4242);
    int failures = 0;
    for (int round = 0; round < 100; ++round) {
        auto data = data_;
        auto index = index_;
        const int flips = 1 + static_cast<int>(rng() % 6);
        for (int i = 0; i < flips; ++i) {
            auto& target = rng() % 4 == 0 ? data : index;
            target[rng() % target.size()] ^= static_cast<std::uint8_t>(1 + rng() % 255);
        }
        WriteFileBytes(PathOf("C.DAT"), data);
        WriteFileBytes(PathOf("C.IX"), index);
        Fileblock fb;
        EngineCode code = Open(fb);
        if (code != kOk) {
            ++failures;
            EXPECT_NE(ErrorClass(code), 0);
            continue;
        }
        if (Exercise(fb) != kOk) ++failures;
        (void)CloseFileblock(fb);
    }
    EXPECT_GT(failures, 0);  // the damage was noticed somewhere
}

}  // namespace
}  // namespace mss::store::test

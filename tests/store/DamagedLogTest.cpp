// Damage that used to be accepted, hidden or made worse: each case damages a
// contest log the way one of the faults found by an outside check did, and
// the log must come back with every record, or stop with an error and come
// back at the next start.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "ProgramStoreTest.h"
#include "store/Rebuild.h"
#include "store/RecordStore.h"

namespace mss::store::test {
namespace {

constexpr const char* kName = "QVLK0006";
using Bytes = std::vector<std::uint8_t>;

class DamagedLogTest : public ProgramStoreTest {
  protected:
    void SetUp() override {
        ProgramStoreTest::SetUp();
        if (HasFatalFailure()) return;
        auto log = CreateDefined(LogDefinition(dir_.Dir(), kName));
        for (int i = 0; i < 240; ++i) {
            log->ClearRecord();
            auto buffer = log->RecordBuffer();
            for (int b = 8; b < kLogRecLen; ++b)
                buffer[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>('A' + (b * i) % 7);
            SetId(buffer, 1000 + static_cast<std::uint64_t>(i));
            ASSERT_EQ(log->Add(), 0);
        }
        records_ = ReadAndCheck(*log).records;
        log.reset();
        data_ = ReadBytes(Path(".DAT"));
        index_ = ReadBytes(Path(".IX"));
    }
    std::string Path(const char* extension) const {
        return dir_.Path(kName + std::string(extension));
    }

    // The offset of key k's header in the index file (and of its pages in a row).
    static std::size_t KeyOffset(int k) {
        std::size_t offset = 0;
        for (int i = 1; i < k; ++i)
            offset += static_cast<std::size_t>(PageBytesFor(kLogKeyLengths[std::size_t(i - 1)]));
        return offset;
    }
    static std::size_t RowSize() { return KeyOffset(28); }

    // Reading key k's tree straight from the index bytes.
    struct Tree {
        const Bytes& index;
        int k;

        std::size_t Page(std::int32_t p) const { return RowSize() * std::size_t(p) + KeyOffset(k); }
        std::size_t Item(std::int32_t p, int i) const {
            return Page(p) + 6 +
                   std::size_t(i - 1) * std::size_t(kLogKeyLengths[std::size_t(k - 1)] + 9);
        }
        int Count(std::int32_t p) const { return index[Page(p)] | index[Page(p) + 1] << 8; }
        std::int32_t Root() const { return DecodeFixed32(&index[KeyOffset(k) + 16]); }
        std::int32_t Child(std::int32_t p, int i) const {
            return DecodeFixed32(&index[i == 0 ? Page(p) + 2 : Item(p, i) + 4]);
        }
        std::int32_t RightmostLeaf() const {
            std::int32_t p = Root();
            while (Child(p, 0) != 0) p = Child(p, Count(p));
            return p;
        }
    };

    // Opens the log as the program does and checks it holds exactly the
    // records it was given, every index in agreement with them.
    void ExpectEveryRecord(const std::string& what) {
        auto log = CreateDefined(LogDefinition(dir_.Dir(), kName));
        ASSERT_TRUE(log);
        Contents c = ReadAndCheck(*log);
        EXPECT_TRUE(c.problems.empty()) << what << ": " << c.problems.front();
        std::set<Bytes> found;
        for (auto& [ref, bytes] : c.records) found.insert(bytes);
        std::set<Bytes> expected;
        for (auto& [ref, bytes] : records_) expected.insert(bytes);
        EXPECT_EQ(found, expected) << what;
        EXPECT_EQ(fatal_, 0) << what;
    }

    std::map<RecordRef, Bytes> records_;
    Bytes data_;
    Bytes index_;
};

TEST_F(DamagedLogTest, HeadersThatDoNotFitTheFilesAreRebuiltWithEveryRecord) {
    const std::size_t number = KeyOffset(kNumberKey);
    const std::int32_t slotCount = DecodeFixed32(&data_[8]);
    const std::int32_t leaf = DecodeFixed32(
        &index_[RowSize() * std::size_t(DecodeFixed32(&index_[number + 16])) + number + 2]);
    struct Case {
        const char* what;
        bool inIndex;
        std::size_t offset;
        std::int32_t value;
        std::uint8_t inUse;
    };
    const Case cases[] = {
        // Counting the slots overflowed; a Release build then saw no record.
        {"SlotCount 2147483647", false, 8, INT32_MAX, 0},
        // The last record was invisible and the next add overwrote it.
        {"SlotCount one short", false, 8, slotCount - 1, 0},
        // The reorganisation cut the records at the header's length.
        {"RecLen 128 after a crash", false, 12, 2 * kLogRecLen, 1},
        {"RecLen one more", false, 12, kLogRecLen + 1, 0},
        {"FreeCount without a free slot", false, 4, 3, 0},
        // The next insert overflowed the count.
        {"EntryCount 2147483647", true, number + 22, INT32_MAX, 0},
        // The key showed no records, without an error.
        {"Root 0 with 240 entries", true, number + 16, 0, 0},
        {"Root at a leaf with 240 entries", true, number + 16, leaf, 0},
        {"PageCount beyond the file", true, number + 8, 100000, 0},
    };
    for (const Case& c : cases) {
        Bytes data = data_;
        Bytes index = index_;
        EncodeFixed32(&(c.inIndex ? index : data)[c.offset], c.value);
        data[20] = c.inUse;
        WriteBytes(Path(".DAT"), data);
        WriteBytes(Path(".IX"), index);
        ExpectEveryRecord(c.what);
        if (c.inIndex) continue;
        // ... and the next add takes a slot of its own.
        auto log = CreateDefined(LogDefinition(dir_.Dir(), kName));
        log->ClearRecord();
        ASSERT_EQ(log->Add(), 0) << c.what;
        EXPECT_EQ(log->RecordCount(), 241) << c.what;
        log.reset();
        WriteBytes(Path(".DAT"), data_);
        WriteBytes(Path(".IX"), index_);
    }
}

TEST_F(DamagedLogTest, TheRebuildUsesTheDefinitionsRecordLengthNotTheHeaders) {
    Bytes data = data_;
    EncodeFixed32(&data[12], kLogRecLen + 1);
    WriteBytes(Path(".DAT"), data);
    RebuildDefinition d;
    d.baseName = dir_.Path(kName);
    d.recLen = kLogRecLen;
    for (int k = 1; k <= 27; ++k)
        d.keys.push_back({kLogKeyLengths[std::size_t(k - 1)], k != kNumberKey});
    d.keyBuilder = LogKey;
    ASSERT_EQ(RebuildFileblock(StoreFileSystem(), d), kOk);
    EXPECT_EQ(ReadBytes(Path(".DAT")).size(), data_.size()) << "no record cut or lost";
    ExpectEveryRecord("after RebuildFileblock");
}

TEST_F(DamagedLogTest, ARecordCollidingWithAnIntactOneGoesToTheDumpWithIt) {
    // A damaged record in slot 2 now carries the number of the record in slot 200.
    Bytes data = data_;
    const Bytes intact = records_.at(200);
    std::copy_n(intact.begin() + kNumberField, 4, data.begin() + 2 * kLogRecLen + kNumberField);
    const Bytes damaged(data.begin() + 2 * kLogRecLen, data.begin() + 3 * kLogRecLen);
    data[20] = 1;
    WriteBytes(Path(".DAT"), data);
    auto log = CreateDefined(LogDefinition(dir_.Dir(), kName));
    ASSERT_EQ(log->EnsureOpen(), 0);
    EXPECT_EQ(log->RecordCount(), 239);
    log.reset();
    const Bytes dump = ReadBytes(Path(".MSG"));
    for (const Bytes* record : {&intact, &damaged})
        EXPECT_NE(std::search(dump.begin(), dump.end(), record->begin(), record->end()), dump.end())
            << "both records are kept in the dump";
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(messages_.LastText(), SetAsideMessage(kName, 1, Path(".MSG"), true));
    EXPECT_EQ(fatal_, 0);
}

TEST_F(DamagedLogTest, AWalkOverADamagedKeyEndsWithAnErrorAndTheNextStartRebuilds) {
    // One key byte flipped in the index, or in a record: walking from the
    // key built from the record used to run in circles. The leaf is off the
    // first path down, which the open reads.
    const std::size_t page = Tree{index_, 2}.Page(Tree{index_, 2}.RightmostLeaf());
    struct Case {
        const char* what;
        bool inIndex;
        std::size_t offset;
    };
    const Case cases[] = {{"index key byte", true, page + 6 + 5 * (22 + 9) + 9 + 3},
                          {"record key byte", false, 40 * kLogRecLen + 8 + (2 * 29) % 186 + 3}};
    for (const Case& c : cases) {
        Bytes data = data_;
        Bytes index = index_;
        (c.inIndex ? index : data)[c.offset] ^= 0x20;
        WriteBytes(Path(".DAT"), data);
        WriteBytes(Path(".IX"), index);
        auto log = CreateDefined(LogDefinition(dir_.Dir(), kName));
        int steps = 0;
        int level = log->First(2);
        for (; level == 0 && steps <= 240; level = log->Next(2)) ++steps;
        EXPECT_GT(level, 2) << c.what << ": the damage ends the walk as an error";
        EXPECT_LE(steps, 240) << c.what;
        EXPECT_EQ(fatal_, 1) << c.what;
        log.reset();
        fatal_ = 0;
        if (!c.inIndex) {
            // The record itself changed: the rebuilt log holds it as it is now.
            records_.at(40) = Bytes(data.begin() + 40 * kLogRecLen, data.begin() + 41 * kLogRecLen);
        }
        ExpectEveryRecord(c.what);
        records_.at(40) = Bytes(data_.begin() + 40 * kLogRecLen, data_.begin() + 41 * kLogRecLen);
    }
}

TEST_F(DamagedLogTest, DamagedIndexEntriesEndTheWalkOrTheAddWithAnErrorNeverAShortWalk) {
    constexpr int k = 2;  // 22-byte keys with duplicates
    const Tree tree{index_, k};
    const std::int32_t leaf = tree.RightmostLeaf();  // off the path the open reads
    const std::int32_t middle = tree.Child(tree.Root(), 1);
    const std::size_t header = KeyOffset(k);
    const std::int32_t slots = DecodeFixed32(&data_[8]);
    auto byteAt = [](std::size_t at, std::uint8_t value) {
        return [=](Bytes& index, Bytes&) { index[at] = value; };
    };
    auto int32At = [](std::size_t at, std::int32_t value) {
        return [=](Bytes& index, Bytes&) { EncodeFixed32(&index[at], value); };
    };
    struct Case {
        const char* what;
        std::function<void(Bytes& index, Bytes& data)> damage;
        bool addAlone;  // the damage lies where an add goes: the add alone must refuse
    };
    const Case cases[] = {
        {"entry out of order in its page", byteAt(tree.Item(leaf, 3) + 9, 0x01), true},
        {"DataRef past the end of the data file", int32At(tree.Item(leaf, 3), slots + 7), true},
        {"DataRef 0", int32At(tree.Item(leaf, 5), 0), true},
        {"key length of an entry one short", byteAt(tree.Item(leaf, 4) + 8, 21), false},
        {"free page link into the tree",
         [&](Bytes& index, Bytes&) {
             EncodeFixed32(&index[header], leaf);
             EncodeFixed32(&index[header + 4], 1);
         },
         true},
        {"EntryCount one more", int32At(header + 22, 241), false},
        {"EntryCount one less", int32At(header + 22, 239), false},
        // The record agrees with its entry, which sorts beyond the separator
        // above its page, among the entries of the next page: a search never
        // finds it, so a walk that searched afresh at each step skipped the
        // separator and the entries below it.
        {"entry beyond its separator, record alike",
         [&](Bytes& index, Bytes& data) {
             const std::size_t item = tree.Item(middle, tree.Count(middle));
             const std::size_t beyond = tree.Item(tree.Child(tree.Root(), 2), 3);
             std::copy_n(&index[beyond + 8], 23, &index[item + 8]);
             const RecordRef ref = DecodeFixed32(&index[item]);
             std::copy_n(&index[item + 9], 22, &data[std::size_t(ref) * kLogRecLen + 66]);
         },
         false},
    };
    for (const Case& c : cases) {
        for (bool walk : {true, false}) {
            if (!walk && !c.addAlone) continue;
            const std::string what = std::string(c.what) + (walk ? ", walk and add" : ", add");
            Bytes data = data_;
            Bytes index = index_;
            c.damage(index, data);
            WriteBytes(Path(".DAT"), data);
            WriteBytes(Path(".IX"), index);
            auto log = CreateDefined(LogDefinition(dir_.Dir(), kName));
            ASSERT_EQ(log->EnsureOpen(), 0) << what;
            ASSERT_EQ(ReadBytes(Path(".IX")), index) << what << ": found before use";
            for (int key = 1; walk && key <= 27 && fatal_ == 0; ++key) {
                int steps = 0;
                std::string previous;
                int level = log->First(key);
                for (; level == 0; level = log->Next(key)) {
                    const std::string found = LogKey(log->RecordBuffer(), key);
                    ASSERT_LE(CompareKeys(previous, found), 0) << what << ": key " << key;
                    previous = found;
                    ++steps;
                }
                if (level == 1) {
                    EXPECT_EQ(steps, 240) << what << ": a short walk of key " << key;
                }
            }
            if (fatal_ == 0) {
                log->ClearRecord();
                std::fill_n(log->RecordBuffer().begin() + 8, kLogRecLen - 8, 'Z');
                EXPECT_GT(log->Add(), 2) << what;
            }
            EXPECT_EQ(fatal_, 1) << what;
            log.reset();
            fatal_ = 0;
            // The next start rebuilds: every record, walked under every key.
            const Bytes agreed = data;
            for (auto& [ref, bytes] : records_)
                bytes.assign(agreed.begin() + std::ptrdiff_t(ref) * kLogRecLen,
                             agreed.begin() + std::ptrdiff_t(ref + 1) * kLogRecLen);
            ExpectEveryRecord(what);
            for (auto& [ref, bytes] : records_)
                bytes.assign(data_.begin() + std::ptrdiff_t(ref) * kLogRecLen,
                             data_.begin() + std::ptrdiff_t(ref + 1) * kLogRecLen);
        }
    }
}

TEST_F(DamagedLogTest, ARebuildCutOffAtAnyStepIsTakenUpByTheNextOpen) {
    // What a killed rebuild leaves on disk, step by step.
    auto rename = [this](const char* from, const char* to) {
        std::filesystem::rename(Path(from), Path(to));
    };
    Bytes partial(data_.begin(), data_.begin() + 60 * kLogRecLen);
    partial[20] = 1;
    EncodeFixed32(&partial[16], 0);
    struct Case {
        const char* what;
        std::function<void()> leave;
    };
    const Case cases[] = {
        {"data file moved to SAV", [&] { rename(".DAT", ".SAV"); }},
        {"SAV and a partial new data file",
         [&] {
             rename(".DAT", ".SAV");
             WriteBytes(Path("-NEW.DAT"), partial);
         }},
        {"the new data file complete, SAV gone",
         [&] {
             rename(".DAT", "-NEW.DAT");
             std::filesystem::remove(Path(".IX"));
         }},
        {"index half built under its new name",
         [&] {
             rename(".IX", "-NEW.IX");
             Bytes data = data_;
             data[20] = 1;
             WriteBytes(Path(".DAT"), data);
         }},
    };
    for (const Case& c : cases) {
        WriteBytes(Path(".DAT"), data_);
        WriteBytes(Path(".IX"), index_);
        c.leave();
        ExpectEveryRecord(c.what);
        for (const char* left : {".SAV", "-NEW.DAT", "-NEW.IX"})
            EXPECT_FALSE(std::filesystem::exists(Path(left))) << c.what << ": " << left;
    }
}

}  // namespace
}  // namespace mss::store::test

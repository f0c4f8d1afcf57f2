// Seeded corruption campaign: thousands of damaged variants of a valid
// contest log are used as the program uses them (open, walk keys, read every
// record, add one, close, start again after a fatal error). No variant may
// crash, hang or walk further than an index holds, and every record outside
// the damaged bytes must be there afterwards, or have been announced to the
// user and kept in the dump file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <optional>
#include <random>

#include "NoSyncFileSystem.h"
#include "ObjectTestSupport.h"
#include "ProgramStoreTest.h"
#include "store/FileblockCheck.h"
#include "store/Rebuild.h"

namespace mss::store::test {
namespace {

constexpr const char* kName = "QVLK0003";
constexpr int kRecords = 110;
constexpr int kDeleted = 35;

using Bytes = std::vector<std::uint8_t>;

// One damaged pair of files; nullopt = the file is missing. damaged holds
// the slots whose bytes were changed or cut off.
struct Variant {
    std::string what;
    std::optional<Bytes> data;
    std::optional<Bytes> index;
    std::set<RecordRef> damaged;
    bool rebuildFirst = false;  // run the rebuild directly before the program
};

int Roll(std::mt19937& random, int n) {
    return std::uniform_int_distribution<int>(0, n - 1)(random);
}

// A log with deleted records and freed index pages, built through its object.
struct Pristine {
    Bytes data;
    Bytes index;
    std::map<RecordRef, Bytes> records;
};

Pristine BuildLog(const TempDir& dir, const std::string& name, int records, int deleted,
                  std::uint32_t seed) {
    std::mt19937 random(seed);
    auto log = CreateDefined(LogDefinition(dir.Dir(), name));
    for (int i = 0; i < records; ++i) {
        log->ClearRecord();
        auto buffer = log->RecordBuffer();
        for (int b = 8; b < kLogRecLen; ++b)
            buffer[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>('A' + Roll(random, 5));
        SetId(buffer, seed * 1000u + static_cast<std::uint64_t>(i) + 1);
        EXPECT_EQ(log->Add(), 0);
    }
    for (int i = 0; i < deleted; ++i) {
        if (log->Read(1 + Roll(random, records)) == 0) {
            EXPECT_EQ(log->Delete(0), 0);
        }
    }
    Pristine p;
    p.records = ReadAndCheck(*log).records;
    log.reset();
    p.data = ReadBytes(dir.Path(name + ".DAT"));
    p.index = ReadBytes(dir.Path(name + ".IX"));
    return p;
}

std::set<RecordRef> SlotsFrom(std::size_t offset, std::size_t end) {
    std::set<RecordRef> slots;
    for (std::size_t slot = offset / kLogRecLen; slot * kLogRecLen < end; ++slot)
        if (slot > 0) slots.insert(static_cast<RecordRef>(slot));
    return slots;
}

class Campaign {
  public:
    Campaign(const Pristine& log, const Pristine& other, std::uint32_t seed)
        : log_(log), other_(other), random_(seed) {
        std::int64_t offset = 0;
        for (int k = 1; k <= 27; ++k) {
            keyOffsets_.push_back(offset);
            offset += PageBytesFor(kLogKeyLengths[static_cast<std::size_t>(k - 1)]);
        }
        rowSize_ = offset;
    }

    Variant Next(int n) {
        Variant v{"", log_.data, log_.index, {}, false};
        switch (n % 12) {
            case 0:
                FlipBytes(v, *v.data, 0, kDataHeaderSize, "data header flip");
                break;
            case 1:
                ExtremeDataHeader(v);
                break;
            case 2:
                ExtremeKeyHeader(v);
                break;
            case 3:
                FlipIndexPages(v);
                break;
            case 4:
                FlipRecords(v);
                break;
            case 5:
                Truncate(v);
                break;
            case 6:
                EmptyOrMissing(v);
                break;
            case 7:
                Loop(v);
                break;
            case 8:
                v.what = "index of another log";
                v.index = other_.index;
                break;
            case 9:
                FlipIndexPages(v);
                (*v.data)[20] = 1;
                v.what += " after a crash";
                break;
            case 10:
                CopiedRecord(v);
                break;
            default:
                ExtremeDataHeader(v);
                v.rebuildFirst = true;
                break;
        }
        return v;
    }

  private:
    std::int32_t Pick() {
        const std::int32_t values[] = {INT32_MAX, INT32_MIN, -1, 0, 1, 2, 65, 128, 240, 1000000};
        return values[Roll(random_, 10)];
    }

    void FlipBytes(Variant& v, Bytes& bytes, std::size_t from, std::size_t to, const char* what) {
        const std::size_t at = from + static_cast<std::size_t>(Roll(random_, int(to - from)));
        bytes[at] ^= static_cast<std::uint8_t>(1 + Roll(random_, 255));
        v.what = std::string(what) + " at " + std::to_string(at);
    }

    void ExtremeDataHeader(Variant& v) {
        const int field = Roll(random_, 5);
        const std::int32_t old = Int32(*v.data, field * 4);
        const std::int32_t value = Roll(random_, 2) ? Pick() : old + (Roll(random_, 2) ? 1 : -1);
        Put32(*v.data, static_cast<std::size_t>(field * 4), value);
        if (Roll(random_, 3) == 0) (*v.data)[20] = 1;
        v.what = "data header field " + std::to_string(field) + " = " + std::to_string(value);
    }

    void ExtremeKeyHeader(Variant& v) {
        const int k = 1 + Roll(random_, 27);
        static constexpr int kOffsets[] = {0, 4, 8, 12, 16, 22, 26};
        const int offset = kOffsets[Roll(random_, 7)];
        const std::size_t at = static_cast<std::size_t>(keyOffsets_[std::size_t(k - 1)] + offset);
        const std::int32_t value = Roll(random_, 2) ? Pick() : Int32(*v.index, at) - 1;
        if (offset == 26) {
            (*v.index)[at] = static_cast<std::uint8_t>(value);
            (*v.index)[at + 1] = static_cast<std::uint8_t>(value >> 8);
        } else {
            Put32(*v.index, at, value);
        }
        v.what = "key " + std::to_string(k) + " header +" + std::to_string(offset) + " = " +
                 std::to_string(value);
    }

    void FlipIndexPages(Variant& v) {
        const int flips = 1 + Roll(random_, 3);
        for (int i = 0; i < flips; ++i)
            FlipBytes(v, *v.index, static_cast<std::size_t>(rowSize_), v.index->size(),
                      "index page flip");
    }

    void FlipRecords(Variant& v) {
        const int flips = 1 + Roll(random_, 3);
        for (int i = 0; i < flips; ++i) {
            FlipBytes(v, *v.data, kLogRecLen, v.data->size(), "record flip");
            const std::size_t at = std::stoul(v.what.substr(v.what.rfind(' ') + 1));
            v.damaged.insert(static_cast<RecordRef>(at / kLogRecLen));
        }
    }

    void Truncate(Variant& v) {
        const bool data = Roll(random_, 2) == 0;
        Bytes& bytes = data ? *v.data : *v.index;
        const std::size_t size = static_cast<std::size_t>(Roll(random_, int(bytes.size())));
        if (data) v.damaged = SlotsFrom(size, bytes.size());
        bytes.resize(size);
        v.what = std::string(data ? "data" : "index") + " cut to " + std::to_string(size);
    }

    void EmptyOrMissing(Variant& v) {
        const int which = Roll(random_, 5);
        if (which == 0 || which == 4) {
            v.damaged = SlotsFrom(0, v.data->size());
            v.data = which == 0 ? std::optional<Bytes>() : Bytes();
        }
        if (which == 1) v.index.reset();
        if (which == 2) v.index = Bytes();
        if (which == 3) {
            v.damaged = SlotsFrom(0, v.data->size());
            v.data.reset();
            v.index.reset();
        }
        v.what = "empty or missing files, case " + std::to_string(which);
    }

    // A free chain or a child pointer that leads back to where it came from.
    void Loop(Variant& v) {
        const int k = 1 + Roll(random_, 27);
        const std::size_t header = static_cast<std::size_t>(keyOffsets_[std::size_t(k - 1)]);
        const std::int32_t root = Int32(*v.index, header + 16);
        const std::int32_t firstFree = Int32(*v.index, header);
        const std::int32_t dataFree = Int32(*v.data, 0);
        switch (Roll(random_, 3)) {
            case 0:
                Put32(*v.data, static_cast<std::size_t>(dataFree) * kLogRecLen, dataFree);
                v.what = "data free chain loops";
                break;
            case 1:
                if (firstFree > 0)
                    Put32(*v.index, static_cast<std::size_t>(firstFree * rowSize_) + header,
                          firstFree);
                v.what = "page free chain of key " + std::to_string(k) + " loops";
                break;
            default: {
                const std::size_t page = static_cast<std::size_t>(root * rowSize_) + header;
                const std::int32_t child = Int32(*v.index, page + 2);
                if (child > 0)
                    Put32(*v.index, static_cast<std::size_t>(child * rowSize_) + header + 2, root);
                v.what = "a page of key " + std::to_string(k) + " points back at its root";
            }
        }
    }

    // A live record's bytes copied over another one: two records share
    // their unique number, and the file must be rebuilt.
    void CopiedRecord(Variant& v) {
        auto from = log_.records.begin();
        auto to = log_.records.begin();
        std::advance(from, Roll(random_, int(log_.records.size())));
        std::advance(to, Roll(random_, int(log_.records.size())));
        std::copy(from->second.begin(), from->second.end(),
                  v.data->begin() + std::ptrdiff_t(to->first) * kLogRecLen);
        (*v.data)[20] = 1;
        v.damaged.insert(to->first);
        v.what =
            "record " + std::to_string(from->first) + " copied over " + std::to_string(to->first);
    }

    static std::int32_t Int32(const Bytes& b, std::size_t at) {
        return at + 4 <= b.size() ? DecodeFixed32(&b[at]) : 0;
    }
    static void Put32(Bytes& b, std::size_t at, std::int32_t value) {
        if (at + 4 <= b.size()) EncodeFixed32(&b[at], value);
    }

    const Pristine& log_;
    const Pristine& other_;
    std::mt19937 random_;
    std::vector<std::int64_t> keyOffsets_;
    std::int64_t rowSize_ = 0;
};

class CorruptionCampaignTest : public ProgramStoreTest {
  protected:
    // Thousands of rebuilds: commits that wait for the disk would only add time.
    CorruptionCampaignTest() { fileSystem_ = std::make_shared<NoSyncFileSystem>(); }

    void Install(const Variant& v) {
        for (const char* ext : {".DAT", ".IX", ".MSG", ".SAV", "-NEW.DAT", "-NEW.IX"})
            std::filesystem::remove(dir_.Path(kName + std::string(ext)));
        if (v.data) WriteBytes(dir_.Path(kName + std::string(".DAT")), *v.data);
        if (v.index) WriteBytes(dir_.Path(kName + std::string(".IX")), *v.index);
    }

    // The records every walk must meet: those outside the damage that a
    // rebuild did not set aside.
    std::set<Bytes> Expected(const Pristine& pristine, const Variant& v) const {
        const Bytes dump = ReadBytes(dir_.Path(kName + std::string(".MSG")));
        std::set<Bytes> expected;
        for (const auto& [ref, bytes] : pristine.records)
            if (!v.damaged.contains(ref) &&
                std::search(dump.begin(), dump.end(), bytes.begin(), bytes.end()) == dump.end())
                expected.insert(bytes);
        return expected;
    }

    // One run of the program over the log: every key walked record by record,
    // every record read in slot order, one added. False after a fatal error.
    // A walk must hand out records in the key's order, no more of them than
    // the index counts, and, when it ends without an error, every record.
    bool RunProgram(const Pristine& pristine, const Variant& v,
                    std::vector<std::string>& problems) {
        const int fatalBefore = fatal_;
        auto log = CreateDefined(LogDefinition(dir_.Dir(), kName));
        if (!log) return false;
        // Opening may rebuild, and set records aside: read the dump after it.
        (void)log->EnsureOpen();
        const std::set<Bytes> expected = Expected(pristine, v);
        for (int k = 1; k <= 27 && fatal_ == fatalBefore; ++k) {
            const std::int32_t entries = log->EntryCount(k);
            int steps = 0;
            std::string previous;
            std::set<Bytes> met;
            int level = log->First(k);
            for (; level == 0; level = log->Next(k)) {
                const std::string key = LogKey(log->RecordBuffer(), k);
                if (++steps > entries || CompareKeys(previous, key) > 0) {
                    problems.push_back("walk of key " + std::to_string(k) +
                                       (steps > entries ? " goes past its entry count"
                                                        : " goes back in key order"));
                    return true;
                }
                previous = key;
                met.emplace(log->RecordBuffer().begin(), log->RecordBuffer().end());
            }
            if (level != 1 || fatal_ != fatalBefore) continue;
            if (!std::includes(met.begin(), met.end(), expected.begin(), expected.end())) {
                problems.push_back("walk of key " + std::to_string(k) +
                                   " leaves out a record without an error");
                return true;
            }
        }
        RecordRef from = 1;
        for (int n = 0; n < 4 * kRecords && fatal_ == fatalBefore &&
                        log->GotoPosition({0, from, "", log.get()}, 2) == 0;
             ++n)
            from = log->SavePosition(0).ref + 1;
        if (fatal_ != fatalBefore) return false;
        log->ClearRecord();
        SetId(log->RecordBuffer(), 999999);
        (void)log->Add();
        log.reset();
        return fatal_ == fatalBefore;
    }

    // Every record outside the damage is in the log, or was announced and is
    // in the dump file.
    void CheckAfterwards(const Pristine& pristine, const Variant& v,
                         std::vector<std::string>& problems) {
        auto log = CreateDefined(LogDefinition(dir_.Dir(), kName));
        ASSERT_TRUE(log);
        std::set<Bytes> present;
        RecordRef from = 1;
        for (int n = 0; n < 4 * kRecords && log->GotoPosition({0, from, "", log.get()}, 2) == 0;
             ++n) {
            present.emplace(log->RecordBuffer().begin(), log->RecordBuffer().end());
            from = log->SavePosition(0).ref + 1;
        }
        if (ErrorLevel() > 1) problems.push_back("the log does not open afterwards");
        const Bytes dump = ReadBytes(dir_.Path(kName + std::string(".MSG")));
        bool announced = false;
        for (const auto& shown : messages_.shown())
            announced = announced || shown.text.find("MSG") != std::string::npos;
        for (const auto& [ref, bytes] : pristine.records) {
            if (v.damaged.contains(ref) || present.contains(bytes)) continue;
            const bool dumped =
                std::search(dump.begin(), dump.end(), bytes.begin(), bytes.end()) != dump.end();
            if (!(announced && dumped))
                problems.push_back("record in slot " + std::to_string(ref) + " lost");
        }
        log.reset();
        // Damage to the index alone is mended, not carried past a clean close.
        if (v.damaged.empty() && problems.empty()) {
            const FileblockCheck check =
                CheckFileblock(dir_.Path(kName), false, kLogRecLen, LogKey);
            if (check.state != CheckState::kSound)
                problems.push_back("still damaged after the program: " + check.detail);
        }
    }
};

TEST_F(CorruptionCampaignTest, DamagedLogsNeverCrashHangOrLoseUndamagedRecords) {
    const int variants = std::max(2000, EnvOr("MSS_CAMPAIGN_VARIANTS", 2000));
    const std::uint32_t seed = SeedFromEnv("MSS_CAMPAIGN_SEED");
    RecordProperty("seed", static_cast<int>(seed));
    const Pristine log = BuildLog(dir_, kName, kRecords, kDeleted, 7);
    const Pristine other = BuildLog(dir_, "QVLK0004", 70, 10, 8);
    ASSERT_GT(log.records.size(), 62u) << "the indexes must have more than one level";
    Campaign campaign(log, other, seed);
    int restarts = 0;
    int failedVariants = 0;
    for (int n = 0; n < variants && failedVariants < 5; ++n) {
        const Variant v = campaign.Next(n);

        Install(v);
        messages_.Clear();
        std::vector<std::string> problems;
        if (v.rebuildFirst) {
            RebuildDefinition d;
            d.baseName = dir_.Path(kName);
            d.recLen = kLogRecLen;
            for (int k : kLogKeyLengths) d.keys.push_back({k, true});
            d.keys[kNumberKey - 1].allowDups = false;
            d.keyBuilder = LogKey;
            (void)RebuildFileblock(StoreFileSystem(), d);
        }
        bool finished = false;
        for (int start = 0; start < 3 && !finished && problems.empty(); ++start) {
            finished = RunProgram(log, v, problems);
            restarts += finished ? 0 : 1;
        }
        if (!finished) problems.push_back("still fatal after three starts");
        if (problems.empty()) CheckAfterwards(log, v, problems);
        if (!problems.empty()) {
            ++failedVariants;
            ADD_FAILURE() << "variant " << n << " (" << v.what << "): " << problems.front()
                          << "; seed " << seed;
        }
    }
    std::cout << "[ campaign ] " << variants << " variants, " << restarts
              << " restarts after a fatal error, seed " << seed << "\n";
}

}  // namespace
}  // namespace mss::store::test

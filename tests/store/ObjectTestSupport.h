// Helpers for the tests of fileblock objects, rebuild and failure handling: a
// scratch directory, a contest-log-shaped fileblock (216-byte records, 27
// keys, auto-number on key 4) and a full consistency check of a fileblock
// through its object.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "store/FileFormat.h"
#include "store/FileblockObject.h"
#include "store/KeyCodec.h"

namespace mss::store::test {

class TempDir {
  public:
    TempDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "mss-object-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The directory with a trailing "/".
    std::string Dir() const { return path_ + "/"; }
    std::string Path(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

inline int EnvOr(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && std::atoi(value) > 0 ? std::atoi(value) : fallback;
}

// The seed a variable of the environment gives (to replay a run), else a fresh one.
inline std::uint32_t SeedFromEnv(const char* name) {
    return static_cast<std::uint32_t>(
        EnvOr(name, static_cast<int>(std::random_device{}() & 0x7FFFFFFF)));
}

inline std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// The contest log's record length and key lengths; every key but 4 allows duplicates.
inline constexpr std::int32_t kLogRecLen = 216;
inline constexpr std::array<int, 27> kLogKeyLengths = {8, 22, 14, 5, 6, 14, 1, 6, 21, 7, 6, 6, 5, 2,
                                                       2, 2,  2,  8, 6, 6,  9, 7, 7,  6, 3, 3, 7};
inline constexpr int kNumberKey = 4;
inline constexpr int kNumberField = 4;
// Where the tests keep a record's identity (inside the free-text area).
inline constexpr int kIdField = 84;

inline std::int32_t NumberOf(std::span<const std::uint8_t> record) {
    return DecodeFixed32(record.data() + kNumberField);
}
inline std::uint64_t IdOf(std::span<const std::uint8_t> record) {
    std::uint64_t id = 0;
    for (int i = 7; i >= 0; --i) id = (id << 8) | record[kIdField + i];
    return id;
}
inline void SetId(std::span<std::uint8_t> record, std::uint64_t id) {
    for (int i = 0; i < 8; ++i) record[kIdField + i] = static_cast<std::uint8_t>(id >> (8 * i));
}

// Key k is a slice of the record (so changing bytes moves records between
// keys), key 4 the integer key of the record number.
inline std::string LogKey(std::span<const std::uint8_t> record, int keyNr) {
    if (keyNr < 1 || keyNr > 27) return {};
    if (keyNr == kNumberKey) return IntToKey(NumberOf(record));
    const int len = kLogKeyLengths[static_cast<std::size_t>(keyNr - 1)];
    const int offset = 8 + (keyNr * 29) % (kLogRecLen - 8 - len);
    return std::string(reinterpret_cast<const char*>(record.data() + offset),
                       static_cast<std::size_t>(len));
}

inline SharedDefinition LogDefinition(const std::string& dir, const std::string& name) {
    SharedDefinition d;
    d.object.logicalName = name;
    d.object.fileName = dir + name;
    d.object.recLen = kLogRecLen;
    d.object.keyCount = 27;
    d.object.keyBuilder = LogKey;
    for (int k = 1; k <= 27; ++k)
        d.keys.push_back({kLogKeyLengths[static_cast<std::size_t>(k - 1)], k != kNumberKey});
    d.autoNumbers = {{kNumberKey, kNumberField}};
    d.autoFlush = true;
    return d;
}

// Every live record (by reference, in slot order) and every disagreement
// between the indexes and the data file.
struct Contents {
    std::map<RecordRef, std::vector<std::uint8_t>> records;
    std::vector<std::string> problems;
    int checks = 0;

    void Expect(bool ok, const std::string& problem) {
        ++checks;
        if (!ok) problems.push_back(problem);
    }
};

inline Contents ReadAndCheck(TFileblockObject& object) {
    Contents c;
    for (RecordRef from = 1;;) {
        if (object.GotoPosition({0, from, "", &object}, 2) != 0) break;
        const RecordRef ref = object.SavePosition(0).ref;
        auto bytes = object.RecordBuffer();
        c.records[ref].assign(bytes.begin(), bytes.end());
        from = ref + 1;
    }
    const auto live = static_cast<std::int32_t>(c.records.size());
    c.Expect(object.RecordCount() == live, "record count differs from the live slots");
    for (int k = 1; k <= object.KeyCount(); ++k) {
        const std::string at = " in key " + std::to_string(k);
        c.Expect(object.EntryCount(k) == live, "entry count differs" + at);
        std::set<RecordRef> seen;
        RecordRef ref = 0;
        std::string key;
        KeyEntry previous{-1, ""};
        while (object.NextEntry(k, ref, key) == 0) {
            auto it = c.records.find(ref);
            c.Expect(it != c.records.end(), "entry for a slot that is not live" + at);
            if (it != c.records.end())
                c.Expect(object.Builder()(it->second, k) == key, "key differs from record" + at);
            c.Expect(seen.insert(ref).second, "record indexed twice" + at);
            if (previous.ref >= 0) {
                const int order = CompareKeys(previous.key, key);
                c.Expect(order < 0 || (order == 0 && object.Key(k).allowDups && previous.ref < ref),
                         "entries out of order" + at);
            }
            previous = {ref, key};
            if (static_cast<int>(seen.size()) > live + 1) break;
        }
        c.Expect(static_cast<int>(seen.size()) == live, "index misses records" + at);
    }
    return c;
}

}  // namespace mss::store::test

namespace mss::store::test {

// Initialises the object layer (0, 160, 32) on a scratch directory for one
// test and ends it again; objects must be gone before the test ends.
class ObjectLayerTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(InitFiles(0, 160, 32, fileSystem_), 0); }
    void TearDown() override {
        SetFatalHalt({});
        EXPECT_EQ(ExitFiles(), 0);
    }
    // Tests that need another file system set it before SetUp.
    std::shared_ptr<platform::FileSystem> fileSystem_;
    TempDir dir_;
};

}  // namespace mss::store::test

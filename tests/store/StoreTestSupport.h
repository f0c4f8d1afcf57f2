// Shared helpers of the record store tests: a scratch directory with an
// initialised engine, raw file access, and an independent reader of the
// index file that checks the tree's invariants.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "store/FbIndex.h"
#include "store/Filer.h"

namespace mss::store::test {

// Each test gets an empty directory and an engine of 160 page buffers.
class StoreTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Restarts the engine, e.g. on another file system or cache size.
    void RestartEngine(std::shared_ptr<platform::FileSystem> fs = nullptr, int buffers = 160);

    std::string Base(const std::string& name) const { return (dir_ / name).string(); }
    std::string PathOf(const std::string& fileName) const { return (dir_ / fileName).string(); }

    std::filesystem::path dir_;
};

std::vector<std::uint8_t> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
std::int32_t Int32At(const std::vector<std::uint8_t>& bytes, std::size_t offset);
void PutInt32At(std::vector<std::uint8_t>& bytes, std::size_t offset, std::int32_t value);

std::vector<std::uint8_t> Record(std::int32_t recLen, std::uint8_t fill);

// What the index file says about one key, read without the engine.
struct TreeReport {
    std::vector<KeyEntry> entries;  // in tree order
    std::int32_t pageCount = 0;
    std::int32_t freeCount = 0;
    std::int32_t entryCount = 0;
    std::int32_t root = 0;
    int depth = 0;
};

// Reads key k of an index file whose key lengths are given, checking: all
// leaves at one depth, PageCap/2 ... PageCap items in every page but the root,
// entries strictly ordered, EntryCount and the free chain right, no page used
// twice. Failures are reported as gtest failures.
TreeReport CheckTree(const std::string& indexPath, const std::vector<int>& keyLens, int k);

}  // namespace mss::store::test

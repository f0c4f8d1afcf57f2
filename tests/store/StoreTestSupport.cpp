#include "StoreTestSupport.h"

#include <unistd.h>

#include <fstream>
#include <functional>
#include <set>

#include "store/KeyCodec.h"

namespace mss::store::test {

void StoreTest::SetUp() {
    std::string pattern = (std::filesystem::temp_directory_path() / "mss-store-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    int obtained = 0;
    ASSERT_EQ(InitEngine(160, obtained), kOk);
    ASSERT_EQ(obtained, 160);
}

void StoreTest::TearDown() {
    if (EngineInitialised()) (void)ExitEngine();
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}

void StoreTest::RestartEngine(std::shared_ptr<platform::FileSystem> fs, int buffers) {
    if (EngineInitialised()) (void)ExitEngine();
    int obtained = 0;
    ASSERT_EQ(InitEngine(buffers, obtained, std::move(fs)), kOk);
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::int32_t Int32At(const std::vector<std::uint8_t>& b, std::size_t o) {
    return static_cast<std::int32_t>(b.at(o) | (b.at(o + 1) << 8) | (b.at(o + 2) << 16) |
                                     (std::uint32_t(b.at(o + 3)) << 24));
}

void PutInt32At(std::vector<std::uint8_t>& b, std::size_t o, std::int32_t value) {
    auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) b.at(o + i) = static_cast<std::uint8_t>(v >> (8 * i));
}

std::vector<std::uint8_t> Record(std::int32_t recLen, std::uint8_t fill) {
    std::vector<std::uint8_t> record(static_cast<std::size_t>(recLen), fill);
    for (int i = 0; i < 4; ++i) record[i] = 0;  // live delete mark
    return record;
}

TreeReport CheckTree(const std::string& indexPath, const std::vector<int>& keyLens, int k) {
    const std::vector<std::uint8_t> file = ReadFileBytes(indexPath);
    std::size_t rowSize = 0;
    std::size_t slotOffset = 0;
    for (std::size_t i = 0; i < keyLens.size(); ++i) {
        std::size_t pageBytes = 6 + 62 * (keyLens[i] + 9);
        if (static_cast<int>(i) < k - 1) slotOffset += pageBytes;
        rowSize += pageBytes;
    }
    const int keyLen = keyLens[k - 1];
    const int itemSize = keyLen + 9;
    TreeReport report;
    const std::int32_t firstFree = Int32At(file, slotOffset);
    report.freeCount = Int32At(file, slotOffset + 4);
    report.pageCount = Int32At(file, slotOffset + 8);
    report.root = Int32At(file, slotOffset + 16);
    const bool dups = file.at(slotOffset + 20) != 0;
    report.entryCount = Int32At(file, slotOffset + 22);
    EXPECT_EQ(file.size() % rowSize, 0u);

    std::set<std::int32_t> used;
    int leafDepth = -1;
    std::function<void(std::int32_t, int)> walk = [&](std::int32_t page, int depth) {
        if (::testing::Test::HasFatalFailure()) return;
        ASSERT_GE(page, 1);
        ASSERT_LE(page, report.pageCount);
        ASSERT_TRUE(used.insert(page).second) << "page " << page << " reached twice";
        const std::size_t at = page * rowSize + slotOffset;
        ASSERT_LE(at + 6, file.size());
        const int count = file[at] | (file[at + 1] << 8);
        const std::int32_t left = Int32At(file, at + 2);
        if (page != report.root) {
            EXPECT_GE(count, 31) << "page " << page;
        }
        EXPECT_LE(count, 62);
        EXPECT_GE(count, 1);
        if (left != 0) walk(left, depth + 1);
        for (int i = 0; i < count; ++i) {
            const std::size_t item = at + 6 + static_cast<std::size_t>(i * itemSize);
            KeyEntry entry{
                Int32At(file, item),
                std::string(reinterpret_cast<const char*>(&file[item + 9]), file[item + 8])};
            report.entries.push_back(entry);
            const std::int32_t right = Int32At(file, item + 4);
            EXPECT_EQ(right == 0, left == 0) << "mixed leaf and inner page " << page;
            if (right != 0) walk(right, depth + 1);
        }
        if (left == 0) {
            if (leafDepth < 0) leafDepth = depth;
            EXPECT_EQ(depth, leafDepth) << "leaf " << page << " at another depth";
        }
    };
    if (report.root != 0) walk(report.root, 1);
    report.depth = leafDepth < 0 ? 0 : leafDepth;

    EXPECT_EQ(static_cast<std::int32_t>(report.entries.size()), report.entryCount);
    for (std::size_t i = 1; i < report.entries.size(); ++i) {
        const KeyEntry& a = report.entries[i - 1];
        const KeyEntry& b = report.entries[i];
        int c = CompareKeys(a.key, b.key);
        EXPECT_TRUE(c < 0 || (dups && c == 0 && a.ref < b.ref))
            << "entries " << i - 1 << " and " << i << " out of order";
    }
    std::int32_t freePage = firstFree;
    std::int32_t freeSeen = 0;
    while (freePage != -1 && freeSeen <= report.pageCount) {
        EXPECT_TRUE(used.insert(freePage).second) << "free page " << freePage << " also used";
        freePage = Int32At(file, freePage * rowSize + slotOffset);
        ++freeSeen;
    }
    EXPECT_EQ(freeSeen, report.freeCount);
    EXPECT_EQ(static_cast<std::int32_t>(used.size()), report.pageCount);
    return report;
}

}  // namespace mss::store::test

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "platform/FaultInjectingFileSystem.h"
#include "platform/PosixFileSystem.h"

namespace mss::platform {
namespace {

class FileSystemTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "mss-fs-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    static std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
        std::vector<std::uint8_t> bytes;
        for (int v : values) bytes.push_back(static_cast<std::uint8_t>(v));
        return bytes;
    }
    std::vector<std::uint8_t> Contents(FileSystem& fs, const std::string& name) {
        std::unique_ptr<File> file;
        EXPECT_EQ(fs.Open(Path(name), OpenMode::ReadOnly, file), 0);
        if (!file) return {};
        std::vector<std::uint8_t> bytes(100);
        IoResult r = file->ReadAt(0, bytes);
        bytes.resize(r.bytes);
        return bytes;
    }

    std::filesystem::path dir_;
    PosixFileSystem posix_;
};

TEST_F(FileSystemTest, ReadsWritesAndSizesAFile) {
    std::unique_ptr<File> file;
    ASSERT_EQ(posix_.Open(Path("a"), OpenMode::ReadOnly, file), ENOENT);
    ASSERT_EQ(posix_.Open(Path("a"), OpenMode::Create, file), 0);
    ASSERT_TRUE(file->WriteAt(2, Bytes({7, 8, 9})).Ok());
    std::int64_t size = 0;
    ASSERT_EQ(file->Size(size), 0);
    EXPECT_EQ(size, 5);
    std::vector<std::uint8_t> out(10, 0xAA);
    IoResult r = file->ReadAt(1, out);
    EXPECT_TRUE(r.Ok());
    EXPECT_EQ(r.bytes, 4u);  // a short read at the end is no error
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1], 7);
    EXPECT_EQ(file->Truncate(3), 0);
    EXPECT_EQ(file->Sync(), 0);
    ASSERT_EQ(file->Size(size), 0);
    EXPECT_EQ(size, 3);
    EXPECT_EQ(file->Close(), 0);
    EXPECT_EQ(file->Close(), EBADF);
    EXPECT_EQ(file->ReadAt(0, out).error, EBADF);
    EXPECT_TRUE(posix_.Exists(Path("a")));
    EXPECT_FALSE(posix_.Exists(dir_.string()));
    EXPECT_TRUE(posix_.DirectoryExists(dir_.string()));
}

TEST_F(FileSystemTest, OpenFileIsExclusiveInThisProcessAndOthers) {
    std::unique_ptr<File> owner;
    ASSERT_EQ(posix_.Open(Path("a"), OpenMode::Create, owner), 0);
    ASSERT_TRUE(owner->WriteAt(0, Bytes({1, 2, 3})).Ok());
    std::unique_ptr<File> second;
    EXPECT_EQ(posix_.Open(Path("a"), OpenMode::ReadWrite, second), EWOULDBLOCK);
    EXPECT_EQ(posix_.Open(Path("a"), OpenMode::ReadOnly, second), EWOULDBLOCK);
    EXPECT_EQ(posix_.Open(Path("a"), OpenMode::Create, second), EWOULDBLOCK);
    EXPECT_EQ(posix_.Delete(Path("a")), EBUSY);
    EXPECT_EQ(posix_.Rename(Path("a"), Path("b")), EBUSY);

    pid_t child = ::fork();
    if (child == 0) {
        PosixFileSystem fs;
        std::unique_ptr<File> other;
        ::_exit(fs.Open(Path("a"), OpenMode::ReadWrite, other) == EWOULDBLOCK ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    ASSERT_EQ(owner->Close(), 0);
    EXPECT_EQ(Contents(posix_, "a"), Bytes({1, 2, 3}));  // the refused create emptied nothing
    EXPECT_EQ(posix_.Rename(Path("a"), Path("b")), 0);
    EXPECT_EQ(posix_.Delete(Path("b")), 0);
    EXPECT_EQ(posix_.Delete(Path("b")), ENOENT);
}

TEST_F(FileSystemTest, FaultInjectionCutsWritesShort) {
    FaultInjectingFileSystem fs(std::make_shared<PosixFileSystem>());
    std::unique_ptr<File> file;
    ASSERT_EQ(fs.Open(Path("a"), OpenMode::Create, file), 0);
    fs.FailWritesAfter(5);
    EXPECT_TRUE(file->WriteAt(0, Bytes({1, 2, 3})).Ok());
    IoResult r = file->WriteAt(3, Bytes({4, 5, 6, 7}));
    EXPECT_EQ(r.error, ENOSPC);
    EXPECT_EQ(r.bytes, 2u);
    EXPECT_EQ(file->WriteAt(5, Bytes({1})).error, ENOSPC);
    fs.ClearFaults();
    EXPECT_TRUE(file->WriteAt(5, Bytes({6})).Ok());
    fs.FailSyncs(true);
    EXPECT_EQ(file->Sync(), EIO);
    EXPECT_EQ(fs.BytesWritten(), 6);
}

TEST_F(FileSystemTest, PowerLossKeepsOnlyWhatWasSynced) {
    FaultInjectingFileSystem fs(std::make_shared<PosixFileSystem>());
    std::unique_ptr<File> kept;
    std::unique_ptr<File> lost;
    ASSERT_EQ(fs.Open(Path("kept"), OpenMode::Create, kept), 0);
    ASSERT_EQ(fs.Open(Path("lost"), OpenMode::Create, lost), 0);
    ASSERT_TRUE(kept->WriteAt(0, Bytes({1, 2})).Ok());
    ASSERT_EQ(kept->Sync(), 0);
    ASSERT_TRUE(kept->WriteAt(0, Bytes({9, 9, 9})).Ok());
    ASSERT_TRUE(lost->WriteAt(0, Bytes({5})).Ok());
    EXPECT_EQ(fs.SyncCount(), 1);

    fs.SimulatePowerLoss();
    EXPECT_EQ(kept->WriteAt(0, Bytes({1})).error, EIO);  // handles died with the power
    EXPECT_EQ(kept->Sync(), EIO);
    EXPECT_FALSE(fs.Exists(Path("lost")));
    EXPECT_EQ(Contents(fs, "kept"), Bytes({1, 2}));
    std::unique_ptr<File> reopened;
    EXPECT_EQ(fs.Open(Path("kept"), OpenMode::ReadWrite, reopened), 0);  // locks released
}

}  // namespace
}  // namespace mss::platform

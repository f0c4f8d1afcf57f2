#include "platform/PosixFileSystem.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace mss::platform {
namespace {

// Reads of the part of the file that exists are served from a read-only
// mapping: a record read is then a copy, not a system call. Writes go through
// pwrite; on Linux both see the same page cache. The size is tracked rather
// than asked for, which is safe because the exclusive lock keeps every other
// writer out.
class PosixFile : public File {
  public:
    explicit PosixFile(int fd) : fd_(fd) {
        struct stat st {};
        if (::fstat(fd_, &st) == 0) size_ = st.st_size;
    }
    ~PosixFile() override { (void)Close(); }
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    IoResult ReadAt(std::int64_t offset, std::span<std::uint8_t> out) override {
        if (fd_ < 0) return {EBADF, 0};
        // An empty file read whole asks for nothing, with no buffer behind it.
        if (out.empty()) return {0, 0};
        if (offset >= 0 && offset + static_cast<std::int64_t>(out.size()) <= size_ &&
            EnsureMapped()) {
            std::memcpy(out.data(), static_cast<const std::uint8_t*>(map_) + offset, out.size());
            return {0, out.size()};
        }
        IoResult result;
        while (result.bytes < out.size()) {
            ssize_t n = ::pread(fd_, out.data() + result.bytes, out.size() - result.bytes,
                                static_cast<off_t>(offset + result.bytes));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return {errno, result.bytes};
            if (n == 0) break;  // end of file: a short read, not an error
            result.bytes += static_cast<std::size_t>(n);
        }
        return result;
    }

    IoResult WriteAt(std::int64_t offset, std::span<const std::uint8_t> data) override {
        IoResult result;
        if (fd_ < 0) return {EBADF, 0};
        while (result.bytes < data.size()) {
            ssize_t n = ::pwrite(fd_, data.data() + result.bytes, data.size() - result.bytes,
                                 static_cast<off_t>(offset + result.bytes));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) break;
            if (n == 0) {
                errno = ENOSPC;
                break;
            }
            result.bytes += static_cast<std::size_t>(n);
        }
        size_ = std::max(size_, offset + static_cast<std::int64_t>(result.bytes));
        if (result.bytes < data.size()) result.error = errno;
        return result;
    }

    int Size(std::int64_t& size) override {
        struct stat st {};
        if (fd_ < 0) return EBADF;
        if (::fstat(fd_, &st) != 0) return errno;
        size = size_ = st.st_size;
        return 0;
    }

    int Truncate(std::int64_t size) override {
        if (fd_ < 0) return EBADF;
        if (size < size_) Unmap();  // pages beyond a shrunken end must not be touched
        if (::ftruncate(fd_, static_cast<off_t>(size)) != 0) return errno;
        size_ = size;
        return 0;
    }

    int Sync() override {
        if (fd_ < 0) return EBADF;
        return ::fdatasync(fd_) == 0 ? 0 : errno;
    }

    int Close() override {
        if (fd_ < 0) return EBADF;
        Unmap();
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? 0 : errno;  // closing also drops the flock
    }

  private:
    // Maps at least the current size, with room to grow, so that a growing
    // file is not remapped on every append.
    bool EnsureMapped() {
        if (map_ && size_ <= mapLength_) return true;
        Unmap();
        const std::int64_t length = std::max<std::int64_t>(size_ * 2, 1 << 20);
        void* map =
            ::mmap(nullptr, static_cast<std::size_t>(length), PROT_READ, MAP_SHARED, fd_, 0);
        if (map == MAP_FAILED) return false;  // reads fall back to pread
        map_ = map;
        mapLength_ = length;
        return true;
    }

    void Unmap() {
        if (map_) ::munmap(map_, static_cast<std::size_t>(mapLength_));
        map_ = nullptr;
        mapLength_ = 0;
    }

    int fd_;
    std::int64_t size_ = 0;
    void* map_ = nullptr;
    std::int64_t mapLength_ = 0;
};

// Opens the file and takes the exclusive lock; answers the open descriptor or -errno.
int OpenLocked(const std::string& path, int flags) {
    int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
    if (fd < 0) return -errno;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        int err = errno;
        ::close(fd);
        return -err;
    }
    return fd;
}

// Runs action while holding the file's lock, so a file in use is refused.
template <typename Action>
int WithFileLocked(const std::string& path, Action action) {
    int fd = OpenLocked(path, O_RDONLY);
    if (fd == -EWOULDBLOCK) return EBUSY;
    if (fd == -EACCES) return action();  // unreadable but perhaps removable
    if (fd < 0) return -fd;
    int err = action();
    ::close(fd);
    return err;
}

}  // namespace

int PosixFileSystem::Open(const std::string& path, OpenMode mode, std::unique_ptr<File>& file) {
    int flags = mode == OpenMode::ReadOnly ? O_RDONLY : O_RDWR;
    if (mode == OpenMode::Create) flags |= O_CREAT;
    int fd = OpenLocked(path, flags);
    if (fd < 0) return -fd;
    // Emptied only once the lock is held, so a file in use keeps its contents.
    if (mode == OpenMode::Create && ::ftruncate(fd, 0) != 0) {
        int err = errno;
        ::close(fd);
        return err;
    }
    file = std::make_unique<PosixFile>(fd);
    return 0;
}

int PosixFileSystem::Delete(const std::string& path) {
    return WithFileLocked(path, [&] { return ::unlink(path.c_str()) == 0 ? 0 : errno; });
}

int PosixFileSystem::Rename(const std::string& from, const std::string& to) {
    return WithFileLocked(from,
                          [&] { return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno; });
}

bool PosixFileSystem::Exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool PosixFileSystem::DirectoryExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.empty() ? "." : path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::shared_ptr<FileSystem> DefaultFileSystem() {
    static const std::shared_ptr<FileSystem> fileSystem = std::make_shared<PosixFileSystem>();
    return fileSystem;
}

}  // namespace mss::platform

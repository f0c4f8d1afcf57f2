// The small file-system seam of the record store: every byte the store reads
// or writes goes through these interfaces, so tests can inject failures and
// simulate power loss without touching the store's code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace mss::platform {

// Outcome of one read or write: an errno value (0 = success) and the bytes moved.
// A read that meets the end of the file reports success with fewer bytes.
struct IoResult {
    int error = 0;
    std::size_t bytes = 0;
    bool Ok() const { return error == 0; }
};

enum class OpenMode {
    ReadOnly,   // the file must exist
    ReadWrite,  // the file must exist
    Create,     // created, or emptied when it exists; read-write
};

// One open file, held with an exclusive lock until it is closed.
class File {
  public:
    virtual ~File() = default;
    virtual IoResult ReadAt(std::int64_t offset, std::span<std::uint8_t> out) = 0;
    virtual IoResult WriteAt(std::int64_t offset, std::span<const std::uint8_t> data) = 0;
    // The functions below answer 0 or an errno value.
    virtual int Size(std::int64_t& size) = 0;
    virtual int Truncate(std::int64_t size) = 0;
    // Commits the file's data (and its size) to stable storage.
    virtual int Sync() = 0;
    // Releases the lock and the handle; every later call fails with EBADF.
    virtual int Close() = 0;
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // Opens with an exclusive lock; a file already open elsewhere, in this
    // process or another one, gives EWOULDBLOCK and is left untouched.
    virtual int Open(const std::string& path, OpenMode mode, std::unique_ptr<File>& file) = 0;
    // Deleting or renaming a file that is open (locked) gives EBUSY, as a
    // second user must not pull a file from under its owner.
    virtual int Delete(const std::string& path) = 0;
    virtual int Rename(const std::string& from, const std::string& to) = 0;
    virtual bool Exists(const std::string& path) = 0;
    virtual bool DirectoryExists(const std::string& path) = 0;
};

// The process-wide file system of the running program (POSIX).
std::shared_ptr<FileSystem> DefaultFileSystem();

}  // namespace mss::platform

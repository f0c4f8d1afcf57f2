// The POSIX file system: open with O_CLOEXEC, exclusive advisory locks
// (flock), positioned reads and writes, fdatasync for commits.
#pragma once

#include "platform/File.h"

namespace mss::platform {

class PosixFileSystem : public FileSystem {
  public:
    int Open(const std::string& path, OpenMode mode, std::unique_ptr<File>& file) override;
    int Delete(const std::string& path) override;
    int Rename(const std::string& from, const std::string& to) override;
    bool Exists(const std::string& path) override;
    bool DirectoryExists(const std::string& path) override;
};

}  // namespace mss::platform

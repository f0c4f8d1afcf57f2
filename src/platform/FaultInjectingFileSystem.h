// A file system for failure tests: it wraps a real one and can cut writes
// short after a byte budget (a full disk) or throw away everything that was
// not synced (a power loss).
#pragma once

#include <map>
#include <optional>
#include <vector>

#include "platform/File.h"

namespace mss::platform {

class FaultInjectingFileSystem : public FileSystem {
  public:
    explicit FaultInjectingFileSystem(std::shared_ptr<FileSystem> base);

    // After this many further bytes every write is cut short with ENOSPC
    // (growing a file counts as writing its zeros).
    void FailWritesAfter(std::int64_t bytes);
    // Every Sync from now on fails with EIO (a dying disk).
    void FailSyncs(bool fail);
    void ClearFaults();
    std::int64_t BytesWritten() const;
    int SyncCount() const;

    // Power loss: each file goes back to its contents at its last Sync (a file
    // never synced since it was created disappears). Files open at that moment
    // die: their locks are released and every later call fails with EIO.
    // Deletes and renames count as durable at once.
    void SimulatePowerLoss();

    int Open(const std::string& path, OpenMode mode, std::unique_ptr<File>& file) override;
    int Delete(const std::string& path) override;
    int Rename(const std::string& from, const std::string& to) override;
    bool Exists(const std::string& path) override;
    bool DirectoryExists(const std::string& path) override;

    struct State;  // shared with the files it opened

  private:
    std::shared_ptr<State> state_;
};

}  // namespace mss::platform

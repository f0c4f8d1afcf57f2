// A power cut at an exact byte: wrapped around the fault-injecting file
// system, it lets a given number of further bytes through and then fails
// every write, sync, truncate, delete, rename and open, as a machine without
// power would. The fault-injecting file system below then drops whatever was
// not synced before the cut.
#pragma once

#include <cerrno>
#include <memory>
#include <string>
#include <vector>

#include "platform/FaultInjectingFileSystem.h"

namespace mss::store::test {

class PowerCutFileSystem : public platform::FileSystem {
  public:
    explicit PowerCutFileSystem(std::shared_ptr<platform::FaultInjectingFileSystem> disk)
        : disk_(std::move(disk)) {}

    // The power goes after this many more bytes have been written.
    void CutAfter(std::int64_t bytes) {
        state_->budget = bytes;
        state_->cut = bytes <= 0;
    }
    // The power goes just before the given sync from now on (0 = the next one).
    void CutAtSync(int syncs) { state_->syncsLeft = syncs; }
    bool IsCut() const { return state_->cut; }
    // The files synced since the last restart, in order.
    const std::vector<std::string>& Synced() const { return state_->synced; }
    // Drops what was not synced and switches the power back on.
    void PowerLossAndRestart() {
        disk_->SimulatePowerLoss();
        *state_ = State{};
    }

    int Open(const std::string& path, platform::OpenMode mode,
             std::unique_ptr<platform::File>& file) override {
        if (state_->cut) return EIO;
        std::unique_ptr<platform::File> inner;
        if (int rc = disk_->Open(path, mode, inner)) return rc;
        file = std::make_unique<CutFile>(std::move(inner), state_, path);
        return 0;
    }
    int Delete(const std::string& path) override { return state_->cut ? EIO : disk_->Delete(path); }
    int Rename(const std::string& from, const std::string& to) override {
        return state_->cut ? EIO : disk_->Rename(from, to);
    }
    bool Exists(const std::string& path) override { return disk_->Exists(path); }
    bool DirectoryExists(const std::string& path) override { return disk_->DirectoryExists(path); }

  private:
    struct State {
        std::int64_t budget = -1;  // -1 = no cut planned
        int syncsLeft = -1;        // -1 = no cut planned
        bool cut = false;
        std::vector<std::string> synced;
    };

    class CutFile : public platform::File {
      public:
        CutFile(std::unique_ptr<platform::File> inner, std::shared_ptr<State> state,
                std::string path)
            : inner_(std::move(inner)), state_(std::move(state)), path_(std::move(path)) {}
        platform::IoResult ReadAt(std::int64_t offset, std::span<std::uint8_t> out) override {
            return inner_->ReadAt(offset, out);
        }
        platform::IoResult WriteAt(std::int64_t offset,
                                   std::span<const std::uint8_t> data) override {
            if (state_->cut) return {EIO, 0};
            if (state_->budget >= 0 && static_cast<std::int64_t>(data.size()) > state_->budget) {
                const auto part = static_cast<std::size_t>(state_->budget);
                state_->cut = true;
                if (part > 0) (void)inner_->WriteAt(offset, data.first(part));
                return {EIO, part};
            }
            if (state_->budget >= 0) state_->budget -= static_cast<std::int64_t>(data.size());
            return inner_->WriteAt(offset, data);
        }
        int Size(std::int64_t& size) override { return inner_->Size(size); }
        int Truncate(std::int64_t size) override {
            return state_->cut ? EIO : inner_->Truncate(size);
        }
        int Sync() override {
            if (state_->syncsLeft == 0) state_->cut = true;
            if (state_->cut) return EIO;
            if (state_->syncsLeft > 0) --state_->syncsLeft;
            state_->synced.push_back(path_);
            return inner_->Sync();
        }
        int Close() override { return inner_->Close(); }

      private:
        std::unique_ptr<platform::File> inner_;
        std::shared_ptr<State> state_;
        std::string path_;
    };

    std::shared_ptr<platform::FaultInjectingFileSystem> disk_;
    std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace mss::store::test

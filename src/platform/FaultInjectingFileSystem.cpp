#include "platform/FaultInjectingFileSystem.h"

#include <cerrno>
#include <limits>

namespace mss::platform {

struct FaultInjectingFileSystem::State {
    std::shared_ptr<FileSystem> base;
    std::int64_t writeBudget = std::numeric_limits<std::int64_t>::max();
    std::int64_t bytesWritten = 0;
    bool failSyncs = false;
    int syncCount = 0;
    int generation = 0;  // bumped by a power loss; older files are dead
    // Durable contents per tracked path; nullopt: created but never synced.
    std::map<std::string, std::optional<std::vector<std::uint8_t>>> synced;
    std::vector<File*> openFiles;  // base files of live handles, to kill them
};

namespace {

using State = FaultInjectingFileSystem::State;

int ReadWhole(File& file, std::vector<std::uint8_t>& contents) {
    std::int64_t size = 0;
    if (int err = file.Size(size)) return err;
    contents.resize(static_cast<std::size_t>(size));
    IoResult r = file.ReadAt(0, contents);
    if (!r.Ok()) return r.error;
    contents.resize(r.bytes);
    return 0;
}

class FaultFile : public File {
  public:
    FaultFile(std::shared_ptr<State> state, std::string path, std::unique_ptr<File> base)
        : state_(std::move(state)),
          path_(std::move(path)),
          base_(std::move(base)),
          generation_(state_->generation) {
        state_->openFiles.push_back(base_.get());
    }
    ~FaultFile() override { (void)Close(); }

    IoResult ReadAt(std::int64_t offset, std::span<std::uint8_t> out) override {
        if (!Alive()) return {EIO, 0};
        return base_->ReadAt(offset, out);
    }

    IoResult WriteAt(std::int64_t offset, std::span<const std::uint8_t> data) override {
        if (!Alive()) return {EIO, 0};
        std::int64_t left = state_->writeBudget - state_->bytesWritten;
        std::size_t allowed = left <= 0 ? 0 : static_cast<std::size_t>(left);
        bool cut = allowed < data.size();
        IoResult r = base_->WriteAt(offset, data.first(cut ? allowed : data.size()));
        state_->bytesWritten += static_cast<std::int64_t>(r.bytes);
        if (r.Ok() && cut) r.error = ENOSPC;
        return r;
    }

    int Size(std::int64_t& size) override { return Alive() ? base_->Size(size) : EIO; }
    // Growing a file takes room on the disk as writing its zeros would.
    int Truncate(std::int64_t size) override {
        if (!Alive()) return EIO;
        std::int64_t old = 0;
        if (int err = base_->Size(old)) return err;
        const std::int64_t grown = size > old ? size - old : 0;
        if (grown > state_->writeBudget - state_->bytesWritten) return ENOSPC;
        if (int err = base_->Truncate(size)) return err;
        state_->bytesWritten += grown;
        return 0;
    }

    int Sync() override {
        if (!Alive()) return EIO;
        if (state_->failSyncs) return EIO;
        if (int err = base_->Sync()) return err;
        ++state_->syncCount;
        std::vector<std::uint8_t> contents;
        if (int err = ReadWhole(*base_, contents)) return err;
        state_->synced[path_] = std::move(contents);
        return 0;
    }

    int Close() override {
        if (!base_) return EBADF;
        const bool alive = Alive();
        std::erase(state_->openFiles, base_.get());
        int err = alive ? base_->Close() : EIO;  // a dead file was closed by the power loss
        base_.reset();
        return err;
    }

  private:
    bool Alive() const { return base_ && generation_ == state_->generation; }

    std::shared_ptr<State> state_;
    std::string path_;
    std::unique_ptr<File> base_;
    int generation_;
};

}  // namespace

FaultInjectingFileSystem::FaultInjectingFileSystem(std::shared_ptr<FileSystem> base)
    : state_(std::make_shared<State>()) {
    state_->base = std::move(base);
}

void FaultInjectingFileSystem::FailWritesAfter(std::int64_t bytes) {
    state_->writeBudget = state_->bytesWritten + bytes;
}

void FaultInjectingFileSystem::FailSyncs(bool fail) {
    state_->failSyncs = fail;
}

void FaultInjectingFileSystem::ClearFaults() {
    state_->writeBudget = std::numeric_limits<std::int64_t>::max();
    state_->failSyncs = false;
}

std::int64_t FaultInjectingFileSystem::BytesWritten() const {
    return state_->bytesWritten;
}

int FaultInjectingFileSystem::SyncCount() const {
    return state_->syncCount;
}

void FaultInjectingFileSystem::SimulatePowerLoss() {
    ++state_->generation;
    for (File* file : state_->openFiles) (void)file->Close();  // release the locks
    state_->openFiles.clear();
    for (const auto& [path, contents] : state_->synced) {
        if (!contents) {
            (void)state_->base->Delete(path);
            continue;
        }
        std::unique_ptr<File> file;
        if (state_->base->Open(path, OpenMode::Create, file) != 0) continue;
        (void)file->WriteAt(0, *contents);
        (void)file->Close();
    }
}

int FaultInjectingFileSystem::Open(const std::string& path, OpenMode mode,
                                   std::unique_ptr<File>& file) {
    bool existed = state_->base->Exists(path);
    std::unique_ptr<File> base;
    if (int err = state_->base->Open(path, mode, base)) return err;
    if (!state_->synced.contains(path)) {
        // What was on disk before this file system saw it counts as durable;
        // a file created here is not durable until its first Sync.
        std::optional<std::vector<std::uint8_t>> durable;
        if (existed && mode != OpenMode::Create) {
            durable.emplace();
            if (int err = ReadWhole(*base, *durable)) return err;
        }
        state_->synced[path] = std::move(durable);
    }
    file = std::make_unique<FaultFile>(state_, path, std::move(base));
    return 0;
}

int FaultInjectingFileSystem::Delete(const std::string& path) {
    int err = state_->base->Delete(path);
    if (err == 0) state_->synced.erase(path);
    return err;
}

int FaultInjectingFileSystem::Rename(const std::string& from, const std::string& to) {
    int err = state_->base->Rename(from, to);
    if (err != 0) return err;
    auto node = state_->synced.extract(from);
    state_->synced.erase(to);
    if (!node.empty()) {
        node.key() = to;
        state_->synced.insert(std::move(node));
    }
    return 0;
}

bool FaultInjectingFileSystem::Exists(const std::string& path) {
    return state_->base->Exists(path);
}

bool FaultInjectingFileSystem::DirectoryExists(const std::string& path) {
    return state_->base->DirectoryExists(path);
}

}  // namespace mss::platform

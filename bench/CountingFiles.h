// The record store's file operations, counted: a file system that passes
// every call on to the platform's and counts syncs, reads and writes.
#pragma once

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>

#include "platform/File.h"

namespace mss::bench {

// Plain data, so that a child process can hand it over through a pipe.
struct FileCounts {
    long syncs = 0;
    long reads = 0;
    long writes = 0;
    double syncSeconds = 0;
    // Syncs by their place since the last StartOfCommit (the last place also
    // takes any later ones), and their seconds: what each step of a flush costs.
    static constexpr int kPlaces = 4;
    int place = 0;
    long syncsAt[kPlaces] = {};
    double secondsAt[kPlaces] = {};
};

// The counts of every file opened through a CountingFileSystem.
inline FileCounts& Counts() {
    static FileCounts counts;
    return counts;
}

// Numbers the syncs from here on from the first place: call it as a commit starts.
inline void StartOfCommit() {
    Counts().place = 0;
}

class CountingFile : public platform::File {
  public:
    explicit CountingFile(std::unique_ptr<platform::File> file) : file_(std::move(file)) {}
    platform::IoResult ReadAt(std::int64_t offset, std::span<std::uint8_t> out) override {
        ++Counts().reads;
        return file_->ReadAt(offset, out);
    }
    platform::IoResult WriteAt(std::int64_t offset, std::span<const std::uint8_t> data) override {
        ++Counts().writes;
        return file_->WriteAt(offset, data);
    }
    int Size(std::int64_t& size) override { return file_->Size(size); }
    int Truncate(std::int64_t size) override { return file_->Truncate(size); }
    int Sync() override {
        const auto start = std::chrono::steady_clock::now();
        const int err = file_->Sync();
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        FileCounts& c = Counts();
        c.syncSeconds += seconds;
        ++c.syncs;
        const int at = std::min(c.place++, FileCounts::kPlaces - 1);
        ++c.syncsAt[at];
        c.secondsAt[at] += seconds;
        return err;
    }
    int Close() override { return file_->Close(); }

  private:
    std::unique_ptr<platform::File> file_;
};

class CountingFileSystem : public platform::FileSystem {
  public:
    int Open(const std::string& path, platform::OpenMode mode,
             std::unique_ptr<platform::File>& file) override {
        std::unique_ptr<platform::File> inner;
        const int err = fs_->Open(path, mode, inner);
        if (err == 0) file = std::make_unique<CountingFile>(std::move(inner));
        return err;
    }
    int Delete(const std::string& path) override { return fs_->Delete(path); }
    int Rename(const std::string& from, const std::string& to) override {
        return fs_->Rename(from, to);
    }
    bool Exists(const std::string& path) override { return fs_->Exists(path); }
    bool DirectoryExists(const std::string& path) override { return fs_->DirectoryExists(path); }

  private:
    std::shared_ptr<platform::FileSystem> fs_ = platform::DefaultFileSystem();
};

}  // namespace mss::bench

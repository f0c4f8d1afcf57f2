// The real file system with commits that return at once: for tests that use
// files heavily and are about what the store does with damaged files, not
// about what survives a power loss (a commit costs a disk flush each).
#pragma once

#include <memory>

#include "platform/PosixFileSystem.h"

namespace mss::store::test {

class NoSyncFileSystem : public platform::PosixFileSystem {
  public:
    int Open(const std::string& path, platform::OpenMode mode,
             std::unique_ptr<platform::File>& file) override {
        std::unique_ptr<platform::File> inner;
        if (int rc = PosixFileSystem::Open(path, mode, inner)) return rc;
        file = std::make_unique<NoSyncFile>(std::move(inner));
        return 0;
    }

  private:
    class NoSyncFile : public platform::File {
      public:
        explicit NoSyncFile(std::unique_ptr<platform::File> inner) : inner_(std::move(inner)) {}
        platform::IoResult ReadAt(std::int64_t offset, std::span<std::uint8_t> out) override {
            return inner_->ReadAt(offset, out);
        }
        platform::IoResult WriteAt(std::int64_t offset,
                                   std::span<const std::uint8_t> data) override {
            return inner_->WriteAt(offset, data);
        }
        int Size(std::int64_t& size) override { return inner_->Size(size); }
        int Truncate(std::int64_t size) override { return inner_->Truncate(size); }
        int Sync() override { return 0; }
        int Close() override { return inner_->Close(); }

      private:
        std::unique_ptr<platform::File> inner_;
    };
};

}  // namespace mss::store::test

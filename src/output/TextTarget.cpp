#include "output/TextTarget.h"

#include <cerrno>
#include <cstdint>
#include <span>

namespace mss::output {

FileTextTarget::FileTextTarget(std::unique_ptr<platform::File> file) : file_(std::move(file)) {}

FileTextTarget::~FileTextTarget() {
    // A target dropped without Close still releases its lock; its caller has
    // already been told of any error it met.
    if (file_) (void)file_->Close();
}

WriteStatus FileTextTarget::Write(std::string_view bytes) {
    if (error_ != 0) return {error_};
    if (!file_) return {error_ = EBADF};
    const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                             bytes.size());
    const platform::IoResult result = file_->WriteAt(offset_, data);
    offset_ += static_cast<std::int64_t>(result.bytes);
    if (!result.Ok()) return {error_ = result.error};
    // A short write without an error is a full disk all the same.
    if (result.bytes != bytes.size()) return {error_ = ENOSPC};
    return {};
}

WriteStatus FileTextTarget::Close() {
    if (!file_) return {error_ != 0 ? error_ : EBADF};
    const int synced = error_ == 0 ? file_->Sync() : 0;
    const int closed = file_->Close();
    file_.reset();
    if (error_ == 0) error_ = synced != 0 ? synced : closed;
    return {error_};
}

WriteStatus CreateTextFile(platform::FileSystem& fs, const std::string& path,
                           std::unique_ptr<TextTarget>& target) {
    std::unique_ptr<platform::File> file;
    if (const int error = fs.Open(path, platform::OpenMode::Create, file); error != 0) {
        return {error};
    }
    target = std::make_unique<FileTextTarget>(std::move(file));
    return {};
}

WriteStatus StringTextTarget::Write(std::string_view bytes) {
    text_ += bytes;
    return {};
}

}  // namespace mss::output

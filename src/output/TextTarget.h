// Where a text file writer puts its bytes: a file of the platform's file
// system, or memory. Every write and the close report their errors; after
// the first failure a target stays failed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "output/WriteStatus.h"
#include "platform/File.h"

namespace mss::output {

class TextTarget {
  public:
    virtual ~TextTarget() = default;
    // Appends the bytes as they are (Windows-1252, line ends included).
    virtual WriteStatus Write(std::string_view bytes) = 0;
    // Commits and closes; a target is closed once.
    virtual WriteStatus Close() = 0;
};

// A file created (or emptied) for writing; the file is synced before it is
// closed, so a success means the bytes are on the disk.
class FileTextTarget : public TextTarget {
  public:
    explicit FileTextTarget(std::unique_ptr<platform::File> file);
    ~FileTextTarget() override;
    WriteStatus Write(std::string_view bytes) override;
    WriteStatus Close() override;

  private:
    std::unique_ptr<platform::File> file_;
    std::int64_t offset_ = 0;
    int error_ = 0;
};

// Creates the file `path` through `fs` as a target; the errno value when the
// file cannot be created.
WriteStatus CreateTextFile(platform::FileSystem& fs, const std::string& path,
                           std::unique_ptr<TextTarget>& target);

// Keeps the bytes in memory.
class StringTextTarget : public TextTarget {
  public:
    WriteStatus Write(std::string_view bytes) override;
    WriteStatus Close() override { return {}; }
    const std::string& text() const { return text_; }

  private:
    std::string text_;
};

}  // namespace mss::output

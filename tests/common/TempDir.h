// A fresh directory below the system's temporary folder, removed again with
// everything in it when the test ends.
#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace mss::test {

class TempDir {
  public:
    TempDir() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("mss-test-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The directory as a run directory: with a trailing "/".
    std::string RunDir() const { return path_.string() + "/"; }

  private:
    std::filesystem::path path_;
};

// Makes `dir` the current directory for the guard's lifetime.
class ScopedCurrentDir {
  public:
    explicit ScopedCurrentDir(const std::filesystem::path& dir)
        : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(dir);
    }
    ~ScopedCurrentDir() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
    }
    ScopedCurrentDir(const ScopedCurrentDir&) = delete;
    ScopedCurrentDir& operator=(const ScopedCurrentDir&) = delete;

  private:
    std::filesystem::path previous_;
};

}  // namespace mss::test

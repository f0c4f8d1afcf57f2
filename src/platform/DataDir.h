// Chooses the program's data directory (the run directory every file name is
// relative to): `--data-dir DIR` when given, else the current directory when
// it already holds suite files, else a per-user data directory.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace mss::platform {

struct DataDirChoice {
    std::filesystem::path dir;
    std::string error;  // empty on success
};

// `args` are the command-line arguments after the program name. `home` and
// `xdgDataHome` are the environment's values (empty when unset).
DataDirChoice ChooseDataDir(const std::vector<std::string>& args,
                            const std::filesystem::path& currentDir, const std::string& home,
                            const std::string& xdgDataHome);

// True when `dir` holds a data file of the suite ("QV*.DAT", any case).
bool HoldsSuiteFiles(const std::filesystem::path& dir);

// The current directory with a trailing "/".
std::string RunDirOfCurrentDirectory();

// Creates `dir` when needed and makes it the current directory;
// returns the run directory with a trailing "/", or nullopt on failure.
std::optional<std::string> EnterDataDir(const std::filesystem::path& dir, std::string& error);

}  // namespace mss::platform

#include "platform/DataDir.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace mss::platform {
namespace fs = std::filesystem;

namespace {

constexpr const char* kAppDirName = "tarvolt-mssprint";

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

fs::path PerUserDir(const std::string& home, const std::string& xdgDataHome) {
    if (!xdgDataHome.empty()) return fs::path(xdgDataHome) / kAppDirName;
    if (!home.empty()) return fs::path(home) / ".local" / "share" / kAppDirName;
    return {};
}

}  // namespace

bool HoldsSuiteFiles(const fs::path& dir) {
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = Upper(it->path().filename().string());
        if (name.size() > 6 && name.starts_with("QV") && name.ends_with(".DAT")) return true;
    }
    return false;
}

DataDirChoice ChooseDataDir(const std::vector<std::string>& args, const fs::path& currentDir,
                            const std::string& home, const std::string& xdgDataHome) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--data-dir") {
            if (i + 1 >= args.size() || args[i + 1].empty())
                return {{}, "--data-dir needs a directory"};
            return {fs::absolute(args[i + 1]), {}};
        }
        if (arg.starts_with("--data-dir=")) {
            std::string value = arg.substr(11);
            if (value.empty()) return {{}, "--data-dir needs a directory"};
            return {fs::absolute(value), {}};
        }
    }
    if (HoldsSuiteFiles(currentDir)) return {currentDir, {}};
    fs::path perUser = PerUserDir(home, xdgDataHome);
    if (perUser.empty()) return {currentDir, {}};
    return {perUser, {}};
}

std::optional<std::string> EnterDataDir(const fs::path& dir, std::string& error) {
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) {
        error = "cannot create " + dir.string() + ": " + ec.message();
        return std::nullopt;
    }
    fs::current_path(dir, ec);
    if (ec) {
        error = "cannot enter " + dir.string() + ": " + ec.message();
        return std::nullopt;
    }
    return RunDirOfCurrentDirectory();
}

std::string RunDirOfCurrentDirectory() {
    std::error_code ec;
    std::string runDir = fs::current_path(ec).string();
    if (!runDir.ends_with('/')) runDir += '/';
    return runDir;
}

}  // namespace mss::platform

#include "contest/StationFile.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "radio/Text.h"

namespace mss::contest {

std::string StationFileName(std::string_view runDir, std::int32_t number) {
    return std::string(runDir) + "mssprint" + radio::PadLeft(std::to_string(number), 6) + ".STN";
}

std::optional<std::string> ReadStationFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    std::string text = content.str();
    std::erase(text, '\r');
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

bool WriteStationFile(const std::string& path, std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\r') continue;
        if (c == '\n') out += '\r';
        out += c;
    }
    out += "\r\n";
    // Written beside and renamed, so a failed write never leaves half a file.
    const std::string temporary = path + ".new";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file || !(file << out) || !file.flush()) return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    return !error;
}

bool RemoveStationFile(const std::string& path) {
    std::error_code error;
    std::filesystem::remove(path, error);
    return !error;
}

}  // namespace mss::contest

#include "log/MemberList.h"

#include <fstream>
#include <sstream>

#include "radio/Text.h"

namespace mss::log {

namespace {

std::vector<std::string> SplitFields(std::string_view line) {
    return radio::SplitText(line, ';');
}

}  // namespace

void MemberList::LoadOnce(const std::string& path) {
    if (loaded_) return;
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    if (in) text << in.rdbuf();
    LoadText(text.str());
}

void MemberList::LoadText(std::string_view text) {
    loaded_ = true;
    lines_.clear();
    text_.clear();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        text_.emplace_back(line);
        std::vector<std::string> fields = SplitFields(line);
        std::string call = radio::Trim(fields.front());
        if (!call.empty()) lines_.try_emplace(std::move(call), std::move(fields));
        start = end + 1;
    }
}

std::vector<std::string> MemberList::Fields(std::string_view call) const {
    auto it = lines_.find(std::string(call));
    return it == lines_.end() ? std::vector<std::string>{} : it->second;
}

std::string MemberList::MemberNumber(std::string_view call) const {
    const std::vector<std::string> fields = Fields(call);
    return fields.size() >= 4 ? radio::Trim(fields[3]) : std::string();
}

void MemberList::AddLine(std::string_view call, std::string_view value) {
    if (call.empty() || Contains(call)) return;
    const std::string line = std::string(call) + ";;" + std::string(value);
    text_.push_back(line);
    lines_.try_emplace(std::string(call), SplitFields(line));
}

bool MemberList::WriteTo(const std::string& path) const {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const std::string& line : text_) out << line << "\r\n";
    out.flush();
    return static_cast<bool>(out);
}

}  // namespace mss::log

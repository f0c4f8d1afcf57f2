#include "radio/SuperCheckPartial.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "radio/Text.h"

namespace mss::radio {

namespace {

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The call as held: trimmed and upper case, or empty when it cannot be one.
std::string Normalise(std::string_view entry) {
    while (!entry.empty() && (entry.back() == '\r' || entry.back() == '\n')) entry.remove_suffix(1);
    std::string call = Trim(entry);
    for (char& c : call) {
        if (static_cast<unsigned char>(c) <= ' ' || c == 0x7F) return {};
        c = UpperAscii(c);
    }
    return call;
}

}  // namespace

void SuperCheckPartial::AddScpText(std::string_view text) {
    std::vector<std::string> calls;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        if (!line.starts_with('#')) calls.emplace_back(line);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    Merge(std::move(calls));
}

bool SuperCheckPartial::AddScpFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return false;
    AddScpText(text);
    return true;
}

void SuperCheckPartial::AddCalls(std::span<const std::string> calls) {
    Merge(std::vector<std::string>(calls.begin(), calls.end()));
}

void SuperCheckPartial::Merge(std::vector<std::string> calls) {
    for (std::size_t i = 0; i < starts_.size(); ++i) {
        const std::size_t end = i + 1 < starts_.size() ? starts_[i + 1] - 1 : text_.size() - 1;
        calls.push_back(text_.substr(starts_[i], end - starts_[i]));
    }
    for (std::string& c : calls) c = Normalise(c);
    std::erase(calls, std::string());
    std::sort(calls.begin(), calls.end());
    calls.erase(std::unique(calls.begin(), calls.end()), calls.end());
    text_.clear();
    starts_.clear();
    starts_.reserve(calls.size());
    for (const std::string& c : calls) {
        starts_.push_back(text_.size());
        text_ += c;
        text_ += '\n';
    }
}

SuperCheckPartial::Answer SuperCheckPartial::Find(std::string_view partial,
                                                  std::size_t maxCount) const {
    Answer answer;
    const std::string wanted = Normalise(partial);
    if (wanted.empty()) return answer;
    std::size_t from = 0;
    while (true) {
        const std::size_t hit = text_.find(wanted, from);
        if (hit == std::string::npos) break;
        if (answer.Calls.size() == maxCount) {
            answer.More = true;
            break;
        }
        // The call holding the hit: the last start at or before it.
        const auto it = std::upper_bound(starts_.begin(), starts_.end(), hit) - 1;
        const std::size_t end = text_.find('\n', hit);
        answer.Calls.emplace_back(std::string_view(text_).substr(*it, end - *it));
        from = end + 1;
    }
    return answer;
}

}  // namespace mss::radio

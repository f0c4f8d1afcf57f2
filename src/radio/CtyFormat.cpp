#include "radio/CtyFormat.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "radio/AsciiChar.h"
#include "radio/Text.h"

namespace mss::radio {

namespace {

constexpr int kMaxCqZone = 40;
constexpr int kMaxItuZone = 90;

std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(separator, from)) != std::string_view::npos; from = at + 1)
        parts.emplace_back(text.substr(from, at - from));
    parts.emplace_back(text.substr(from));
    return parts;
}

std::optional<int> Number(std::string_view text, int low, int high) {
    const std::string trimmed = Trim(text);
    int value = 0;
    const auto [end, error] =
        std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
    if (error != std::errc() || end != trimmed.data() + trimmed.size() || value < low ||
        value > high)
        return std::nullopt;
    return value;
}

bool IsDecimal(std::string_view text) {
    const std::string trimmed = Trim(text);
    double value = 0;
    const auto [end, error] =
        std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
    return error == std::errc() && end == trimmed.data() + trimmed.size();
}

bool IsContinent(std::string_view text) {
    static constexpr std::string_view kContinents[] = {"AF", "AN", "AS", "EU", "NA", "OC", "SA"};
    for (std::string_view c : kContinents)
        if (text == c) return true;
    return false;
}

bool IsPrefixCharacter(char c) {
    return IsAsciiDigit(c) || (c >= 'A' && c <= 'Z') || c == '/';
}

// name: cq: itu: continent: lat: lon: offset: prefix: (anything after the
// eighth colon is ignored).
std::optional<CtyEntity> ReadHeader(std::string_view line) {
    const std::vector<std::string> fields = Split(line, ':');
    if (fields.size() < 9) return std::nullopt;
    CtyEntity entity;
    entity.name = Trim(fields[0]);
    const auto cq = Number(fields[1], 1, kMaxCqZone);
    const auto itu = Number(fields[2], 1, kMaxItuZone);
    entity.continent = UpperText(Trim(fields[3]));
    std::string primary = UpperText(Trim(fields[7]));
    entity.waeOnly = primary.starts_with('*');
    if (entity.waeOnly) primary.erase(0, 1);
    entity.primaryPrefix = primary;
    const bool prefixOk = !primary.empty() && std::ranges::all_of(primary, IsPrefixCharacter);
    if (entity.name.empty() || !cq || !itu || !IsContinent(entity.continent) ||
        !IsDecimal(fields[4]) || !IsDecimal(fields[5]) || !IsDecimal(fields[6]) || !prefixOk)
        return std::nullopt;
    entity.cqZone = *cq;
    entity.ituZone = *itu;
    return entity;
}

// One override: the text between `open` and `close` from `at` on.
bool ReadOverride(std::string_view token, std::size_t& at, char close, std::string& value) {
    const std::size_t end = token.find(close, at + 1);
    if (end == std::string_view::npos) return false;
    value = std::string(token.substr(at + 1, end - at - 1));
    at = end + 1;
    return true;
}

std::optional<CtyPrefix> ReadPrefix(std::string_view token) {
    CtyPrefix prefix;
    std::size_t at = 0;
    if (token.starts_with('=')) {
        prefix.exactCall = true;
        at = 1;
    }
    while (at < token.size() && IsPrefixCharacter(AsciiUpper(token[at])))
        prefix.text += AsciiUpper(token[at++]);
    if (prefix.text.empty()) return std::nullopt;
    while (at < token.size()) {
        std::string value;
        const char open = token[at];
        const char close = open == '('   ? ')'
                           : open == '[' ? ']'
                           : open == '<' ? '>'
                           : open == '{' ? '}'
                           : open == '~' ? '~'
                                         : 0;
        if (close == 0 || !ReadOverride(token, at, close, value)) return std::nullopt;
        if (open == '(') {
            const auto zone = Number(value, 1, kMaxCqZone);
            if (!zone) return std::nullopt;
            prefix.cqZone = *zone;
        } else if (open == '[') {
            const auto zone = Number(value, 1, kMaxItuZone);
            if (!zone) return std::nullopt;
            prefix.ituZone = *zone;
        } else if (open == '{') {
            if (!IsContinent(value)) return std::nullopt;
            prefix.continent = value;
        }
        // <lat/lon> and ~offset~ have no place in the prefix tables.
    }
    return prefix;
}

void ReadPrefixes(std::string_view text, CtyEntity& entity, int& skipped) {
    for (const std::string& token : Split(text, ',')) {
        const std::string trimmed = Trim(token);
        if (trimmed.empty()) continue;
        if (std::optional<CtyPrefix> prefix = ReadPrefix(trimmed))
            entity.prefixes.push_back(*prefix);
        else
            ++skipped;
    }
}

}  // namespace

CtyFile ReadCty(std::istream& in) {
    CtyFile file;
    std::optional<CtyEntity> entity;  // the entity whose prefixes are being read
    bool discarding = false;          // the prefixes of a bad header
    const auto finish = [&] {
        if (entity) file.entities.push_back(std::move(*entity));
        entity.reset();
    };
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (Trim(line).empty()) continue;
        const bool header = !IsBlankOrControl(line.front()) && line.find(':') != std::string::npos;
        if (header) {
            finish();  // a list without its ";" ends at the next header
            entity = ReadHeader(line);
            discarding = !entity;
            if (discarding) ++file.skipped;
            continue;
        }
        const std::size_t end = line.find(';');
        const std::string_view list = std::string_view(line).substr(0, end);
        if (entity)
            ReadPrefixes(list, *entity, file.skipped);
        else if (!discarding)
            ++file.skipped;  // prefixes without a header
        if (end != std::string::npos) {
            finish();
            discarding = false;
        }
    }
    finish();
    return file;
}

std::map<std::string, int> ReadCtyCsvCodes(std::istream& in) {
    std::map<std::string, int> codes;
    for (std::string line; std::getline(in, line);) {
        const std::vector<std::string> fields = Split(line, ',');
        if (fields.size() < 3) continue;
        std::string primary = UpperText(Trim(fields[0]));
        if (primary.starts_with('*')) primary.erase(0, 1);
        const auto code = Number(fields[2], 1, 32767);
        if (!primary.empty() && code) codes.emplace(primary, *code);
    }
    return codes;
}

}  // namespace mss::radio

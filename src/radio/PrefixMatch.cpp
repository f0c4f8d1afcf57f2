#include "radio/PrefixMatch.h"

#include "radio/AsciiChar.h"
#include "suite/SuiteRecordBytes.h"

namespace mss::radio::prefix {

namespace {

constexpr int kByPattern = 1;
constexpr int kByDxccPattern = 2;
constexpr int kByPatternChoice = 3;
constexpr std::size_t kChoiceWidth = 3;

using suite::PadKeyText;

bool IsAlphanumeric(char c) {
    return IsAsciiDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// An explicitly numbered entry ("VP8-2"): its choice number is emptied, so
// no dialog asks again.
std::optional<Match> MatchNumbered(store::TFileblockObject& table, std::string_view text,
                                   std::size_t dash) {
    const std::string key = PadKeyText(text.substr(0, dash), kPatternWidth) +
                            PadKeyText(text.substr(dash + 1, kChoiceWidth), kChoiceWidth);
    if (table.Find(kByPatternChoice, key) != 0) return std::nullopt;
    Match match{BufferOf(table)};
    match.record.SetChoiceNumber("");
    return match;
}

// Compares the entry found at or after the text with the text.
std::optional<Match> Compare(const suite::PrefixRecord& record, std::string_view t) {
    const std::string p = PatternOf(record);
    if (p.empty()) return std::nullopt;
    if (p == t) return Match{record};
    const std::size_t n = t.size();
    if (p.size() == n && p.compare(0, n - 1, t, 0, n - 1) == 0 &&
        static_cast<unsigned char>(t[n - 1]) <= static_cast<unsigned char>(p[n - 1])) {
        const char rangeStart = record.RangeStart();
        if (IsAlphanumeric(rangeStart)) {
            if (static_cast<unsigned char>(t[n - 1]) >= static_cast<unsigned char>(rangeStart))
                return Match{record};
            return std::nullopt;
        }
        if (IsWildcard(p[n - 1])) return Match{record, p[n - 1], n};
        return std::nullopt;
    }
    if (p.size() > n && IsWildcard(p[n - 1]) && p.compare(0, n - 1, t, 0, n - 1) == 0)
        return Match{record, p[n - 1], n};
    return std::nullopt;
}

}  // namespace

bool IsWildcard(char c) {
    return c == '#' || c == '?' || c == '~';
}

std::string PatternOf(const suite::PrefixRecord& record) {
    std::string pattern = record.Pattern();
    if (!pattern.empty() && pattern.back() == '-') pattern.pop_back();
    return pattern;
}

suite::PrefixRecord BufferOf(const store::TFileblockObject& table) {
    return suite::PrefixRecord(table.RecordBuffer());
}

std::optional<Match> MatchNormal(store::TFileblockObject& table, std::string_view text) {
    if (text.empty()) return std::nullopt;
    const std::size_t dash = text.find('-');
    if (dash != std::string_view::npos && dash + 1 < text.size() && IsAsciiDigit(text[dash + 1]))
        return MatchNumbered(table, text, dash);
    if (table.Search(kByPattern, PadKeyText(text.substr(0, kPatternWidth), kPatternWidth)) != 0)
        return std::nullopt;
    return Compare(BufferOf(table), text);
}

std::optional<suite::PrefixRecord> MatchExact(store::TFileblockObject& table,
                                              std::string_view text) {
    std::string dxcc(text.substr(0, kPatternWidth));
    if (!dxcc.empty() && dxcc.back() == '-') dxcc.pop_back();
    // The French southern territories' prefixes are stored with the wildcard.
    std::string pattern(text);
    if (pattern.starts_with("FT5")) pattern[2] = '?';
    const std::string key = PadKeyText(dxcc, kPatternWidth) + PadKeyText(pattern, kPatternWidth);
    if (table.Find(kByDxccPattern, key) != 0) return std::nullopt;
    return BufferOf(table);
}

}  // namespace mss::radio::prefix

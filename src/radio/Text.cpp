#include "radio/Text.h"

#include "radio/ProgramValues.h"

#include <algorithm>

namespace mss::radio {

namespace {

// Windows-1252 bytes of the umlauts that change case.
constexpr char kLowerUmlauts[] = {'\xE4', '\xF6', '\xFC'};  // ä ö ü
constexpr char kUpperUmlauts[] = {'\xC4', '\xD6', '\xDC'};  // Ä Ö Ü

char PlainUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
char PlainLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

char SwapUmlaut(char c, const char (&from)[3], const char (&to)[3]) {
    const auto* it = std::find(std::begin(from), std::end(from), c);
    return it == std::end(from) ? c : to[it - std::begin(from)];
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::string Trim(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

std::string UpperText(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = SwapUmlaut(PlainUpper(c), kLowerUmlauts, kUpperUmlauts);
    return out;
}

std::string LowerText(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = SwapUmlaut(PlainLower(c), kUpperUmlauts, kLowerUmlauts);
    return out;
}

std::string Fit(std::string_view text, int width) {
    const auto n = static_cast<std::size_t>(std::max(width, 0));
    std::string out(text.substr(0, n));
    out.resize(n, ' ');
    return out;
}

std::string PadLeft(std::string_view text, int width) {
    const auto n = static_cast<std::size_t>(std::max(width, 0));
    if (text.size() >= n) return std::string(text);
    return std::string(n - text.size(), ' ') + std::string(text);
}

std::string ApplyLetterCase(std::string_view text, int style) {
    if (text.empty()) return {};
    switch (style) {
        case 1:
            return UpperText(text);
        case 2:
            return LowerText(text);
        case 3: {
            std::string out = LowerText(text);
            out[0] = PlainUpper(out[0]);
            return out;
        }
        case 4: {
            std::string out(text);
            out[0] = PlainUpper(out[0]);
            for (std::size_t i = 1; i < out.size(); ++i) {
                if (out[i - 1] == '-' || out[i - 1] == '.') out[i] = PlainUpper(out[i]);
            }
            return out;
        }
        default:
            return std::string(text);
    }
}

std::string ApplyLetterCase(std::string_view text) {
    return ApplyLetterCase(text, Program().LetterCase);
}

std::vector<std::string> SplitText(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        parts.emplace_back(text.substr(start, at - start));
        if (at == std::string_view::npos) return parts;
        start = at + 1;
    }
}

}  // namespace mss::radio

#include "radio/BaseCall.h"

#include <vector>

#include "radio/AsciiChar.h"
#include "radio/DxccTable.h"
#include "radio/SpecialDxccPair.h"
#include "radio/Text.h"

namespace mss::radio {

namespace {

constexpr std::size_t kMaxPartLength = 20;

bool IsCallCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || IsAsciiDigit(c);
}

// Drops every separator that ends the text or is followed by another one;
// one pass does what deleting them one at a time would do.
std::string DropSurplusSeparators(std::string_view text) {
    std::string kept;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool surplus =
            !IsCallCharacter(text[i]) && (i + 1 == text.size() || !IsCallCharacter(text[i + 1]));
        if (!surplus) kept += text[i];
    }
    return kept;
}

std::vector<std::string> SplitParts(std::string_view text) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (IsCallCharacter(c)) {
            parts.back() += c;
        } else {
            parts.emplace_back();
        }
    }
    return parts;
}

std::size_t TrailingCount(std::string_view text, bool (*matches)(char)) {
    std::size_t n = 0;
    while (n < text.size() && matches(text[text.size() - 1 - n])) ++n;
    return n;
}

// A part ending in three letters or three digits is a designator such as
// QRP or a number, never a prefix or a call.
bool EndsInDesignator(std::string_view part) {
    constexpr auto isLetter = [](char c) { return c >= 'A' && c <= 'Z'; };
    constexpr auto isDigit = [](char c) { return IsAsciiDigit(c); };
    return TrailingCount(part, isLetter) >= 3 || TrailingCount(part, isDigit) >= 3;
}

bool IsDxccEntity(std::string_view part) {
    return DxccTableCode(part, kBaseCallDxccCodes) != 0;
}

// "DL1ABC" with "3" gives "DL3": the letters before the call area's digit,
// then the new digit.
std::string AreaPrefix(const std::string& call, const std::string& digit) {
    const std::size_t firstDigit = call.find_first_of("0123456789", 1);
    if (firstDigit == std::string::npos) return digit;
    return call.substr(0, firstDigit) + digit;
}

// The first part of a decision is the home call, the second the operating
// prefix; the variant picks one.
std::string Pick(std::string home, std::string prefix, BaseCallVariant variant) {
    return variant == BaseCallVariant::kKey ? home : prefix;
}

// Decides which of two parts is the home call and which the operating prefix.
std::string Decide(std::string_view first, std::string_view second, BaseCallVariant variant) {
    std::string x = Trim(first).substr(0, kMaxPartLength);
    std::string y = Trim(second).substr(0, kMaxPartLength);
    if (x.empty()) return Pick(y, "", variant);
    if (y.empty()) return Pick(x, "", variant);
    if (y.size() < x.size()) {
        if (EndsInDesignator(y)) y.clear();
        if (variant == BaseCallVariant::kPrefix && y.size() == 1 && IsAsciiDigit(y[0]) &&
            x.size() >= 2) {
            y = AreaPrefix(x, y);
        }
        return IsDxccEntity(x) ? Pick(y, x, variant) : Pick(x, y, variant);
    }
    if (EndsInDesignator(x)) x.clear();
    return IsDxccEntity(y) ? Pick(x, y, variant) : Pick(y, x, variant);
}

// A call part followed by a special-pair ending is one part, joined by "/".
std::string JoinPair(const std::string& first, const std::string& ending) {
    return first + "/" + ending;
}

}  // namespace

std::string BaseCall(std::string_view call, BaseCallVariant variant, const SuffixList& suffixes) {
    const std::string text = DropSurplusSeparators(UpperText(call));
    const std::vector<std::string> parts = SplitParts(text);
    if (parts.size() == 1) return text;

    const std::string& a = parts[0];
    const std::string& b = parts[1];
    const bool pair = SpecialDxccPair(a, b) != 0;
    if (parts.size() == 2) {
        if (pair) return JoinPair(a, b);
        if (suffixes.Contains(b)) return a;
        return Decide(a, b, variant);
    }
    // Three parts, or four with a special pair at the front: the pair counts
    // as the first part and a fourth part is ignored, as the third is when
    // there is no pair.
    if (pair && parts.size() <= 4) {
        const std::string joined = JoinPair(a, b);
        const std::string& c = parts[2];
        if (suffixes.Contains(c)) return joined;
        return Decide(joined, c, variant);
    }
    return Decide(a, b, variant);
}

}  // namespace mss::radio

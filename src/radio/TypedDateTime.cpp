#include "radio/TypedDateTime.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "radio/Text.h"

namespace mss::radio {

namespace {

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
}

std::string TwoDigits(std::string_view part) {
    return part.size() == 1 ? "0" + std::string(part) : std::string(part);
}

std::string FullYear(std::string_view part, int currentYear) {
    if (part.size() != 2) return std::string(part);
    const int year = std::stoi(std::string(part));
    const int century = year < 50 ? currentYear / 100 * 100 : 1900;
    return std::to_string(century + year);
}

// Splits at "." into day, month and year parts; a trailing "." is no part.
std::vector<std::string_view> DateParts(std::string_view text) {
    std::vector<std::string_view> parts;
    while (true) {
        const std::size_t dot = text.find('.');
        parts.push_back(text.substr(0, dot));
        if (dot == std::string_view::npos) break;
        text.remove_prefix(dot + 1);
        if (text.empty()) break;
    }
    return parts;
}

}  // namespace

std::string CompleteTypedDate(std::string_view typed, int currentYear) {
    const std::string text = Trim(typed);
    std::vector<std::string_view> parts;
    if (AllDigits(text) && (text.size() == 4 || text.size() == 6 || text.size() == 8)) {
        const std::string_view digits(text);
        parts = {digits.substr(0, 2), digits.substr(2, 2)};
        if (text.size() > 4) parts.push_back(digits.substr(4));
    } else {
        parts = DateParts(text);
    }
    if (parts.size() < 2 || parts.size() > 3) return text;
    for (std::string_view part : parts)
        if (!AllDigits(part) || part.size() > 4) return text;
    if (parts[0].size() > 2 || parts[1].size() > 2) return text;
    const std::string year =
        parts.size() == 3 ? FullYear(parts[2], currentYear) : std::to_string(currentYear);
    return TwoDigits(parts[0]) + "." + TwoDigits(parts[1]) + "." + year;
}

std::string CompleteTypedTime(std::string_view typed) {
    std::string text = Trim(typed);
    std::replace(text.begin(), text.end(), '.', ':');
    if (AllDigits(text) && text.size() == 4) return text.substr(0, 2) + ":" + text.substr(2);
    if (AllDigits(text) && text.size() == 3) return "0" + text.substr(0, 1) + ":" + text.substr(1);
    if (AllDigits(text) && text.size() <= 2) return TwoDigits(text) + ":00";
    if (text.size() == 4 && text[1] == ':') return "0" + text;
    return text;
}

}  // namespace mss::radio

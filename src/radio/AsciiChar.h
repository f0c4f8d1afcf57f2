// Byte-level character tests for texts held as Windows-1252 bytes. The
// <cctype> functions depend on the locale and are undefined for the negative
// values that bytes above 0x7F take in a plain char, so the radio tables use
// these instead; every byte outside the ASCII letters and digits is left alone.
#pragma once

#include <string_view>

namespace mss::radio {

constexpr bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

constexpr bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

constexpr char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// True for the blank and the control characters below it.
constexpr bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

constexpr std::string_view TrimBlanksAndControls(std::string_view text) {
    while (!text.empty() && IsBlankOrControl(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlankOrControl(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace mss::radio

// Number formatting with a picture such as "#####", "@@@@" or "#####,####":
// the entry fields show their numbers with it and the writers lay out their
// columns with it.
#pragma once

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>

namespace mss::radio {

// Formats `x` with `picture`; the result has the picture's length.
// Picture characters: "#" digit, "@" digit with leading zeros, "*" digit with
// leading asterisks, "$" digit with a floating currency sign, "+" sign shown
// as "+" or "-", "-" sign shown as blank or "-", "," and "." decimal point
// (the last one) or separator. Only the first run of picture characters is
// formatted; everything else is copied. A number that does not fit turns
// every digit place into "*". The picture's own decimal character is the one
// the result shows, so "#####,####" writes a decimal comma.
std::string FormatPicture(std::string_view picture, double x);

// Integers are formatted as if the picture ended with a decimal point, so
// they never show decimals when the field reaches the picture's end.
std::string FormatPictureInteger(std::string_view picture, std::int64_t x);

template <std::integral T>
std::string FormatPicture(std::string_view picture, T x) {
    return FormatPictureInteger(picture, static_cast<std::int64_t>(x));
}

}  // namespace mss::radio

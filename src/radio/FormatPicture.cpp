#include "radio/FormatPicture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

namespace mss::radio {

namespace {

constexpr std::string_view kPictureChars = "#@*$+-,.";

bool IsDigitPlace(char c) {
    return c == '#' || c == '@' || c == '*' || c == '$';
}
bool IsPoint(char c) {
    return c == ',' || c == '.';
}

// `digits` with a decimal point put `decimals` places from the right.
std::string WithPoint(std::string digits, int decimals) {
    if (decimals <= 0) return digits;
    const auto needed = static_cast<std::size_t>(decimals) + 1;
    if (digits.size() < needed) digits.insert(0, needed - digits.size(), '0');
    digits.insert(digits.size() - static_cast<std::size_t>(decimals), 1, '.');
    return digits;
}

// |x| rounded to `decimals` places, halves away from zero; nullopt for a
// value that no picture can show.
std::optional<std::string> RoundedText(double magnitude, int decimals) {
    if (!std::isfinite(magnitude)) return std::nullopt;
    const int length = std::snprintf(nullptr, 0, "%.*f", decimals, magnitude);
    if (length < 0) return std::nullopt;
    std::string text(static_cast<std::size_t>(length), '\0');
    std::snprintf(text.data(), text.size() + 1, "%.*f", decimals, magnitude);
    // printf rounds an exact binary tie to even; an operator expects 7.5 to
    // show as 8. fma tells an exact product from one that only rounded to .5.
    constexpr int kExactPowers = 22;
    if (decimals <= kExactPowers) {
        const double scale = std::pow(10.0, decimals);
        const double scaled = magnitude * scale;
        if (scaled < 0x1p52 && std::fma(magnitude, scale, -scaled) == 0.0 &&
            scaled - std::floor(scaled) == 0.5) {
            const auto up = static_cast<std::uint64_t>(std::floor(scaled)) + 1;
            text = WithPoint(std::to_string(up), decimals);
        }
    }
    return text;
}

template <class MagnitudeText>
std::string Format(std::string_view picture, bool negative, MagnitudeText&& magnitudeText) {
    if (picture.empty()) return {};
    const auto start = picture.find_first_of(kPictureChars);
    if (start == std::string_view::npos) return std::string(picture);
    auto end = picture.find_first_not_of(kPictureChars, start);
    if (end == std::string_view::npos) end = picture.size();
    const std::string_view field = picture.substr(start, end - start);

    char fill = ' ';
    bool currency = false;
    bool floatingMinus = true;
    std::size_t decimalPos = std::string_view::npos;
    for (std::size_t i = 0; i < field.size(); ++i) {
        switch (field[i]) {
            case '*':
                fill = '*';
                break;
            case '@':
                fill = '0';
                break;
            case '$':
                currency = true;
                break;
            case '+':
            case '-':
                floatingMinus = false;
                break;
            case ',':
            case '.':
                decimalPos = i;
                break;
            default:
                break;
        }
    }
    if (fill == '0') currency = false;

    int width = 0;
    int decimals = 0;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (!IsDigitPlace(field[i])) continue;
        ++width;
        if (decimalPos != std::string_view::npos && i > decimalPos) ++decimals;
    }
    if (decimals > 0) ++width;
    floatingMinus = floatingMinus && negative && fill == ' ';
    const int room = (currency ? 1 : 0) + (floatingMinus ? 1 : 0);

    std::optional<std::string> number = magnitudeText(decimals);
    std::string result(picture);
    char* out = result.data() + start;
    const char sign = negative ? '-' : '+';
    const char minusOrBlank = negative ? '-' : ' ';

    std::string s;
    int leading = 0;
    if (number) {
        s = std::move(*number);
        if (static_cast<int>(s.size()) < width)
            s.insert(0, static_cast<std::size_t>(width) - s.size(), ' ');
        leading = static_cast<int>(std::min(s.find_first_not_of(' '), s.size()));
    }
    if (!number || static_cast<int>(s.size()) > width || leading < room) {
        for (std::size_t i = 0; i < field.size(); ++i) {
            if (IsDigitPlace(field[i]))
                out[i] = '*';
            else if (field[i] == '+')
                out[i] = sign;
            else if (field[i] == '-')
                out[i] = minusOrBlank;
        }
        return result;
    }

    std::fill(s.begin(), s.begin() + leading, fill);
    int l = leading;
    if (currency) s[static_cast<std::size_t>(--l)] = '$';
    if (floatingMinus) s[static_cast<std::size_t>(l - 1)] = '-';

    int k = width - 1;
    auto take = [&]() -> char {
        if (k < 0) return fill;
        const char c = s[static_cast<std::size_t>(k--)];
        if (k >= 0 && s[static_cast<std::size_t>(k)] == '.') --k;
        return c;
    };
    for (std::size_t i = field.size(); i-- > 0;) {
        const char c = field[i];
        if (IsDigitPlace(c)) {
            out[i] = take();
        } else if (c == '+') {
            out[i] = sign;
        } else if (c == '-') {
            out[i] = minusOrBlank;
        } else if (IsPoint(c) && i < decimalPos && k < leading) {
            // A separator in front of the number's digits is just more
            // leading room.
            out[i] = take();
        }
    }
    return result;
}

}  // namespace

std::string FormatPicture(std::string_view picture, double x) {
    return Format(picture, x < 0,
                  [x](int decimals) { return RoundedText(std::fabs(x), decimals); });
}

std::string FormatPictureInteger(std::string_view picture, std::int64_t x) {
    if (picture.empty()) return {};
    const std::uint64_t magnitude =
        x < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(x) : static_cast<std::uint64_t>(x);
    std::string extended(picture);
    extended += '.';
    std::string result = Format(extended, x < 0, [magnitude](int decimals) {
        return std::optional<std::string>(WithPoint(
            std::to_string(magnitude) + std::string(static_cast<std::size_t>(decimals), '0'),
            decimals));
    });
    result.pop_back();
    return result;
}

}  // namespace mss::radio

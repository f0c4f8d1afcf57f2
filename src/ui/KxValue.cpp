#include "ui/KxValue.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <type_traits>

#include "platform/Cp1252.h"

namespace mss::ui {

namespace {

constexpr int kMaxStringLength = 255;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view text) {
    for (char c : text)
        if (!IsDigit(c)) return false;
    return true;
}

std::string TrimmedLatin(QStringView text) {
    return text.trimmed().toString().toStdString();
}

// [sign] digits [. digits] [e [sign] digits], with at least one mantissa
// digit; from_chars alone would also take "inf", "nan" and hex digits.
std::optional<long double> ReadPlainNumber(std::string_view text) {
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    const std::size_t mantissaStart = at;
    int digits = 0;
    while (at < text.size() && IsDigit(text[at])) ++at, ++digits;
    if (at < text.size() && text[at] == '.') {
        ++at;
        while (at < text.size() && IsDigit(text[at])) ++at, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
        const std::size_t exponentStart = at;
        while (at < text.size() && IsDigit(text[at])) ++at;
        if (at == exponentStart) return std::nullopt;
    }
    if (at != text.size()) return std::nullopt;
    long double value = 0;
    const char* first = text.data() + mantissaStart;
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return text[0] == '-' ? -value : value;
}

// The 48-bit real keeps 40 significant bits and binary exponents from -127
// to 127 (as frexp counts them); anything larger is no value of the type.
std::optional<double> ToReal48(long double value) {
    if (!std::isfinite(value)) return std::nullopt;
    if (value == 0) return 0.0;
    int exponent = 0;
    const long double mantissa = std::frexp(value, &exponent);
    constexpr int kSignificantBits = 40;
    long double rounded =
        std::ldexp(std::round(std::ldexp(mantissa, kSignificantBits)), exponent - kSignificantBits);
    std::frexp(rounded, &exponent);
    if (exponent > 127) return std::nullopt;
    if (exponent < -127) return 0.0;
    return static_cast<double>(rounded);
}

template <class Int>
Int FromInteger(std::int64_t value) {
    if (value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max())
        return 0;
    return static_cast<Int>(value);
}

template <class Float>
Float FromFloating(long double value) {
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<Float>::max()) return 0;
    return static_cast<Float>(value);
}

// Every non-text value as a number: integers exactly, characters by code.
struct Number {
    bool integral = true;
    std::int64_t integer = 0;
    long double floating = 0;
};

std::optional<Number> AsNumber(const KxValue& value) {
    return std::visit(
        [](const auto& v) -> std::optional<Number> {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, QString>) {
                return std::nullopt;
            } else if constexpr (std::is_same_v<T, char>) {
                return Number{true, static_cast<unsigned char>(v), 0};
            } else if constexpr (std::is_integral_v<T>) {
                return Number{true, v, 0};
            } else {
                return Number{false, 0, v};
            }
        },
        value);
}

std::optional<std::int64_t> ToInteger(const KxValue& value) {
    if (const auto* text = std::get_if<QString>(&value)) return ReadInteger(*text);
    const Number n = *AsNumber(value);
    if (n.integral) return n.integer;
    // Rounded to the nearest integer; beyond 2^62 no integer type holds it.
    constexpr long double kLimit = 0x1p62L;
    if (!std::isfinite(n.floating) || std::fabs(n.floating) >= kLimit) return std::nullopt;
    return static_cast<std::int64_t>(std::llround(n.floating));
}

std::optional<long double> ToFloating(const KxValue& value) {
    if (const auto* text = std::get_if<QString>(&value)) return ReadDecimal(*text);
    const Number n = *AsNumber(value);
    return n.integral ? static_cast<long double>(n.integer) : n.floating;
}

char ToChar(const KxValue& value) {
    if (const auto* text = std::get_if<QString>(&value)) {
        // Blanks and NULs at both ends do not count.
        qsizetype first = 0;
        qsizetype last = text->size();
        auto blank = [](QChar c) { return c == u' ' || c == QChar(0); };
        while (first < last && blank(text->at(first))) ++first;
        while (last > first && blank(text->at(last - 1))) --last;
        if (first == last) return '\0';
        const char32_t codePoint =
            text->at(first).isHighSurrogate() && first + 1 < last
                ? QChar::surrogateToUcs4(text->at(first), text->at(first + 1))
                : text->at(first).unicode();
        return platform::UnicodeToCp1252(codePoint);
    }
    const auto code = ToInteger(value);
    return code && *code >= 0 && *code <= 255 ? static_cast<char>(*code) : '\0';
}

QString ToText(const KxValue& value) {
    if (const auto* text = std::get_if<QString>(&value)) return text->left(kMaxStringLength);
    if (const auto* c = std::get_if<char>(&value)) {
        if (*c == '\0') return {};
        // Every Windows-1252 character lies in the basic multilingual plane.
        return QString(QChar(static_cast<char16_t>(platform::Cp1252ToUnicode(*c))));
    }
    const Number n = *AsNumber(value);
    return n.integral ? QString::number(n.integer)
                      : QString::number(static_cast<double>(n.floating), 'g', 15);
}

}  // namespace

std::optional<std::int64_t> ReadInteger(QStringView text) {
    const std::string t = TrimmedLatin(text);
    std::size_t at = 0;
    if (!t.empty() && (t[0] == '+' || t[0] == '-')) at = 1;
    if (at == t.size() || !AllDigits(std::string_view(t).substr(at))) return std::nullopt;
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(t.data() + at, t.data() + t.size(), value);
    if (error != std::errc() || end != t.data() + t.size()) return std::nullopt;
    return t[0] == '-' ? -value : value;
}

std::optional<long double> ReadDecimal(QStringView text) {
    std::string t = TrimmedLatin(text);
    if (!t.empty() && t.back() == ',') t.pop_back();
    const std::size_t comma = t.find(',');
    if (comma == std::string::npos) return t.empty() ? std::nullopt : ReadPlainNumber(t);

    const bool negative = t[0] == '-';
    const std::size_t start = (t[0] == '-' || t[0] == '+') ? 1 : 0;
    const std::string_view whole = std::string_view(t).substr(start, comma - start);
    const std::string_view fraction = std::string_view(t).substr(comma + 1);
    if (!AllDigits(fraction)) return std::nullopt;
    if (!whole.empty() && (whole[0] == '+' || whole[0] == '-')) return std::nullopt;

    long double value = 0;
    if (AllDigits(whole)) {
        // One reading of all the digits keeps the value correctly rounded.
        const std::string joined = std::string(whole.empty() ? "0" : whole) + "." +
                                   std::string(fraction.empty() ? "0" : fraction);
        const auto read = ReadPlainNumber(joined);
        if (!read) return std::nullopt;
        value = *read;
    } else {
        const auto read = ReadPlainNumber(whole);
        const auto part = ReadPlainNumber("0." + std::string(fraction.empty() ? "0" : fraction));
        if (!read || !part) return std::nullopt;
        value = *read + *part;
    }
    return negative ? -value : value;
}

KxValue ConvertValue(const KxValue& value, kxeditdatatype type) {
    switch (type) {
        case dtString:
            return ToText(value);
        case dtChar:
            return ToChar(value);
        case dtInteger:
        case dtLongint:
            return FromInteger<std::int32_t>(ToInteger(value).value_or(0));
        case dtWord:
            return FromInteger<std::uint16_t>(ToInteger(value).value_or(0));
        case dtByte:
            return FromInteger<std::uint8_t>(ToInteger(value).value_or(0));
        case dtReal:
            return ToReal48(ToFloating(value).value_or(0)).value_or(0.0);
        case dtSingle:
            return FromFloating<float>(ToFloating(value).value_or(0));
        case dtDouble:
            return FromFloating<double>(ToFloating(value).value_or(0));
        case dtExtended:
            return FromFloating<long double>(ToFloating(value).value_or(0));
    }
    return QString();
}

}  // namespace mss::ui

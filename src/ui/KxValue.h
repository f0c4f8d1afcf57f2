// The typed values an entry field exchanges with the application: one
// storage type per data type, and the rules that read them from text.
#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <variant>

namespace mss::ui {

// In this order; the comment names the storage of each.
enum kxeditdatatype : std::uint8_t {
    dtString,    // QString, up to 255 characters
    dtInteger,   // std::int32_t
    dtWord,      // std::uint16_t
    dtByte,      // std::uint8_t
    dtChar,      // char, one Windows-1252 byte; '\0' = none
    dtLongint,   // std::int32_t
    dtReal,      // double, rounded to the range and precision of a 48-bit real
    dtSingle,    // float
    dtDouble,    // double
    dtExtended,  // long double
};

using KxValue = std::variant<QString, std::int32_t, std::uint16_t, std::uint8_t, char, float,
                             double, long double>;

// The data type whose storage is T.
template <class T>
constexpr kxeditdatatype DataTypeOf();
template <>
constexpr kxeditdatatype DataTypeOf<QString>() {
    return dtString;
}
template <>
constexpr kxeditdatatype DataTypeOf<std::int32_t>() {
    return dtInteger;
}
template <>
constexpr kxeditdatatype DataTypeOf<std::uint16_t>() {
    return dtWord;
}
template <>
constexpr kxeditdatatype DataTypeOf<std::uint8_t>() {
    return dtByte;
}
template <>
constexpr kxeditdatatype DataTypeOf<char>() {
    return dtChar;
}
template <>
constexpr kxeditdatatype DataTypeOf<float>() {
    return dtSingle;
}
template <>
constexpr kxeditdatatype DataTypeOf<double>() {
    return dtDouble;
}
template <>
constexpr kxeditdatatype DataTypeOf<long double>() {
    return dtExtended;
}

// `value` in the storage of `type`. Text is read by the rules below; a
// number the type cannot hold, and text that is no number, give 0.
KxValue ConvertValue(const KxValue& value, kxeditdatatype type);

// A decimal integer with an optional sign, blanks around it allowed.
std::optional<std::int64_t> ReadInteger(QStringView text);

// A decimal number in which the first "," is the decimal separator: 3,5 and
// 3.5 both read 3.5, "3," reads 3, ",5" reads 0.5, and 1.234,5 reads
// 1.234 + 0.5 (there are no thousands separators). Without a comma the text
// is an ordinary number with "." as decimal point and an optional exponent.
std::optional<long double> ReadDecimal(QStringView text);

}  // namespace mss::ui

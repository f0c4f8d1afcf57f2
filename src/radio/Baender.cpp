#include "radio/Baender.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

#include "radio/AsciiChar.h"

namespace mss::radio {
namespace {

constexpr double kNo = kNoWavelength;

// Descending frequency. The codes run from 'a' (160 m) upward to 'q' (3 cm);
// 'r', 's', 't' and 'u' stand outside that order.
// clang-format off
constexpr TarrQv5Band kBands{{
    {'t', "0.6cm", "6mm", 0.006, kNo, kNo, "47GHz", 47088, 47087.9999, 47088,
     {"0,6", "0.6", "0.6 CM", "0,6 CM", "0.6CM", "0,6CM", "0.6 C", "0,6 C", "0.6C", "0,6C",
      "6MM", "6 MM"}},
    {'s', "1.2cm", "1.25cm", 0.012, 1.2, kNo, "24GHz", 24000, 23999.9999, 24250,
     {"1,2", "1.2", "1.2 CM", "1,2 CM", "1.2CM", "1,2CM", "1.2 C", "1,2 C", "1.2C", "1,2C",
      "1,25", "1.25", "1.25 CM", "1,25 CM", "1.25CM", "1,25CM", "1.25 C", "1,25 C", "1.25C",
      "1,25C"}},
    {'q', "3 cm",  "3cm",   0.03, 3,    kNo, "10GHz",  10000, 9999.9999, 10500,
     {"3", "3 CM", "3CM", "3 C", "3C"}},
    {'p', "6 cm",  "6cm",   0.06, kNo,  kNo, "5,7GHz", 5650,  5649.9999, 5850,
     {"6", "6 CM", "6CM", "6 C", "6C"}},
    {'o', "9 cm",  "9cm",   0.09, 9,    kNo, "3,4GHz", 3400,  3399.9999, 3475,
     {"9", "9 CM", "9CM", "9 C", "9C"}},
    {'n', "13 cm", "13cm",  0.13, 0.12, 13,  "2,3GHz", 2400,  2319.9999, 2450,
     {"13", "13 CM", "13CM", "13 C", "13C"}},
    {'m', "23 cm", "23cm",  0.23, 23,   kNo, "1,2GHz", 1240,  1239.9999, 1300,
     {"23", "23 CM", "23CM", "23 C", "23C"}},
    {'l', "70 cm", "70cm",  0.7,  70,   kNo, "432MHz", 430,   429.9999,  440,
     {"70", "70 CM", "70CM", "70 C", "70C"}},
    {'k', "2 m",   "2m",    2,    kNo,  kNo, "144MHz", 144,   143.9999,  146,   {"2", "2 M", "2M"}},
    {'u', "4 m",   "4m",    4,    kNo,  kNo, "70MHz",  70,    69.7999,   71,    {"4", "4 M", "4M"}},
    {'j', "6 m",   "6m",    6,    kNo,  kNo, "50MHz",  50,    49.9999,   54,    {"6", "6 M", "6M"}},
    {'i', "10 m",  "10m",   10,   kNo,  kNo, "",       28,    27.9999,   29.7,  {"10", "10 M", "10M"}},
    {'h', "12 m",  "12m",   12,   kNo,  kNo, "",       24.89, 24.889,    25,    {"12", "12 M", "12M"}},
    {'g', "15 m",  "15m",   15,   kNo,  kNo, "",       21,    20.9999,   21.45, {"15", "15 M", "15M"}},
    {'f', "17 m",  "17m",   17,   kNo,  kNo, "",       18.1,  18.0679,   18.168, {"17", "17 M", "17M"}},
    {'e', "20 m",  "20m",   20,   kNo,  kNo, "",       14,    13.9999,   14.35, {"20", "20 M", "20M"}},
    {'d', "30 m",  "30m",   30,   kNo,  kNo, "",       10.1,  10.099,    10.2,  {"30", "30 M", "30M"}},
    {'c', "40 m",  "40m",   40,   kNo,  kNo, "",       7.1,   6.9999,    7.3,   {"40", "40 M", "40M"}},
    {'b', "80 m",  "80m",   80,   kNo,  kNo, "",       3.5,   3.4999,    3.9,   {"80", "80 M", "80M"}},
    {'a', "160 m", "160m",  160,  kNo,  kNo, "",       1.815, 1.809,     2,     {"160", "160 M", "160M"}},
    {'r', "2190m", "2190m", 2190, 2189, kNo, "",       0.137, 0.1356999, 0.1378,
     {"2189", "2189 M", "2189M", "2190", "2190 M", "2190M"}},
}};
// clang-format on

// Figures are compared as their texts with five decimals, so a typed 0.12 or
// 144.30000001 matches the table's constant whatever its binary rounding.
class FiveDecimals {
  public:
    explicit FiveDecimals(double value) {
        auto [end, ec] =
            std::to_chars(text_, text_ + sizeof text_, value, std::chars_format::fixed, 5);
        length_ = ec == std::errc{} ? static_cast<std::size_t>(end - text_) : 0;
    }
    bool operator==(const FiveDecimals& other) const {
        return length_ != 0 && View() == other.View();
    }

  private:
    std::string_view View() const { return {text_, length_}; }
    // Wide enough for the largest double written out in full.
    char text_[400];
    std::size_t length_;
};

// Aliases are upper case, so an upper-cased byte of the text must equal the
// alias byte; bytes above ASCII can never match and need no case mapping.
bool MatchesAlias(std::string_view text, std::string_view alias) {
    if (text.size() != alias.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (AsciiUpper(text[i]) != alias[i]) return false;
    }
    return true;
}

const TQv5Band* FindByName(std::string_view text) {
    const std::string_view name = TrimBlanksAndControls(text);
    if (name.empty()) return nullptr;
    for (const TQv5Band& band : kBands) {
        for (std::string_view alias : band.Aliases) {
            if (MatchesAlias(name, alias)) return &band;
        }
    }
    return nullptr;
}

// Figures an operator types for the short-wave bands that are no wavelength.
struct Shorthand {
    double typed;
    double mhz;
};
constexpr Shorthand kShorthands[] = {{18, 18.1}, {1.8, 1.815}, {24.8, 24.89}, {24, 24.89}};

// kHz figures of the bands (lower bound exclusive, upper inclusive). 10500 to
// 23999 holds 14, 18 and 21 MHz, 24250 to 47000 holds 24.9 and 28 MHz.
struct Window {
    double lower;
    double upper;
};
constexpr Window kKhzWindows[] = {{1814, 1999},   {3499.9, 3900}, {6999.9, 7300},
                                  {10099, 10200}, {10500, 23999}, {24250, 47000},
                                  {49999, 54000}, {69799, 71000}, {143999, 146000}};
// From here on every figure is kHz (432 MHz and up).
constexpr double kKhzAbove = 320000;

}  // namespace

const TarrQv5Band& ToBaender::Table() {
    return kBands;
}

const TQv5Band* ToBaender::FindBand(char code) {
    for (const TQv5Band& band : kBands) {
        if (band.Code == code) return &band;
    }
    return nullptr;
}

std::string_view ToBaender::BandName(char code, bool shortForm) {
    if (code == kAllBands) return "all";
    const TQv5Band* band = FindBand(code);
    if (band == nullptr) return "???";
    return shortForm ? band->ShortName : band->Name;
}

double ToBaender::BandFrequency(char code) {
    const TQv5Band* band = FindBand(code);
    return band == nullptr ? 0 : band->Frequency;
}

char ToBaender::BandFromFrequency(double mhz) {
    for (const TQv5Band& band : kBands) {
        if (band.LowerBound < mhz && mhz <= band.UpperBound) return band.Code;
    }
    return kNoBand;
}

char ToBaender::BandFromName(std::string_view text) {
    const TQv5Band* band = FindByName(text);
    return band == nullptr ? kNoBand : band->Code;
}

double ToBaender::FrequencyFromName(std::string_view text) {
    const TQv5Band* band = FindByName(text);
    return band == nullptr ? 0 : band->Frequency;
}

double ToBaender::FrequencyFromWavelength(double figure) {
    if (figure == 0) return 0;
    const FiveDecimals x(figure);
    for (const TQv5Band& band : kBands) {
        if (x == FiveDecimals(band.Wavelength) ||
            (band.AltWavelength1 > 0 && x == FiveDecimals(band.AltWavelength1)) ||
            (band.AltWavelength2 > 0 && x == FiveDecimals(band.AltWavelength2))) {
            return band.Frequency;
        }
    }
    return 0;
}

double ToBaender::NormaliseFrequency(double typed) {
    // A negative or non-finite figure is no frequency; letting it through would
    // store garbage in the contact.
    if (!std::isfinite(typed) || typed <= 0) return 0;
    if (const double fromWavelength = FrequencyFromWavelength(typed); fromWavelength != 0) {
        return fromWavelength;
    }
    const FiveDecimals x(typed);
    for (const Shorthand& s : kShorthands) {
        if (x == FiveDecimals(s.typed)) return s.mhz;
    }
    for (const Window& w : kKhzWindows) {
        if (w.lower < typed && typed <= w.upper) return typed / 1000;
    }
    if (typed > kKhzAbove) return typed / 1000;
    return typed;
}

std::optional<double> ToBaender::ReadFrequency(std::string_view typed) {
    const std::string_view text = TrimBlanksAndControls(typed);
    if (text.empty()) return 0.0;
    // German operators write a decimal comma; from_chars wants a point.
    std::string number;
    number.reserve(text.size());
    int separators = 0;
    bool digits = false;
    for (char c : text) {
        if (IsAsciiDigit(c)) {
            digits = true;
            number.push_back(c);
        } else if (c == '.' || c == ',') {
            ++separators;
            number.push_back('.');
        } else {
            return std::nullopt;
        }
    }
    if (!digits || separators > 1) return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec != std::errc{} || end != number.data() + number.size()) return std::nullopt;
    return NormaliseFrequency(value);
}

}  // namespace mss::radio

// The amateur bands: one table compiled into the program and every conversion
// between band code, name, wavelength and frequency, including the reading of
// what the operator types into a frequency field (MHz, kHz or metres).
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace mss::radio {

// Stands for all bands where a band code is expected; no row carries it.
inline constexpr char kAllBands = '0';
// The answer of a lookup that finds no band.
inline constexpr char kNoBand = ' ';
// Marks an alternative wavelength figure that a band does not have.
inline constexpr double kNoWavelength = -1;

struct TQv5Band {
    char Code;                       // band code stored in contacts and contest configurations
    std::string_view Name;           // display name, e.g. "2 m"
    std::string_view ShortName;      // name without blank, written to export files, e.g. "2m"
    double Wavelength;               // metres
    double AltWavelength1;           // another figure the band is called by, or kNoWavelength
    double AltWavelength2;           // a third such figure, or kNoWavelength
    std::string_view FrequencyName;  // e.g. "144MHz"; empty from 10 m down
    double Frequency;                // nominal frequency in MHz
    double LowerBound;               // MHz, exclusive
    double UpperBound;               // MHz, inclusive
    std::array<std::string_view, 20> Aliases;  // upper-case spellings; unused entries empty
};

using TarrQv5Band = std::array<TQv5Band, 21>;

// Pure lookups over the constant table. Every lookup walks the rows from the
// first index upward, so where two rows match the lower index wins.
class ToBaender {
  public:
    static constexpr int FirstIndex() { return 0; }
    static constexpr int LastIndex() { return 20; }
    static const TarrQv5Band& Table();

    // The row with the code, or nullptr.
    static const TQv5Band* FindBand(char code);

    // ShortName or Name of the band; "all" for kAllBands, "???" for an unknown code.
    static std::string_view BandName(char code, bool shortForm);
    // Nominal frequency in MHz, 0 for an unknown code.
    static double BandFrequency(char code);
    // The band whose range holds the frequency (MHz), or kNoBand.
    static char BandFromFrequency(double mhz);
    // The band an operator's or an import's spelling names ("2 m", "70cm", "2190M"),
    // or kNoBand. Blanks and control characters around the text and letter case
    // do not matter.
    static char BandFromName(std::string_view text);
    // Nominal frequency of the band the spelling names, 0 if none.
    static double FrequencyFromName(std::string_view text);
    // Nominal frequency of the band called by the wavelength figure, 0 if none.
    static double FrequencyFromWavelength(double figure);

    // What the operator typed into a frequency field, as a number, turned into
    // MHz: a wavelength gives its band's frequency, a kHz figure is divided by
    // 1000, anything else is taken as MHz. 0, a negative or a non-finite number
    // gives 0 (no frequency).
    static double NormaliseFrequency(double typed);
    // The text of a frequency field read and normalised: digits with at most one
    // decimal point or comma, blanks around it allowed. An empty text gives 0
    // (no frequency); any other text that is not such a number gives nullopt.
    static std::optional<double> ReadFrequency(std::string_view typed);
};

}  // namespace mss::radio

#include "radio/Baender.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>

namespace mss::radio {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(BandTable, HoldsTwentyOneBandsWithDistinctCodesInDescendingFrequency) {
    const TarrQv5Band& table = ToBaender::Table();
    EXPECT_EQ(ToBaender::FirstIndex(), 0);
    EXPECT_EQ(ToBaender::LastIndex(), 20);
    EXPECT_EQ(static_cast<int>(table.size()), ToBaender::LastIndex() + 1);
    std::set<char> codes;
    for (std::size_t i = 0; i < table.size(); ++i) {
        codes.insert(table[i].Code);
        if (i > 0) {
            EXPECT_LT(table[i].Frequency, table[i - 1].Frequency) << table[i].Name;
        }
    }
    EXPECT_EQ(codes.size(), table.size());
    EXPECT_EQ(codes.count(kAllBands), 0u);
    EXPECT_EQ(codes.count(kNoBand), 0u);
}

// Each conversion taken from a row must lead back to the same row, so no
// earlier row shadows a later one.
TEST(BandTable, EveryBandIsFoundAgainByCodeNameFrequencyAndWavelength) {
    for (const TQv5Band& band : ToBaender::Table()) {
        SCOPED_TRACE(band.Name);
        EXPECT_EQ(ToBaender::FindBand(band.Code), &band);
        EXPECT_EQ(ToBaender::BandName(band.Code, false), band.Name);
        EXPECT_EQ(ToBaender::BandName(band.Code, true), band.ShortName);
        EXPECT_EQ(ToBaender::BandFromName(band.Name), band.Code);
        EXPECT_EQ(ToBaender::BandFromName(band.ShortName), band.Code);
        EXPECT_EQ(ToBaender::BandFrequency(band.Code), band.Frequency);
        EXPECT_EQ(ToBaender::BandFromFrequency(band.Frequency), band.Code);
        EXPECT_EQ(ToBaender::BandFromFrequency(band.UpperBound), band.Code);
        EXPECT_NE(ToBaender::BandFromFrequency(band.LowerBound), band.Code);
        EXPECT_EQ(ToBaender::FrequencyFromWavelength(band.Wavelength), band.Frequency);
        for (double alt : {band.AltWavelength1, band.AltWavelength2}) {
            if (alt > 0) {
                EXPECT_EQ(ToBaender::FrequencyFromWavelength(alt), band.Frequency);
            }
        }
    }
}

TEST(BandName, GivesLongOrShortNameAllOrQuestionMarks) {
    EXPECT_EQ(ToBaender::BandName('k', false), "2 m");
    EXPECT_EQ(ToBaender::BandName('k', true), "2m");
    EXPECT_EQ(ToBaender::BandName('s', true), "1.25cm");
    EXPECT_EQ(ToBaender::BandName('0', false), "all");
    EXPECT_EQ(ToBaender::BandName('0', true), "all");
    for (char code : {'x', 'K', ' ', '\0', '\xE4', 'v'}) {
        EXPECT_EQ(ToBaender::BandName(code, false), "???") << code;
        EXPECT_EQ(ToBaender::BandFrequency(code), 0) << code;
        EXPECT_EQ(ToBaender::FindBand(code), nullptr) << code;
    }
}

TEST(BandFromName, ReadsTheSpellingsOfOperatorsAndImports) {
    const struct {
        std::string_view text;
        char code;
    } cases[] = {
        {" 2 m ", 'k'},  {"70cm", 'l'}, {"6", 'p'},        {"6m", 'j'},     {"6 M", 'j'},
        {"2M", 'k'},     {"2", 'k'},    {"\t2m\r\n", 'k'}, {"23CM", 'm'},   {"13 c", 'n'},
        {"1,25cm", 's'}, {"1.2", 's'},  {"6mm", 't'},      {"0,6 cm", 't'}, {"2190M", 'r'},
        {"2189 m", 'r'}, {"160m", 'a'}, {"4m", 'u'},       {"10M", 'i'},    {"3", 'q'},
    };
    for (const auto& c : cases) EXPECT_EQ(ToBaender::BandFromName(c.text), c.code) << c.text;
}

TEST(BandFromName, NamesNoBandForEmptyUnknownOrForeignTexts) {
    const std::string bad[] = {
        "",       "   ",    "\t\r\n",    "47GHz", "144MHz", "60m",
        "2 m 2",  "2  m",   "2\xA0m",  // no-break space
        "2m\xA0", "\xB2m",  "2\xC3\x9C", "m",     "2mm",    std::string("2\0m", 3),
        "-2m",    "1.25 M", "0"};
    for (const std::string& text : bad) {
        EXPECT_EQ(ToBaender::BandFromName(text), kNoBand) << text;
        EXPECT_EQ(ToBaender::FrequencyFromName(text), 0) << text;
    }
}

TEST(FrequencyFromName, GivesTheNominalFrequency) {
    EXPECT_EQ(ToBaender::FrequencyFromName("2 m"), 144);
    EXPECT_EQ(ToBaender::FrequencyFromName(" 70CM"), 430);
    EXPECT_EQ(ToBaender::FrequencyFromName("6"), 5650);
    EXPECT_EQ(ToBaender::FrequencyFromName("2190m"), 0.137);
}

TEST(BandFromFrequency, TakesLowerBoundsExclusiveAndUpperInclusive) {
    const struct {
        double mhz;
        char code;
    } cases[] = {
        {144.0, 'k'},    {146.0, 'k'},    {146.01, kNoBand}, {143.9999, kNoBand}, {144.3, 'k'},
        {47088, 't'},    {432.2, 'l'},    {1296.2, 'm'},     {2320, 'n'},         {10368, 'q'},
        {1.8, kNoBand},  {2.0, 'a'},      {3.5, 'b'},        {28.5, 'i'},         {50.2, 'j'},
        {70.2, 'u'},     {0.1375, 'r'},   {0, kNoBand},      {-144, kNoBand},     {1e300, kNoBand},
        {kNaN, kNoBand}, {kInf, kNoBand}, {-kInf, kNoBand},
    };
    for (const auto& c : cases) EXPECT_EQ(ToBaender::BandFromFrequency(c.mhz), c.code) << c.mhz;
}

TEST(FrequencyFromWavelength, MatchesEveryFigureToFiveDecimals) {
    const struct {
        double figure;
        double mhz;
    } cases[] = {
        {2, 144},      {70, 430},     {23, 1240},      {13, 2400}, {0.12, 2400}, {3, 10000},
        {9, 3400},     {1.2, 24000},  {160, 1.815},    {10, 28},   {6, 50},      {0.06, 5650},
        {2189, 0.137}, {2190, 0.137}, {2.000001, 144}, {0, 0},     {5, 0},       {2.00001, 0},
        {-2, 0},       {-0.0, 0},     {1e300, 0},      {kNaN, 0},  {kInf, 0},    {144, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToBaender::FrequencyFromWavelength(c.figure), c.mhz) << c.figure;
    }
}

TEST(NormaliseFrequency, TurnsWavelengthsAndKilohertzIntoMegahertz) {
    const struct {
        double typed;
        double mhz;
    } cases[] = {
        {144300, 144.3},
        {2, 144},
        {10, 28},
        {18, 18.1},
        {3550, 3.55},
        {2189, 0.137},
        {432.2, 432.2},
        {1.8, 1.815},
        {24.8, 24.89},
        {24, 24.89},
        {144, 144},
        {50.15, 50.15},
        {14074, 14.074},
        {21300, 21.3},
        {28500, 28.5},
        {24900, 24.9},
        {1296200, 1296.2},
        {10368100, 10368.1},
        {7030, 7.03},
        {1838, 1.838},
        {70, 430},
        {146000, 146},
        {146001, 146001},
        {320000, 320000},
        {320001, 320.001},
        {1814, 1814},
        {2500, 2500},
        {3499.9, 3499.9},
        {0, 0},
        {1e300, 1e297},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(ToBaender::NormaliseFrequency(c.typed), c.mhz) << c.typed;
    }
}

TEST(NormaliseFrequency, GivesNoFrequencyForNegativeOrNonFiniteFigures) {
    for (double typed : {-144.0, -2.0, -144300.0, -0.0, kNaN, kInf, -kInf}) {
        EXPECT_EQ(ToBaender::NormaliseFrequency(typed), 0) << typed;
    }
}

// 4 m's 70 is also the 70 cm wavelength, and 137 kHz falls in no kHz window.
TEST(NormaliseFrequency, KeepsNominalFrequenciesAndReadsThemInKilohertz) {
    for (const TQv5Band& band : ToBaender::Table()) {
        if (band.Code != 'u') {
            EXPECT_EQ(ToBaender::NormaliseFrequency(band.Frequency), band.Frequency) << band.Name;
        }
        if (band.Code != 'r') {
            EXPECT_DOUBLE_EQ(ToBaender::NormaliseFrequency(band.Frequency * 1000), band.Frequency)
                << band.Name;
        }
    }
    EXPECT_EQ(ToBaender::NormaliseFrequency(70), 430);
    EXPECT_EQ(ToBaender::NormaliseFrequency(137), 137);
}

TEST(ReadFrequency, ReadsDecimalPointOrCommaAndNormalises) {
    const struct {
        std::string_view typed;
        double mhz;
    } cases[] = {
        {"144,300", 144.3}, {"144.300", 144.3}, {"144300", 144.3}, {" 2 ", 144},
        {"3,55", 3.55},     {"1296,2", 1296.2}, {"10", 28},        {",5", 0.5},
        {"144,", 144},      {"0", 0},           {"", 0},           {"  \t", 0},
    };
    for (const auto& c : cases) {
        const std::optional<double> mhz = ToBaender::ReadFrequency(c.typed);
        ASSERT_TRUE(mhz) << c.typed;
        EXPECT_DOUBLE_EQ(*mhz, c.mhz) << c.typed;
    }
}

TEST(ReadFrequency, RefusesTextsThatAreNoFrequency) {
    const std::string bad[] = {"abc",
                               "-144",
                               "+144",
                               "1e5",
                               "144,3.5",
                               "144.300.5",
                               ",",
                               ".",
                               "144 300",
                               "144MHz",
                               "144\xB0",
                               "\xBD",
                               "144\xC2\xA0",
                               "0x90",
                               "inf",
                               "nan",
                               std::string(400, '9'),
                               std::string("14\0"
                                           "4",
                                           4)};
    for (const std::string& text : bad) EXPECT_FALSE(ToBaender::ReadFrequency(text)) << text;
}

}  // namespace
}  // namespace mss::radio

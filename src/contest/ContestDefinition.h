// The rules of the current contest as the catalogue fills them: titles,
// default dates and times, categories, modes, bands, exchange layout,
// multipliers, duplicate rule, lists and outputs. Everything that depends
// on the contest reads this record. Texts are Windows-1252 bytes; lists end
// at their first empty element (an empty text, a band letter 0).
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <utility>

namespace mss::contest {

// A set of small integers 0-255.
using ByteSet = std::bitset<256>;

// A time period of the contest, for automatic band selection by time and as
// the date and time proposal of a category.
struct ContestPeriod {
    std::string Date;      // "DD.MM.YYYY"
    std::string DateTo;    // empty: the same day
    std::string TimeFrom;  // "HH:MM:SS"
    std::string TimeTo;
    std::array<char, 10> Bands{};
    bool operator==(const ContestPeriod&) const = default;
};

struct ContestCategory {
    ContestCategory() = default;
    ContestCategory(std::string text, std::uint8_t period = 0, std::string shortText = {})
        : Text(std::move(text)), Period(period), ShortText(std::move(shortText)) {}

    std::string Text;         // shown as a choice; categories without one are not offered
    std::uint8_t Period = 0;  // 1-10: the period whose dates and times are proposed; 0 none
    std::string ShortText;    // class name, e.g. "Klasse A"
    bool operator==(const ContestCategory&) const = default;
};

// Exchange kind codes of RcvdKinds and SentKinds.
enum ExchangeKind : std::int32_t {
    kKindNone = 0,
    kKindDok = 4,
    kKindLocator = 5,
    kKindLocator6 = 6,
    kKindNumber = 7,
    kKindArea = 8,
    kKindSerial = 11,
    kKindUsState = 12,
    kKindContestNumber = 13,
    kKindPostcode = 15,
    kKindClubNumber = 16,
    kKindLdk = 17,
    kKindMemberNumber = 19,
    kKindFreeText = 99,
};

// Elements of OutputFormats.
enum OutputFormat : int {
    kOutElogCover = 1,
    kOutElogQsoList = 2,
    kOutStf = 3,
    kOutAdif = 4,
    kOutPaperCover = 5,
    kOutPaperQsoList = 6,
    kOutPaperBandList = 7,
    kOutPaperMultList = 8,
    kOutCabrillo = 9,
    kOutElogBandList = 10,
    kOutElogMultList = 12,
    kOutEdi = 13,
};

struct ContestDefinition {
    std::uint8_t EntryFlag = 0;  // 1: every contact also names a second call
    std::array<std::string, 100> Modes;
    std::array<char, 100> Bands{};
    ByteSet Features;  // multiplier options 1-19; empty: no multipliers
    std::array<ContestPeriod, 10> Periods;
    std::array<std::string, 3> MultNames;
    std::string Footer;
    std::array<std::int32_t, 3> RcvdKinds{};
    std::array<std::int32_t, 3> SentKinds{};
    std::array<std::string, 3> SentValues;
    std::uint8_t DupeRule = 0;  // 1 band+mode, 2 band, 3 CW/other, 4 band per part, 5 once
    std::array<std::string, 100> DokCheckList;
    std::array<char, 26> DokCheckLetters{};
    std::array<std::string, 100> SpecialCalls;
    std::array<std::string, 100> SpecialValues;
    std::array<char, 26> SpecialLetters{};
    std::array<std::string, 100> BonusDoks;
    std::array<char, 26> BonusLetters{};
    std::string ContestName;
    std::string Title;
    std::array<ContestCategory, 20> Categories;
    std::string DateFrom;  // "DD.MM.YYYY"
    std::string DateTo;
    std::string TimeFrom;  // "HH:MM:SS", some contests "HH:MM"
    std::string TimeTo;
    std::int32_t UtcOffsetHours = 0;  // UTC minus local time of the computer
    std::string ExtraText;            // a DOK the DOK check refuses
    std::uint8_t ShowEvaluation = 0;
    std::uint8_t MultMode = 0;  // 0 per band, 1 whole log, 2 per band and mode
    ByteSet OutputFormats;
    std::uint8_t PointsOnly = 0;
    std::uint8_t ExtendedDokCheck = 0;
    std::uint8_t PerBandProduct = 0;
    std::string ClubName;
    std::string ClubName2;
    std::uint8_t BandByTime = 0;
    std::array<std::string, 3> RcvdLabels;

    bool operator==(const ContestDefinition&) const = default;
};

}  // namespace mss::contest

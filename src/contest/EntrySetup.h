// The rules of setting up a contest entry that do not depend on a form:
// what a new entry starts with, the contest's proposed dates and times,
// which district field the operator fills (DOK, area or LDK), the start
// mode buttons a contest offers and the dates a category proposes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "contest/ContestDefinition.h"
#include "contest/ContestEntry.h"
#include "contest/ContestExtra.h"

namespace mss::contest {

// Elements of Features the setup reads.
inline constexpr int kFeatureDok = 4;
inline constexpr int kFeatureArea = 8;
inline constexpr int kFeatureLdk = 17;

// Clears both records and presets a new entry of `code`: the program-wide
// locator and call, automatic date and time, both reports preset (not
// free), and the reserved bytes of a new entry.
void PrepareNewEntry(ContestEntry& entry, ContestExtra& extra, char code);

// Dates and times still 0 take the contest's defaults; a default that
// cannot be read gives -1. The dates keep the catalogue's day and month in
// the year nearest to `today` (a day number), see NearestContestDates.
void ProposeContestTimes(ContestEntry& entry, const ContestDefinition& definition,
                         std::int32_t today);

// The catalogue's dates ("dd.mm.yyyy") moved to the year that puts the
// first one nearest to `today`: this year's, or next year's once this
// year's lies more than half a year back. Both move by the same number of
// years, so a contest across New Year stays one. A 29 February without a
// leap year becomes the 28th. -1 for a date that cannot be read.
struct ContestDates {
    std::int32_t from = -1;
    std::int32_t to = -1;
};
ContestDates NearestContestDates(const std::string& dateFrom, const std::string& dateTo,
                                 std::int32_t today);

// The entry keeps an LDK instead of a DOK.
bool EntryUsesLdk(const ContestDefinition& definition, char code);
// The suite settings' LDK field takes the district instead of the DOK.
bool SettingsUseLdk(const ContestDefinition& definition, char code);
// The caption of the district field: "DOK", "Area" or "LDK".
std::string DistrictLabel(const ContestDefinition& definition);

// The four start mode buttons ("CW", "SSB", "FM", fourth "PR" or the
// contest's digital mode) as the contest's modes enable them.
struct ModeButton {
    bool enabled = false;
    std::string caption;
};
using ModeButtons = std::array<ModeButton, 4>;
inline constexpr int kModeCw = 0, kModeSsb = 1, kModeFm = 2, kModePr = 3;
// The buttons as designed, before a category has been chosen.
ModeButtons DesignedModeButtons();
ModeButtons ModeButtonsFor(const ContestDefinition& definition);

// The period a chosen category (1-based) proposes, when it has one.
std::optional<ContestPeriod> CategoryPeriod(const ContestDefinition& definition, int category);

// The categories the contest offers, in order.
std::vector<std::string> CategoryTexts(const ContestDefinition& definition);

// A locator is sent in the exchange, so the operator's own one is needed.
bool SendsLocator(const ContestDefinition& definition);

// The DOK as stored: every blank removed.
std::string WithoutBlanks(std::string_view text);

}  // namespace mss::contest

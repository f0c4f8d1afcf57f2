// The input checks of the contest setup, in the order the operator meets
// them: each problem names the field (or group) to mark, its message, and
// whether it is a question that Yes lets pass. Texts are Windows-1252.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "contest/ContestDefinition.h"

namespace mss::contest {

// The capacities of the fields the setup's texts are stored in: the
// entry's name and call, the suite settings' DOK, listener number and
// address texts (postcode and town share one).
inline constexpr int kNameCapacity = 25;
inline constexpr int kCallCapacity = 12;
inline constexpr int kDokCapacity = 10;
inline constexpr int kLdkCapacity = 3;
inline constexpr int kSwlCapacity = 20;
inline constexpr int kAddressCapacity = 50;

enum class SetupField {
    Name,
    Postcode,
    Town,
    Street,
    Country,
    OwnName,
    Locator,
    Dok,
    Call,
    Swl,
    StartDate,
    EndDate,
    StartTime,
    EndTime,
    ClockGroup,
    CategoryGroup,
    Station,
};

// What the operator typed, the texts as shown (dates and times completed).
struct SetupInput {
    std::string name, postcode, town, street, country, ownName;
    std::string locator, district, call, swl;
    std::string startDate, endDate, startTime, endTime;
    std::string station;  // the station description ('j' only)
    bool afterContest = false;
    bool clockChoiceOpen = false;  // both time-zone buttons enabled, neither chosen
    bool categoryMissing = false;  // the category group enabled, none chosen
};

struct SetupProblem {
    SetupField field;
    std::string message;
    bool question = false;        // Yes goes on, No stops like any other problem
    bool goesOnSilently = false;  // also shown by a save without a button, which goes on
};

// Every problem of the input in order; the save stops at the first one that
// is not a question answered Yes. A save without a button (a category
// click) makes no checks but the ones marked goesOnSilently.
std::vector<SetupProblem> SetupProblems(const SetupInput& input,
                                        const ContestDefinition& definition, char code);

// A contest time as the setup stores it: "hh:mm" in seconds, -1 for an
// empty field or any other shape (never midnight by mistake).
std::int32_t ReadSetupTime(const std::string& text);

}  // namespace mss::contest

// The contest catalogue: the rules of the 49 contests, each selected by a
// one-character contest code, and the title and picture the main window
// shows for a code.
#pragma once

#include "contest/ContestDefinition.h"
#include "contest/ContestEntry.h"

#include <string_view>

namespace mss::contest {

// Every code of the catalogue, in catalogue order.
std::string_view CatalogueCodes();

// The definition of a contest for the selected entry (all zero when none is
// selected): some values follow the entry's start year, category, DOK, LDK
// and postcode, the program-wide OwnLocator and the computer's time zone.
// Also marks the entry's totals as kept in its extra record for the contests
// that do so, and switches the program to English for code 'H'. A code
// without rules gives the defaults only.
ContestDefinition FillContestDefinition(char code, ContestEntry& entry);

// What the main window shows for a code; both empty for an unknown code.
struct ContestDisplay {
    std::string_view Title;    // shown in quotation marks
    std::string_view Picture;  // file name relative to the current directory
};
ContestDisplay DisplayOf(char code);

}  // namespace mss::contest

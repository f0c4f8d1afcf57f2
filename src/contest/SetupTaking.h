// What a saved setup takes from the operator's input into the entry and the
// program values; the setup dialog and the command line both save through it.
#pragma once

#include "contest/ContestDefinition.h"
#include "contest/ContestEntry.h"
#include "contest/SetupCheck.h"

namespace mss::contest {

// Name, call, district (DOK or LDK), locator, SWL number, dates and times
// (already completed texts), the operator's name and the postcode; the entry
// is marked saved. Category, clock and the contest's switches stay with the
// caller, which knows where they come from.
void TakeSetupInput(const SetupInput& input, const ContestDefinition& definition, char code,
                    ContestEntry& entry);

}  // namespace mss::contest

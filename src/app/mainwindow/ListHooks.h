// The program's connections of the list operations: the contest log form,
// and the output menu and rules viewer of the setup dialog.
#pragma once

#include <cstdint>

#include "app/mainwindow/ContestBrow.h"

namespace mss::app {

// Runs the contest log form of an entry over the main window, modally;
// false when the log could not be opened.
bool RunContestLogForm(TContestBrow& window, std::int32_t entryNumber,
                       const contest::ContestDefinition& definition);

ContestBrowHooks DefaultListHooks();

}  // namespace mss::app

// The headless command line: entries, ADIF import, outputs, score and the
// data check, run before any window exists and without a display. Each
// command goes through the routines the windows use.
#pragma once

#include <string>
#include <vector>

#include "app/cli/CommandStatus.h"

namespace mss::app {

// True when the arguments (after the program name) ask for a command rather
// than the main window: the first argument other than the data directory
// option is a word, or a request for help.
bool IsCommandLine(const std::vector<std::string>& args);

// Runs the command and answers its exit status. `argv0` names the program
// in messages.
int RunCommandLine(const std::vector<std::string>& args);

}  // namespace mss::app

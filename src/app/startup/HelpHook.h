// Context help from the help archive: hands it to the desktop's viewer.
// Without one the user guide answers (app/help).
#pragma once

#include <string>

namespace mss::app {

inline constexpr const char* kHelpArchive = "tarvoltcont.chm";

// Shows the help archive in `runDir`. The desktop's viewer is handed the
// archive, not a topic number, so every context opens its start page.
// False when there is no archive or nothing could show it.
bool ShowContextHelp(const std::string& runDir);

}  // namespace mss::app

// Context help: hands the help archive to the desktop's viewer. A missing
// archive or viewer is not an error.
#pragma once

#include <string>

#include "ui/KxHelp.h"

namespace mss::app {

inline constexpr const char* kHelpArchive = "tarvoltcont.chm";

// Shows the help archive in `runDir`. The desktop's viewer is handed the
// archive, not a topic number, so every context opens its start page.
// False when there is no archive or nothing could show it.
bool ShowContextHelp(const std::string& runDir);

// The help viewer of the forms' help buttons and keys.
class ArchiveHelp : public ui::HelpViewer {
  public:
    void ShowHelp(int helpContext) override;
};

}  // namespace mss::app

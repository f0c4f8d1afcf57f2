#include "app/startup/HelpHook.h"

#include <filesystem>

#include "platform/Desktop.h"

namespace mss::app {

bool ShowContextHelp(const std::string& runDir) {
    const std::string archive = runDir + kHelpArchive;
    if (!std::filesystem::exists(archive)) return false;
    return platform::CurrentDesktop().OpenDocument(archive);
}

}  // namespace mss::app

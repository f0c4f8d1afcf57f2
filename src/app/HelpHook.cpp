#include "app/HelpHook.h"

#include <filesystem>

#include "platform/Desktop.h"
#include "radio/ProgramValues.h"

namespace mss::app {

std::string HelpTopicPath(const std::string& archiveName) {
    std::string name = archiveName;
    for (std::size_t at = name.find("%20"); at != std::string::npos; at = name.find("%20", at))
        name.replace(at, 3, " ");
    const auto first = name.find_first_not_of(' ');
    const auto last = name.find_last_not_of(' ');
    name = first == std::string::npos ? std::string() : name.substr(first, last - first + 1);
    return "ms-its:" + name;
}

bool ShowContextHelp(const std::string& runDir) {
    constexpr std::size_t kSchemeLength = 7;  // "ms-its:"
    const std::string archive = runDir + HelpTopicPath(kHelpArchive).substr(kSchemeLength);
    if (!std::filesystem::exists(archive)) return false;
    return platform::CurrentDesktop().OpenDocument(archive);
}

void ArchiveHelp::ShowHelp(int) {
    ShowContextHelp(radio::Program().RunDir);
}

}  // namespace mss::app

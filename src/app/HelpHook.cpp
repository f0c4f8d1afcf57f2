#include "app/HelpHook.h"

#include <filesystem>

#include "platform/Desktop.h"
#include "radio/ProgramValues.h"

namespace mss::app {

std::string HelpTopicPath(const std::string& archiveName) {
    constexpr std::string_view kEncodedBlank = "%20";
    std::string name;
    for (std::size_t i = 0; i < archiveName.size();) {
        if (archiveName.compare(i, kEncodedBlank.size(), kEncodedBlank) == 0) {
            name += ' ';
            i += kEncodedBlank.size();
        } else {
            name += archiveName[i++];
        }
    }
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

// Where the user guide is and which of its sections answers a window's
// help: plain rules, no Qt, so both are tested as tables.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mss::app {

// The guide's first page, in every place the guide may be.
inline constexpr const char* kGuideStartPage = "index.md";

// A page of the guide and the heading on it to open at; an empty heading
// opens the page at its top.
struct GuideSection {
    std::string page;
    std::string heading;  // UTF-8, as the page spells it
};

// The section for a window, named by its class without namespace
// ("TContestLogStd"). A window the guide has no section for opens the
// first page.
GuideSection SectionFor(std::string_view windowClass);

// Every window the guide has a section for, with the section.
struct WindowSection {
    const char* windowClass;
    GuideSection section;
};
const std::vector<WindowSection>& WindowSections();

// The guide's pages and the folder that holds their pictures' folder
// ("bilder/"): together when installed, apart in a build tree, where the
// tests take the pictures.
struct GuidePlace {
    std::filesystem::path pages;
    std::filesystem::path pictures;
};

// The installed guide beside the program (`bin/../share/tarvolt-mssprint/
// hilfe`), else `buildTree`, the source tree's guide as the build folder
// knows it. None when neither holds the first page.
std::optional<GuidePlace> FindGuide(const std::filesystem::path& programDir,
                                    const GuidePlace& buildTree);

// Where the guide should be for `programDir`: for the message when none
// was found.
std::filesystem::path InstalledGuideDir(const std::filesystem::path& programDir);

}  // namespace mss::app

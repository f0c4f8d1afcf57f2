#include "app/help/GuideLookup.h"

#include <system_error>

namespace mss::app {

const std::vector<WindowSection>& WindowSections() {
    static const std::vector<WindowSection> sections = {
        {"TContestBrow", {"contests.md", ""}},
        {"TEingContestStd", {"einstellungen.md", ""}},
        {"TContestLogStd", {"logfenster.md", "Tasten im Logfenster"}},
        {"Teingabecontstd2", {"logfenster.md", "Ein QSO ändern"}},
        {"Tstdband", {"logfenster.md", "Band und Betriebsart"}},
        {"TOperatingSetup", {"meteorscatter.md", ""}},
        {"TKorrekturstd", {"listen.md", "Korrektur"}},
        {"TSucheQE", {"listen.md", "Suche"}},
        {"TContestNotiz", {"listen.md", "Notizen"}},
        {"TFormadifimport", {"listen.md", "ADIF-Import"}},
        {"Tpartyauswertungform", {"listen.md", "Auswertung"}},
        {"Twagdatei", {"auswertung.md", "Dateien prüfen"}},
        {"Tuhfteilnehmer", {"auswertung.md", "Die Stationsdaten der EDI-Datei"}},
    };
    return sections;
}

GuideSection SectionFor(std::string_view windowClass) {
    for (const WindowSection& entry : WindowSections())
        if (windowClass == entry.windowClass) return entry.section;
    return {kGuideStartPage, ""};
}

std::filesystem::path InstalledGuideDir(const std::filesystem::path& programDir) {
    return (programDir / ".." / "share" / "tarvolt-mssprint" / "hilfe").lexically_normal();
}

std::optional<GuidePlace> FindGuide(const std::filesystem::path& programDir,
                                    const GuidePlace& buildTree) {
    std::error_code error;
    const std::filesystem::path installed = InstalledGuideDir(programDir);
    if (std::filesystem::is_regular_file(installed / kGuideStartPage, error))
        return GuidePlace{installed, installed};
    if (std::filesystem::is_regular_file(buildTree.pages / kGuideStartPage, error))
        return buildTree;
    return std::nullopt;
}

}  // namespace mss::app

// The notes file of an entry and the rules handed to the desktop.
#include "contest/ContestNotes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "common/TempDir.h"
#include "contest/StationFile.h"
#include "platform/Desktop.h"
#include "radio/DateTime.h"

namespace mss::contest {
namespace {

TEST(ContestNotesTest, FileNamesFollowTheNumberAndTheNameOfEarlierVersions) {
    EXPECT_EQ(NotesFileName("/d/", 7), "/d/NOTIZ0007.TXT");
    EXPECT_EQ(NotesFileName("/d/", 1234), "/d/NOTIZ1234.TXT");
    const std::vector<std::pair<std::string, std::string>> named = {
        {"MS Sprint 2012", "/d/MS Sprint 2012.TXT"},
        {"a/b.c", "/d/abc.TXT"},
        {"x+y-z_1", "/d/x+y-z_1.TXT"},
        {"\xC4rger", "/d/rger.TXT"}};
    for (const auto& [name, file] : named) EXPECT_EQ(NamedNotesFileName("/d/", name), file);
}

TEST(ContestNotesTest, StampingPutsANewLineOnTopAndTakesOverTheNamedFile) {
    mss::test::TempDir dir;
    const std::string path = NotesFileName(dir.RunDir(), 3);
    const std::string named = NamedNotesFileName(dir.RunDir(), "Sprint");
    const std::string old = "11.08.2011 23:59 DL1ABC     > alte Notiz\nzweite Zeile";
    ASSERT_TRUE(WriteStationFile(named, old));
    const std::string stamp =
        NotesStamp(radio::DayNumber(12, 8, 2012), 12 * 3600 + 5 * 60, "SP5ABC");
    EXPECT_EQ(stamp, "12.08.2012 12:05 SP5ABC     > ");
    EXPECT_EQ(StampNotes(path, named, stamp).value_or(""), stamp + "\n" + old);
    EXPECT_EQ(StampNotes(path, named, "2 > ").value_or(""), "2 > \n" + stamp + "\n" + old);
    EXPECT_EQ(ReadStationFile(named).value_or(""), old);  // left as it was
    // Written through a temporary file that does not stay.
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.RunDir())) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 2);
    EXPECT_FALSE(StampNotes(dir.RunDir() + "no/such/dir/N.TXT", named, stamp).has_value());
}

// A file of the old name that is not a diary (an E-Log total file of an
// entry of that name, any other text) stays out of the new notes.
TEST(ContestNotesTest, OnlyNotesAreTakenOverFromTheNamedFile) {
    const std::pair<const char*, bool> cases[] = {
        {"12.08.2012 12:05 SP5ABC     > ", true},
        {"12.08.2012 12:05            > Antenne gedreht\nmehr", true},
        {"START-OF-LOG: 3.0\nCONTEST: MMMONVHF", false},
        {"               MMMonVHF MS SPRINT CONTEST\n12.08.2012 12:05 SP5ABC     > ", false},
        {"12.08.2012 12:05 SP5ABC     >", false},
        {"31.02.2012 12:05 SP5ABC     > ", false},
        {"12-08-2012 12:05 SP5ABC     > ", false},
    };
    mss::test::TempDir dir;
    const std::string stamp = "13.08.2012 08:00 DL1ABC     > ";
    for (const auto& [text, notes] : cases) {
        const std::string path = NotesFileName(dir.RunDir(), 1);
        const std::string named = NamedNotesFileName(dir.RunDir(), "Sprint");
        std::filesystem::remove(path);
        ASSERT_TRUE(WriteStationFile(named, text));
        EXPECT_EQ(IsNotesText(text), notes) << text;
        const std::string taken = notes ? stamp + "\n" + text : stamp;
        EXPECT_EQ(StampNotes(path, named, stamp).value_or("-"), taken) << text;
    }
}

class RecordingDesktop : public platform::Desktop {
  public:
    bool OpenDocument(const std::string& path) override {
        opened.push_back("file:" + path);
        return true;
    }
    bool OpenUrl(std::string_view url) override {
        opened.push_back("url:" + std::string(url));
        return true;
    }
    std::vector<std::string> opened;
};

TEST(ContestNotesTest, DocumentsAndAddressesGoToTheDesktop) {
    RecordingDesktop desktop;
    const platform::ScopedDesktop install(desktop);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"dl\xD8xyz@example.org", "url:mailto:dl0xyz@example.org"},
        {"MAILTO:a@b.de", "url:MAILTO:a@b.de"},
        {"https://example.org/\xD8", "url:https://example.org/0"},
        {"/d/regeln.pdf", "file:/d/regeln.pdf"}};
    for (const auto& [target, opened] : cases) {
        desktop.opened.clear();
        EXPECT_TRUE(OpenDocument(target));
        ASSERT_EQ(desktop.opened.size(), 1u);
        EXPECT_EQ(desktop.opened[0], opened);
    }
    desktop.opened.clear();
    EXPECT_TRUE(OpenRules('j'));
    ASSERT_EQ(desktop.opened.size(), 1u);
    EXPECT_EQ(desktop.opened[0], "url:" + RulesAddress('j'));
    EXPECT_FALSE(OpenRules('?'));
}

}  // namespace
}  // namespace mss::contest

#include "app/setup/EingContestStd.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "app/AppTestSupport.h"
#include "app/logform/WarningColour.h"
#include "contest/Catalogue.h"
#include "contest/StationFile.h"
#include "contest/StationSettings.h"
#include "platform/Desktop.h"
#include "platform/qt/QtText.h"
#include "radio/DateTime.h"
#include "ui/KxBitBtn.h"
#include "ui/KxEdit.h"

namespace mss::app {
namespace {

namespace fs = std::filesystem;

class EingContestStdTest : public test::StoreTest {
  protected:
    std::unique_ptr<TEingContestStd> Open(SetupMode mode, bool afterContest = false,
                                          char code = 'j') {
        SetupHooks hooks;
        hooks.fillDefinition = [code](contest::ContestEntry& entry) {
            return contest::FillContestDefinition(code, entry);
        };
        hooks.outputMenu = [this](QWidget&) { ++outputMenus_; };
        hooks.rules = [this](QWidget&) { ++rules_; };
        auto dialog = std::make_unique<TEingContestStd>(mode, afterContest, code, hooks);
        dialog->show();
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        return dialog;
    }

    template <class W = ui::TkxEdit>
    static W* Child(QWidget& dialog, const char* name) {
        W* child = dialog.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    static void Type(QWidget& dialog, const char* field, const QString& text) {
        test::TypeInto(dialog, field, text);
    }
    static void Click(QWidget& dialog, const char* name) { test::ClickOn(dialog, name); }

    static void FillIn(QWidget& dialog, bool category = true) {
        test::FillInEntry(dialog, category);
    }

    int outputMenus_ = 0;
    int rules_ = 0;
};

TEST_F(EingContestStdTest, ANewEntryIsSavedWithEverythingTheOperatorTyped) {
    auto dialog = Open(SetupMode::NewEntry);
    FillIn(*dialog);
    Click(*dialog, "btnstart");
    EXPECT_EQ(dialog->result(), kSetupStartContest);
    EXPECT_TRUE(messages_.shown().empty()) << messages_.LastText();

    const contest::ContestEntry entry = contest::SelectedEntry();
    EXPECT_EQ(entry.Number(), 1);
    EXPECT_EQ(entry.Name(), "Sprint Sommer");
    EXPECT_EQ(entry.Call(), "DL1ABC");
    EXPECT_EQ(entry.Dok(), "F12");
    EXPECT_EQ(entry.Locator(), "JO61UA");
    EXPECT_EQ(entry.Plz(), "01234");
    EXPECT_EQ(entry.Category(), 1);
    EXPECT_EQ(entry.StartDate(), radio::DayNumber(12, 8, 2026));
    EXPECT_EQ(entry.EndTime(), 12 * 3600);
    EXPECT_TRUE(entry.TotalsInExtra());
    EXPECT_EQ(contest::ContestFile()->RecordCount(), 1);
    EXPECT_EQ(contest::ExtraFile()->RecordCount(), 1);
    EXPECT_EQ(radio::Program().OwnCall, "DL1ABC");
    EXPECT_EQ(radio::Program().ClockOffset, 0);

    const contest::StationSettings station = contest::ReadStationSettings();
    EXPECT_EQ(station.operatorName, "Max M\xFCller");
    EXPECT_EQ(station.postcodeTown, "01234 Dresden");
    EXPECT_EQ(station.street,
              "Hauptstra\xDF"
              "e 1");
    EXPECT_EQ(station.dok, "F12");
    EXPECT_EQ(station.locator, "JO61UA");
    EXPECT_EQ(contest::ReadStationFile(contest::StationFileName(RunDir(), 1)), "IC-9700, 500 W");

    // Opened again, the entry shows what was saved and its category is fixed.
    auto again = Open(SetupMode::Edit);
    EXPECT_EQ(Child(*again, "eName")->text(), QStringLiteral("Sprint Sommer"));
    EXPECT_EQ(Child(*again, "ePLZ")->text(), QStringLiteral("01234"));
    EXPECT_EQ(Child(*again, "eOrt")->text(), QStringLiteral("Dresden"));
    EXPECT_EQ(Child<QPlainTextEdit>(*again, "memogroupzusatz3")->toPlainText(),
              QStringLiteral("IC-9700, 500 W"));
    EXPECT_FALSE(Child<QGroupBox>(*again, "eteilnahmeart")->isEnabled());
    EXPECT_TRUE(Child<QRadioButton>(*again, "eteilnahmeart1")->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(*again, "rZeitUTC")->isChecked());
    EXPECT_EQ(Child<QRadioButton>(*again, "rPR")->text(), QStringLiteral("FSK441"));
}

TEST_F(EingContestStdTest, BadInputIsRefusedAtItsFieldAndWhatWasTypedStays) {
    struct Case {
        const char* field;
        QString typed;
        std::string message;
    };
    const Case cases[] = {
        {"eName", QString(), "Eingabe eines Contest-Namens notwendig."},
        {"ePLZ", QString(), "Angabe der Postleitzahl und des Ortes notwendig."},
        {"eLoc", QString(), "Angabe des Standortlocators notwendig."},
        {"eLoc", QStringLiteral("JO6"),
         "Der Standortlocator ist ung\xFCltig: erwartet werden 6 Zeichen wie JO62MM."},
        {"eLoc", QStringLiteral("ZZ99ZZ"),
         "Der Standortlocator ist ung\xFCltig: erwartet werden 6 Zeichen wie JO62MM."},
        {"eCall", QString(), "Eingabe des Rufzeichens notwendig."},
        {"eDatumvon", QString(), "Eingabe eines Contest-Datums notwendig."},
        {"eDatumbis", QStringLiteral("11.08.2026"),
         "Das Contest-Ende liegt vor dem Contest-Beginn."},
        {"eZeitbis", QStringLiteral("99:99"), "Die Uhrzeit (bis) ist ung\xFCltig."},
        {"eOrt", QString(50, QLatin1Char('x')),
         "Die Angabe \"PLZ+Ort\" ist zu lang (h\xF6"
         "chstens 50 Zeichen)."},
    };
    for (const Case& c : cases) {
        auto dialog = Open(SetupMode::NewEntry);
        FillIn(*dialog);
        Type(*dialog, c.field, c.typed);
        messages_.Clear();
        Click(*dialog, "btnOK");
        EXPECT_TRUE(dialog->isVisible()) << c.field;
        EXPECT_EQ(messages_.LastText(), c.message) << c.field;
        auto* field = Child(*dialog, c.field);
        EXPECT_TRUE(HasWarning(*field)) << c.field;
        EXPECT_EQ(dialog->focusWidget(), field) << c.field;
        EXPECT_EQ(field->text(), c.typed) << c.field;
        // Typing into the field takes the mark away.
        QTest::keyClick(field, Qt::Key_End);
        QTest::keyClick(field, c.typed.isEmpty() ? Qt::Key_1 : Qt::Key_Backspace);
        EXPECT_FALSE(HasWarning(*field)) << c.field;
    }
}

TEST_F(EingContestStdTest, ANewEntryNeedsTheClockChoiceAndAStationDescription) {
    auto dialog = Open(SetupMode::NewEntry);
    EXPECT_FALSE(Child<QRadioButton>(*dialog, "rZeitUTC")->isChecked());
    EXPECT_FALSE(Child<QRadioButton>(*dialog, "rZeitOrt")->isChecked());
    FillIn(*dialog);
    auto* utc = Child<QRadioButton>(*dialog, "rZeitUTC");
    utc->setAutoExclusive(false);
    utc->setChecked(false);
    Click(*dialog, "btnOK");
    EXPECT_EQ(messages_.LastText(),
              "Es wurde nicht bestimmt, ob der Computer mit Ortszeit l\xE4uft.");
    EXPECT_TRUE(HasWarning(*Child<QGroupBox>(*dialog, "groupComputerzeit")));
    Click(*dialog, "rZeitOrt");
    EXPECT_FALSE(HasWarning(*Child<QGroupBox>(*dialog, "groupComputerzeit")));
    Child<QPlainTextEdit>(*dialog, "memogroupzusatz3")->clear();
    Click(*dialog, "btnOK");
    EXPECT_EQ(messages_.LastText(), "Sie haben keine Angaben zur Station get\xE4tigt.");
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(EingContestStdTest, ChoosingACategorySavesAtOnceAndSetsTheModeButtons) {
    auto dialog = Open(SetupMode::NewEntry);
    const char* modes[] = {"rcw", "rssb", "rFM", "rPR"};
    for (const char* mode : modes) EXPECT_TRUE(Child<QRadioButton>(*dialog, mode)->isEnabled());
    EXPECT_EQ(Child<QRadioButton>(*dialog, "rPR")->text(), QStringLiteral("PR"));
    Type(*dialog, "eName", QStringLiteral("Sprint"));
    Click(*dialog, "eteilnahmeart2");
    // The silent save asks for the station description but goes on.
    EXPECT_EQ(messages_.LastText(), "Sie haben keine Angaben zur Station get\xE4tigt.");
    EXPECT_EQ(contest::ContestFile()->RecordCount(), 1);
    EXPECT_EQ(Child<QRadioButton>(*dialog, "rPR")->text(), QStringLiteral("FSK441"));
    EXPECT_FALSE(Child<QRadioButton>(*dialog, "rFM")->isEnabled());
    EXPECT_TRUE(Child<QRadioButton>(*dialog, "rPR")->isEnabled());
    Click(*dialog, "rPR");
    Click(*dialog, "eteilnahmeart3");
    EXPECT_FALSE(Child<QRadioButton>(*dialog, "rPR")->isEnabled());
    EXPECT_FALSE(Child<QRadioButton>(*dialog, "rPR")->isChecked());
    Click(*dialog, "btnAbbruch");
    EXPECT_EQ(dialog->result(), kSetupClosed);
    // Cancelling keeps what the category click saved.
    EXPECT_EQ(contest::ContestFile()->RecordCount(), 1);
    EXPECT_EQ(contest::SelectedEntry().Category(), 3);
}

TEST_F(EingContestStdTest, AStoreErrorEndsTheSaveWithoutAStationFile) {
    auto dialog = Open(SetupMode::NewEntry);
    FillIn(*dialog, false);
    contest::CloseQVKK();
    messages_.Clear();
    Click(*dialog, "eteilnahmeart1");
    EXPECT_EQ(messages_.LastText(), "Fehler bei Dateneingabe. Datensatz evtl. schon vorhanden.");
    Click(*dialog, "btnOK");
    EXPECT_EQ(messages_.LastText(), "Fehler bei Dateneingabe. Datensatz evtl. schon vorhanden.");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(fs::exists(contest::StationFileName(RunDir(), 0)));
    EXPECT_FALSE(fs::exists(contest::StationFileName(RunDir(), 1)));
    ASSERT_TRUE(contest::OpenQVKK());
}

TEST_F(EingContestStdTest, TheOutputMenuOpensOnlyAfterTheSaveHeld) {
    auto dialog = Open(SetupMode::NewEntry);
    FillIn(*dialog);
    Type(*dialog, "eName", QString());
    Click(*dialog, "btnDruck");
    EXPECT_EQ(outputMenus_, 0);
    Type(*dialog, "eName", QStringLiteral("Sprint"));
    Type(*dialog, "eStrasse", QString());
    messages_.Clear();
    Click(*dialog, "btnDruck");
    EXPECT_EQ(outputMenus_, 1);
    EXPECT_EQ(messages_.LastText(), "Die Adress-Angaben sind nicht vollst\xE4ndig.");
    EXPECT_TRUE(dialog->isVisible());
}

// The Funkertag party shows its points only once its log has been closed.
TEST_F(EingContestStdTest, ZeroPointsOfTheFunkertagPartyAreExplainedBeforeTheMenu) {
    const std::string notice =
        "Es werden 0 Punkte angezeigt. Um die korrekte Punktzahl zu erhalten, mu\xDF der Contest "
        "einmal gestartet und dann wieder geschlossen werden.";
    const struct {
        char code;
        int points;
        bool told;
    } kCases[] = {{'5', 0, true}, {'5', 12, false}, {'j', 0, false}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::string(1, c.code) + " " + std::to_string(c.points));
        // The entry is typed in as the sprint's dialog asks for it, then
        // opened after the contest under the contest code of the case.
        auto created = Open(SetupMode::NewEntry);
        FillIn(*created);
        Click(*created, "btnOK");
        contest::ContestExtra extra = contest::SelectedExtra();
        extra.SetPointSum(1, c.points);
        contest::SetSelectedExtra(extra);

        auto dialog = Open(SetupMode::Edit, true, c.code);
        messages_.Clear();
        outputMenus_ = 0;
        Click(*dialog, "btnDruck");
        EXPECT_EQ(outputMenus_, 1);
        const bool told = !messages_.shown().empty() && messages_.shown().front().text == notice;
        EXPECT_EQ(told, c.told) << messages_.LastText();
        // Refused input never reaches the notice.
        Type(*dialog, "eName", QString());
        messages_.Clear();
        Click(*dialog, "btnDruck");
        EXPECT_EQ(messages_.LastText(), "Eingabe eines Contest-Namens notwendig.");
        EXPECT_EQ(outputMenus_, 1);
    }
}

TEST_F(EingContestStdTest, EscapeAsksWhetherToKeepTheChanges) {
    auto created = Open(SetupMode::NewEntry);
    FillIn(*created);
    Click(*created, "btnOK");
    for (bool keep : {false, true}) {
        auto dialog = Open(SetupMode::Edit);
        Type(*dialog, "eName", QStringLiteral("Sprint Herbst"));
        messages_.SetNextAnswers({keep});
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        EXPECT_EQ(messages_.shown().back().text,
                  "\xC4nderungen \xFC"
                  "bernehmen?");
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), kSetupClosed);
        EXPECT_EQ(contest::ListContestEntries('j').at(0).Name(),
                  keep ? "Sprint Herbst" : "Sprint Sommer");
    }
}

TEST_F(EingContestStdTest, TypedShortDatesAreCompletedAndMarkedAsHandEdits) {
    auto dialog = Open(SetupMode::NewEntry);
    const int year = radio::DayMonthYear(radio::TodayLocal()).year;
    Type(*dialog, "eDatumbis", QStringLiteral("1308"));
    Type(*dialog, "eZeitvon", QStringLiteral("930"));
    Child(*dialog, "eName")->setFocus();
    EXPECT_EQ(Child(*dialog, "eDatumbis")->text(), QStringLiteral("13.08.%1").arg(year));
    EXPECT_EQ(Child(*dialog, "eZeitvon")->text(), QStringLiteral("09:30"));
    FillIn(*dialog);
    Click(*dialog, "btnOK");
    // The end time was typed as the contest proposes it: no hand edit.
    EXPECT_EQ(contest::SelectedEntry().EditedMask(), contest::ContestEntry::kEditedStartDate |
                                                         contest::ContestEntry::kEditedEndDate |
                                                         contest::ContestEntry::kEditedStartTime);
}

TEST_F(EingContestStdTest, HilfeOpensTheHelpArchiveAndRegelnTheRules) {
    struct Desktop : platform::Desktop {
        bool OpenDocument(const std::string& path) override {
            opened.push_back(path);
            return true;
        }
        bool OpenUrl(std::string_view) override { return false; }
        std::vector<std::string> opened;
    } desktop;
    platform::ScopedDesktop install(desktop);
    std::ofstream(RunDir() + "tarvoltcont.chm") << "help";
    auto dialog = Open(SetupMode::NewEntry);
    Click(*dialog, "btnHilfe");
    EXPECT_EQ(desktop.opened, std::vector<std::string>{RunDir() + "tarvoltcont.chm"});
    Click(*dialog, "btnregeln");
    EXPECT_EQ(rules_, 1);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(EingContestStdTest, AfterTheContestTheEvaluationIsShownAndBeendenIsTheWayOut) {
    contest::ContestEntry entry;
    entry.SetCode('j');
    entry.SetName("Sprint");
    entry.SetCategory(1);
    entry.SetTotalsInExtra(true);
    contest::ContestExtra extra;
    extra.SetQsoCount(1, 3);
    extra.SetPointSum(1, 1234);
    std::int32_t number = 0;
    ASSERT_EQ(contest::AddContestEntry(entry, extra, number), 0);

    auto dialog = Open(SetupMode::Edit, true);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("\"MSSprint-Contest\""));
    EXPECT_FALSE(Child<ui::TkxBitBtn>(*dialog, "btnstart")->isVisible());
    EXPECT_FALSE(Child<ui::TkxBitBtn>(*dialog, "btnAbbruch")->isVisible());
    EXPECT_TRUE(Child<ui::TkxBitBtn>(*dialog, "btnOK")->Default());
    EXPECT_EQ(Child<QLabel>(*dialog, "lQSOtotal")->text(), QStringLiteral("3 QSO"));
    EXPECT_EQ(Child<QLabel>(*dialog, "lpunktegesamt")->text(), QStringLiteral("1234 Pkt."));
    EXPECT_FALSE(Child<QLabel>(*dialog, "lMultitotal")->isVisible());
    EXPECT_EQ(Child<QLabel>(*dialog, "leQSO1")->text(), QStringLiteral("    3"));
    EXPECT_EQ(Child<QLabel>(*dialog, "lePunkte1")->text(), QStringLiteral("  1234"));
    EXPECT_FALSE(Child<QLabel>(*dialog, "leMulti1")->isVisible());
    EXPECT_FALSE(Child<QLabel>(*dialog, "leQSO2")->isVisible());

    const QString out = QString::fromLocal8Bit(qgetenv("MSS_SCREENSHOT_DIR"));
    if (!out.isEmpty()) {
        dialog->resize(1000, 640);
        dialog->grab().toImage().save(out + QStringLiteral("/setup-dialog.png"));
    }
}

}  // namespace
}  // namespace mss::app

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
#include "app/help/GuideHelp.h"
#include "app/logform/WarningColour.h"
#include "contest/Catalogue.h"
#include "contest/StationFile.h"
#include "contest/StationSettings.h"
#include "log/ContestLog.h"
#include "output/Outputs.h"
#include "output/StationTexts.h"
#include "output/TextTarget.h"
#include "platform/Clock.h"
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

    // Keys as the keyboard sends them: to the focused widget of the active window.
    static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    static void TypeHere(const QString& text) {
        Key(Qt::Key_A, Qt::ControlModifier);
        Key(Qt::Key_Delete);
        test::TypeKeys(QApplication::focusWidget(), text);
    }
    static QString FocusName() {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }

    int outputMenus_ = 0;
    int rules_ = 0;
};

// The suite's station data as another program of the suite stored it comes
// back whole from every save: a category click, Enter, and the cover sheet.
TEST_F(EingContestStdTest, StationDataOfTheSuiteIsNeverCut) {
    const struct {
        const char* postcodeTown;
        const char* postcode;
        const char* dok;
        const char* swl;
    } kStations[] = {
        {"D-01234 Dresden", "D-01234", "SAW2026DRS", "DE-SWL-1234567890123"},
        {"00-950 Warszawa", "00-950", "F12", ""},
        {"L-1234 Luxembourg", "L-1234", "", ""},
        {"1234 AB Amsterdam", "1234", "Z55", "NL-12345"},
    };
    int number = 0;
    for (const auto& station : kStations) {
        SCOPED_TRACE(station.postcodeTown);
        contest::StationSettings stored = contest::ReadStationSettings();
        stored.postcodeTown = station.postcodeTown;
        stored.dok = station.dok;
        stored.operatorName = "Max M\xFCller";
        stored.street =
            "Hauptstra\xDF"
            "e 1";
        ASSERT_EQ(contest::WriteStationSettings(stored, false), 0);
        radio::Program().SwlNumber = station.swl;

        auto dialog = Open(SetupMode::NewEntry);
        EXPECT_EQ(Child(*dialog, "ePLZ")->text(), QString::fromLatin1(station.postcode));
        Type(*dialog, "eName", QStringLiteral("Sprint"));
        Type(*dialog, "eCall", QStringLiteral("DL1ABC"));
        auto* memo = Child<QPlainTextEdit>(*dialog, "memogroupzusatz3");
        memo->setFocus();
        QTest::keyClicks(memo, QStringLiteral("IC-9700"));
        Click(*dialog, "rZeitUTC");
        Click(*dialog, "eteilnahmeart2");
        if (std::string(station.postcode).size() == 7) {
            QCoreApplication::processEvents();  // the new mode captions laid out
            test::Screenshot(*dialog, "setup-dialog-long-postcode.png");
        }
        Key(Qt::Key_Return);
        EXPECT_EQ(dialog->result(), kSetupStartContest) << messages_.LastText();
        number = contest::SelectedEntry().Number();

        const contest::StationSettings saved = contest::ReadStationSettings();
        EXPECT_EQ(saved.postcodeTown, station.postcodeTown);
        EXPECT_EQ(saved.dok, station.dok);
        EXPECT_EQ(radio::Program().SwlNumber, station.swl);

        auto again = Open(SetupMode::Edit);
        EXPECT_EQ(Child(*again, "ePLZ")->text() + QLatin1Char(' ') + Child(*again, "eOrt")->text(),
                  QString::fromLatin1(station.postcodeTown));
        EXPECT_EQ(Child(*again, "eDOK")->text(), QString::fromLatin1(station.dok));
        EXPECT_EQ(Child(*again, "eSWL")->text(), QString::fromLatin1(station.swl));
        Click(*again, "btnOK");
        EXPECT_EQ(contest::ReadStationSettings().postcodeTown, station.postcodeTown);

        output::OutputJob job;
        job.entry = contest::SelectedEntry();
        job.extra = contest::SelectedExtra();
        job.definition = dialog->Definition();
        job.address = output::StationAddress();
        ASSERT_TRUE(log::OpenContestLog(number));
        job.log = log::OpenLog();
        output::StringTextTarget cover;
        EXPECT_TRUE(output::WriteOutputFile(output::FileOutput::ElogCover, cover, job).Ok());
        log::CloseContestLog();
        EXPECT_NE(cover.text().find(station.postcodeTown), std::string::npos) << cover.text();
    }
}

// Enter saves from within a date or time field: what was typed is completed
// before it is checked, and a time that cannot be read is refused by name.
TEST_F(EingContestStdTest, DatesAndTimesAreCompletedBeforeTheyAreChecked) {
    platform::FakeClock clock({2026, 3, 1, 10, 0, 0});
    platform::ScopedClock installClock(clock);
    const auto stored = [](const contest::ContestEntry& e) {
        return radio::DateToText(radio::DateFormat, e.StartDate()) + " " +
               radio::DateToText(radio::DateFormat, e.EndDate()) + " " +
               radio::TimeToText(radio::TimeFormat, e.StartTime()) + " " +
               radio::TimeToText(radio::TimeFormat, e.EndTime());
    };
    const struct {
        const char* field;
        const char* typed;
        bool enter;           // else the mouse presses "Beenden"
        std::string outcome;  // what was stored, or the message of the refusal
    } kCases[] = {
        {"eDatumbis", "1308", true, "12.08.2026 13.08.2026 12:00 12:00"},
        {"eDatumvon", "11.8", true, "11.08.2026 13.08.2026 12:00 12:00"},
        {"eZeitvon", "930", true, "12.08.2026 13.08.2026 09:30 12:00"},
        {"eZeitbis", "9.05", false, "12.08.2026 13.08.2026 12:00 09:05"},
        {"eZeitvon", "12:3", true, "Die Uhrzeit (von) ist ung\xFCltig."},
        {"eZeitbis", "1:234", false, "Die Uhrzeit (bis) ist ung\xFCltig."},
        {"eZeitbis", "12h", true, "Die Uhrzeit (bis) ist ung\xFCltig."},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.typed);
        auto dialog = Open(SetupMode::NewEntry);
        FillIn(*dialog);
        messages_.Clear();
        QTest::mouseClick(Child(*dialog, c.field), Qt::LeftButton);
        TypeHere(QString::fromLatin1(c.typed));
        ASSERT_EQ(FocusName(), QString::fromLatin1(c.field));
        if (c.enter)
            Key(Qt::Key_Return);
        else
            Click(*dialog, "btnOK");
        const bool refused = dialog->isVisible();
        EXPECT_EQ(refused ? messages_.LastText() : stored(contest::SelectedEntry()), c.outcome);
        if (!refused) continue;
        EXPECT_EQ(FocusName(), QString::fromLatin1(c.field));
        EXPECT_TRUE(HasWarning(*Child(*dialog, c.field)));
    }
}

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
    EXPECT_TRUE(Child<QRadioButton>(*dialog, "rcw")->isChecked());
    // The silent save stored the start mode TEAM offers, not the one before.
    EXPECT_FALSE(contest::SelectedEntry().StartPr());
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
    // A year before the one typed below, so that the typed dates differ
    // from the proposed ones.
    platform::FakeClock clock({2025, 3, 1, 10, 0, 0});
    platform::ScopedClock installClock(clock);
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
    GuideHelp help(RunDir(), BuildTreeGuide());
    ui::ScopedHelpViewer installHelp(help);
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

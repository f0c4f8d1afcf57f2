// The log form driven by keys as an operator drives it: contacts typed,
// saved, refused, pre-filled, edited and deleted; band choice and the band
// schedule of the clock; closing; and a screenshot.
#include "app/logform/ContestLogStd.h"

#include <gtest/gtest.h>

#include "app/logform/LogFormTest.h"
#include "app/help/GuideHelp.h"
#include "app/startup/HelpHook.h"

namespace mss::app {
namespace {

using log::QsoRecord;
using test::ContestLogStdTest;

TEST_F(ContestLogStdTest, AContactTypedByKeysIsSavedScoredAndListed) {
    Open();
    EXPECT_EQ(form_->windowTitle(), QStringLiteral("Logbuch (Contest : MSSprint-Contest )"));
    EXPECT_TRUE(Panel().ezeit->isHidden());
    Log("dl1abc", "jo31ab");
    const std::vector<QsoRecord> log = Records();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].Call(), "DL1ABC");
    EXPECT_EQ(log[0].Locator(), "JO31AB");
    EXPECT_EQ(log[0].Zeit(), 12 * 3600);
    EXPECT_EQ(log[0].Datum(), radio::DayNumber(12, 8, 2012));
    EXPECT_EQ(log[0].Punkte(), radio::QrbKm("JO31AB"));
    EXPECT_NE(BandLogText().find("DL1ABC"), std::string::npos) << BandLogText();
    EXPECT_EQ(form_->Session().totals.contacts['k'], 1);
    // A new contact is ready.
    EXPECT_TRUE(Panel().eCall->text().isEmpty());
    EXPECT_EQ(form_->State().contact.LfdNr(), 2);
    EXPECT_EQ(Panel().lNummer->text().trimmed(), QStringLiteral("2"));
    EXPECT_TRUE(messages_.shown().empty()) << messages_.LastText();
}

TEST_F(ContestLogStdTest, AHashEndsTheCallWithPortableAndMovesOn) {
    Open();
    Type(*Panel().eCall, "dl1abc#");
    EXPECT_EQ(Panel().eCall->text(), QStringLiteral("DL1ABC/p"));
    Type(Locator(), "JO31AB");
    Enter(Locator());
    ASSERT_EQ(Records().size(), 1u);
    EXPECT_EQ(Records()[0].Call(), "DL1ABC/p");
}

TEST_F(ContestLogStdTest, ADupeIsRefusedWithItsMessageAndTheEntryCleared) {
    Open();
    Log("DL1ABC", "JO31AB");
    clock_.SetLocal({2012, 8, 12, 14, 5, 0});
    form_->ClockTick();
    Type(*Panel().eCall, "DL1ABC");
    Enter(*Panel().eCall);
    EXPECT_EQ(messages_.LastText(), "Call DL1ABC bereits auf Band vorhanden");
    EXPECT_EQ(Records().size(), 1u);
    EXPECT_TRUE(Panel().eCall->text().isEmpty());
}

TEST_F(ContestLogStdTest, TheCallbookLocatorIsTakenWithItsBeamHeading) {
    suite::CallbookRecord known;
    known.SetCall("DL1ABC");
    known.Set(suite::CallField::Locator, "JO31AB");
    ASSERT_EQ(suite::StoreInCallbook(known), 0);
    Open();
    Type(*Panel().eCall, "DL1ABC");
    Enter(*Panel().eCall);
    EXPECT_EQ(Locator().text(), QStringLiteral("JO31AB"));
    const QString beam = Panel().lbeam->text();
    EXPECT_TRUE(beam.startsWith(QStringLiteral("Beam "))) << beam.toStdString();
    const auto expected = radio::DistanceAndBearing("JO62MM", "JO31AB");
    EXPECT_EQ(beam, QStringLiteral("Beam ") + QString::number(expected->Bearing, 'f', 1));
    Enter(Locator());
    ASSERT_EQ(Records().size(), 1u);
}

TEST_F(ContestLogStdTest, AnInvalidLocatorIsMarkedWhileTyped) {
    Open();
    Type(*Panel().eCall, "DL1ABC");
    Enter(*Panel().eCall);
    Type(Locator(), "JZ");
    EXPECT_EQ(messages_.LastText(), "Fehler bei Locator-Angabe");
    EXPECT_NE(Locator().styleSheet(), QString());
}

contest::ContestDefinition TwoBands() {
    contest::ContestEntry entry;
    entry.SetCode('j');
    contest::ContestDefinition d = contest::FillContestDefinition('j', entry);
    d.Bands = {'k', 'l'};
    return d;
}

TEST_F(ContestLogStdTest, F8WithTwoBandsTakesTheOtherBandAtOnce) {
    OpenWith(TwoBands(), false);
    EXPECT_FALSE(form_->findChild<QWidget*>(QStringLiteral("btnBand"))->isHidden());
    QTest::keyClick(Panel().eCall, Qt::Key_F8);
    EXPECT_EQ(form_->Session().band, 'l');
    EXPECT_TRUE(form_->findChild<QListWidget*>(QStringLiteral("listband"))->isHidden());
    EXPECT_EQ(Panel().lband->text(), QStringLiteral("70 cm"));
    Log("DL1ABC", "JO31AB");
    QTest::keyClick(Panel().eCall, Qt::Key_F8);
    EXPECT_EQ(form_->Session().band, 'k');
    ASSERT_EQ(Records().size(), 1u);
    EXPECT_EQ(Records()[0].Band(), 'l');
}

TEST_F(ContestLogStdTest, TheClockSwitchesTheBandBySchedule) {
    contest::ContestDefinition d = TwoBands();
    d.Periods[0] = {"12.08.2012", "", "12:00:00", "13:00:00", {'k'}};
    d.Periods[1] = {"12.08.2012", "", "13:00:00", "14:00:00", {'l'}};
    OpenWith(d, true);
    EXPECT_EQ(form_->Session().band, 'k');
    clock_.SetLocal({2012, 8, 12, 15, 30, 0});
    form_->ClockTick();
    EXPECT_EQ(form_->Session().band, 'l');
    EXPECT_EQ(Panel().lZeit->text(), QStringLiteral("13:30:00"));
    // With a call being typed the change waits for the next contact.
    clock_.SetLocal({2012, 8, 12, 14, 30, 0});
    Type(*Panel().eCall, "DL1ABC");
    form_->ClockTick();
    EXPECT_EQ(form_->Session().band, 'l');
    Type(Locator(), "JO31AB");
    Enter(Locator());
    ASSERT_EQ(Records().size(), 1u);
    EXPECT_EQ(Records()[0].Band(), 'l');
    EXPECT_EQ(form_->Session().band, 'k');
}

TEST_F(ContestLogStdTest, DeletingAContactRenumbersAndRecounts) {
    Open();
    Log("DL1ABC", "JO31AB");
    Log("OE1XYZ", "JN88EE");
    Log("DK2AA", "JO40AA");
    QWidget& grid = ToBandLog();
    EXPECT_TRUE(form_->findChild<QWidget*>(QStringLiteral("btnLoeschen"))->isEnabled());
    QTest::keyClick(&grid, Qt::Key_Home, Qt::ControlModifier);
    messages_.SetNextAnswers({true});
    QTest::keyClick(&grid, Qt::Key_Delete);
    ASSERT_GE(messages_.shown().size(), 2u);
    EXPECT_EQ(messages_.shown()[messages_.shown().size() - 2].text,
              "Durch das L\xF6schen eines Eintrages werden die Nummern aller nachfolgenden "
              "Eintr\xE4ge um 1 verringert.");
    EXPECT_EQ(messages_.LastText(), "Eintrag DL1ABC l\xF6schen?");
    const std::vector<QsoRecord> log = Records();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].Call(), "OE1XYZ");
    EXPECT_EQ(log[0].LfdNr(), 1);
    EXPECT_EQ(form_->Session().totals.contacts['k'], 2);
    EXPECT_EQ(form_->State().contact.LfdNr(), 3);
}

TEST_F(ContestLogStdTest, EditingALocatorRecomputesThePointsAndTheScore) {
    Open();
    Log("DL1ABC", "JO31AB");
    Log("OE1XYZ", "JN88EE");
    QWidget& grid = ToBandLog();
    QTest::keyClick(&grid, Qt::Key_Home, Qt::ControlModifier);
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        auto* locator = dialog->findChild<ui::TkxEdit*>(QStringLiteral("eRSTr2"));
        ASSERT_NE(locator, nullptr);
        locator->selectAll();
        QTest::keyClicks(locator, QStringLiteral("IO91WM"));
        QTest::keyClick(locator, Qt::Key_Return);
    });
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_EQ(QApplication::activeModalWidget(), form_.get());
    const std::vector<QsoRecord> log = Records();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].Locator(), "IO91WM");
    EXPECT_EQ(log[0].Punkte(), radio::QrbKm("IO91WM"));
    EXPECT_EQ(log::PointSum(form_->Session().totals), log[0].Punkte() + log[1].Punkte());
}

TEST_F(ContestLogStdTest, ClosingStoresTheResultsOrStaysOpenWhenItCannot) {
    Open();
    Log("DL1ABC", "JO31AB");
    // The entry vanished behind the form's back: it cannot be written.
    store::TFileblockObject* entries = contest::ContestFile();
    ASSERT_EQ(entries->Find(contest::kByNumber, store::IntToKey(number_)), 0);
    const contest::ContestEntry saved = contest::SelectedEntry();
    ASSERT_EQ(entries->Delete(0), 0);
    EXPECT_FALSE(form_->close());
    EXPECT_TRUE(form_->isVisible());
    EXPECT_NE(messages_.LastText().find("bleibt"), std::string::npos);
    ASSERT_EQ(Records().size(), 1u);
    // Once the entry is back, closing succeeds and the results are in it.
    std::int32_t again = 0;
    ASSERT_EQ(contest::AddContestEntry(saved, contest::ContestExtra{}, again), 0);
    form_->Session().entry.SetNumber(again);
    EXPECT_TRUE(form_->close());
    ASSERT_EQ(entries->Find(contest::kByNumber, store::IntToKey(again)), 0);
    ASSERT_EQ(contest::LoadExtra(), 0);
    EXPECT_EQ(contest::SelectedExtra().QsoCount(1), 1);
    EXPECT_EQ(contest::SelectedExtra().PointSum(1), radio::QrbKm("JO31AB"));
}

// A listener in contest 'A' (serial number and DOK): the row after the call
// is the heard station's report, the row after the second call that of its
// partner; Enter goes through them in that order and saves at the end.
TEST_F(ContestLogStdTest, AListenerLogsBothStationsRowByRow) {
    Open('A', [](contest::ContestEntry& e) {
        e.SetCategory(4);  // SWL
        e.SetRstSentFree(true);
    });
    LogEntryPanel& p = Panel();
    EXPECT_EQ(Caption("eRSTs1"), QStringLiteral("RSTs"));
    EXPECT_EQ(Caption("eRSTr1"), QStringLiteral("RSTs2"));
    EXPECT_EQ(Caption("eCall2"), QStringLiteral("Call2"));
    EXPECT_EQ(Caption("eRSTs3"), QStringLiteral("DOK"));
    EXPECT_EQ(Caption("eRSTr3"), QStringLiteral("&2 : DOK"));
    const struct {
        ui::TkxEdit* field;
        const char* typed;
    } steps[] = {{p.eCall, "dl1abc"}, {p.eRSTs[0], "57"}, {p.eRSTs[1], "12"}, {p.eRSTs[2], "a01"},
                 {p.eCall2, "dk2xy"}, {p.eRSTr[0], "58"}, {p.eRSTr[1], "7"},  {p.eRSTr[2], "b02"}};
    for (const auto& step : steps) {
        ASSERT_EQ(Focused(), step.field->objectName()) << step.typed;
        Overtype(*step.field, step.typed);
        Enter(*step.field);
    }
    const std::vector<QsoRecord> log = Records();
    ASSERT_EQ(log.size(), 1u) << messages_.LastText();
    EXPECT_EQ(log[0].Call(), "DL1ABC");
    EXPECT_EQ(log[0].Call2(), "DK2XY");
    // Serial numbers padded by the kinds of each exchange.
    EXPECT_EQ(log::RcvdExchangeOf(log[0]), "579012/A01");
    EXPECT_EQ(log::SentExchangeOf(log[0]), "589007/B02");
    EXPECT_EQ(log::DokOf(log[0]), "A01");
    // The band log row: the heard station, its report, its partner, the partner's report.
    const std::string row = BandLogText();
    const auto heard = row.find("579 012/A01");
    const auto partner = row.find("DK2XY");
    ASSERT_NE(heard, std::string::npos) << row;
    ASSERT_NE(partner, std::string::npos) << row;
    EXPECT_LT(heard, partner);
    EXPECT_GT(row.find("589 007/B02"), partner) << row;
    EXPECT_EQ(Focused(), QStringLiteral("eCall"));
    EXPECT_EQ(p.eRSTs[0]->text(), QStringLiteral("599"));
    // The contact dialog names the reports as the panel does and changes
    // the heard station's one.
    QWidget& grid = ToBandLog();
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        auto* heard = dialog->findChild<ui::TkxEdit*>(QStringLiteral("eRSTr1"));
        auto* layout = dialog->findChild<QFormLayout*>();
        ASSERT_TRUE(heard != nullptr && layout != nullptr);
        auto* caption = qobject_cast<QLabel*>(layout->labelForField(heard));
        EXPECT_EQ(caption != nullptr ? caption->text() : QString(), QStringLiteral("RSTs"));
        heard->selectAll();
        QTest::keyClicks(heard, QStringLiteral("559"));
        QTest::keyClick(heard, Qt::Key_Return);
    });
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_EQ(log::RcvdExchangeOf(Records()[0]), "559012/A01");
    EXPECT_EQ(log::SentExchangeOf(Records()[0]), "589007/B02");
    // Back in the entry panel (the offscreen desktop does not give the
    // activation back by itself).
    QApplication::setActiveWindow(form_.get());
    QTest::keyClick(&grid, Qt::Key_Escape);
    ASSERT_EQ(Focused(), QStringLiteral("eCall"));
    // The next contact half typed, for the picture.
    for (std::size_t i = 0; i < 5; ++i) {
        Overtype(*steps[i].field, i == 0 ? "dl2zz" : steps[i].typed);
        Enter(*steps[i].field);
    }
    Screenshot("log-form-listener.png");
}

// A contest whose last received field is an LDK: it is there for German
// calls only, like the DOK; for others it is hidden with its caption, Enter
// saves from the field before, and what it held is not stored.
TEST_F(ContestLogStdTest, AnLdkInTheLastFieldFollowsTheDok) {
    contest::ContestEntry entry;
    contest::ContestDefinition d = contest::FillContestDefinition('a', entry);
    d.RcvdKinds = {contest::kKindNumber, contest::kKindFreeText, contest::kKindLdk};
    d.RcvdLabels = {"Nr", "Klasse", ""};
    d.SentKinds = {};
    d.SentValues = {};
    OpenWith(d, false, 'a');
    LogEntryPanel& p = Panel();
    const struct {
        const char* firstCall;  // typed first, with "K" put into the LDK field
        const char* call;       // the call finally logged
        const char* ldkCaption;
        const char* ldk;  // stored in Dok
        const char* rcvd;
    } cases[] = {
        {"dl1abc", "dl1abc", "&3 : LDK", "K", "59 005/A/K"},  // SSB
        {"dl1xyz", "oe1xyz", "(hidden)", "", "599005/A"},     // CW again
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.call);
        Type(*p.eCall, c.firstCall);
        QTest::keyClick(p.eCall, Qt::Key_3, Qt::AltModifier | Qt::KeypadModifier);
        ASSERT_EQ(Focused(), QStringLiteral("eRSTr4"));
        Type(*p.eRSTr[3], "k");
        QTest::mouseClick(p.eCall, Qt::LeftButton);
        Overtype(*p.eCall, c.call);
        // A change of mode (of two, F7 takes the other) lays the panel out
        // again; the rule stays.
        QTest::keyClick(p.eCall, Qt::Key_F7);
        ASSERT_EQ(Focused(), QStringLiteral("eCall"));
        EXPECT_EQ(Caption("eRSTr4"), QLatin1String(c.ldkCaption));
        Enter(*p.eCall);
        const char* typed[] = {"5", "a", "k"};
        for (std::size_t i = 1; i < 4 && Focused() == p.eRSTr[i]->objectName(); ++i) {
            Overtype(*p.eRSTr[i], typed[i - 1]);
            Enter(*p.eRSTr[i]);
        }
        EXPECT_EQ(Focused(), QStringLiteral("eCall"));
        const std::vector<QsoRecord> log = Records();
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(log.back().Call(), radio::UpperText(c.call));
        EXPECT_EQ(log::DokOf(log.back()), c.ldk);
        EXPECT_EQ(log::RcvdExchangeOf(log.back()), c.rcvd);
    }
    EXPECT_EQ(Records().size(), 2u);
}

// "Hilfe" hands the help archive to the desktop; without one the guide answers.
TEST_F(ContestLogStdTest, HelpOpensTheArchiveWhenThereIsOne) {
    Open();
    GuideHelp help(RunDir(), BuildTreeGuide());
    ui::ScopedHelpViewer installHelp(help);
    test::RecordingDesktop desktop;
    platform::ScopedDesktop install(desktop);
    const std::string archive = radio::Program().RunDir + kHelpArchive;
    for (const bool present : {false, true}) {
        if (present) std::ofstream(archive) << "archive";
        desktop.opened.clear();
        test::ClickOn(*form_, "btnHilfe");
        EXPECT_EQ(desktop.opened,
                  present ? std::vector<std::string>{archive} : std::vector<std::string>{});
    }
    EXPECT_TRUE(messages_.shown().empty()) << messages_.LastText();
}

TEST_F(ContestLogStdTest, ScreenshotShowsTheEntryPanelAndTheBandLog) {
    Open();
    Log("DL1ABC", "JO31AB");
    Log("OE1XYZ", "JN88EE");
    Type(*Panel().eCall, "DK2AA");
    Screenshot("log-form.png");
}

TEST_F(ContestLogStdTest, AltPChecksTheLogAndRebuildsADamagedIndex) {
    // A log of two index levels, where a wrong EntryCount can still look possible.
    number_ = AddEntry();
    ASSERT_TRUE(log::OpenContestLog(number_));
    for (int i = 0; i < 70; ++i) {
        QsoRecord contact;
        contact.SetCall("DL" + std::to_string(i) + "ABC");
        contact.SetBand('k');
        contact.SetMode("CW");
        contact.SetLocator("JO31AB");
        contact.SetDatum(radio::DayNumber(12, 8, 2012));
        contact.SetZeit(10 * 3600 + 60 * i);
        ASSERT_EQ(log::AddContact(*log::OpenLog(), contact), 0);
    }
    log::CloseContestLog();
    form_ = PrepareContestLog(number_, nullptr);
    ASSERT_NE(form_, nullptr);
    Show();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(messages_.LastText(), "Die Indizes des Logbuchs sind in Ordnung.");
    // The files reopen on their next use, as after the handle ring let them go;
    // meanwhile key 1's EntryCount went wrong on disk.
    ASSERT_EQ(store::CloseAllFiles(), 0);
    {
        std::fstream index(radio::Program().RunDir + log::LogFileName(number_) + ".IX",
                           std::ios::in | std::ios::out | std::ios::binary);
        index.seekp(22);
        index.put(71);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(messages_.LastText(),
              "Die Indizes des Logbuchs waren besch\xE4"
              "digt und wurden aus den QSOs neu "
              "aufgebaut.");
    EXPECT_EQ(log::OpenLog()->EntryCount(1), 70);
    const std::vector<QsoRecord> log = Records();
    ASSERT_EQ(log.size(), 70u);
    EXPECT_EQ(log[69].Call(), "DL69ABC");
    EXPECT_NE(BandLogText().find("DL0ABC"), std::string::npos) << BandLogText();
    EXPECT_EQ(messages_.shown().size(), 2u) << "no error besides";
    EXPECT_EQ(Focused(), QStringLiteral("eCall"));
}

}  // namespace
}  // namespace mss::app

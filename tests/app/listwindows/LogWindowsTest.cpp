// The windows around the log form driven as an operator drives them: the
// ADIF import from the button to the result box, the correction list and
// the call search by keys, the contest notes, the party overview; with
// screenshots of each.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDropEvent>
#include <QImage>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "app/AppTestSupport.h"
#include "app/listwindows/BandLogBrow.h"
#include "app/logform/ContestLogStart.h"
#include "app/logform/ContestLogStd.h"
#include "app/listwindows/ContestNotiz.h"
#include "app/listwindows/Formadifimport.h"
#include "app/listwindows/FortschrittAusgabe.h"
#include "app/listwindows/Korrekturstd.h"
#include "app/logform/LogEditDialog.h"
#include "app/logform/LogEntryPanel.h"
#include "app/listwindows/Partyauswertungform.h"
#include "contest/Catalogue.h"
#include "contest/ContestNotes.h"
#include "contest/StationFile.h"
#include "log/ContestLog.h"
#include "log/LogKeys.h"
#include "log/Scoring.h"
#include "platform/Clock.h"
#include "radio/DateTime.h"
#include "radio/Locator.h"
#include "ui/KxBrow.h"
#include "ui/KxBrowGrid.h"
#include "ui/KxEdit.h"

namespace mss::app {
namespace {

using log::QsoRecord;

using test::Screenshot;

class LogWindowsTest : public test::StoreTest {
  protected:
    void SetUp() override {
        StoreTest::SetUp();
        ASSERT_TRUE(test::OpenTestPrefixFiles());
    }
    void TearDown() override {
        form_.reset();
        test::CloseTestPrefixFiles();
        StoreTest::TearDown();
    }

    void Open(char code = 'j') {
        contest::ContestEntry entry;
        entry.SetCode(code);
        entry.SetName("MS Sprint 2012");
        entry.SetDateAuto(true);
        entry.SetTimeAuto(true);
        entry.SetStartDate(radio::DayNumber(12, 8, 2012));
        (void)contest::FillContestDefinition(code, entry);
        ASSERT_EQ(contest::AddContestEntry(entry, contest::ContestExtra{}, number_), 0);
        form_ = PrepareContestLog(number_, nullptr);
        ASSERT_NE(form_, nullptr);
        form_->show();
        QApplication::setActiveWindow(form_.get());
        form_->ClockTick();
    }

    LogEntryPanel& Panel() { return form_->Panel(); }
    void Log(const char* call, const char* locator) {
        QTest::keyClicks(Panel().eCall, QString::fromLatin1(call));
        QTest::keyClick(Panel().eCall, Qt::Key_Return);
        QTest::keyClicks(Panel().eRSTr[1], QString::fromLatin1(locator));
        QTest::keyClick(Panel().eRSTr[1], Qt::Key_Return);
    }
    std::vector<QsoRecord> Records() { return test::LogRecords(); }
    static std::string Rows(TKorrekturstd& window) { return test::BrowserText(window.Brow()); }

    platform::FakeClock clock_{{2012, 8, 12, 14, 0, 0}};  // 12:00 UTC with ClockOffset -2
    platform::ScopedClock installClock_{clock_};
    std::int32_t number_ = 0;
    std::unique_ptr<TContestLogStd> form_;
};

// Drops the file field `name` onto row `row` of the right list, as a drag
// from the left list ends.
void DropField(TFormadifimport& dialog, const QString& name, int row) {
    auto* right = dialog.findChild<QListWidget*>(QStringLiteral("ListeRechtsLB"));
    ASSERT_NE(right, nullptr);
    const QPoint at = right->visualItemRect(right->item(row)).center();
    QMimeData data;
    data.setData(QString::fromLatin1(kAdifFieldMime), name.toUtf8());
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(right->viewport(), &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(right->viewport(), &drop);
}

TEST_F(LogWindowsTest, AnImportFromTheButtonCountsTruthfullyAndScoresAsWorkedOutByHand) {
    Open();
    const std::string path = dir_.RunDir() + "sprint.adi";
    // The standard names map themselves; the locator comes under a name of
    // the writer's own and is dragged.
    std::ofstream(path, std::ios::binary)
        << "<ADIF_VER:5>3.1.4<EOH>\r\n"
           "<CALL:6>SP5ABC<QSO_DATE:8>20120812<TIME_ON:4>1200<BAND:2>2m<MODE:6>FSK441"
           "<APP_LOC:6>KO02MD<EOR>\r\n"
           "<CALL:6>SP5ABC<QSO_DATE:8>20120812<TIME_ON:4>1210<BAND:2>2m<MODE:2>CW"
           "<APP_LOC:6>KO02MD<EOR>\r\n"
           "<CALL:6>OK1XYZ<QSO_DATE:8>20120812<TIME_ON:4>1230<BAND:2>2m<MODE:3>SSB<EOR>\r\n"
           "<CALL:5>g4abc<QSO_DATE:8>20120813<TIME_ON:6>000000<BAND:2>2m<MODE:6>FSK441"
           "<APP_LOC:6>io91wm<EOR>\r\n"
           "<CALL:5>DL1XX<QSO_DATE:8>20120812<TIME_ON:4>1300<BAND:2>2m<MODE:4>MFSK"
           "<SUBMODE:6>MSK144<APP_LOC:6>JO31AA<EOR>\r\n";
    // The operator has started typing a contact; the import does not take it.
    QTest::keyClicks(Panel().eCall, QStringLiteral("DK2AA"));
    bool mapped = false;
    test::WhenModal<TFormadifimport>([&](TFormadifimport& dialog) {
        auto* start = dialog.findChild<QPushButton*>(QStringLiteral("btnStart"));
        auto* left = dialog.findChild<QListWidget*>(QStringLiteral("ListeLinks"));
        EXPECT_FALSE(start->isEnabled());
        EXPECT_FALSE(dialog.LoadFile(QString::fromStdString(dir_.RunDir() + "missing.adi")));
        EXPECT_EQ(messages_.LastText(), "Datei existiert nicht");
        messages_.Clear();
        ASSERT_TRUE(dialog.LoadFile(QString::fromStdString(path)));
        ASSERT_EQ(left->count(), 1);
        EXPECT_EQ(left->item(0)->text(), QStringLiteral("APP_LOC"));
        EXPECT_TRUE(start->isEnabled());
        auto* digital = dialog.findChild<QCheckBox*>(QStringLiteral("cDigital"));
        ASSERT_NE(digital, nullptr);
        EXPECT_TRUE(digital->isChecked());
        // Right list: CALL QSO_DATE TIME_ON RST_SENT RST_RCVD BAND FREQ MODE SUBMODE LOC.
        DropField(dialog, QStringLiteral("APP_LOC"), 9);
        DropField(dialog, QStringLiteral("APP_LOC"), 0);  // a mapped entry takes no second field
        auto* right = dialog.findChild<QListWidget*>(QStringLiteral("ListeRechtsLB"));
        EXPECT_EQ(right->item(9)->text(), QStringLiteral("LOC (APP_LOC)"));
        EXPECT_EQ(right->item(0)->text(), QStringLiteral("CALL (CALL)"));
        EXPECT_EQ(right->item(6)->text(), QStringLiteral("FREQ"));
        EXPECT_EQ(left->count(), 0);
        Screenshot(dialog, "adif-import.png");
        mapped = true;
        QTest::mouseClick(start, Qt::LeftButton);
    });
    // While the import's progress window is up, the form's clock is stopped.
    auto* clockTimer = form_->findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_NE(clockTimer, nullptr);
    int probedDuringImport = 0;
    int tickingDuringImport = 0;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (qobject_cast<TFortschrittAusgabe*>(w) == nullptr || !w->isVisible()) continue;
            ++probedDuringImport;
            if (clockTimer->isActive()) ++tickingDuringImport;
        }
    });
    probe.start(0);
    QTest::mouseClick(form_->findChild<QPushButton*>(QStringLiteral("btnImport")), Qt::LeftButton);
    probe.stop();
    ASSERT_TRUE(mapped);
    EXPECT_GT(probedDuringImport, 0);
    EXPECT_EQ(tickingDuringImport, 0);
    EXPECT_TRUE(clockTimer->isActive());
    ASSERT_EQ(messages_.shown().size(), 1u) << messages_.LastText();
    EXPECT_EQ(messages_.LastText(),
              "4 Datens\xE4tze importiert\r\n1 davon als Digitalmode des Contests gewertet\r\n"
              "1 Calls doppelt");
    const std::vector<QsoRecord> log = Records();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[1].Call(), "OK1XYZ");
    EXPECT_EQ(log[1].Punkte(), 0);
    EXPECT_EQ(log[2].Call(), "G4ABC");
    EXPECT_EQ(log[2].Locator(), "IO91WM");
    EXPECT_EQ(log[2].Zeit(), 0);
    EXPECT_EQ(log[2].Datum(), radio::DayNumber(13, 8, 2012));
    EXPECT_EQ(log[3].Mode(), "MSK144");
    const std::int64_t score = radio::QrbKm("JO62MM", "KO02MD") + radio::QrbKm("JO62MM", "IO91WM") +
                               radio::QrbKm("JO62MM", "JO31AA");
    EXPECT_EQ(log::Score(form_->Session()), score);
    EXPECT_EQ(log[0].Punkte() + log[2].Punkte() + log[3].Punkte(), score);
    EXPECT_TRUE(Panel().eCall->text().isEmpty());  // a new contact after the import
}

TEST_F(LogWindowsTest, TheCorrectionListEditsAndDeletesByKeys) {
    Open();
    Log("DL1ABC", "JO31AB");
    Log("OE1XYZ", "JN88EE");
    Log("SP5ABC", "KO02MD");
    bool edited = false;
    test::WhenModal<TKorrekturstd>([&](TKorrekturstd& window) {
        EXPECT_NE(Rows(window).find("SP5ABC"), std::string::npos) << Rows(window);
        QWidget* grid = window.Brow().findChild<QWidget*>(QStringLiteral("grid"));
        ASSERT_NE(grid, nullptr);
        // Rows hold a whole line of the grid's text, descenders included.
        EXPECT_GE(static_cast<ui::TkxBrowGrid*>(grid)->RowHeight(), grid->fontMetrics().height());
        Screenshot(window, "correction-list.png");
        // Up from the last contact: OE1XYZ; Enter edits it.
        test::WhenModal<Teingabecontstd2>([&](Teingabecontstd2& dialog) {
            auto* locator = dialog.findChild<ui::TkxEdit*>(QStringLiteral("eRSTr2"));
            ASSERT_NE(locator, nullptr);
            EXPECT_EQ(locator->text(), QStringLiteral("JN88EE"));
            locator->selectAll();
            QTest::keyClicks(locator, QStringLiteral("JO40AA"));
            edited = true;
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("btnOK")),
                              Qt::LeftButton);
        });
        QTest::keyClick(grid, Qt::Key_Up);
        QTest::keyClick(grid, Qt::Key_Return);
        // Ctrl+Home to the first contact; Del deletes it, confirmed.
        messages_.SetNextAnswers({true});
        QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(grid, Qt::Key_Delete);
        EXPECT_EQ(Rows(window).find("DL1ABC"), std::string::npos) << Rows(window);
        QTest::keyClick(grid, Qt::Key_Escape);
    });
    QTest::keyClick(Panel().eCall, Qt::Key_F12);
    ASSERT_TRUE(edited);
    const std::vector<QsoRecord> log = Records();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].Call(), "OE1XYZ");
    EXPECT_EQ(log[0].LfdNr(), 1);
    EXPECT_EQ(log[0].Locator(), "JO40AA");
    EXPECT_EQ(log[0].Punkte(), radio::QrbKm("JO40AA"));
    EXPECT_EQ(log::Score(form_->Session()), radio::QrbKm("JO40AA") + radio::QrbKm("KO02MD"));
}

TEST_F(LogWindowsTest, TheCallSearchFindsACallAndLeavesTheContactBeingTyped) {
    Open();
    Log("DL1ABC", "JO31AB");
    Log("OE1XYZ", "JN88EE");
    QTest::keyClicks(Panel().eCall, QStringLiteral("DK2AA"));
    QTest::keyClicks(Panel().eRSTr[1], QStringLiteral("JO40"));
    const log::PanelValues before = Panel().Values();
    const std::string contactBefore = log::BufferRecord(*form_->Session().log).Call();
    bool searched = false;
    {
        test::WhenModal<TSucheQE>([&](TSucheQE& dialog) {
            auto& window = *qobject_cast<TKorrekturstd*>(dialog.parentWidget());
            QTest::keyClicks(dialog.findChild<QLineEdit*>(QStringLiteral("eSuche")),
                             QStringLiteral("oe1xyz/p"));
            Screenshot(dialog, "call-search.png");
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("btnSuche")),
                              Qt::LeftButton);
            // The search runs when the small dialog has closed: look at the
            // list once the list window is the modal one again.
            auto* poll = new QTimer(&window);
            QObject::connect(poll, &QTimer::timeout, &window, [this, &window, &searched, poll] {
                if (QApplication::activeModalWidget() != &window) return;
                poll->stop();
                const std::string rows = Rows(window);
                EXPECT_NE(rows.find("OE1XYZ"), std::string::npos) << rows;
                EXPECT_EQ(rows.find("DL1ABC"), std::string::npos) << rows;
                window.SearchCall(QStringLiteral("G4XXX"));
                EXPECT_EQ(Rows(window), "");  // a call not in the log: an empty list
                window.SearchCall(QStringLiteral("OE1XYZ"));
                // Deleting the found contact leaves the one being typed.
                messages_.SetNextAnswers({true});
                QTest::keyClick(window.Brow().findChild<QWidget*>(QStringLiteral("grid")),
                                Qt::Key_Delete);
                searched = true;
                window.reject();
            });
            poll->start(10);
        });
    }
    QTest::keyClick(Panel().eCall, Qt::Key_F4);
    ASSERT_TRUE(searched);
    const log::PanelValues after = Panel().Values();
    EXPECT_EQ(after.call, before.call);
    EXPECT_EQ(after.rcvd.field2, before.rcvd.field2);
    EXPECT_EQ(after.call, "DK2AA");
    EXPECT_EQ(log::BufferRecord(*form_->Session().log).Call(), contactBefore);
    const std::vector<QsoRecord> log = Records();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].Call(), "DL1ABC");
    EXPECT_EQ(log::Score(form_->Session()), radio::QrbKm("JO31AB"));
}

TEST_F(LogWindowsTest, TheBandLogWindowShowsTheCurrentBandWhenTheBandDialogIsCancelled) {
    Open();
    Log("DL1ABC", "JO31AB");
    bool shown = false;
    {
        test::WhenModal<Tstdband>([&](Tstdband& dialog) {
            auto& window = *qobject_cast<TKorrekturstd*>(dialog.parentWidget());
            Screenshot(dialog, "band-choice.png");
            dialog.reject();
            QTimer::singleShot(0, &window, [&] {
                EXPECT_NE(Rows(window).find("DL1ABC"), std::string::npos) << Rows(window);
                EXPECT_TRUE(window.windowTitle().startsWith(QStringLiteral("Band - Log")));
                shown = true;
                window.resize(500, 300);
                window.reject();
            });
        });
    }
    QTest::keyClick(Panel().eCall, Qt::Key_F3, Qt::AltModifier);
    ASSERT_TRUE(shown);
    // The next list window opens where the last one was closed.
    bool placed = false;
    test::WhenModal<TKorrekturstd>([&](TKorrekturstd& window) {
        EXPECT_EQ(window.size(), QSize(500, 300));
        placed = true;
        window.reject();
    });
    QTest::keyClick(Panel().eCall, Qt::Key_F12);
    EXPECT_TRUE(placed);
}

TEST_F(LogWindowsTest, EachOpeningOfTheNotesStampsALineAndTheWindowKeepsItsPlace) {
    Open();
    QTest::keyClicks(Panel().eCall, QStringLiteral("dl1abc"));
    const std::string path = contest::NotesFileName(dir_.RunDir(), number_);
    test::WhenModal<TContestNotiz>([&](TContestNotiz& dialog) {
        auto* memo = dialog.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
        EXPECT_EQ(memo->textCursor().position(), 30);
        QTest::keyClicks(memo, QStringLiteral("Es gibt Reflexionen"));
        dialog.setGeometry(100, 120, 400, 300);
        Screenshot(dialog, "contest-notes.png");
        QTest::keyClick(memo, Qt::Key_Escape);
    });
    QTest::keyClick(Panel().eCall, Qt::Key_F6);
    EXPECT_EQ(contest::ReadStationFile(path).value_or(""),
              "12.08.2012 12:00 DL1ABC     > Es gibt Reflexionen");
    // The second opening is closed without saving: its stamp stays.
    clock_.SetLocal({2012, 8, 12, 14, 5, 0});
    test::WhenModal<TContestNotiz>([&](TContestNotiz& dialog) {
        EXPECT_EQ(dialog.geometry(), QRect(100, 120, 400, 300));
        dialog.reject();
    });
    QTest::keyClick(Panel().eCall, Qt::Key_F6);
    EXPECT_EQ(contest::ReadStationFile(path).value_or(""),
              "12.08.2012 12:05 DL1ABC     > \n"
              "12.08.2012 12:00 DL1ABC     > Es gibt Reflexionen");
    EXPECT_EQ(form_->Session().entry.NoteWidth(), 400);
}

TEST_F(LogWindowsTest, TheEvaluationButtonIsThereOnlyWhereTheContestShowsTheOverview) {
    struct Case {
        char code;
        bool shown;
    };
    for (const Case c : {Case{'j', false}, Case{'P', true}}) {
        SCOPED_TRACE(c.code);
        Open(c.code);
        auto* button = form_->findChild<QPushButton*>(QStringLiteral("btnAuswertung"));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->isVisible(), c.shown);
        if (c.shown) {
            Screenshot(*form_, "log-form-party.png");
            // The button opens what F11 opens.
            int opened = 0;
            for (int i = 0; i < 2; ++i) {
                test::WhenModal<Tpartyauswertungform>([&](Tpartyauswertungform& window) {
                    EXPECT_EQ(window.windowTitle(), QStringLiteral("\u00DCbersicht"));
                    ++opened;
                    window.reject();
                });
                if (i == 0)
                    QTest::mouseClick(button, Qt::LeftButton);
                else
                    QTest::keyClick(Panel().eCall, Qt::Key_F11);
            }
            EXPECT_EQ(opened, 2);
            // Without a start date there is nothing to count ages against.
            form_->Session().entry.SetStartDate(0);
            QTest::mouseClick(button, Qt::LeftButton);
            EXPECT_EQ(messages_.LastText(), "Der Beginn des Contestes wurde nicht angegeben.");
        }
        form_.reset();
    }
}

TEST_F(LogWindowsTest, ThePartyOverviewDrawsOneBarPerAgeScaledToTheNextTen) {
    Open();
    store::TFileblockObject& log = *form_->Session().log;
    const std::vector<std::pair<const char*, int>> contacts = {
        {"59937", 5}, {"59937", 5}, {"59992", 5}, {"599XX", 5}, {"59940", 0}};
    for (const auto& [exchange, points] : contacts) {
        QsoRecord r;
        r.SetCall("DL1ABC");
        r.SetBand('k');
        r.SetDatum(radio::DayNumber(12, 8, 2012));
        r.SetZeit(0);
        log::StoreRcvdExchange(r, exchange);
        r.SetPunkte(points);
        ASSERT_EQ(log::AddContact(log, r), 0);
    }
    Tpartyauswertungform window(log, form_.get());
    window.show();
    // Ten is the least top: 2 contacts reach 50 + 200 * 8 / 10.
    EXPECT_EQ(window.Chart().BarTop(37), 210);
    EXPECT_EQ(window.Chart().BarTop(90), 230);
    EXPECT_EQ(window.Chart().BarTop(1), 230);
    EXPECT_EQ(window.Chart().BarTop(40), 250);  // 0 points: not counted
    window.findChild<QRadioButton*>(QStringLiteral("rZehn"))->click();
    EXPECT_EQ(window.Chart().BarTop(30), 210);
    window.findChild<QRadioButton*>(QStringLiteral("rEins"))->click();
    Screenshot(window, "party-overview.png");
}

}  // namespace
}  // namespace mss::app

// The band log, the score panels and the progress window over a real
// contest log, driven offscreen as the operator would.
#include "app/listwindows/BandLogBrow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QTest>

#include "app/logform/BandScorePanel.h"
#include "app/logform/EntryScoreLabels.h"
#include "app/listwindows/FortschrittAusgabe.h"
#include "app/logform/MultiplierBoard.h"
#include "common/QtApp.h"
#include "log/ContestLog.h"
#include "log/LogKeys.h"
#include "log/LogTestSupport.h"
#include "log/Renumber.h"
#include "ui/KxBrowGrid.h"

namespace mss::app {
namespace {

using log::QsoRecord;
using log::test::Contact;
using log::test::Hms;

class BandLogBrowTest : public log::test::ContestLogTest {
  protected:
    static void SetUpTestSuite() { mss::test::QtApp(); }

    void SetUp() override {
        ContestLogTest::SetUp();
        session_.definition.Bands = {'k', 'l'};
        const std::pair<const char*, char> contacts[] = {
            {"DL1AAA", 'k'}, {"OK1BBB", 'k'}, {"SP6CCC", 'k'},
            {"DK2DDD", 'l'}, {"OE3EEE", 'l'}, {"9A1FFF", 'k'},
        };
        int minute = 0;
        for (const auto& [call, band] : contacts) {
            QsoRecord r = Contact(call, band, "CW", Hms(10, minute++), "JO31NF");
            log::test::TakeLocator(r, "JO31NF");
            ASSERT_TRUE(Save(r));
        }
        session_.band = 'k';
        log::Recount(session_, true);
    }

    std::unique_ptr<TBandLogBrow> OpenBandLog() {
        TBandLogBrow::Callbacks callbacks;
        callbacks.edit = [this](const QsoRecord& r) { edited_.push_back(r.Call()); };
        callbacks.remove = [this](const QsoRecord& r) { removed_.push_back(r.Call()); };
        callbacks.storeEntry = [this] { ++stored_; };
        auto brow = std::make_unique<TBandLogBrow>(session_, callbacks);
        brow->resize(900, 300);
        brow->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(brow.get()));
        EXPECT_TRUE(brow->Open());
        return brow;
    }
    static ui::TkxBrowGrid& Grid(TBandLogBrow& brow) {
        return *brow.findChild<ui::TkxBrowGrid*>(QStringLiteral("grid"));
    }
    // The calls the band log shows, top to bottom.
    static std::vector<std::string> Calls(TBandLogBrow& brow) {
        std::vector<std::string> calls;
        for (const ui::GridRow& row : Grid(brow).Rows())
            calls.push_back(row.cells.value(3).trimmed().toStdString());
        return calls;
    }
    // The x of the right border of column c (0-based) in the heading line.
    static int Border(TBandLogBrow& brow, int c) {
        int x = 0;
        for (int i = 1; i <= c + 1; ++i) x += brow.ColumnWidth(i) + ui::kGridLine;
        return x - ui::kGridLine;
    }

    std::vector<std::string> edited_;
    std::vector<std::string> removed_;
    int stored_ = 0;
};

TEST_F(BandLogBrowTest, OpensOverTheWholeLogInNumberOrder) {
    auto brow = OpenBandLog();
    EXPECT_EQ(brow->objectName(), "Brow");
    EXPECT_EQ(brow->SortKeyNr(), log::kByNummer);
    EXPECT_EQ(Calls(*brow), (std::vector<std::string>{"DL1AAA", "OK1BBB", "SP6CCC", "DK2DDD",
                                                      "OE3EEE", "9A1FFF"}));
    const ui::GridRow& first = Grid(*brow).Rows().front();
    EXPECT_EQ(first.cells.value(0).trimmed(), "1");
    EXPECT_EQ(first.cells.value(2).trimmed(), "10:00");
    EXPECT_EQ(first.cells.value(7).trimmed(), "599 JO31NF");
    EXPECT_EQ(first.cells.value(8).trimmed().toInt(), radio::QrbKm("JO31NF"));
    EXPECT_EQ(brow->ColumnCount(), 13);
    EXPECT_FALSE(brow->findChild<QComboBox*>("cbSortierung")->isVisibleTo(brow.get()));
    EXPECT_FALSE(brow->findChild<QWidget*>("eSuche")->isVisibleTo(brow.get()));
    EXPECT_EQ(Grid(*brow).focusPolicy(), Qt::ClickFocus) << "not reachable with Tab";
}

TEST_F(BandLogBrowTest, OrdersFollowTheHeadingsAndTheCurrentBand) {
    auto brow = OpenBandLog();
    brow->ShowOrder(log::kBandByNumber);
    EXPECT_EQ(Calls(*brow), (std::vector<std::string>{"DL1AAA", "OK1BBB", "SP6CCC", "9A1FFF"}));
    session_.band = 'l';
    brow->BandChanged();
    EXPECT_EQ(Calls(*brow), (std::vector<std::string>{"DK2DDD", "OE3EEE"}));
    EXPECT_EQ(brow->Order(), log::kBandByNumber);
    // A contact just saved is shown under the cursor.
    ASSERT_TRUE(Save(Contact("YU1XYZ", 'l', "CW", Hms(12, 0))));
    brow->ShowRecord(log::BufferRecord(*session_.log), session_.log->CurrentRef());
    ASSERT_TRUE(brow->ReadCurrent());
    EXPECT_EQ(log::BufferRecord(*session_.log).Call(), "YU1XYZ");
    EXPECT_EQ(Calls(*brow), (std::vector<std::string>{"DK2DDD", "OE3EEE", "YU1XYZ"}));

    // A click on the fifth heading picks the fifth order: all by call.
    QWidget* header = brow->findChild<QWidget*>("headerLine");
    QTest::mouseClick(header, Qt::LeftButton, {}, QPoint(Border(*brow, 3) + 10, 5));
    EXPECT_EQ(brow->Order(), log::kAllByCall);
    EXPECT_EQ(Calls(*brow), (std::vector<std::string>{"9A1FFF", "DK2DDD", "DL1AAA", "OE3EEE",
                                                      "OK1BBB", "SP6CCC", "YU1XYZ"}));
    // The second heading: the band by call, on the current band.
    QTest::mouseClick(header, Qt::LeftButton, {}, QPoint(Border(*brow, 0) + 10, 5));
    EXPECT_EQ(brow->Order(), log::kBandByCall);
    EXPECT_EQ(Calls(*brow), (std::vector<std::string>{"DK2DDD", "OE3EEE", "YU1XYZ"}));
}

TEST_F(BandLogBrowTest, ColumnWidthsComeFromTheEntryAndAreKeptOnEveryOrderChange) {
    session_.entry.SetColumnWidth(0, 50);
    session_.entry.SetColumnWidth(3, 120);
    auto brow = OpenBandLog();
    EXPECT_EQ(brow->ColumnWidth(1), 50);
    EXPECT_EQ(brow->ColumnWidth(4), 120);
    const int xWidth = Grid(*brow).fontMetrics().horizontalAdvance(QLatin1Char('X'));
    EXPECT_EQ(brow->ColumnWidth(2), 8 * xWidth) << "no width kept yet: the heading's";

    // The operator widens the call column by dragging its border.
    QWidget* header = brow->findChild<QWidget*>("headerLine");
    const int border = Border(*brow, 3);
    QTest::mousePress(header, Qt::LeftButton, {}, QPoint(border, 5));
    QTest::mouseMove(header, QPoint(border + 40, 5));
    QTest::mouseRelease(header, Qt::LeftButton, {}, QPoint(border + 40, 5));
    EXPECT_EQ(brow->ColumnWidth(4), 160);
    EXPECT_EQ(stored_, 0);

    brow->ShowOrder(log::kAllByCall);
    EXPECT_EQ(stored_, 1);
    brow->ShowOrder(log::kAllByCall);
    EXPECT_EQ(stored_, 1) << "no change of order, nothing stored";
    EXPECT_EQ(session_.entry.ColumnWidth(3), 160);
    EXPECT_EQ(session_.entry.ColumnWidth(0), 50);
    EXPECT_EQ(session_.entry.ColumnWidth(1), 8 * xWidth);
    EXPECT_EQ(brow->ColumnWidth(4), 160) << "the new order shows the kept widths";
    brow->KeepColumnWidths();
    EXPECT_EQ(stored_, 2);
}

TEST_F(BandLogBrowTest, EnterDoubleClickAndDelHandTheContactToTheForm) {
    Put(log::test::BandChange('k', 'l', Hms(11, 0)));
    auto brow = OpenBandLog();
    Grid(*brow).setFocus();
    QTest::keyClick(&Grid(*brow), Qt::Key_Down);
    QTest::keyClick(&Grid(*brow), Qt::Key_Return);
    EXPECT_EQ(edited_, std::vector<std::string>{"OK1BBB"});

    const int rowHeight = Grid(*brow).height() / Grid(*brow).VisibleRows();
    QTest::mouseDClick(&Grid(*brow), Qt::LeftButton, {}, QPoint(40, 2 * rowHeight + 3));
    EXPECT_EQ(edited_, (std::vector<std::string>{"OK1BBB", "SP6CCC"}));

    QTest::keyClick(&Grid(*brow), Qt::Key_Delete);
    EXPECT_EQ(removed_, std::vector<std::string>{"SP6CCC"});
    EXPECT_TRUE(messages_.shown().empty()) << "the form asks its own questions";
    EXPECT_EQ(Records().size(), 7u) << "the band log itself deletes nothing";

    // The band-change marker at the end is neither edited nor deleted.
    QTest::keyClick(&Grid(*brow), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(Grid(*brow).Rows().back().cells.value(3).trimmed(), "*** QSY 70 CM ***");
    QTest::keyClick(&Grid(*brow), Qt::Key_Return);
    QTest::keyClick(&Grid(*brow), Qt::Key_Delete);
    EXPECT_EQ(edited_.size(), 2u);
    EXPECT_EQ(removed_.size(), 1u);

    // The first row's slot now holds another contact (deleted and taken
    // again behind the list's back): Enter and Del act on nothing, and the
    // list shows the log as it is.
    QTest::keyClick(&Grid(*brow), Qt::Key_Home, Qt::ControlModifier);
    store::TFileblockObject& log = *session_.log;
    ASSERT_EQ(log.First(log::kByNummer), 0);
    QsoRecord other = log::BufferRecord(log);
    const QString gone = QString::fromStdString(other.Call());
    other.SetCall("DK9ZZZ");
    other.SetNummer(other.Nummer() + 100);
    log::SetBufferRecord(log, other);
    ASSERT_EQ(log.Update(), 0);
    QTest::keyClick(&Grid(*brow), Qt::Key_Return);
    EXPECT_EQ(edited_.size(), 2u);
    EXPECT_TRUE(messages_.shown().empty()) << messages_.LastText();
    QStringList calls;
    for (const ui::GridRow& row : Grid(*brow).Rows()) calls << row.cells.value(3).trimmed();
    EXPECT_TRUE(calls.contains("DK9ZZZ") && !calls.contains(gone)) << calls.join(' ').toStdString();
    // Del then acts on the contact the cursor's row shows now.
    QTest::keyClick(&Grid(*brow), Qt::Key_Delete);
    ASSERT_EQ(removed_.size(), 2u);
    EXPECT_EQ(QString::fromStdString(removed_.back()), calls.front());
}

// Counts what the pass shows while it runs.
class WatchedProgress : public TFortschrittAusgabe {
  public:
    using TFortschrittAusgabe::TFortschrittAusgabe;
    void Advance(std::int32_t position) override {
        TFortschrittAusgabe::Advance(position);
        visibleWhileRunning = visibleWhileRunning && isVisible();
        hourglass = hourglass && QApplication::overrideCursor() &&
                    QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        positions.push_back(findChild<QProgressBar*>("ProgressBar1")->value());
    }
    bool visibleWhileRunning = true;
    bool hourglass = true;
    std::vector<int> positions;
};

TEST_F(BandLogBrowTest, ProgressWindowShowsARenumberingAndStopsTheFormsTimers) {
    for (int i = 0; i < 25; ++i)
        ASSERT_TRUE(Save(Contact("DL" + std::to_string(i) + "XX", 'k', "CW", Hms(13, i))));
    WatchedProgress window(QStringLiteral("Neunummerierung"));
    int started = 0, finished = 0;
    QObject::connect(&window, &TFortschrittAusgabe::PassStarted, [&] { ++started; });
    QObject::connect(&window, &TFortschrittAusgabe::PassFinished, [&] { ++finished; });
    EXPECT_EQ(log::Renumber(session_, window), log::RenumberResult::kDone);
    EXPECT_EQ(window.windowTitle(), "Neunummerierung");
    EXPECT_EQ(window.findChild<QLabel*>("Label1")->text(), "Neunummerierung");
    EXPECT_FALSE(window.findChild<QLabel*>("Label3")->isVisibleTo(&window));
    EXPECT_FALSE(window.findChild<QLabel*>("Label4")->isVisibleTo(&window));
    EXPECT_EQ(window.findChild<QProgressBar*>("ProgressBar1")->y(),
              window.findChild<QLabel*>("Label4")->y());
    EXPECT_EQ(window.findChild<QProgressBar*>("ProgressBar1")->maximum(), 31);
    EXPECT_EQ(window.positions, (std::vector<int>{10, 20, 30}));
    EXPECT_TRUE(window.visibleWhileRunning);
    EXPECT_TRUE(window.hourglass);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(started, 1);
    EXPECT_EQ(finished, 1);
    // With MSS_SCREENSHOT_DIR set the window is saved there as progress.png.
    const QString out = QString::fromLocal8Bit(qgetenv("MSS_SCREENSHOT_DIR"));
    if (!out.isEmpty()) {
        EXPECT_TRUE(window.grab().save(out + QStringLiteral("/progress.png")));
    }
}

TEST_F(BandLogBrowTest, ScorePanelsShowTheTotals) {
    TBandScorePanel panel;
    TEntryScoreLabels labels;
    TMultiplierBoard board;
    panel.Refresh(session_);
    labels.Refresh(session_);
    board.Refresh(session_);
    const int km = radio::QrbKm("JO31NF");
    auto text = [&](const char* name) {
        return panel.findChild<QLabel*>(QString::fromLatin1(name))->text();
    };
    EXPECT_EQ(text("lBand1"), "2 m");
    EXPECT_EQ(text("lQso1").trimmed(), "4");
    EXPECT_EQ(text("lPunkte1").trimmed().toInt(), 4 * km);
    EXPECT_EQ(text("lBand2"), "70 cm");
    EXPECT_EQ(text("lQso2").trimmed(), "2");
    EXPECT_FALSE(panel.findChild<QLabel*>("lBand3")->isVisibleTo(&panel));
    EXPECT_FALSE(panel.findChild<QLabel*>("lMulti1")->isVisibleTo(&panel));
    EXPECT_EQ(panel.findChild<QLabel*>("lBand1")->palette().color(QPalette::Window),
              QColor(255, 255, 0));
    EXPECT_EQ(panel.findChild<QLabel*>("lBand2")->palette().color(QPalette::Window),
              QColor(192, 192, 192));
    EXPECT_EQ(text("lQsoGesamt"), "6 QSO");
    EXPECT_EQ(text("lScore"), QString::number(6 * km) + " Pkt.");
    EXPECT_FALSE(labels.ScoreShown());
    EXPECT_FALSE(labels.findChild<QLabel*>("lPunkte")->isVisibleTo(&labels));
    EXPECT_FALSE(board.isVisibleTo(nullptr));

    // With prefixes counted the board shows the new one in red.
    session_.definition.Features.set(2);
    QsoRecord typed = Contact("OK2ZZZ", 'k', "CW", Hms(14, 0));
    typed.SetPrefix("OK");
    log::EvaluateMultipliers(session_, typed);
    board.Refresh(session_);
    auto* cell = board.findChild<QLabel*>("lMult1_1");
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->text(), "OK");
    EXPECT_EQ(cell->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_TRUE(cell->font().bold());
    EXPECT_EQ(board.findChild<QLabel*>("lMult8_14")->text(), ".");
}

// With MSS_SCREENSHOT_DIR set the band log and the score panel are saved
// there as band-log.png.
TEST_F(BandLogBrowTest, ScreenshotOfTheBandLogAndTheScorePanel) {
    QWidget window;
    auto* layout = new QHBoxLayout(&window);
    TBandLogBrow::Callbacks none;
    auto* brow = new TBandLogBrow(session_, none, &window);
    auto* panel = new TBandScorePanel(&window);
    layout->addWidget(brow, 1);
    layout->addWidget(panel);
    Put(log::test::BandChange('k', 'l', Hms(11, 0)));
    window.resize(1000, 320);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(brow->Open());
    panel->Refresh(session_);
    layout->activate();
    QApplication::processEvents();
    const QImage shot = window.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    const QPoint current = panel->findChild<QLabel*>("lQso1")->geometry().center();
    EXPECT_EQ(shot.pixelColor(panel->mapTo(&window, current) + QPoint(-8, 0)), QColor(255, 255, 0));
    const QString out = QString::fromLocal8Bit(qgetenv("MSS_SCREENSHOT_DIR"));
    if (!out.isEmpty()) {
        EXPECT_TRUE(shot.save(out + QStringLiteral("/band-log.png")));
    }
}

}  // namespace
}  // namespace mss::app

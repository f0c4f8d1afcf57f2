#include "ui/KxBrow.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <cstdlib>

#include "KxBrowTestSupport.h"
#include "common/QtApp.h"
#include "platform/Cp1252.h"
#include "platform/Messages.h"
#include "ui/KxBrowGrid.h"

namespace mss::ui::test {
namespace {

class KxBrowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { mss::test::QtApp(); }

    KxBrowTest() : installed_(messages_) {}

    // A browser over key 1 of the log with a sort list "Nr", "Call" and
    // headings per key, shown at a size that fits 20 rows.
    TkxBrow& Open(int records, int keyNr = kNumberKey, BrowRange range = {}) {
        log_.AddNumbered(records);
        brow_ = std::make_unique<TkxBrow>();
        BrowEvents& e = brow_->Events();
        e.OnBuildRow = [this](RowRec& row) { BuildLogRow(log_.Object(), row); };
        e.OnSetHeaderFooter = [this] {
            ++headerRequests_;
            brow_->SetHeaderFooter(brow_->SortKeyNr() == kCallKey ? "Call;Nr" : "Nr;Call", "");
        };
        e.OnInitSortList = [this] {
            brow_->AddSortEntry("Nr");
            brow_->AddSortEntry("Call");
        };
        e.OnSortList2Key = [](int i, std::string& low, std::string& high) {
            low.clear();
            high.clear();
            return i == 0 ? kNumberKey : kCallKey;
        };
        brow_->resize(600, 20 * (brow_->findChild<TkxBrowGrid*>("grid")->RowHeight() + 1) + 120);
        brow_->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(brow_.get()));
        EXPECT_TRUE(brow_->Init(&log_.Object(), keyNr, range.lowKey, range.highKey, false));
        // Pin the window at 20 rows whatever the platform's font metrics.
        brow_->SetRowHeight(brow_->findChild<TkxBrowGrid*>("grid")->height() / 20 - 1);
        brow_->FirstPage();
        return *brow_;
    }

    TkxBrowGrid& Grid() { return *brow_->findChild<TkxBrowGrid*>("grid"); }
    QLineEdit& Search() { return *brow_->findChild<QLineEdit*>("eSuche"); }
    QComboBox& SortList() { return *brow_->findChild<QComboBox*>("cbSortierung"); }

    // The running number of the cursor's record.
    int CursorNumber() {
        return log_.Object().Read(brow_->CurrentRef()) == 0 ? Number(log_.Object().RecordBuffer())
                                                            : 0;
    }
    // The first cell of every grid row.
    std::vector<int> Shown() {
        std::vector<int> numbers;
        for (const GridRow& row : Grid().Rows()) numbers.push_back(row.cells.value(0).toInt());
        return numbers;
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&Grid(), key, modifiers);
    }

    platform::ScriptedMessages messages_;
    platform::ScopedMessages installed_;
    BrowLog log_;
    std::unique_ptr<TkxBrow> brow_;
    int headerRequests_ = 0;
};

TEST_F(KxBrowTest, AnEmptyFileblockShowsOnlyHeadingsAndIgnoresMovesAndDelete) {
    TkxBrow& b = Open(0);
    EXPECT_TRUE(Grid().Rows().empty());
    EXPECT_EQ(b.findChild<QScrollBar*>("vScroll")->maximum(), 0);
    EXPECT_EQ(b.ColumnCount(), 2);
    Key(Qt::Key_Down);
    Key(Qt::Key_PageDown);
    Key(Qt::Key_Delete);
    EXPECT_TRUE(messages_.shown().empty());
    EXPECT_EQ(b.CurrentRef(), 0);
    EXPECT_EQ(b.CurrentKey(), "");
    EXPECT_FALSE(b.ReadCurrent());
}

TEST_F(KxBrowTest, InitFailuresAreReportedAndLeaveTheBrowserInert) {
    TkxBrow brow;
    EXPECT_FALSE(brow.Init(nullptr, 1, "", "", false));
    EXPECT_EQ(platform::Cp1252ToUtf8(messages_.LastText()), "ungültiger Treiber");
    EXPECT_FALSE(brow.Init(&log_.Object(), 4, "", "", false));
    EXPECT_EQ(platform::Cp1252ToUtf8(messages_.LastText()), "Fehler beim Öffnen der Datenbanken!");
    brow.Events().OnSetHeaderFooter = [] { throw std::runtime_error("broken"); };
    EXPECT_FALSE(brow.Init(&log_.Object(), 1, "", "", false));
    EXPECT_EQ(messages_.LastText(), "Fehler beim Erstellen der Liste! (FNr 11)");
    EXPECT_EQ(brow.SortKeyNr(), 0);
    brow.NextPage();
    EXPECT_EQ(brow.CurrentRef(), 0);
}

TEST_F(KxBrowTest, KeysMoveTheCursorAcrossPagesAndToBothEnds) {
    TkxBrow& b = Open(10000);
    EXPECT_EQ(Shown(), Span(1, 20));
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    EXPECT_EQ(CursorNumber(), 3);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(Shown(), Span(21, 40));
    EXPECT_EQ(CursorNumber(), 23);
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(Shown(), Span(9981, 10000));
    EXPECT_EQ(CursorNumber(), 10000);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(CursorNumber(), 10000);
    EXPECT_EQ(b.findChild<QScrollBar*>("vScroll")->value(), 247);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(Shown(), Span(9961, 9980));
    Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(Shown(), Span(1, 20));
    EXPECT_EQ(b.findChild<QScrollBar*>("vScroll")->value(), 0);
    Key(Qt::Key_Up);
    EXPECT_EQ(CursorNumber(), 1);
    Key(Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(CursorNumber(), 10000);
    Key(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(CursorNumber(), 1);
}

TEST_F(KxBrowTest, ToolBarWheelAndClicksMoveTheCursor) {
    TkxBrow& b = Open(100);
    b.findChild<QToolButton*>("btnDateiende")->click();
    EXPECT_EQ(CursorNumber(), 100);
    b.findChild<QToolButton*>("btnVorigeSeite")->click();
    EXPECT_EQ(Shown(), Span(61, 80));
    b.findChild<QToolButton*>("btnVorigerDatensatz")->click();
    EXPECT_EQ(CursorNumber(), 79);
    b.findChild<QToolButton*>("btnDateianfang")->click();
    EXPECT_EQ(CursorNumber(), 1);
    const int step = Grid().RowHeight() + kGridLine;
    QTest::mouseClick(&Grid(), Qt::LeftButton, {}, QPoint(20, 4 * step + 2));
    EXPECT_EQ(CursorNumber(), 5);
    QWheelEvent wheel(QPointF(20, 20), Grid().mapToGlobal(QPointF(20, 20)), {}, {0, -240},
                      Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&Grid(), &wheel);
    EXPECT_EQ(CursorNumber(), 7);
}

TEST_F(KxBrowTest, DraggingTheThumbToTheMiddleShowsTheMiddleOfTheFile) {
    TkxBrow& b = Open(10000);
    auto* bar = b.findChild<QScrollBar*>("vScroll");
    ASSERT_EQ(bar->maximum(), 247);
    bar->setSliderPosition(124);
    EXPECT_GT(CursorNumber(), 4000);
    EXPECT_LT(CursorNumber(), 6000);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(CursorNumber(), 10000);
}

TEST_F(KxBrowTest, ARangeKeepsEntriesOutsideItOutOfTheList) {
    TkxBrow& b = Open(60, kBandKey, {"m", "m"});
    std::vector<int> expected;
    for (int n = 3; n <= 60; n += 3) expected.push_back(n);
    EXPECT_EQ(Shown(), expected);
    Key(Qt::Key_PageDown);
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(Shown(), expected);
    b.GotoKey("k", 0);
    EXPECT_EQ(CursorNumber(), 3);
}

TEST_F(KxBrowTest, SwitchingTheSortKeepsTheRecordUnderTheCursor) {
    TkxBrow& b = Open(50);
    log_.Add({"AA1AA"});  // number 51, first in call order
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    const store::RecordRef ref = b.CurrentRef();
    const int row = b.Browser()->CursorRow();
    const int requests = headerRequests_;
    Key(Qt::Key_Right);
    EXPECT_EQ(b.FirstColumn(), 1);

    b.SelectSortEntry(1);
    EXPECT_EQ(b.SortKeyNr(), kCallKey);
    EXPECT_EQ(b.CurrentRef(), ref);
    EXPECT_EQ(b.Browser()->CursorRow(), row);
    EXPECT_EQ(headerRequests_, requests + 1);
    EXPECT_EQ(b.FirstColumn(), 0);
    EXPECT_EQ(Shown(), Span(1, 20));
    // Choosing the key already browsed changes nothing.
    b.SelectSortEntry(1);
    EXPECT_EQ(headerRequests_, requests + 1);

    Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(Shown().front(), 51) << "the new order";
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);

    // A click on the first heading picks the first sort entry again.
    QTest::mouseClick(b.findChild<QWidget*>("headerLine"), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(b.SortKeyNr(), kNumberKey);
    EXPECT_EQ(b.CurrentRef(), ref);
    EXPECT_EQ(SortList().currentIndex(), 0);
}

TEST_F(KxBrowTest, TheSortListIsShownEnabledOrPreselectedByItsEntries) {
    TkxBrow& b = Open(5);
    EXPECT_TRUE(SortList().isVisibleTo(&b));
    EXPECT_TRUE(SortList().isEnabled());
    EXPECT_EQ(SortList().currentIndex(), -1);
    EXPECT_EQ(SortList().placeholderText(), "Sortierung");
    b.ClearSortList();
    b.AddSortEntry("Nr");
    EXPECT_FALSE(SortList().isEnabled());
    EXPECT_EQ(b.SortlistItemIndex(), 0);
    b.ClearSortList();
    EXPECT_FALSE(SortList().isVisibleTo(&b));
}

TEST_F(KxBrowTest, QuickSearchPositionsAtTheFirstKeyBeginningWithTheText) {
    TkxBrow& b = Open(0);
    for (const char* call : {"OK1AB", "DK5XY", "DL1ABC", "DL7ZZ", "G4ABC", "OE3XYZ"})
        log_.Add({call});
    b.SelectSortEntry(1);
    b.FirstPage();
    Search().setFocus();
    QTest::keyClicks(&Search(), "dl");
    EXPECT_EQ(b.CurrentKey().substr(0, 6), "DL1ABC");
    QTest::keyClicks(&Search(), "7");
    EXPECT_EQ(b.CurrentKey().substr(0, 5), "DL7ZZ");
    EXPECT_EQ(Search().text(), "dl7");
    // No key begins with "E": the entry before where it would be.
    Search().setText("e");
    EXPECT_EQ(b.CurrentKey().substr(0, 5), "DL7ZZ");
    // A key the list acts on empties the field.
    QTest::keyClick(&Search(), Qt::Key_Down);
    EXPECT_EQ(b.CurrentKey().substr(0, 5), "G4ABC");
    EXPECT_EQ(Search().text(), "");
}

TEST_F(KxBrowTest, EnterReachesTheApplicationFromGridAndQuickSearch) {
    TkxBrow& b = Open(5);
    int enters = 0;
    int searchEnters = 0;
    std::vector<int> postKeys;
    b.Events().OnBrowEnter = [&] { ++enters; };
    b.Events().OnProcessPostCommand = [&](int key, Qt::KeyboardModifiers) {
        postKeys.push_back(key);
        return true;
    };
    Key(Qt::Key_Return);
    QTest::keyClick(&Search(), Qt::Key_Return);
    EXPECT_EQ(enters, 2) << "without a search handler Enter in the field is Enter on the list";
    b.Events().OnBrowSuchfeldEnter = [&] { ++searchEnters; };
    QTest::keyClick(&Search(), Qt::Key_Return);
    EXPECT_EQ(searchEnters, 1);
    Key(Qt::Key_Escape);
    Key(Qt::Key_F5);
    EXPECT_EQ(postKeys, (std::vector<int>{Qt::Key_Escape, Qt::Key_F5}));
}

TEST_F(KxBrowTest, DeleteAsksAndOnlyYesDeletes) {
    TkxBrow& b = Open(30);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    messages_.SetNextAnswers({false});
    Key(Qt::Key_Delete);
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_TRUE(messages_.shown()[0].question);
    EXPECT_EQ(platform::Cp1252ToUtf8(messages_.LastText()), " Löschen \"Datensatz\"");
    EXPECT_EQ(log_.Object().RecordCount(), 30);

    b.Events().OnLoesch_Feld = [] { return std::string("QSO 3"); };
    messages_.SetNextAnswers({true});
    Key(Qt::Key_Delete);
    EXPECT_EQ(platform::Cp1252ToUtf8(messages_.LastText()), " Löschen \"QSO 3\"");
    EXPECT_EQ(log_.Object().RecordCount(), 29);
    EXPECT_EQ(CursorNumber(), 4) << "the next record takes the deleted one's row";
    EXPECT_EQ(b.Browser()->CursorRow(), 3);
    EXPECT_EQ(Shown().size(), 20u);

    int vetoes = 0;
    b.Events().OnBefore_Loesch = [&] { return ++vetoes, false; };
    Key(Qt::Key_Delete);
    EXPECT_EQ(vetoes, 1);
    EXPECT_EQ(log_.Object().RecordCount(), 29);
}

TEST_F(KxBrowTest, DeletingTheLastRecordsLeavesTheNeighbourOrAnEmptyList) {
    TkxBrow& b = Open(2);
    Key(Qt::Key_End, Qt::ControlModifier);
    messages_.SetNextAnswers({true, true});
    Key(Qt::Key_Delete);
    EXPECT_EQ(Shown(), (std::vector<int>{1}));
    EXPECT_EQ(CursorNumber(), 1);
    Key(Qt::Key_Delete);
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(b.CurrentRef(), 0);
    EXPECT_EQ(log_.Object().RecordCount(), 0);
}

TEST_F(KxBrowTest, AnUnreadableRowShowsItsPlaceholderAndRefusesToBeActedOn) {
    log_.AddNumbered(10);
    log_.MakeUnreadable(2);
    TkxBrow& b = Open(0);
    EXPECT_EQ(Grid().Rows()[1].cells.value(0), " ***** Datensatz nicht lesbar *****");
    EXPECT_TRUE(Grid().Rows()[1].unreadable);
    int doubleClicks = 0;
    b.Events().OnBrowDoppelKlick = [&] { ++doubleClicks; };
    const int step = Grid().RowHeight() + kGridLine;
    QTest::mouseDClick(&Grid(), Qt::LeftButton, {}, QPoint(20, step + 2));
    EXPECT_EQ(doubleClicks, 0);
    EXPECT_EQ(platform::Cp1252ToUtf8(messages_.LastText()),
              "Datensatz konnte nicht gelesen werden");
    EXPECT_FALSE(b.CheckCurrent());
    QTest::mouseDClick(&Grid(), Qt::LeftButton, {}, QPoint(20, 2 * step + 2));
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(Number(log_.Object().RecordBuffer()), 3);
}

TEST_F(KxBrowTest, HeadingsFooterAndColumnsFollowTheApplication) {
    TkxBrow& b = Open(3);
    b.Events().OnBrowColWidths = [](int i) { return 40 * i; };
    b.SetHeaderFooter("A;B;C", "Summe: 3 QSO");
    EXPECT_EQ(b.ColumnCount(), 3);
    EXPECT_EQ(b.ColumnWidth(1), 40);
    EXPECT_EQ(b.ColumnWidth(2), 80);
    EXPECT_GE(b.ColumnWidth(3), Grid().width() - 40 - 80 - 3) << "the last column fills the grid";
    EXPECT_EQ(b.FooterText(), "Summe: 3 QSO");
    b.SetHeaderFooter("A;B;C", "\xFE");
    EXPECT_EQ(b.FooterText(), "");
    Key(Qt::Key_End);
    EXPECT_EQ(b.FirstColumn(), 2);
    Key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(b.FirstColumn(), 1);
    Key(Qt::Key_Home);
    EXPECT_EQ(b.FirstColumn(), 0);
    EXPECT_EQ(b.findChild<QScrollBar*>("hScroll")->maximum(), 2);
}

TEST_F(KxBrowTest, ANarrowBarHidesTheToolBarAndShowsTheSecondCloseButton) {
    TkxBrow& b = Open(3);
    std::vector<QObject*> closed;
    b.Events().OnBrowCloseBtnKlick = [&](QObject* sender) { closed.push_back(sender); };
    b.SetCloseButtonVisible(true);
    auto* toolBar = b.findChild<QWidget*>("toolBar");
    auto* close2 = b.findChild<QToolButton*>("btnClose2");
    auto* label = b.findChild<QLabel*>("lSortierung");
    auto* bar = toolBar->parentWidget();
    EXPECT_TRUE(toolBar->isVisibleTo(&b));
    EXPECT_FALSE(close2->isVisibleTo(&b));
    EXPECT_TRUE(label->isVisibleTo(&b));
    const int oneLine = bar->height();
    EXPECT_EQ(toolBar->y() / oneLine, 0);
    // Too narrow for everything on one line: no label, the tool bar below.
    b.resize(260, b.height());
    QApplication::processEvents();
    EXPECT_FALSE(label->isVisibleTo(&b));
    EXPECT_EQ(bar->height(), 2 * oneLine);
    EXPECT_EQ(toolBar->y() / oneLine, 1);
    EXPECT_EQ(b.findChild<QLineEdit*>("eSuche")->width(), 60);
    b.resize(180, b.height());
    QApplication::processEvents();
    EXPECT_FALSE(toolBar->isVisibleTo(&b));
    EXPECT_TRUE(close2->isVisibleTo(&b));
    close2->click();
    b.findChild<QToolButton*>("btnClose")->click();
    ASSERT_EQ(closed.size(), 2u);
    EXPECT_EQ(closed[0], close2);
}

// A realistic contest log for a look at the list; with MSS_SCREENSHOT_DIR
// set the picture is saved there as kxbrow.png.
TEST_F(KxBrowTest, AContestLogLooksLikeAList) {
    const char* calls[] = {"DL1ABC", "OK1KT", "SP6ASD", "OE5XBL", "DK3WW", "HA1YA", "S51ZO",
                           "9A2AE",  "YU1EV", "OZ1FF",  "G4ASR",  "F6DRO", "ON4IQ", "PA3CMP"};
    const char* locators[] = {"JO31NF", "JN79FX", "JO80BM", "JN78DK", "JO40HD", "JN87KG", "JN75OS",
                              "JN95GM", "KN04FR", "JO55WM", "IO91VS", "JN18AU", "JO20KJ", "JO22DC"};
    for (int i = 0; i < 40; ++i)
        log_.Add({calls[i % 14], 'k', locators[i % 14], i % 3 ? "CW" : "SSB", 600 + 7 * i,
                  150 + (i * 37) % 900});
    brow_ = std::make_unique<TkxBrow>();
    brow_->Events().OnBuildRow = [this](RowRec& row) { BuildLogRow(log_.Object(), row); };
    brow_->Events().OnSetHeaderFooter = [this] {
        brow_->SetHeaderFooter("    Nr;Call;Locator;Band;Mod;UTC;km", "");
    };
    brow_->Events().OnBrowColWidths = [](int i) { return i == 2 ? 90 : 60; };
    brow_->Events().OnInitSortList = [this] {
        brow_->AddSortEntry(" alle - Nr");
        brow_->AddSortEntry(" alle - Call");
    };
    brow_->resize(640, 360);
    brow_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(brow_.get()));
    ASSERT_TRUE(brow_->Init(&log_.Object(), kNumberKey, "", "", false));
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    EXPECT_EQ(Grid().Rows()[0].cells.value(1), "DL1ABC");
    EXPECT_EQ(Grid().Rows()[2].cells.value(2), "JO80BM");
    const QPixmap picture = brow_->grab();
    EXPECT_EQ(picture.width(), 640);
    if (const char* dir = std::getenv("MSS_SCREENSHOT_DIR")) {
        EXPECT_TRUE(picture.save(QString::fromLocal8Bit(dir) + "/kxbrow.png"));
    }
}

}  // namespace
}  // namespace mss::ui::test

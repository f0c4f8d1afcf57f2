#include "ui/KxBrowWindow.h"

#include <gtest/gtest.h>

#include "KxBrowTestSupport.h"
#include "ui/KxBrowScroll.h"

namespace mss::ui::test {
namespace {

class KxBrowWindowTest : public ::testing::Test {
  protected:
    // A browser over key 1 (running numbers) with the given range.
    TKBrowser& Browse(BrowRange range = {}, int keyNr = kNumberKey) {
        browser_ = std::make_unique<TKBrowser>(log_.Object(), keyNr, std::move(range), false);
        browser_->SetBuildRow([this](RowRec& row) {
            ++built_;
            BuildLogRow(log_.Object(), row);
        });
        return *browser_;
    }

    BrowLog log_;
    std::unique_ptr<TKBrowser> browser_;
    int built_ = 0;
};

TEST_F(KxBrowWindowTest, AnEmptyFileblockGivesAnEmptyWindowThatNoMoveChanges) {
    TKBrowser& b = Browse();
    b.FirstPage();
    EXPECT_EQ(b.FilledRows(), 0);
    EXPECT_EQ(b.CursorRow(), 0);
    EXPECT_FALSE(b.CurrentEntry());
    EXPECT_FALSE(b.NextRecord());
    EXPECT_FALSE(b.PrevRecord());
    EXPECT_FALSE(b.NextPage());
    EXPECT_FALSE(b.PrevPage());
    b.LastPage();
    EXPECT_EQ(b.FilledRows(), 0);
    EXPECT_EQ(built_, 0);
}

// Files just below, at and just above one window of 20 rows.
class KxBrowWindowSizeTest : public KxBrowWindowTest, public ::testing::WithParamInterface<int> {};

TEST_P(KxBrowWindowSizeTest, FirstAndLastPageShowTheEndsOfTheFile) {
    const int n = GetParam();
    log_.AddNumbered(n);
    TKBrowser& b = Browse();
    b.FirstPage();
    EXPECT_EQ(Numbers(b), Span(1, std::min(n, 20)));
    EXPECT_EQ(b.CursorRow(), 1);
    b.LastPage();
    EXPECT_EQ(Numbers(b), Span(std::max(1, n - 19), n));
    EXPECT_EQ(b.CursorRow(), b.FilledRows());
}

TEST_P(KxBrowWindowSizeTest, DownAndUpVisitEveryRecordOnceAndStopAtTheEnds) {
    const int n = GetParam();
    log_.AddNumbered(n);
    TKBrowser& b = Browse();
    b.FirstPage();
    std::vector<int> seen = {std::atoi(b.Row(b.CursorRow()).Line.c_str())};
    while (b.NextRecord()) seen.push_back(std::atoi(b.Row(b.CursorRow()).Line.c_str()));
    EXPECT_EQ(seen, Span(1, n));
    const std::vector<int> atEnd = Numbers(b);
    EXPECT_FALSE(b.NextRecord()) << "Down on the last row at the end changes nothing";
    EXPECT_EQ(Numbers(b), atEnd);
    EXPECT_EQ(b.CursorRow(), b.FilledRows());

    seen = {n};
    while (b.PrevRecord()) seen.insert(seen.begin(), std::atoi(b.Row(b.CursorRow()).Line.c_str()));
    EXPECT_EQ(seen, Span(1, n));
    EXPECT_EQ(Numbers(b), Span(1, std::min(n, 20)));
    EXPECT_EQ(b.CursorRow(), 1);
}

TEST_P(KxBrowWindowSizeTest, PageKeysStopAtFullPagesAtBothEnds) {
    const int n = GetParam();
    log_.AddNumbered(n);
    TKBrowser& b = Browse();
    b.FirstPage();
    b.NextPage();
    b.NextPage();
    EXPECT_EQ(Numbers(b), Span(std::max(1, n - 19), n)) << "the last full page";
    EXPECT_EQ(b.CursorRow(), b.FilledRows());
    EXPECT_FALSE(b.NextPage());
    b.PrevPage();
    b.PrevPage();
    EXPECT_EQ(Numbers(b), Span(1, std::min(n, 20)));
    EXPECT_EQ(b.CursorRow(), 1);
    EXPECT_FALSE(b.PrevPage());
}

INSTANTIATE_TEST_SUITE_P(AroundOneWindow, KxBrowWindowSizeTest, ::testing::Values(1, 19, 20, 21));

TEST_F(KxBrowWindowTest, MovingOneRowAcrossTheWindowEdgeReadsOnlyTheNewRecord) {
    log_.AddNumbered(100);
    TKBrowser& b = Browse();
    b.FirstPage();
    for (int i = 1; i < 20; ++i) ASSERT_TRUE(b.NextRecord());
    EXPECT_EQ(b.CursorRow(), 20);
    built_ = 0;
    ASSERT_TRUE(b.NextRecord());
    EXPECT_EQ(Numbers(b), Span(2, 21));
    EXPECT_EQ(b.CursorRow(), 20);
    EXPECT_EQ(built_, 1);

    for (int i = 1; i < 20; ++i) ASSERT_TRUE(b.PrevRecord());
    EXPECT_EQ(b.CursorRow(), 1);
    built_ = 0;
    ASSERT_TRUE(b.PrevRecord());
    EXPECT_EQ(Numbers(b), Span(1, 20));
    EXPECT_EQ(built_, 1);
}

TEST_F(KxBrowWindowTest, PagesMoveByTheWindowKeepingTheCursorRow) {
    log_.AddNumbered(10000);
    TKBrowser& b = Browse();
    b.FirstPage();
    ASSERT_TRUE(b.SetCursorRow(5));
    built_ = 0;
    ASSERT_TRUE(b.NextPage());
    EXPECT_EQ(Numbers(b), Span(21, 40));
    EXPECT_EQ(b.CursorRow(), 5);
    EXPECT_EQ(built_, 20);
    b.LastPage();
    EXPECT_EQ(Numbers(b), Span(9981, 10000));
    ASSERT_TRUE(b.PrevPage());
    EXPECT_EQ(Numbers(b), Span(9961, 9980));
}

TEST_F(KxBrowWindowTest, EntriesOutsideTheRangeNeverAppear) {
    log_.AddNumbered(90);  // bands k, l, m in turn: 30 each
    TKBrowser& b = Browse({"l", "l"}, kBandKey);
    std::vector<int> expected;
    for (int n = 2; n <= 90; n += 3) expected.push_back(n);

    b.FirstPage();
    std::vector<int> seen = {std::atoi(b.Row(1).Line.c_str())};
    while (b.NextRecord()) seen.push_back(std::atoi(b.Row(b.CursorRow()).Line.c_str()));
    EXPECT_EQ(seen, expected);
    EXPECT_FALSE(b.NextPage());
    b.LastPage();
    EXPECT_EQ(Numbers(b), std::vector<int>(expected.end() - 20, expected.end()));
    b.PrevPage();
    b.PrevPage();
    EXPECT_EQ(Numbers(b), std::vector<int>(expected.begin(), expected.begin() + 20));

    // Anchors outside the range are clamped to its nearer end.
    b.FillAround({"a", 0});
    EXPECT_EQ(std::atoi(b.Row(b.CursorRow()).Line.c_str()), 2);
    b.FillAround({"z", 0});
    EXPECT_EQ(std::atoi(b.Row(b.CursorRow()).Line.c_str()), 89);
}

TEST_F(KxBrowWindowTest, AnEmptyRangeGivesAnEmptyWindow) {
    log_.AddNumbered(30);
    TKBrowser& b = Browse({"x", "y"}, kBandKey);
    b.FirstPage();
    EXPECT_EQ(b.FilledRows(), 0);
    b.FillAround({"k", 0});
    EXPECT_EQ(b.FilledRows(), 0);
    EXPECT_FALSE(b.NextRecord());
}

TEST_F(KxBrowWindowTest, FillingAroundAnAnchorKeepsTheCursorRowAndTheWindowFull) {
    log_.AddNumbered(100);
    TKBrowser& b = Browse();
    b.FirstPage();
    ASSERT_TRUE(b.SetCursorRow(8));
    b.FillAround({store::IntToKey(50), 0});
    EXPECT_EQ(b.CursorRow(), 8);
    EXPECT_EQ(Numbers(b), Span(43, 62));
    // Near the end the rows above fill the window and the cursor moves down.
    b.FillAround({store::IntToKey(99), 0});
    EXPECT_EQ(Numbers(b), Span(81, 100));
    EXPECT_EQ(b.CursorRow(), 19);
    // An absent anchor takes the next entry, else the previous one.
    b.FillAround({store::IntToKey(1000), 0});
    EXPECT_EQ(std::atoi(b.Row(b.CursorRow()).Line.c_str()), 100);
}

TEST_F(KxBrowWindowTest, AnUnreadableRecordShowsItsPlaceholderAndTheOthersStayUsable) {
    log_.AddNumbered(30);
    log_.MakeUnreadable(3);
    TKBrowser& b = Browse();
    b.FirstPage();
    EXPECT_EQ(b.Row(3).Line, kUnreadableRow);
    EXPECT_NE(b.Row(3).ReadFailed, 0);
    EXPECT_EQ(b.Row(3).Ref, 3);
    EXPECT_EQ(b.Row(4).Line.substr(0, 6), "     4");
    EXPECT_FALSE(b.Valid());
    // The next movement rebuilds the window first and then moves.
    ASSERT_TRUE(b.NextRecord());
    EXPECT_EQ(b.CursorRow(), 2);
    EXPECT_EQ(Numbers(b).size(), 20u);
}

TEST_F(KxBrowWindowTest, GrowingAndShrinkingTheWindowKeepsTheCursorRecord) {
    log_.AddNumbered(100);
    TKBrowser& b = Browse();
    b.LastPage();
    b.SetRowCount(30);
    EXPECT_EQ(Numbers(b), Span(71, 100)) << "no rows below: filled from above";
    EXPECT_EQ(std::atoi(b.Row(b.CursorRow()).Line.c_str()), 100);
    b.SetRowCount(5);
    EXPECT_EQ(Numbers(b), Span(96, 100));
    EXPECT_EQ(b.CursorRow(), 5);
    b.FirstPage();
    b.SetRowCount(10);
    EXPECT_EQ(Numbers(b), Span(1, 10));
    b.SetRowCount(500);
    EXPECT_EQ(b.RowCount(), kBrowRowCapacity);
}

TEST_F(KxBrowWindowTest, RefreshShowsChangesAndFlagsOnlyChangedRows) {
    log_.AddNumbered(10);
    TKBrowser& b = Browse({}, kCallKey);
    b.FirstPage();
    log_.Add({"C0000005A"});  // sorts right after C0000005
    b.Refresh();
    EXPECT_EQ(b.Row(6).Line.substr(0, 6), "    11");
    for (int row = 1; row <= 5; ++row) EXPECT_FALSE(b.Row(row).Changed) << row;
    for (int row = 6; row <= 11; ++row) EXPECT_TRUE(b.Row(row).Changed) << row;
}

TEST_F(KxBrowWindowTest, RestorePositionBringsBackTheObjectsCurrentRecord) {
    log_.AddNumbered(50);
    ASSERT_EQ(log_.Object().Find(kNumberKey, store::IntToKey(7)), 0);
    TKBrowser b(log_.Object(), kNumberKey, {}, true);
    b.LastPage();
    b.PrevPage();
    EXPECT_EQ(log_.Object().CurrentRef(), 7);
    EXPECT_EQ(Number(log_.Object().RecordBuffer()), 7);
}

TEST_F(KxBrowWindowTest, RowTextsAreMappedFromTheDosCodePage) {
    log_.AddNumbered(1);
    TKBrowser& b = Browse();
    b.SetBuildRow([](RowRec& row) { row.Line = "M\x81ller \x84\x94\x8E\x99\x9A\xE1\xFB"; });
    b.FirstPage();
    EXPECT_EQ(b.Row(1).Line, "M\xFCller \xE4\xF6\xC4\xD6\xDC\xDFY");
}

TEST(KxBrowRangeTest, BoundsLimitKeyPrefixesAndClampToTheNearerEnd) {
    const BrowRange range{"j", "j"};
    EXPECT_TRUE(range.Contains("j"));
    EXPECT_TRUE(range.Contains("jZZZ"));
    EXPECT_FALSE(range.Contains("i\xFF"));
    EXPECT_FALSE(range.Contains("k"));
    EXPECT_EQ(range.Clamp({"a", 5}), (BrowEntry{"j", 0}));
    EXPECT_EQ(range.Clamp({"k", 5}).ref, kMaxRef);
    EXPECT_EQ(range.Clamp({"k", 5}).key, "j" + std::string(49, '\xFF'));
    EXPECT_TRUE(BrowRange{}.Contains(""));
    EXPECT_EQ(SearchUpper("dl1abc\xE4\xF6\xFC\xDF"), "DL1ABC\xC4\xD6\xDC\xDF");
}

TEST(KxBrowScrollTest, MaximumAndEnlargementFollowTheTable) {
    EXPECT_EQ(ScrollMaximum(0), 0);
    EXPECT_EQ(ScrollMaximum(1), 0);
    EXPECT_EQ(ScrollMaximum(3001), 3000);
    EXPECT_EQ(ScrollMaximum(3002), 247);
    EXPECT_EQ(ScrollEnlargement(247, 5000), 2);  // ratio 0
    EXPECT_EQ(ScrollEnlargement(3, 3), 2);       // ratio 1, M < 4
    EXPECT_EQ(ScrollEnlargement(100, 100), 4);   // ratio 1: 100 div 25
    EXPECT_EQ(ScrollEnlargement(100, 50), 8);    // ratio 2: 100 div 12
    EXPECT_EQ(ScrollEnlargement(100, 25), 10);   // ratio 4
    EXPECT_EQ(ScrollEnlargement(100, 10), 25);   // ratio 10
    EXPECT_EQ(ScrollEnlargement(100, 5), 50);    // ratio 20
    EXPECT_EQ(ScrollEnlargement(100, 4), 100);   // ratio 25
    EXPECT_EQ(ScrollEnlargement(100, 3), 200);   // ratio 33
    EXPECT_EQ(ScrollEnlargement(100, 2), 400);   // ratio 50
}

TEST_F(KxBrowWindowTest, TheThumbSpansTheBarAndDraggingFindsTheMiddle) {
    log_.AddNumbered(10000);
    BrowScroll scroll(log_.Object(), kNumberKey);
    scroll.Measure();
    ASSERT_EQ(scroll.Maximum(), 247);
    EXPECT_EQ(scroll.ThumbOf({store::IntToKey(1), 1}), 0);
    EXPECT_GE(scroll.ThumbOf({store::IntToKey(10000), 10000}), 245);
    const auto middle = scroll.EntryAt(124);
    ASSERT_TRUE(middle);
    const int number = store::KeyToInt(middle->key);
    EXPECT_GT(number, 4000);
    EXPECT_LT(number, 6000);
    EXPECT_NEAR(scroll.ThumbOf(*middle), 124, 2);
}

}  // namespace
}  // namespace mss::ui::test

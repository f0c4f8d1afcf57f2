// What the band score panel, the entry panel's score labels and the
// multiplier board show for given totals.
#include "log/MultiplierBoard.h"
#include "log/ScorePanel.h"

#include <gtest/gtest.h>

#include <functional>

#include "contest/Catalogue.h"
#include "radio/ProgramValues.h"

namespace mss::log {
namespace {

class ScorePanelTest : public testing::Test {
  protected:
    void SetUp() override { radio::ResetProgramValues(); }
    void TearDown() override { radio::ResetProgramValues(); }

    static LogSession Session(char code) {
        LogSession s;
        s.entry.SetCode(code);
        s.definition = contest::FillContestDefinition(code, s.entry);
        return s;
    }
    // 80 m and 40 m with prefixes counted per band: 80 m 2 contacts, 4
    // points, 2 multipliers; 40 m (current) 1 contact, 2 points, 1 multiplier.
    static LogSession TwoBands(char code = 'D') {
        LogSession s = Session(code);
        s.definition.Features.reset();
        s.definition.Features.set(2);
        s.definition.MultMode = 0;
        s.definition.PointsOnly = 0;
        s.definition.PerBandProduct = 0;
        s.definition.MultNames = {};
        s.definition.Bands = {'b', 'c'};
        s.band = 'c';
        LogTotals& t = s.totals;
        t.contacts['b'] = 2;
        t.points['b'] = 4;
        t.multipliers['b'] = 2;
        t.contacts['c'] = 1;
        t.points['c'] = 2;
        t.multipliers['c'] = 1;
        t.bandPoints = 2;
        t.points[0] = 1;
        t.multCount = 1;
        t.nextContact = 4;
        return s;
    }
};

TEST_F(ScorePanelTest, SprintShowsTwoMetresAndTheScoreOnly) {
    LogSession s = Session('j');
    s.band = 'k';
    s.totals.contacts['k'] = 3;
    s.totals.points['k'] = 1234;
    s.totals.bandPoints = 1234;
    s.totals.points[0] = 3;
    s.totals.nextContact = 4;
    const BandScorePanel panel = BandScorePanelOf(s);
    BandScoreRow first{true, true, "2 m", "    3", "    0", " 1234"};
    EXPECT_EQ(panel.rows[0], first);
    for (std::size_t i = 1; i < panel.rows.size(); ++i) EXPECT_FALSE(panel.rows[i].visible);
    EXPECT_FALSE(panel.multiColumnVisible);
    EXPECT_EQ(panel.totalQso, "3 QSO");
    EXPECT_EQ(panel.totalMulti, "");
    EXPECT_EQ(panel.totalPoints, "");
    EXPECT_EQ(panel.score, "1234 Pkt.");

    const EntryScoreLabels labels = EntryScoreLabelsOf(s);
    EXPECT_FALSE(labels.visible);
}

TEST_F(ScorePanelTest, TotalLineFollowsTheScoringRules) {
    struct Case {
        const char* name;
        std::function<void(LogSession&)> change;
        const char* multi;
        const char* points;
        bool pointsVisible;
        const char* score;
    };
    const Case cases[] = {
        {"points times multipliers", [](LogSession&) {}, "3 Multi x", "6 Punkte =", true,
         "18 Pkt."},
        {"points only", [](LogSession& s) { s.definition.PointsOnly = 1; }, "3 Multi",
         "6 Punkte =", true, "6 Pkt."},
        {"product per band, postcodes",
         [](LogSession& s) {
             s.definition.PerBandProduct = 1;
             s.definition.MultNames[0] = "PLZ";
         },
         "3 PLZ", "6 Punkte", false, "10 Pkt."},
        {"points only, prefixes",
         [](LogSession& s) {
             s.definition.PointsOnly = 1;
             s.definition.MultNames[0] = "Prefix";
         },
         "3 Prefixe", "6 Punkte =", true, "6 Pkt."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LogSession s = TwoBands();
        c.change(s);
        const BandScorePanel panel = BandScorePanelOf(s);
        EXPECT_EQ(panel.totalQso, "3 QSO");
        EXPECT_EQ(panel.totalMulti, c.multi);
        EXPECT_EQ(panel.totalPoints, c.points);
        EXPECT_EQ(panel.totalPointsVisible, c.pointsVisible);
        EXPECT_EQ(panel.score, c.score);
    }
}

TEST_F(ScorePanelTest, RowsFollowTheBandsAndTheCurrentBand) {
    LogSession s = TwoBands();
    BandScorePanel panel = BandScorePanelOf(s);
    EXPECT_EQ(panel.rows[0], (BandScoreRow{true, false, "80 m", "    2", "    2", "    4"}));
    EXPECT_EQ(panel.rows[1], (BandScoreRow{true, true, "40 m", "    1", "    1", "    2"}));
    EXPECT_FALSE(panel.rows[2].visible);
    EXPECT_TRUE(panel.multiColumnVisible);
    s.definition.MultMode = 1;
    EXPECT_FALSE(BandScorePanelOf(s).multiColumnVisible);
    s.definition.Bands = {'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i'};
    panel = BandScorePanelOf(s);
    for (const BandScoreRow& row : panel.rows) EXPECT_TRUE(row.visible);
}

TEST_F(ScorePanelTest, EntryLabelsNameTheCurrentBand) {
    struct Case {
        const char* name;
        char code;
        std::uint8_t german;
        std::uint8_t multMode;
        EntryScoreLabels expected;
    };
    const Case cases[] = {
        {"per band",
         'D',
         1,
         0,
         {true, "Punkte 40 m", "       2", "Multi 40 m", "  1", "QSO 40 m", "    1"}},
        {"whole log, English",
         'D',
         0,
         1,
         {true, "Score 40 m", "       2", "Multi ", "  1", "QSO 40 m", "    1"}},
        {"prefix contest",
         'P',
         1,
         2,
         {true, "Punkte 40 m", "       2", "Prefixe 40 m", "  1", "QSO 40 m", "    1"}},
        {"postcode areas",
         '5',
         1,
         1,
         {true, "Punkte 40 m", "       2", "PLZ-Bereiche", "Postleitzahlregionen:     0",
          "QSO 40 m", "    1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        radio::Program().LanguageGerman = c.german;
        LogSession s = TwoBands(c.code);
        s.definition.MultMode = c.multMode;
        EXPECT_EQ(EntryScoreLabelsOf(s), c.expected);
    }
}

TEST_F(ScorePanelTest, PostcodeContestShowsOnlyItsPoints) {
    LogSession s = TwoBands('5');
    s.definition.MultNames[0] = "PLZ";
    const BandScorePanel panel = BandScorePanelOf(s);
    EXPECT_EQ(panel.totalQso, "");
    EXPECT_EQ(panel.totalMulti, "    0");
    EXPECT_EQ(panel.totalPoints, "6 Punkte");
    EXPECT_EQ(panel.score, "");
}

TEST_F(ScorePanelTest, BoardMergesTheTablesInSortedOrder) {
    LogSession s = TwoBands();
    s.multipliers.Table(MultKind::kPrefix).Insert("OK", "", MultState::kSaved);
    s.multipliers.Table(MultKind::kPrefix).Insert("OE", "", MultState::kWorkedAgain);
    s.multipliers.Table(MultKind::kDok).Insert("A01", "", MultState::kNew);
    s.multipliers.Table(MultKind::kDok).Insert("OK", "", MultState::kNew);  // shown once
    s.multipliers.Table(MultKind::kLocator).Insert("JO62", "", MultState::kSaved);
    const MultiplierBoard board = MultiplierBoardOf(s);
    EXPECT_TRUE(board.shown);
    EXPECT_EQ(board.columns, 14);
    ASSERT_EQ(board.cells.size(), 8u * 14u);
    const std::vector<BoardCell> expected = {
        {"A01", MultState::kNew, true, false},       {"JO62", MultState::kSaved, true, false},
        {"OE", MultState::kWorkedAgain, true, true}, {"OK", MultState::kNew, true, false},
        {".", MultState::kSaved, true, false},
    };
    EXPECT_EQ(std::vector<BoardCell>(board.cells.begin(), board.cells.begin() + 5), expected);
    EXPECT_EQ(board.cells.back(), (BoardCell{".", MultState::kSaved, true, false}));
}

TEST_F(ScorePanelTest, BoardLooksDifferInSomeContests) {
    struct Case {
        char code;
        int columns;
        bool savedBold;
        bool againBold;
    };
    const Case cases[] = {{'D', 14, true, true},
                          {'H', 14, false, false},
                          {'k', 14, false, false},
                          {'p', 11, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        LogSession s = TwoBands(c.code);
        s.multipliers.Table(MultKind::kPrefix).Insert("AA", "", MultState::kSaved);
        s.multipliers.Table(MultKind::kPrefix).Insert("BB", "", MultState::kWorkedAgain);
        s.multipliers.Table(MultKind::kPrefix).Insert("CC", "", MultState::kNew);
        const MultiplierBoard board = MultiplierBoardOf(s);
        EXPECT_EQ(board.columns, c.columns);
        EXPECT_EQ(board.cells.size(), static_cast<std::size_t>(8 * c.columns));
        EXPECT_EQ(board.cells[0].bold, c.savedBold);
        EXPECT_EQ(board.cells[1].bold, c.againBold);
        EXPECT_TRUE(board.cells[1].underline);
        EXPECT_TRUE(board.cells[2].bold);
        EXPECT_TRUE(board.cells[3].bold) << "an empty place";
    }
}

TEST_F(ScorePanelTest, BoardShowsWhatFitsAndNothingWithoutMultipliers) {
    LogSession s = TwoBands('p');
    for (int i = 0; i < 100; ++i)
        s.multipliers.Table(MultKind::kClubNumber)
            .Insert(std::to_string(1000 + i), "", MultState::kSaved);
    const MultiplierBoard board = MultiplierBoardOf(s);
    ASSERT_EQ(board.cells.size(), 88u);
    EXPECT_EQ(board.cells.back().text, "1087");
    EXPECT_FALSE(MultiplierBoardOf(Session('j')).shown);
}

}  // namespace
}  // namespace mss::log

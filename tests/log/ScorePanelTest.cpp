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

    // 80 m and 40 m with prefixes counted per band: 80 m 2 contacts, 4
    // points, 2 multipliers; 40 m (current) 1 contact, 2 points, 1 multiplier.
    static LogSession TwoBands(char code = 'D') {
        LogSession s;
        s.entry.SetCode(code);
        s.definition = contest::FillContestDefinition(code, s.entry);
        s.definition.Features.reset();
        s.definition.Features.set(2);
        s.definition.MultMode = 0;
        s.definition.PointsOnly = s.definition.PerBandProduct = 0;
        s.definition.MultNames = {};
        s.definition.Bands = {'b', 'c'};
        s.band = 'c';
        LogTotals& t = s.totals;
        t.contacts['b'] = t.multipliers['b'] = 2;
        t.points['b'] = 4;
        t.contacts['c'] = t.multipliers['c'] = t.multCount = t.points[0] = 1;
        t.points['c'] = t.bandPoints = 2;
        return s;
    }
};

TEST_F(ScorePanelTest, TotalLineFollowsTheScoringRules) {
    struct Case {
        const char* name;
        char code;
        std::function<void(LogSession&)> change;
        BandScorePanel line;  // only the total line is compared
    };
    const Case cases[] = {
        {"sprint: contacts and score",
         'j',
         [](LogSession& s) { s.definition.Features.reset(); },
         {{}, false, "3 QSO", "", "", true, "6 Pkt."}},
        {"points times multipliers",
         'D',
         [](LogSession&) {},
         {{}, true, "3 QSO", "3 Multi x", "6 Punkte =", true, "18 Pkt."}},
        {"points only",
         'D',
         [](LogSession& s) { s.definition.PointsOnly = 1; },
         {{}, true, "3 QSO", "3 Multi", "6 Punkte =", true, "6 Pkt."}},
        {"product per band, postcodes",
         'D',
         [](LogSession& s) {
             s.definition.PerBandProduct = 1;
             s.definition.MultNames[0] = "PLZ";
         },
         {{}, true, "3 QSO", "3 PLZ", "6 Punkte", false, "10 Pkt."}},
        {"points only, prefixes",
         'D',
         [](LogSession& s) {
             s.definition.PointsOnly = 1;
             s.definition.MultNames[0] = "Prefix";
         },
         {{}, true, "3 QSO", "3 Prefixe", "6 Punkte =", true, "6 Pkt."}},
        {"whole log",
         'D',
         [](LogSession& s) { s.definition.MultMode = 1; },
         {{}, false, "3 QSO", "3 Multi x", "6 Punkte =", true, "18 Pkt."}},
        {"postcode areas show only the points",
         '5',
         [](LogSession& s) { s.definition.MultNames[0] = "PLZ"; },
         {{}, true, "", "    0", "6 Punkte", true, ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LogSession s = TwoBands(c.code);
        c.change(s);
        BandScorePanel panel = BandScorePanelOf(s);
        panel.rows = {};
        EXPECT_EQ(panel, c.line);
    }
}

TEST_F(ScorePanelTest, RowsFollowTheBandsAndTheCurrentBand) {
    LogSession s = TwoBands();
    BandScorePanel panel = BandScorePanelOf(s);
    EXPECT_EQ(panel.rows[0], (BandScoreRow{true, false, "80 m", "    2", "    2", "     4"}));
    EXPECT_EQ(panel.rows[1], (BandScoreRow{true, true, "40 m", "    1", "    1", "     2"}));
    EXPECT_FALSE(panel.rows[2].visible);
    s.definition.Bands = {'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i'};
    for (const BandScoreRow& row : BandScorePanelOf(s).rows) EXPECT_TRUE(row.visible);
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
    LogSession sprint = TwoBands();
    sprint.definition.Features.reset();
    EXPECT_FALSE(EntryScoreLabelsOf(sprint).visible);
}

TEST_F(ScorePanelTest, BoardMergesTheTablesInSortedOrder) {
    LogSession s = TwoBands();
    s.multipliers.Table(MultKind::kPrefix).Insert("OK", "", MultState::kSaved);
    s.multipliers.Table(MultKind::kPrefix).Insert("OE", "", MultState::kWorkedAgain);
    s.multipliers.Table(MultKind::kDok).Insert("A01", "", MultState::kNew);
    s.multipliers.Table(MultKind::kDok).Insert("OK", "", MultState::kNew);  // shown once
    const MultiplierBoard board = MultiplierBoardOf(s);
    EXPECT_TRUE(board.shown);
    ASSERT_EQ(board.cells.size(), 8u * 14u);
    const std::vector<BoardCell> expected = {
        {"A01", MultState::kNew, true, false},
        {"OE", MultState::kWorkedAgain, true, true},
        {"OK", MultState::kNew, true, false},
        {".", MultState::kSaved, true, false},
    };
    EXPECT_EQ(std::vector<BoardCell>(board.cells.begin(), board.cells.begin() + 4), expected);
    s.definition.Features.reset();
    EXPECT_FALSE(MultiplierBoardOf(s).shown);
}

TEST_F(ScorePanelTest, BoardSizeAndLookDependOnTheContest) {
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
        MultTable& table = s.multipliers.Table(MultKind::kClubNumber);
        table.Insert("AA", "", MultState::kWorkedAgain);
        for (int i = 0; i < 150; ++i) table.Insert(std::to_string(100 + i), "", MultState::kSaved);
        const MultiplierBoard board = MultiplierBoardOf(s);
        ASSERT_EQ(board.cells.size(), static_cast<std::size_t>(8 * c.columns));
        EXPECT_EQ(board.cells[0].bold, c.savedBold);
        EXPECT_EQ(board.cells.back().text, std::to_string(100 + 8 * c.columns - 1))
            << "values beyond the places are not shown";
        table.Clear();
        table.Insert("AA", "", MultState::kWorkedAgain);
        const MultiplierBoard one = MultiplierBoardOf(s);
        EXPECT_EQ(one.cells[0].bold, c.againBold);
        EXPECT_TRUE(one.cells[0].underline);
        EXPECT_TRUE(one.cells[1].bold) << "an empty place";
    }
}

}  // namespace
}  // namespace mss::log

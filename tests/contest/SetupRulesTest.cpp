// The rules of setting up an entry: input checks, mode buttons, proposals
// and the evaluation of the totals.
#include <gtest/gtest.h>

#include <array>

#include "contest/Catalogue.h"
#include "contest/EntrySetup.h"
#include "contest/SetupCheck.h"
#include "contest/SetupEvaluation.h"
#include "contest/SetupTaking.h"
#include "radio/DateTime.h"
#include "radio/ProgramValues.h"

namespace mss::contest {
namespace {

ContestDefinition Sprint(int category = 0) {
    ContestEntry entry;
    entry.SetCategory(static_cast<std::uint8_t>(category));
    return FillContestDefinition('j', entry);
}

SetupInput GoodInput() {
    SetupInput in;
    in.name = "MS Sprint 2026";
    in.postcode = "01234";
    in.town = "Dresden";
    in.locator = "JO61UA";
    in.call = "DL1ABC";
    in.startDate = "12.08.2026";
    in.endDate = "13.08.2026";
    in.startTime = "12:00";
    in.endTime = "12:00";
    in.station = "IC-9700, 500 W, 2 x 17 Elemente";
    return in;
}

TEST(SetupRulesTest, GoodInputPassesAndEachFaultStopsAtItsField) {
    using F = SetupField;
    struct Case {
        const char* what;
        void (*change)(SetupInput&);
        F field;
        const char* message;
    };
    const Case cases[] = {
        {"no name", [](SetupInput& in) { in.name = "  "; }, F::Name,
         "Eingabe eines Contest-Namens notwendig."},
        {"no postcode", [](SetupInput& in) { in.postcode.clear(); }, F::Postcode,
         "Angabe der Postleitzahl und des Ortes notwendig."},
        {"no locator", [](SetupInput& in) { in.locator.clear(); }, F::Locator,
         "Angabe des Standortlocators notwendig."},
        {"bad locator", [](SetupInput& in) { in.locator = "JO6ZAA"; }, F::Locator,
         "Der Standortlocator ist ung\xFCltig: erwartet werden 6 Zeichen wie JO62MM."},
        {"short locator", [](SetupInput& in) { in.locator = "JO61"; }, F::Locator,
         "Der Standortlocator ist ung\xFCltig: erwartet werden 6 Zeichen wie JO62MM."},
        {"no call", [](SetupInput& in) { in.call.clear(); }, F::Call,
         "Eingabe des Rufzeichens notwendig."},
        {"no start", [](SetupInput& in) { in.startDate.clear(); }, F::StartDate,
         "Eingabe eines Contest-Datums notwendig."},
        {"bad end", [](SetupInput& in) { in.endDate = "31.02.2026"; }, F::EndDate,
         "Eingabe eines Contest-Datums notwendig."},
        {"end before start", [](SetupInput& in) { in.endDate = "11.08.2026"; }, F::EndDate,
         "Das Contest-Ende liegt vor dem Contest-Beginn."},
        {"end earlier that day",
         [](SetupInput& in) {
             in.endDate = in.startDate;
             in.endTime = "11:59";
         },
         F::EndDate, "Das Contest-Ende liegt vor dem Contest-Beginn."},
        {"bad time", [](SetupInput& in) { in.startTime = "25:00"; }, F::StartTime,
         "Die Uhrzeit (von) ist ung\xFCltig."},
        {"clock open", [](SetupInput& in) { in.clockChoiceOpen = true; }, F::ClockGroup,
         "Es wurde nicht bestimmt, ob der Computer mit Ortszeit l\xE4uft."},
        {"long town", [](SetupInput& in) { in.town = std::string(45, 'x'); }, F::Town,
         "Die Angabe \"PLZ+Ort\" ist zu lang (h\xF6"
         "chstens 50 Zeichen)."},
        {"long street", [](SetupInput& in) { in.street = std::string(51, 'x'); }, F::Street,
         "Die Angabe \"Stra\xDF"
         "e\" ist zu lang (h\xF6"
         "chstens 50 Zeichen)."},
        {"no category", [](SetupInput& in) { in.categoryMissing = true; }, F::CategoryGroup,
         "Sie haben keine Teilnahmeart angegeben."},
        {"no station", [](SetupInput& in) { in.station = " "; }, F::Station,
         "Sie haben keine Angaben zur Station get\xE4tigt."},
    };
    const ContestDefinition sprint = Sprint();
    EXPECT_TRUE(SetupProblems(GoodInput(), sprint, 'j').empty());
    for (const Case& c : cases) {
        SetupInput in = GoodInput();
        c.change(in);
        const auto problems = SetupProblems(in, sprint, 'j');
        ASSERT_FALSE(problems.empty()) << c.what;
        EXPECT_EQ(problems.front().field, c.field) << c.what;
        EXPECT_EQ(problems.front().message, c.message) << c.what;
        EXPECT_FALSE(problems.front().question) << c.what;
        EXPECT_EQ(problems.front().goesOnSilently, c.field == F::Station) << c.what;
    }
    // A listener number stands in for the call.
    SetupInput listener = GoodInput();
    listener.call.clear();
    listener.swl = "DE-12345";
    EXPECT_TRUE(SetupProblems(listener, sprint, 'j').empty());
}

TEST(SetupRulesTest, AMissingDokOrLdkIsAQuestionNotAStop) {
    ContestDefinition dok;
    dok.Features.set(kFeatureDok);
    ContestDefinition ldk;
    ldk.Features.set(kFeatureLdk);
    SetupInput in = GoodInput();
    const auto dokProblems = SetupProblems(in, dok, 'x');
    ASSERT_EQ(dokProblems.size(), 1u);
    EXPECT_TRUE(dokProblems[0].question);
    EXPECT_EQ(dokProblems[0].message, "Kein DOK angegeben. Trotzdem weiter?");
    EXPECT_EQ(SetupProblems(in, ldk, 'x').at(0).message, "Kein LDK angegeben. Trotzdem weiter?");
    in.afterContest = true;
    EXPECT_TRUE(SetupProblems(in, dok, 'x').empty());
    in.district = " F 12 ";
    in.afterContest = false;
    EXPECT_TRUE(SetupProblems(in, dok, 'x').empty());
    EXPECT_EQ(WithoutBlanks(in.district), "F12");
    // A contest that sends no locator does not need one.
    in.locator.clear();
    EXPECT_TRUE(SetupProblems(in, dok, 'x').empty());
}

TEST(SetupRulesTest, TheSprintOffersItsModesByCategory) {
    const ModeButtons designed = DesignedModeButtons();
    EXPECT_EQ(designed[kModePr].caption, "PR");
    for (int category : {0, 1, 2, 3}) {
        const ModeButtons b = ModeButtonsFor(Sprint(category));
        EXPECT_TRUE(b[kModeCw].enabled && b[kModeSsb].enabled) << category;
        EXPECT_FALSE(b[kModeFm].enabled) << category;
        EXPECT_EQ(b[kModePr].enabled, category != 3) << category;
        EXPECT_EQ(b[kModePr].caption, category == 3 ? "PR" : "FSK441") << category;
    }
    ContestDefinition digital;
    digital.Modes[0] = "DIGITAL";
    digital.Modes[1] = "FM";
    const ModeButtons d = ModeButtonsFor(digital);
    EXPECT_EQ(d[kModePr].caption, "DIGI");
    EXPECT_TRUE(d[kModeFm].enabled);
    EXPECT_FALSE(d[kModeCw].enabled);
    EXPECT_EQ(CategoryTexts(Sprint()).size(), 3u);
}

TEST(SetupRulesTest, ANewEntryStartsFromTheStationAndTheContestsDefaults) {
    radio::ResetProgramValues();
    radio::Program().OwnCall = "DK5XY";
    ContestEntry entry;
    entry.SetName("old");
    ContestExtra extra;
    extra.SetQsoCount(1, 9);
    PrepareNewEntry(entry, extra, 'j');
    EXPECT_EQ(entry.Name(), "");
    EXPECT_EQ(entry.Call(), "DK5XY");
    EXPECT_EQ(entry.Locator(), "JO62MM");
    EXPECT_EQ(entry.Code(), 'j');
    EXPECT_TRUE(entry.DateAuto() && entry.TimeAuto());
    EXPECT_FALSE(entry.RstSentFree() || entry.RstRcvdFree());
    EXPECT_EQ(extra, ContestExtra());
    ProposeContestTimes(entry, Sprint(), radio::DayNumber(1, 3, 2026));
    EXPECT_EQ(entry.StartDate(), radio::DayNumber(12, 8, 2026));
    EXPECT_EQ(entry.EndDate(), radio::DayNumber(13, 8, 2026));
    EXPECT_EQ(entry.StartTime(), 12 * 3600);
    // Values already there stay; unreadable defaults give -1.
    ContestDefinition odd;
    odd.DateFrom = "32.13.2012";
    entry.SetEndDate(0);
    ProposeContestTimes(entry, odd, radio::DayNumber(1, 3, 2026));
    EXPECT_EQ(entry.StartDate(), radio::DayNumber(12, 8, 2026));
    EXPECT_EQ(entry.EndDate(), -1);
    radio::ResetProgramValues();
}

// The catalogue keeps the year it was written in; a new entry gets the
// contest's day and month in the year nearest to the day it is made.
TEST(SetupRulesTest, TheContestDatesAreProposedInTheNearestYear) {
    // catalogue from, to; the day the entry is made; the dates proposed
    const std::array<const char*, 5> kCases[] = {
        // August's contest: before it, on its day, in December after it,
        // and in the new year that year's.
        {"12.08.2012", "13.08.2012", "02.01.2026", "12.08.2026", "13.08.2026"},
        {"12.08.2012", "13.08.2012", "12.08.2026", "12.08.2026", "13.08.2026"},
        {"12.08.2012", "13.08.2012", "31.12.2026", "12.08.2026", "13.08.2026"},
        {"12.08.2012", "13.08.2012", "11.02.2027", "12.08.2027", "13.08.2027"},
        // A contest across New Year stays one, whichever year it lands in.
        {"31.12.2011", "01.01.2012", "20.12.2026", "31.12.2026", "01.01.2027"},
        {"31.12.2011", "01.01.2012", "02.01.2027", "31.12.2027", "01.01.2028"},
        // A January contest is next year's from half a year after it.
        {"05.01.2012", "05.01.2012", "07.07.2026", "05.01.2026", "05.01.2026"},
        {"05.01.2012", "05.01.2012", "08.07.2026", "05.01.2027", "05.01.2027"},
        // 29 February only where the year has one.
        {"29.02.2012", "29.02.2012", "01.01.2027", "28.02.2027", "28.02.2027"},
        {"29.02.2012", "29.02.2012", "01.01.2028", "29.02.2028", "29.02.2028"},
        {"32.13.2012", "", "01.01.2026", "", ""},
    };
    const auto day = [](const char* text) { return radio::TextToDate(radio::DateFormat, text); };
    for (const auto& [from, to, today, start, end] : kCases) {
        const ContestDates dates = NearestContestDates(from, to, day(today));
        EXPECT_EQ(dates.from, day(start)) << from << " made on " << today;
        EXPECT_EQ(dates.to, day(end)) << from << " made on " << today;
    }
}

TEST(SetupRulesTest, ACategoryProposesItsPeriodWithTheEndDayDefaultingToTheStart) {
    ContestDefinition d;
    d.Categories[0] = {"A", 2};
    d.Categories[1] = {"B", 0};
    d.Periods[1] = {"17.03.2012", "", "13:00:00", "15:00:00", {}};
    const auto period = CategoryPeriod(d, 1);
    ASSERT_TRUE(period);
    EXPECT_EQ(period->DateTo, "17.03.2012");
    EXPECT_FALSE(CategoryPeriod(d, 2));
    EXPECT_FALSE(CategoryPeriod(d, 0));
    EXPECT_FALSE(CategoryPeriod(d, 21));
}

TEST(SetupRulesTest, TheEvaluationAddsUpTheTotalsAndScoresByTheContestsRule) {
    struct Case {
        const char* what;
        void (*define)(ContestDefinition&);
        bool inExtra;
        std::int64_t score;
        const char* multTotal;
        const char* pointsTotal;
    };
    // Band 1: 10 QSOs, 3 multipliers, 400 points; band 2: 5, 0, 100; band
    // 9 (extra record only): 1, 2, 50.
    const Case cases[] = {
        {"no multipliers", [](ContestDefinition&) {}, true, 550, "", ""},
        {"points only",
         [](ContestDefinition& d) {
             d.Features.set(15);
             d.PointsOnly = 1;
             d.MultNames[0] = "PLZ";
         },
         true, 550, "5 PLZ", "550 Punkte ="},
        {"product", [](ContestDefinition& d) { d.Features.set(2); }, true, 2750, "5 Multi x",
         "550 Punkte ="},
        {"per band product",
         [](ContestDefinition& d) {
             d.Features.set(2);
             d.PerBandProduct = 1;
             d.MultNames[0] = "Prefix";
         },
         true, 3 * 400 + 100 + 2 * 50, "5 Prefixe", "550 Punkte"},
        {"whole-log multipliers",
         [](ContestDefinition& d) {
             d.Features.set(2);
             d.MultMode = 1;
         },
         true, 3 * 550, "3 Multi x", "550 Punkte ="},
        {"entry totals", [](ContestDefinition& d) { d.Features.set(2); }, false, 3 * 500,
         "3 Multi x", "500 Punkte ="},
    };
    for (const Case& c : cases) {
        ContestDefinition d;
        c.define(d);
        ContestEntry entry;
        entry.SetTotalsInExtra(c.inExtra);
        ContestExtra extra;
        for (auto [band, qsos, mults, points] :
             {std::array{1, 10, 3, 400}, std::array{2, 5, 0, 100}, std::array{9, 1, 2, 50}}) {
            extra.SetQsoCount(band, qsos);
            extra.SetMultCount(band, mults);
            extra.SetPointSum(band, points);
            entry.SetQsoCount(band, static_cast<std::int16_t>(qsos));
            entry.SetMultCount(band, static_cast<std::int16_t>(mults));
            entry.SetPointSum(band, points);
        }
        const Evaluation e = EvaluateEntry(entry, extra, d);
        EXPECT_EQ(e.score, c.score) << c.what;
        EXPECT_EQ(e.bands[0].points, 400) << c.what;
        const EvaluationTexts t = EvaluationLabels(e, d, 'x');
        EXPECT_EQ(t.qsoTotal, c.inExtra ? "16 QSO" : "15 QSO") << c.what;
        EXPECT_EQ(t.multTotal, c.multTotal) << c.what;
        EXPECT_EQ(t.pointsTotal, c.pointsTotal) << c.what;
        EXPECT_EQ(t.score, std::to_string(c.score) + " Pkt.") << c.what;
        EXPECT_EQ(t.multipliersShown, !d.Features.none()) << c.what;
    }
    EXPECT_EQ(BandValueText(42), "   42");
}

// The suite keeps calls of up to 14 characters, the entry 12: a save that
// leaves the call as shown must not cut the suite's.
TEST(SetupTaking, TheSuiteCallIsReplacedOnlyWhenTheOperatorChangedIt) {
    const struct {
        std::string stored, typed, expected;
    } cases[] = {
        {"DL1ABC/MM", "DL1ABC/MM", "DL1ABC/MM"},
        {"PA/DL1ABC/MM", "PA/DL1ABC/MM", "PA/DL1ABC/MM"},
        {"PA/DL1ABC/P/M", "PA/DL1ABC/P/", "PA/DL1ABC/P/M"},
        {"PA/DL1ABC/P/M", "DL1ABC", "DL1ABC"},
        {"", "DL1ABC", "DL1ABC"},
    };
    for (const auto& c : cases) {
        radio::Program().OwnCall = c.stored;
        SetupInput in = GoodInput();
        in.call = c.typed;
        ContestEntry entry;
        TakeSetupInput(in, Sprint(1), 'j', entry);
        EXPECT_EQ(radio::Program().OwnCall, c.expected) << c.stored << " / " << c.typed;
        EXPECT_EQ(entry.Call(), c.typed.substr(0, kCallCapacity));
    }
    radio::Program().OwnCall.clear();
}

}  // namespace
}  // namespace mss::contest

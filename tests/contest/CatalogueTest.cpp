#include "contest/Catalogue.h"

#include "platform/Clock.h"
#include "radio/DateTime.h"
#include "radio/ProgramValues.h"

#include <gtest/gtest.h>

#include <set>

namespace mss::contest {
namespace {

class CatalogueTest : public ::testing::Test {
  protected:
    void SetUp() override { radio::ResetProgramValues(); }
    void TearDown() override { radio::ResetProgramValues(); }

    // Central European Summer Time: UTC is two hours behind the computer.
    platform::FakeClock clock_{{2012, 8, 12, 9, 15, 0}, {-120, true}};
    platform::ScopedClock guard_{clock_};
};

ByteSet Set(std::initializer_list<int> elements) {
    ByteSet s;
    for (int e : elements) s.set(static_cast<std::size_t>(e));
    return s;
}

// The non-empty texts of a list, up to its first empty one.
std::vector<std::string> Listed(const auto& list) {
    std::vector<std::string> out;
    for (const auto& item : list) {
        if (item.empty()) break;
        out.push_back(item);
    }
    return out;
}

std::string BandsOf(const ContestDefinition& def) {
    std::string out;
    for (char c : def.Bands) {
        if (c == 0) break;
        out += c;
    }
    return out;
}

int CategoryCount(const ContestDefinition& def) {
    int n = 0;
    while (n < 20 && !def.Categories[static_cast<std::size_t>(n)].Text.empty()) ++n;
    return n;
}

TEST_F(CatalogueTest, MsSprintEntryIsCompleteFieldByField) {
    ContestEntry entry;
    const ContestDefinition def = FillContestDefinition('j', entry);

    EXPECT_EQ(def.Title, "Tarvolt MSSprint Version 2012-1.0");
    EXPECT_EQ(def.Footer.substr(0, def.Title.size()), def.Title);
    EXPECT_GT(def.Footer.size(), def.Title.size());
    EXPECT_EQ(def.ContestName, "MSSprint-Contest");
    EXPECT_EQ(def.DateFrom, "12.08.2012");
    EXPECT_EQ(def.DateTo, "13.08.2012");
    EXPECT_EQ(def.TimeFrom, "12:00:00");
    EXPECT_EQ(def.TimeTo, "12:00:00");
    EXPECT_EQ(def.DupeRule, 2);
    ASSERT_EQ(CategoryCount(def), 3);
    EXPECT_EQ(def.Categories[0], ContestCategory("QRP (maximal 1,5 KW ERP/2.5KW EIRP)"));
    EXPECT_EQ(def.Categories[1], ContestCategory("QRO (gr\xF6\xDF"
                                                 "er 1,5 KW ERP/12KW EIRP)"));
    EXPECT_EQ(def.Categories[2], ContestCategory("TEAM (ohne Leistungbegrenzung)"));
    EXPECT_EQ(Listed(def.Modes), (std::vector<std::string>{"CW", "SSB", "FSK441"}));
    EXPECT_EQ(BandsOf(def), "k");
    EXPECT_EQ(def.RcvdKinds, (std::array<std::int32_t, 3>{6, 0, 0}));
    EXPECT_EQ(def.SentKinds, (std::array<std::int32_t, 3>{6, 0, 0}));
    EXPECT_EQ(def.SentValues, (std::array<std::string, 3>{"JO62MM", "", ""}));
    EXPECT_EQ(def.RcvdLabels, (std::array<std::string, 3>{"LOC", "", ""}));
    EXPECT_EQ(def.MultNames, (std::array<std::string, 3>{}));
    EXPECT_TRUE(def.Features.none());
    EXPECT_EQ(def.MultMode, 1);
    EXPECT_EQ(def.OutputFormats, Set({1, 2, 4, 5, 6, 10}));
    EXPECT_EQ(def.BandByTime, 0);
    EXPECT_EQ(def.PointsOnly, 0);
    EXPECT_EQ(def.PerBandProduct, 0);
    EXPECT_EQ(def.EntryFlag, 0);
    EXPECT_EQ(def.ShowEvaluation, 0);
    EXPECT_EQ(def.ExtendedDokCheck, 0);
    EXPECT_EQ(def.ClubName, "");
    EXPECT_EQ(def.ClubName2, "");
    EXPECT_EQ(def.ExtraText, "");
    const ContestDefinition empty;
    EXPECT_EQ(def.Periods, empty.Periods);
    EXPECT_EQ(def.DokCheckList, empty.DokCheckList);
    EXPECT_EQ(def.DokCheckLetters, empty.DokCheckLetters);
    EXPECT_EQ(def.SpecialCalls, empty.SpecialCalls);
    EXPECT_EQ(def.SpecialValues, empty.SpecialValues);
    EXPECT_EQ(def.SpecialLetters, empty.SpecialLetters);
    EXPECT_EQ(def.BonusDoks, empty.BonusDoks);
    EXPECT_EQ(def.BonusLetters, empty.BonusLetters);
    EXPECT_EQ(def.UtcOffsetHours, -2);
    EXPECT_TRUE(entry.TotalsInExtra());
    EXPECT_EQ(entry.bytes()[369], 255);
}

TEST_F(CatalogueTest, MsSprintTeamCategoryHasNoFsk441) {
    for (int category : {0, 1, 2, 3}) {
        ContestEntry entry;
        entry.SetCategory(static_cast<std::uint8_t>(category));
        const auto modes = Listed(FillContestDefinition('j', entry).Modes);
        if (category == 3) {
            EXPECT_EQ(modes, (std::vector<std::string>{"CW", "SSB"}));
        } else {
            EXPECT_EQ(modes, (std::vector<std::string>{"CW", "SSB", "FSK441"})) << category;
        }
    }
}

TEST_F(CatalogueTest, SentLocatorFollowsOwnLocatorAtTheNextFill) {
    ContestEntry entry;
    EXPECT_EQ(FillContestDefinition('j', entry).SentValues[0], "JO62MM");
    radio::Program().OwnLocator = "JN58TD";
    EXPECT_EQ(FillContestDefinition('j', entry).SentValues[0], "JN58TD");
}

TEST_F(CatalogueTest, UtcOffsetComesFromTheTimeZoneInForce) {
    ContestEntry entry;
    clock_.SetZone({-60, false});
    EXPECT_EQ(FillContestDefinition('j', entry).UtcOffsetHours, -1);
    clock_.SetZone({-330, false});
    EXPECT_EQ(FillContestDefinition('j', entry).UtcOffsetHours, -5);
    clock_.SetZone({240, true});
    EXPECT_EQ(FillContestDefinition('X', entry).UtcOffsetHours, 4);
}

TEST_F(CatalogueTest, UnknownCodeGivesTheDefaultsOnly) {
    for (char code : {'X', 'r', '0', '\0', '\xE4'}) {
        ContestEntry entry;
        entry.SetCategory(2);
        const ContestEntry before = entry;
        ContestDefinition expected;
        expected.OutputFormats = Set({1, 2, 3, 4, 5, 6, 7});
        expected.UtcOffsetHours = -2;
        EXPECT_EQ(FillContestDefinition(code, entry), expected) << code;
        EXPECT_EQ(entry, before);
        EXPECT_EQ(DisplayOf(code).Title, "");
        EXPECT_EQ(DisplayOf(code).Picture, "");
    }
}

TEST_F(CatalogueTest, RefillingGivesIdenticalRecordsForEveryCode) {
    ASSERT_EQ(CatalogueCodes().size(), 49u);
    for (char code : CatalogueCodes()) {
        for (int category = 0; category <= 9; ++category) {
            ContestEntry entry;
            entry.SetCategory(static_cast<std::uint8_t>(category));
            entry.SetDok("P01");
            const ContestDefinition first = FillContestDefinition(code, entry);
            const ContestDefinition second = FillContestDefinition(code, entry);
            EXPECT_TRUE(first == second) << code << " category " << category;
        }
    }
}

TEST_F(CatalogueTest, EveryCodeHasAConsistentEntry) {
    std::set<char> codes(CatalogueCodes().begin(), CatalogueCodes().end());
    EXPECT_EQ(codes.size(), 49u);
    for (char code : CatalogueCodes()) {
        ContestEntry entry;
        const ContestDefinition def = FillContestDefinition(code, entry);
        SCOPED_TRACE(std::string("code ") + code);
        EXPECT_FALSE(DisplayOf(code).Title.empty());
        EXPECT_TRUE(DisplayOf(code).Picture.ends_with(".bmp"));
        EXPECT_TRUE(def.Title.starts_with("Tarvolt "));
        EXPECT_TRUE(def.Footer.starts_with(def.Title));
        EXPECT_FALSE(def.ContestName.empty());
        EXPECT_GE(def.DupeRule, 1);
        EXPECT_LE(def.DupeRule, 5);
        EXPECT_GE(CategoryCount(def), 1);
        EXPECT_FALSE(def.Modes[0].empty());
        const std::string bands = BandsOf(def);
        EXPECT_FALSE(bands.empty());
        for (char band : bands) EXPECT_TRUE(band >= 'a' && band <= 'u') << band;
        for (const std::string& date : {def.DateFrom, def.DateTo}) {
            if (date.empty()) continue;
            EXPECT_NE(radio::TextToDate(radio::DateFormat, date), radio::kNoDate) << date;
        }
        EXPECT_EQ(def.DateFrom.empty(), def.DateTo.empty());
        for (const std::string& time : {def.TimeFrom, def.TimeTo}) {
            if (time.empty()) continue;
            const char* picture = time.size() == 8 ? "hh:mm:ss" : "hh:mm";
            EXPECT_EQ(radio::TimeToText(picture, radio::TextToTime(picture, time)), time);
        }
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(def.RcvdKinds[i] == 0, def.RcvdLabels[i].empty()) << i;
        }
        EXPECT_FALSE(def.OutputFormats.none());
    }
}

TEST_F(CatalogueTest, TableRowsGiveNamesDatesTimesAndDupeRules) {
    ContestEntry entry;
    entry.SetStartDate(radio::DayNumber(17, 3, 2013));
    ContestDefinition v = FillContestDefinition('V', entry);
    EXPECT_EQ(v.ContestName, "MVP-Contest 2013");
    EXPECT_EQ(v.DateFrom, "17.03.2012");
    EXPECT_EQ(v.TimeFrom, "13:00:00");
    EXPECT_EQ(v.TimeTo, "18:30:00");
    EXPECT_EQ(v.DupeRule, 1);
    EXPECT_EQ(DisplayOf('V').Title, "Mecklenburg-Vorpommern - Contest");

    const ContestDefinition g = FillContestDefinition('g', entry);
    EXPECT_EQ(g.ContestName, "UKW Nordsee-Contest 2013");
    EXPECT_EQ(g.TimeFrom, "08:30");
    EXPECT_EQ(g.DateTo, "16.11.2008");
    EXPECT_EQ(FillContestDefinition('K', entry).ContestName, "Herbst-Contest K\xF6ln-Aachen 2013");
    EXPECT_EQ(FillContestDefinition('P', entry).ContestName,
              "Tarvolt Party Februar-QSO-Party 2012 Version 1");
    EXPECT_EQ(FillContestDefinition('c', entry).DupeRule, 5);
    EXPECT_EQ(FillContestDefinition('h', entry).DupeRule, 4);
    EXPECT_EQ(FillContestDefinition('E', entry).DupeRule, 3);
    EXPECT_EQ(FillContestDefinition('H', entry).DateFrom, "");
    EXPECT_EQ(FillContestDefinition('3', entry).TimeFrom, "");
    EXPECT_EQ(DisplayOf('B').Title, "Baden - W\xFCrttemberg Aktivit\xE4t");
    EXPECT_EQ(DisplayOf('j').Title, "MMMonVHF MS SPRINT CONTEST");
    EXPECT_EQ(DisplayOf('j').Picture, "tarvoltmssprint.bmp");
}

TEST_F(CatalogueTest, EntryWithoutStartDateTakesThisYear) {
    ContestEntry entry;
    EXPECT_EQ(FillContestDefinition('V', entry).ContestName, "MVP-Contest 2012");
    clock_.SetLocal({2027, 1, 2, 10, 0, 0});
    EXPECT_EQ(FillContestDefinition('V', entry).ContestName, "MVP-Contest 2027");
}

TEST_F(CatalogueTest, NordicActivityRunsToday) {
    ContestEntry entry;
    const ContestDefinition def = FillContestDefinition('N', entry);
    EXPECT_EQ(def.DateFrom, "12.08.2012");
    EXPECT_EQ(def.DateTo, "12.08.2012");
    EXPECT_EQ(def.PointsOnly, 1);
    EXPECT_EQ(CategoryCount(def), 5);
    EXPECT_EQ(def.MultNames[0], "Loc");
    EXPECT_EQ(def.Features, Set({5}));
    EXPECT_EQ(def.OutputFormats, Set({1, 2, 3, 4, 5, 6, 13}));
    entry.SetCategory(2);
    EXPECT_EQ(BandsOf(FillContestDefinition('N', entry)), "l");
}

TEST_F(CatalogueTest, MecklenburgVorpommernFollowsTheClass) {
    ContestEntry entry;
    entry.SetPlz("18055");
    entry.SetDok("V11");
    ContestDefinition def = FillContestDefinition('V', entry);
    EXPECT_EQ(CategoryCount(def), 9);
    EXPECT_EQ(def.Categories[0].ShortText, "Klasse A");
    EXPECT_EQ(def.Categories[8].ShortText, "Klasse S");
    EXPECT_EQ(def.BandByTime, 1);
    EXPECT_EQ(def.Periods[0], (ContestPeriod{"17.03.2012", "", "13:00:00", "15:00:00", {'b'}}));
    EXPECT_EQ(def.Periods[3], (ContestPeriod{"17.03.2012", "", "17:30:00", "18:30:00", {'k'}}));
    EXPECT_TRUE(def.Periods[4].Date.empty());
    EXPECT_EQ(def.SentValues, (std::array<std::string, 3>{"V11", "18055", ""}));
    EXPECT_EQ(def.MultNames, (std::array<std::string, 3>{"DOK", "DXCC", ""}));
    EXPECT_EQ(def.DokCheckList[0], "");

    entry.SetCategory(6);
    def = FillContestDefinition('V', entry);
    EXPECT_EQ(def.SentKinds, (std::array<std::int32_t, 3>{4, 6, 0}));
    EXPECT_EQ(def.SentValues[1], "JO62MM");
    EXPECT_EQ(Listed(def.Modes).back(), "PR");

    entry.SetCategory(8);
    def = FillContestDefinition('V', entry);
    EXPECT_FALSE(def.DokCheckList[0].empty());
    EXPECT_EQ(def.DokCheckList, def.BonusDoks);
    EXPECT_EQ(def.DokCheckLetters, def.BonusLetters);
    EXPECT_EQ(def.EntryFlag, 0);

    entry.SetCategory(9);
    EXPECT_EQ(FillContestDefinition('V', entry).EntryFlag, 1);
}

TEST_F(CatalogueTest, HolylandSwitchesTheProgramToEnglish) {
    ContestEntry entry;
    FillContestDefinition('j', entry);
    EXPECT_EQ(radio::Program().LanguageGerman, 1);
    const ContestDefinition def = FillContestDefinition('H', entry);
    EXPECT_EQ(radio::Program().LanguageGerman, 0);
    EXPECT_EQ(def.TimeFrom, "00:00:01");
    EXPECT_EQ(def.TimeTo, "23:59:59");
    EXPECT_EQ(def.MultNames[0], "Area");
    EXPECT_EQ(def.Features, Set({8}));
    EXPECT_EQ(BandsOf(def), "abcegi");
}

TEST_F(CatalogueTest, TotalsInExtraIsSetOnlyByContestsThatKeepThem) {
    ContestEntry entry;
    FillContestDefinition('D', entry);
    EXPECT_FALSE(entry.TotalsInExtra());
    FillContestDefinition('j', entry);
    EXPECT_TRUE(entry.TotalsInExtra());
}

TEST_F(CatalogueTest, TellingRowsOfTheOtherContests) {
    ContestEntry entry;
    entry.SetDok("O12");

    const ContestDefinition z = FillContestDefinition('Z', entry);
    EXPECT_EQ(z.PerBandProduct, 1);
    EXPECT_EQ(z.ClubName, "IPA");
    EXPECT_EQ(z.ClubName2, "IPA");
    EXPECT_EQ(z.MultNames, (std::array<std::string, 3>{"DXCC", "US-State", ""}));

    for (char code : {'5', 'P'}) {
        const ContestDefinition party = FillContestDefinition(code, entry);
        EXPECT_EQ(party.PointsOnly, 1) << code;
        EXPECT_EQ(party.OutputFormats, Set({3, 4, 5, 6, 7, 8})) << code;
        EXPECT_EQ(party.MultNames[0], code == '5' ? "PLZ" : "Prefix");
        EXPECT_EQ(party.ShowEvaluation, code == 'P' ? 1 : 0);
    }

    for (char code : {'R', 'h'}) {
        const ContestDefinition rp = FillContestDefinition(code, entry);
        EXPECT_EQ(Listed(rp.SpecialCalls).size(), 8u) << code;
        EXPECT_EQ(rp.MultNames, (std::array<std::string, 3>{"DOK", "Callmulti", ""}));
    }

    const ContestDefinition p = FillContestDefinition('p', entry);
    EXPECT_EQ(p.DupeRule, 1);
    EXPECT_EQ(p.RcvdLabels[0], "DSW/Paddel");
    EXPECT_EQ(p.MultNames, (std::array<std::string, 3>{"DSW", "Loc", ""}));

    for (char code : {'B', 'O'}) EXPECT_EQ(FillContestDefinition(code, entry).ExtraText, "O12");
    EXPECT_EQ(FillContestDefinition('G', entry).ExtraText, "");
    EXPECT_EQ(FillContestDefinition('J', entry).ExtendedDokCheck, 1);
    EXPECT_EQ(FillContestDefinition('i', entry).ClubName, "Naval");

    for (char code : CatalogueCodes()) {
        ContestEntry any;
        const ContestDefinition def = FillContestDefinition(code, any);
        EXPECT_EQ(def.ShowEvaluation, code == 'P' ? 1 : 0) << code;
        EXPECT_EQ(def.ExtendedDokCheck, code == 'J' ? 1 : 0) << code;
        EXPECT_EQ(def.ClubName2, code == 'Z' ? "IPA" : "") << code;
    }
}

TEST_F(CatalogueTest, ListenerCategoriesLogASecondCall) {
    ContestEntry entry;
    entry.SetCategory(6);  // "SWL"
    EXPECT_EQ(FillContestDefinition('R', entry).EntryFlag, 1);
    entry.SetCategory(1);
    EXPECT_EQ(FillContestDefinition('R', entry).EntryFlag, 0);
    entry.SetCategory(200);
    EXPECT_EQ(FillContestDefinition('R', entry).EntryFlag, 0);
}

}  // namespace
}  // namespace mss::contest

// The five duplicate rules, the check when leaving the call field and the
// judgement before saving.
#include "LogTestSupport.h"
#include "log/PrefixEvaluation.h"

namespace mss::log::test {
namespace {

KnownStation NameAndQth(std::string name, std::string qth) {
    KnownStation station;
    station.name = std::move(name);
    station.qth = std::move(qth);
    return station;
}

class DupeCheckTest : public ContestLogTest {
  protected:
    void UseRule(char code, int rule) {
        UseContest(code);
        session_.definition.DupeRule = static_cast<std::uint8_t>(rule);
    }
    bool DupeOnLeaving(QsoRecord contact) { return CheckCallDupe(session_, contact); }
};

TEST_F(DupeCheckTest, RuleOneIsPerBandAndModeText) {
    UseRule('V', 1);
    ASSERT_TRUE(Save(Contact("DL1ABC", 'b', "CW", Hms(13, 0))));
    EXPECT_FALSE(Save(Contact("DL1ABC", 'b', "CW", Hms(13, 1))));
    EXPECT_EQ(messages_.LastText(), "Call bereits auf Band/Mode vorhanden");
    EXPECT_TRUE(Save(Contact("DL1ABC", 'b', "SSB", Hms(13, 2))));
    EXPECT_TRUE(Save(Contact("DL1ABC", 'a', "CW", Hms(13, 3))));
    EXPECT_TRUE(DupeOnLeaving(Contact("DL1ABC/P", 'b', "SSB", Hms(13, 4))));
    EXPECT_EQ(messages_.LastText(), "Call DL1ABC/P bereits auf Band/Mode vorhanden");
}

TEST_F(DupeCheckTest, RuleThreeAllowsOnceInCwAndOnceInTheOtherModesOnAnyBand) {
    UseRule('E', 3);
    ASSERT_TRUE(Save(Contact("DL1ABC", 'b', "SSB", Hms(9, 0))));
    EXPECT_FALSE(Save(Contact("DL1ABC", 'c', "FM", Hms(9, 1))));
    EXPECT_EQ(messages_.LastText(), "Call bereits in Betriebsart vorhanden");
    EXPECT_TRUE(Save(Contact("DL1ABC", 'b', "CW", Hms(9, 2))));
    EXPECT_FALSE(Save(Contact("DL1ABC", 'e', "CW", Hms(9, 3))));
}

TEST_F(DupeCheckTest, RuleFourInContestSixSplitsTheDayAtFifteenHundred) {
    UseRule('6', 4);
    ASSERT_TRUE(Save(Contact("DL1ABC", 'c', "CW", Hms(14, 59))));
    EXPECT_FALSE(Save(Contact("DL1ABC", 'c', "CW", Hms(10, 0))));
    EXPECT_EQ(messages_.LastText(), "Call bereits in Band und Periode vorhanden");
    EXPECT_TRUE(Save(Contact("DL1ABC", 'c', "CW", Hms(15, 0))));
    EXPECT_TRUE(DupeOnLeaving(Contact("DL1ABC", 'c', "CW", Hms(16, 0))));
    EXPECT_EQ(messages_.LastText(), "Call DL1ABC bereits in Band und Periode vorhanden");
}

TEST_F(DupeCheckTest, RuleFourInContestHAllowsOncePerBandAndDay) {
    UseRule('h', 4);
    ASSERT_TRUE(Save(Contact("DL1ABC", 'k', "FM", Hms(19, 0))));
    EXPECT_FALSE(Save(Contact("DL1ABC", 'k', "SSB", Hms(20, 0))));
    EXPECT_EQ(messages_.LastText(), "Call bereits in Band und Tag vorhanden");
    QsoRecord nextDay = Contact("DL1ABC", 'k', "FM", Hms(19, 0));
    nextDay.SetDatum(kSprintDay + 1);
    EXPECT_TRUE(Save(nextDay));
}

TEST_F(DupeCheckTest, RuleFiveFindsTheCallAnywhereButOnlyWhenLeavingTheCallField) {
    UseRule('c', 5);
    ASSERT_TRUE(Save(Contact("DL1ABC", 'b', "SSB", Hms(19, 0))));
    EXPECT_TRUE(DupeOnLeaving(Contact("DL1ABC", 'a', "CW", Hms(19, 5))));
    EXPECT_EQ(messages_.LastText(), "Call DL1ABC bereits vorhanden");
    messages_.Clear();
    EXPECT_TRUE(Save(Contact("DL1ABC", 'a', "CW", Hms(19, 6))));
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(DupeCheckTest, RuleTwoInTheFieldDayAlsoComparesTheOperatingPrefix) {
    UseRule('9', 2);
    ASSERT_TRUE(Save(Contact("DL1ABC", 'b', "CW", Hms(13, 0))));
    EXPECT_TRUE(Save(Contact("DL1ABC/3", 'b', "CW", Hms(13, 1))));
    EXPECT_FALSE(Save(Contact("DL1ABC/P", 'b', "SSB", Hms(13, 2))));
    UseRule('j', 2);
    EXPECT_FALSE(Save(Contact("DL1ABC/3", 'b', "SSB", Hms(13, 3))));
}

TEST_F(DupeCheckTest, AnEarlierContactLendsItsNameAndTheCallbookItsNameAndQth) {
    QsoRecord first = Contact("DL1ABC", 'k', "CW", Hms(12, 0));
    first.SetNameQth("Hans;Berlin");
    ASSERT_TRUE(Save(first));
    session_.callbook = [](std::string_view call) -> std::optional<KnownStation> {
        if (call != "OE1XYZ    ") return std::nullopt;
        return NameAndQth("J\x81rgen", "Wien");
    };
    session_.callFile = [](std::string_view call) -> std::optional<KnownStation> {
        if (call != "OK1AB     ") return std::nullopt;
        return NameAndQth("Jan", "Praha");
    };
    session_.prefixLookup = [](std::string_view, std::int32_t, bool&) {
        return std::optional<Country>(Country{"DL", "", "EU"});
    };
    QsoRecord again = Contact("DL1ABC/P", 'l', "CW", Hms(12, 5));
    EXPECT_FALSE(CheckCallDupe(session_, again));
    EXPECT_EQ(again.NameQth(), "Hans;Berlin");

    EXPECT_FALSE(DupeOnLeaving(Contact("OE1XYZ", 'k', "CW", Hms(12, 6))));
    EXPECT_EQ(session_.rememberedName, "J\xFCrgen") << "converted from the DOS code page";
    EXPECT_EQ(session_.rememberedQth, "Wien");
    session_.rememberedName.clear();
    session_.rememberedQth.clear();
    EXPECT_FALSE(DupeOnLeaving(Contact("OK1AB", 'k', "CW", Hms(12, 7))));
    EXPECT_EQ(session_.rememberedName, "Jan");
    EXPECT_EQ(session_.rememberedQth, "") << "the call file gives the name only";
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(DupeCheckTest, AnUnknownPrefixIsReportedButDoesNotBlockSaving) {
    session_.prefixLookup = [](std::string_view, std::int32_t, bool&) {
        return std::optional<Country>();
    };
    QsoRecord contact = Contact("XX9XX", 'k', "CW", Hms(12, 0));
    contact.SetPrefix("OLD");
    EXPECT_FALSE(CheckCallDupe(session_, contact));
    EXPECT_EQ(messages_.LastText(),
              "Pr\xE4"
              "fix unbekannt");
    EXPECT_EQ(contact.Prefix(), "");
    EXPECT_TRUE(Save(contact));
}

TEST_F(DupeCheckTest, ACountryPickedInTheChoiceDialogIsKeptUntilADupeIsFound) {
    int asked = 0;
    session_.prefixLookup = [&](std::string_view, std::int32_t, bool& chosen) {
        ++asked;
        chosen = true;
        return std::optional<Country>(Country{"UA9", "", "AS"});
    };
    QsoRecord contact = Contact("R9ABC", 'k', "CW", Hms(12, 0));
    ASSERT_TRUE(EvaluatePrefix(session_, contact));
    contact.SetPrefix("");
    ASSERT_TRUE(EvaluatePrefix(session_, contact));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(contact.Prefix(), "UA9");
    EXPECT_EQ(contact.Continent(), "AS");
    ASSERT_TRUE(Save(contact));
    EXPECT_TRUE(CheckCallDupe(session_, contact));
    EXPECT_FALSE(session_.chosenCountry.has_value());
}

TEST_F(DupeCheckTest, PrefixOptionsChooseTheWpxOrTheAlternativePrefix) {
    session_.prefixLookup = [](std::string_view, std::int32_t, bool&) {
        return std::optional<Country>(Country{"DL", "DA", "EU"});
    };
    QsoRecord contact = Contact("DL1ABC");
    contact.SetPrefix("XY");
    ASSERT_TRUE(EvaluatePrefix(session_, contact));
    EXPECT_EQ(contact.Prefix(), "XY") << "a prefix already there stays";
    session_.definition.Features.set(1);
    ASSERT_TRUE(EvaluatePrefix(session_, contact));
    EXPECT_EQ(contact.Prefix(), "DL1");
    session_.definition.Features.set(14);
    ASSERT_TRUE(EvaluatePrefix(session_, contact));
    EXPECT_EQ(contact.Prefix(), "DA");
    contact.SetPrefix("HAND");
    contact.SetPrefixFixed(1);
    ASSERT_TRUE(EvaluatePrefix(session_, contact));
    EXPECT_EQ(contact.Prefix(), "HAND");
    EXPECT_EQ(WpxPrefix("9A1XY"), "9A1");
    EXPECT_EQ(WpxPrefix("OH2"), "OH2");
}

TEST_F(DupeCheckTest, TheDokCheckAdmitsOnlyTheDistrictOfTheContest) {
    session_.definition.DokCheckLetters = {'V'};
    QsoRecord v12 = Contact("DL1AAA", 'k', "CW", Hms(8, 0));
    StoreDok(v12, "V12");
    EXPECT_TRUE(Save(v12));
    QsoRecord z12 = Contact("DL1AAB", 'k', "CW", Hms(8, 1));
    StoreDok(z12, "Z12");
    EXPECT_FALSE(Save(z12));
    EXPECT_EQ(messages_.LastText(),
              "Station mu\xDF aus Distrikt V sein. Bitte Kontestregeln beachten.");
    messages_.Clear();
    EXPECT_FALSE(Save(Contact("DL1AAC", 'k', "CW", Hms(8, 2))));
    EXPECT_TRUE(messages_.shown().empty());

    session_.definition.DokCheckList[0] = "Z12";
    EXPECT_TRUE(Save(z12)) << "a DOK of the list passes whatever its letter";
}

TEST_F(DupeCheckTest, ASecondCallContestNeedsTheSecondCall) {
    session_.definition.EntryFlag = 1;
    QsoRecord contact = Contact("DL1AAA");
    EXPECT_FALSE(IsComplete(session_, contact));
    contact.SetCall2("DL2BBB");
    EXPECT_TRUE(IsComplete(session_, contact));
}

}  // namespace
}  // namespace mss::log::test

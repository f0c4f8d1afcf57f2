#include "radio/PrefixLookup.h"

#include <gtest/gtest.h>

#include "radio/BaseCall.h"
#include "radio/DateTime.h"
#include "radio/DxccTable.h"
#include "store/ObjectTestSupport.h"
#include "suite/SuiteFiles.h"

namespace mss::radio {
namespace {

using suite::PrefixRecord;
using suite::SuiteFile;

PrefixRecord Entry(std::string_view pattern, std::string_view dxcc, std::string_view country,
                   std::int16_t code = 0) {
    PrefixRecord r;
    r.SetPattern(pattern);
    r.SetDxccPrefix(dxcc);
    r.SetCountryName(country);
    r.SetContinentCode("EU");
    r.SetDxccCode(code);
    return r;
}

// Answers the "Auswahl DXCC" dialog from a script and records what it saw.
class ScriptedChooser : public DxccChooser {
  public:
    std::optional<std::size_t> answer;
    std::string pattern;
    std::vector<PrefixChoice> shown;
    int calls = 0;

    std::optional<std::size_t> Choose(std::string_view p,
                                      const std::vector<PrefixChoice>& c) override {
        ++calls;
        pattern = p;
        shown = c;
        return answer;
    }
};

const std::int32_t kDay1989 = DayNumber(1, 6, 1989);
const std::int32_t kDay1990 = DayNumber(2, 10, 1990);
const std::int32_t kDay2000 = DayNumber(1, 1, 2000);
const std::int32_t kDay2020 = DayNumber(1, 1, 2020);

class PrefixLookupTest : public store::test::ObjectLayerTest {
  protected:
    void SetUp() override {
        ObjectLayerTest::SetUp();
        suite::SetSuiteDirectory(dir_.Dir());
        PrefixBuffer() = PrefixRecord();
    }
    void TearDown() override {
        suite::SetSuiteDirectory("");
        ObjectLayerTest::TearDown();
    }

    static void Put(SuiteFile file, const PrefixRecord& record) {
        const suite::SuiteFileUse use(file);
        ASSERT_NE(use.get(), nullptr);
        use.get()->ClearRecord();
        std::ranges::copy(record.bytes(), use.get()->RecordBuffer().begin());
        ASSERT_EQ(use.get()->Add(), 0) << record.Pattern();
    }
    static void Put(const PrefixRecord& record) { Put(SuiteFile::QVPREFIX, record); }

    // The DXCC prefix the lookup found, "-" for not found and "!" for not current.
    static std::string Lookup(std::string_view call, std::int32_t date = kDay2020) {
        bool chosen = false;
        switch (PrefixLookup(call, date, 0, chosen)) {
            case PrefixResult::kFound:
                return PrefixBuffer().DxccPrefix();
            case PrefixResult::kNotFound:
                return "-";
            case PrefixResult::kNotCurrent:
                return "!";
        }
        return "?";
    }

    void PutCountries() {
        Put(Entry("DL", "DL", "Germany", 230));
        Put(Entry("OE", "OE", "Austria", 206));
        Put(Entry("K", "K", "United States", 291));
        Put(Entry("KH6", "KH6", "Hawaii", 110));
    }
};

TEST_F(PrefixLookupTest, FindsTheLongestMatchingPrefixOfAwkwardCalls) {
    PutCountries();
    EXPECT_EQ(Lookup("DL1ABC"), "DL");
    EXPECT_EQ(PrefixBuffer().CountryName(), "Germany");
    EXPECT_EQ(PrefixBuffer().DxccCode(), 230);
    EXPECT_EQ(Lookup(" dl1abc "), "DL");
    EXPECT_EQ(Lookup("KH6ABC"), "KH6");
    EXPECT_EQ(Lookup("K1ABC"), "K");
    EXPECT_EQ(Lookup("DL/OE1ABC/P"), "DL");
    EXPECT_EQ(Lookup("OE1ABC/DL"), "OE") << "the call as written: its own prefix first";
    EXPECT_EQ(Lookup("DL1ABC/MM"), "DL");
    EXPECT_EQ(Lookup("DL1ABCDEFGHI"), "DL") << "12 characters";
    EXPECT_EQ(Lookup("DL1ABCDEFGHIJKLMNOPQRSTUVWXYZ"), "DL") << "longer than 20";
    EXPECT_EQ(Lookup("/MM"), "-");
    EXPECT_EQ(Lookup("/AM"), "-");
    EXPECT_EQ(Lookup("12345"), "-");
    EXPECT_EQ(Lookup(""), "-");
    EXPECT_TRUE(PrefixBuffer().Empty()) << "a miss leaves no stale country behind";
}

TEST_F(PrefixLookupTest, LooksUpTheOperatingPrefixThatBaseCallGives) {
    PutCountries();
    const auto prefixOf = [](std::string_view call) {
        return BaseCall(call, BaseCallVariant::kPrefix, SuffixList());
    };
    EXPECT_EQ(Lookup(prefixOf("OE1ABC/DL")), "DL");
    EXPECT_EQ(Lookup(prefixOf("DL/OE1ABC/P")), "DL");
    EXPECT_EQ(Lookup(prefixOf("K1A/KH6")), "KH6");
    EXPECT_EQ(prefixOf("/MM"), "");
    EXPECT_EQ(Lookup(prefixOf("/AM")), "-");
}

TEST_F(PrefixLookupTest, AnEmptyOrMissingTableFindsNothing) {
    EXPECT_EQ(Lookup("DL1ABC"), "-");
    EXPECT_FALSE(FindCountry("DL"));
}

TEST_F(PrefixLookupTest, EntriesAreValidOnlyBetweenTheirDates) {
    PrefixRecord gdr = Entry("Y2", "Y2", "German Democratic Republic", 229);
    gdr.SetValidTo(kDay1990);
    Put(gdr);
    PrefixRecord future = Entry("ZZ", "ZZ", "Not yet", 0);
    future.SetValidFrom(TodayUtc() + 1000);
    Put(future);
    EXPECT_EQ(Lookup("Y21ABC", kDay1989), "Y2");
    EXPECT_EQ(Lookup("Y21ABC", kDay1990), "Y2") << "the last day still counts";
    EXPECT_EQ(Lookup("Y21ABC", kDay1990 + 1), "!");
    EXPECT_EQ(Lookup("Y21ABC", 0), "!") << "no date means today";
    EXPECT_EQ(Lookup("ZZ1ABC", kDay2020), "!");
}

TEST_F(PrefixLookupTest, SuccessorsReplaceAnEntryUpToTheirDay) {
    PrefixRecord old = Entry("ZS9", "ZS9", "Walvis Bay", 0);
    old.SetSuccessor1("V5");
    old.SetSuccessor1Until(kDay2000);
    Put(old);
    Put(Entry("V5", "V5", "Namibia", 464));
    EXPECT_EQ(Lookup("ZS9A", kDay1989), "V5");
    EXPECT_EQ(Lookup("ZS9A", kDay2020), "ZS9");

    // A successor "RA" takes the call's district digit.
    PrefixRecord ua = Entry("UA", "UA", "Russia", 54);
    ua.SetSuccessor2("RA");
    ua.SetSuccessor2Until(kDay2000);
    Put(ua);
    Put(Entry("RA3", "UA", "European Russia", 54));
    Put(Entry("RA9", "UA9", "Asiatic Russia", 15));
    EXPECT_EQ(Lookup("UA9ABC", kDay1989), "UA9");
    EXPECT_EQ(PrefixBuffer().CountryName(), "Asiatic Russia");
    EXPECT_EQ(Lookup("UA3ABC", kDay1989), "UA");
    EXPECT_EQ(PrefixBuffer().CountryName(), "European Russia");
    EXPECT_EQ(Lookup("UA9ABC", kDay2020), "UA");
    EXPECT_EQ(PrefixBuffer().CountryName(), "Russia");
}

TEST_F(PrefixLookupTest, AliasesResolveToTheEntryTheyStandFor) {
    PutCountries();
    Put(Entry("HB", "HB", "Switzerland", 287));
    PrefixRecord da = Entry("DA", "", "", 0);
    da.SetAlias("DL");  // same length: DA1ABC is read as DL1ABC
    Put(da);
    PrefixRecord itu = Entry("4U1I", "", "", 0);
    itu.SetAlias("HB");  // any other alias is matched on its own
    Put(itu);
    PrefixRecord loop = Entry("QQ", "", "", 0);
    loop.SetAlias("QR");
    Put(loop);
    PrefixRecord back = Entry("QR", "", "", 0);
    back.SetAlias("QQ");
    Put(back);
    EXPECT_EQ(Lookup("DA1ABC"), "DL");
    EXPECT_EQ(Lookup("4U1ITU"), "HB");
    EXPECT_EQ(Lookup("QQ1ABC"), "-") << "a loop of aliases ends after a few steps";
}

TEST_F(PrefixLookupTest, RangesAndWildcardsMatchTheLastCharacter) {
    PrefixRecord range = Entry("AB5", "AB5", "Range", 1);
    range.SetRangeStart('2');  // AB2 ... AB5
    Put(range);
    Put(Entry("AB", "AB", "Plain", 2));
    Put(Entry("CD~", "CD~", "Wildcard", 3));
    EXPECT_EQ(Lookup("AB3XYZ"), "AB5");
    EXPECT_EQ(Lookup("AB5XYZ"), "AB5");
    EXPECT_EQ(Lookup("AB1XYZ"), "AB");
    EXPECT_EQ(Lookup("AB6XYZ"), "AB");
    EXPECT_EQ(Lookup("CDX1"), "CD~");
    EXPECT_EQ(Lookup("CE1"), "-");
}

TEST_F(PrefixLookupTest, SpecialDxccPairsAreLookedUpByPrefixAndEnding) {
    PutCountries();
    Put(Entry("FR", "FR", "Reunion", 453));
    Put(Entry("FR/G", "FR/G", "Glorioso", 99));
    Put(Entry("SV", "SV", "Greece", 236));
    Put(Entry("SV/A", "SV/A", "Mount Athos", 180));
    EXPECT_EQ(Lookup("FR5ABC/G"), "FR/G");
    EXPECT_EQ(Lookup("FR5ABC"), "FR");
    EXPECT_EQ(Lookup("SV2ABC/A"), "SV/A");
    EXPECT_EQ(Lookup("SV2ABC/P"), "SV");
}

TEST_F(PrefixLookupTest, ExceptionTablesComeFirst) {
    PutCountries();
    PrefixRecord special = Entry("DL0ANT", "CE9", "Antarctica", 13);
    Put(SuiteFile::QVPREFEE, special);
    PrefixRecord whole = Entry("DP1", "CE9", "Antarctica", 13);
    whole.SetAllCalls('J');
    Put(SuiteFile::QVPREFES, whole);
    EXPECT_EQ(Lookup("DL0ANT"), "CE9");
    EXPECT_EQ(Lookup("DL0AN"), "DL") << "an exception without J counts for its call only";
    EXPECT_EQ(Lookup("DP1POL"), "CE9");
    EXPECT_EQ(Lookup("DP2POL"), "-");
}

class PrefixChoiceTest : public PrefixLookupTest {
  protected:
    void SetUp() override {
        PrefixLookupTest::SetUp();
        PrefixRecord falkland = Entry("VP8", "VP8", "Falkland Islands", 141);
        falkland.SetChoiceNumber("1");
        falkland.SetRemark("Falklands");
        Put(falkland);
        PrefixRecord georgia = Entry("VP8", "VP8G", "South Georgia", 235);
        georgia.SetChoiceNumber("2");
        georgia.SetValidTo(kDay2000);
        georgia.SetRemark("Suedgeorgien");
        Put(georgia);
        PrefixRecord orkney = Entry("VP8", "VP8O", "South Orkney", 238);
        orkney.SetChoiceNumber("3");
        Put(orkney);
    }
    ScriptedChooser chooser_;
};

TEST_F(PrefixChoiceTest, TheOperatorPicksOneOfSeveralEntitiesOfAPrefix) {
    ScopedDxccChooser installed(chooser_);
    chooser_.answer = 2;
    bool chosen = false;
    EXPECT_EQ(PrefixLookup("VP8ABC", kDay2020, 0, chosen), PrefixResult::kFound);
    EXPECT_TRUE(chosen);
    EXPECT_EQ(PrefixBuffer().DxccPrefix(), "VP8O");
    EXPECT_EQ(chooser_.pattern, "VP8");
    ASSERT_EQ(chooser_.shown.size(), 3u);
    EXPECT_EQ(chooser_.shown[0].record.CountryName(), "Falkland Islands");
    EXPECT_EQ(chooser_.shown[0].remark, "Falklands");
    EXPECT_EQ(chooser_.shown[1].remark, "Suedgeorgien  (deleted)");
}

TEST_F(PrefixChoiceTest, CancellingLeavesAnEmptyCountry) {
    ScopedDxccChooser installed(chooser_);
    bool chosen = true;
    EXPECT_EQ(PrefixLookup("VP8ABC", kDay2020, 0, chosen), PrefixResult::kFound);
    EXPECT_FALSE(chosen);
    EXPECT_TRUE(PrefixBuffer().DxccPrefix().empty());
    EXPECT_TRUE(PrefixBuffer().ContinentCode().empty());
}

TEST_F(PrefixChoiceTest, WithoutAChooserEveryChoiceCountsAsCancelled) {
    bool chosen = true;
    EXPECT_EQ(PrefixLookup("VP8ABC", kDay2020, 0, chosen), PrefixResult::kFound);
    EXPECT_FALSE(chosen);
    EXPECT_TRUE(PrefixBuffer().DxccPrefix().empty());
}

TEST_F(PrefixChoiceTest, AnExplicitlyNumberedPrefixNeedsNoChoice) {
    ScopedDxccChooser installed(chooser_);
    EXPECT_EQ(Lookup("VP8-2", kDay1989), "VP8G");
    EXPECT_EQ(chooser_.calls, 0);
    EXPECT_EQ(Lookup("VP8-2", kDay2020), "!") << "still checked against its dates";
}

TEST_F(PrefixChoiceTest, CandidatesAreBroughtUpToDateForTheContactsDate) {
    PrefixRecord moved = Entry("XX", "XX", "Old name", 0);
    moved.SetChoiceNumber("1");
    moved.SetSuccessor1("VP8");
    moved.SetSuccessor1Until(kDay2000);
    Put(moved);
    PrefixRecord later = Entry("XX", "XX", "Later", 0);
    later.SetChoiceNumber("2");
    later.SetValidFrom(kDay2000);
    Put(later);
    PrefixRecord main = Entry("VP8", "VP8", "Falkland Islands", 141);
    Put(main);  // VP8 as its own DXCC prefix, for the successor

    const std::vector<PrefixChoice> early = ChoiceCandidates("XX", kDay1989);
    ASSERT_EQ(early.size(), 2u);
    EXPECT_EQ(early[0].record.CountryName(), "Falkland Islands");
    EXPECT_EQ(early[1].record.CountryName(), "not current");
    EXPECT_EQ(early[1].remark, "  (deleted)");
    const std::vector<PrefixChoice> late = ChoiceCandidates("XX", kDay2020);
    ASSERT_EQ(late.size(), 2u);
    EXPECT_EQ(late[0].record.CountryName(), "Old name");
    EXPECT_EQ(late[1].record.CountryName(), "Later");
}

TEST_F(PrefixLookupTest, FindCountryLooksForTheDxccPrefix) {
    PutCountries();
    Put(Entry("RA3", "UA", "European Russia", 54));
    EXPECT_TRUE(FindCountry("DL"));
    EXPECT_EQ(PrefixBuffer().CountryName(), "Germany");
    EXPECT_TRUE(FindCountry(" UA "));
    EXPECT_EQ(PrefixBuffer().CountryName(), "European Russia");
    EXPECT_FALSE(FindCountry("U"));
    EXPECT_FALSE(FindCountry(""));
    Put(SuiteFile::QVPREFEE, Entry("DL", "DL", "Germany (exception)", 230));
    EXPECT_TRUE(FindCountry("DL"));
    EXPECT_EQ(PrefixBuffer().CountryName(), "Germany (exception)");
}

TEST_F(PrefixLookupTest, DxccNumbersComeFromTheTablesWhereTheBuiltInOnesEnd) {
    PutCountries();
    Put(Entry("XYZ", "XYZ", "Somewhere", 7));
    EXPECT_EQ(DxccNumber("DL", FindCountryCode), "230");
    EXPECT_EQ(DxccNumber("XYZ", FindCountryCode), "  7");
    EXPECT_EQ(DxccNumber("3D2C", FindCountryCode), "489");
    Put(Entry("3D2C", "3D2C", "Conway Reef", 77));
    EXPECT_EQ(DxccNumber("3D2C", FindCountryCode), " 77")
        << "the table's number replaces the fixed one";
    EXPECT_EQ(DxccNumber("QQQ", FindCountryCode), "");
    EXPECT_EQ(DxccNumber("", FindCountryCode), "");
}

}  // namespace
}  // namespace mss::radio

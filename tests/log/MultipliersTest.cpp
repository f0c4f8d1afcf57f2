// Multipliers of every scope and the score, against hand-computed totals.
#include "LogTestSupport.h"

namespace mss::log::test {
namespace {

class MultipliersTest : public ContestLogTest {
  protected:
    // Contest 'D' scores 2 points a contact, so the totals are easy to follow.
    void UseKinds(std::initializer_list<int> options, int multMode,
                  std::initializer_list<char> bands = {'b', 'c'}) {
        UseContest('D');
        contest::ContestDefinition& d = session_.definition;
        d.DupeRule = 1;
        d.Features.reset();
        for (int option : options) d.Features.set(static_cast<std::size_t>(option));
        d.MultMode = static_cast<std::uint8_t>(multMode);
        d.Bands = {};
        std::ranges::copy(bands, d.Bands.begin());
        session_.band = *bands.begin();
    }
    QsoRecord WithPrefix(std::string_view call, char band, std::string_view prefix, int minute,
                         std::string_view mode = "CW") {
        QsoRecord r = Contact(call, band, mode, Hms(10, minute));
        r.SetPrefix(prefix);
        return r;
    }
    QsoRecord WithDok(std::string_view call, char band, std::string_view dok, int minute,
                      std::string_view mode = "CW") {
        QsoRecord r = Contact(call, band, mode, Hms(10, minute));
        StoreDok(r, dok);
        return r;
    }
    // The totals as a freshly opened form recounts them.
    LogSession Recounted() {
        LogSession s = session_;
        ClearTotals(s);
        Recount(s, true);
        return s;
    }
};

TEST_F(MultipliersTest, PrefixesCountedPerBandMultiplyThePoints) {
    UseKinds({2}, 0);
    session_.definition.MultNames[0] = "DXCC";
    ASSERT_TRUE(Save(WithPrefix("OE1AAA", 'b', "OE", 0)));
    ASSERT_TRUE(Save(WithPrefix("OK1AAA", 'b', "OK", 1)));
    ASSERT_TRUE(Save(WithPrefix("OE2AAA", 'b', "OE", 2)));
    ASSERT_TRUE(Save(WithPrefix("DL1AAA", 'b', "DL", 3)));  // "DL" counts only with option 3
    ASSERT_TRUE(Save(WithPrefix("OE1AAA", 'c', "OE", 4)));
    ASSERT_TRUE(Save(WithPrefix("SP1AAA", 'c', "SP", 5)));
    // 6 contacts of 2 points; 2 multipliers on each band: 12 x 4.
    EXPECT_EQ(Score(session_), 48);
    const std::vector<QsoRecord> log = Records();
    std::vector<std::string> markers;
    for (const QsoRecord& r : log) markers.push_back(r.MultiCol1());
    EXPECT_EQ(markers, (std::vector<std::string>{"OE", "OK", "", "", "OE", "SP"}));

    const LogSession s = Recounted();
    EXPECT_EQ(s.totals.multipliers['b'], 2);
    EXPECT_EQ(s.totals.multipliers['c'], 2);
    EXPECT_EQ(s.totals.multCount, 2) << "the tables of the current band";
    EXPECT_EQ(Score(s), 48);
    session_.definition.Features.set(3);
    EXPECT_EQ(Score(Recounted()), 12 * 5);
}

// Points made before the first multiplier are not multiplied away to 0.
TEST_F(MultipliersTest, PointsBeforeTheFirstMultiplierAreTheScore) {
    UseKinds({2}, 0);
    session_.definition.MultNames[0] = "DXCC";
    ASSERT_TRUE(Save(WithPrefix("DL1AAA", 'b', "DL", 0)));  // "DL" counts only with option 3
    EXPECT_EQ(MultiplierSum(session_.totals), 0);
    EXPECT_EQ(Score(session_), 2);
    EXPECT_EQ(Score(Recounted()), 2);
}

TEST_F(MultipliersTest, LocatorSquaresCountedOnceForTheWholeLog) {
    UseKinds({5}, 1, {'k', 'l'});
    QsoRecord a = Contact("DL1AAA", 'k', "CW", Hms(10, 0));
    a.SetLocator("JO62MM");
    QsoRecord b = Contact("DL1AAA", 'l', "CW", Hms(10, 1));
    b.SetLocator("JO62AB");
    QsoRecord c = Contact("DL1AAB", 'k', "CW", Hms(10, 2));
    c.SetLocator("JO40AA");
    for (const QsoRecord& r : {a, b, c}) ASSERT_TRUE(Save(r));
    EXPECT_EQ(session_.totals.multipliers[1], 2);
    EXPECT_EQ(Score(session_), 6 * 2);
    const LogSession s = Recounted();
    EXPECT_EQ(s.totals.multipliers[1], 2);
    EXPECT_EQ(MultiplierSum(s.totals), 2);
    EXPECT_EQ(Score(s), 12);
}

TEST_F(MultipliersTest, DoksCountedPerBandAndModeWithTheProductPerBand) {
    UseKinds({4}, 2);
    session_.definition.PerBandProduct = 1;
    ASSERT_TRUE(Save(WithDok("DL1AAA", 'b', "A01", 0, "CW")));
    ASSERT_TRUE(Save(WithDok("DL1AAB", 'b', "A01", 1, "SSB")));
    ASSERT_TRUE(Save(WithDok("DL1AAC", 'b', "A01", 2, "CW")));
    ASSERT_TRUE(Save(WithDok("DL1AAD", 'c', "B02", 3, "CW")));
    // Band b: 2 multipliers x 6 points; band c: 1 x 2.
    EXPECT_EQ(Score(session_), 14);
    const LogSession s = Recounted();
    EXPECT_EQ(s.totals.multipliers['b'], 2);
    EXPECT_EQ(s.totals.multipliers['c'], 1);
    EXPECT_EQ(Score(s), 14);
}

TEST_F(MultipliersTest, MemberNumbersCountForTheWholeLogWhateverTheScope) {
    UseKinds({19}, 0);
    session_.definition.MultNames[2] = "QCWA";
    session_.entry.SetCode('k');
    auto member = [](std::string_view call, char band, std::string_view number, int minute) {
        QsoRecord r = Contact(call, band, "CW", Hms(11, minute));
        r.SetCall2(number);
        return r;
    };
    ASSERT_TRUE(Save(member("W1AW", 'b', "1234", 0)));
    ASSERT_TRUE(Save(member("W1AX", 'c', "1234", 1)));
    ASSERT_TRUE(Save(member("W1AY", 'c', "0", 2)));  // "0" is no number
    const LogSession s = Recounted();
    EXPECT_EQ(MultiplierSum(s.totals), 1);
}

TEST_F(MultipliersTest, ChangingTheCallBackAndForthNeverCountsAMultiplierTwice) {
    UseKinds({2}, 1);
    ASSERT_TRUE(Save(WithPrefix("OK1AAA", 'b', "OK", 0)));
    ASSERT_EQ(session_.totals.multCount, 1);
    QsoRecord typed = WithPrefix("OE1AAA", 'b', "OE", 1);
    for (std::string_view prefix : {"OE", "SP", "OE", "OK", "OE", "OE"}) {
        typed.SetPrefix(prefix);
        EvaluateMultipliers(session_, typed);
        EXPECT_EQ(session_.totals.multCount, prefix == "OK" ? 1 : 2) << prefix;
        EXPECT_EQ(session_.totals.multipliers[1], session_.totals.multCount);
        EXPECT_EQ(session_.multipliers.Table(MultKind::kPrefix).size(), prefix == "OK" ? 1u : 2u);
    }
    auto stateOfOk = [&] {
        const MultEntry* ok = session_.multipliers.Table(MultKind::kPrefix).Find("OK", "");
        return ok != nullptr ? ok->state : MultState::kNew;
    };
    EXPECT_EQ(stateOfOk(), MultState::kSaved);
    typed.SetPrefix("OK");
    EvaluateMultipliers(session_, typed);
    EXPECT_EQ(stateOfOk(), MultState::kWorkedAgain);

    typed.SetPrefix("OE");
    EvaluateMultipliers(session_, typed);
    UndoProvisionalMultipliers(session_);
    EXPECT_EQ(session_.totals.multCount, 1);
    EXPECT_EQ(session_.multipliers.Table(MultKind::kPrefix).size(), 1u);
    UndoProvisionalMultipliers(session_);
    EXPECT_EQ(session_.totals.multCount, 1) << "a second undo takes nothing away";

    ASSERT_TRUE(Save(typed));
    EXPECT_EQ(session_.totals.multCount, 2);
    EvaluateMultipliers(session_, typed);
    EXPECT_EQ(session_.totals.multCount, 2) << "the saved contact's prefix is worked before";
}

TEST_F(MultipliersTest, TheClubFilterAdmitsOnlyClubContacts) {
    UseKinds({2}, 1);
    session_.definition.ClubName = "IPA";
    QsoRecord member = WithPrefix("OE1AAA", 'b', "OE", 0);
    StoreRcvdExchange(member, "599IPA");
    QsoRecord other = WithPrefix("OK1AAA", 'b', "OK", 1);
    ASSERT_TRUE(Save(member));
    ASSERT_TRUE(Save(other));
    EXPECT_EQ(session_.totals.multCount, 1);
    EXPECT_EQ(Recounted().totals.multipliers[1], 1);
}

TEST_F(MultipliersTest, DokExtrasOfContestTwoWeighTheCount) {
    UseKinds({4}, 1);
    session_.entry.SetCode('2');
    ASSERT_TRUE(Save(WithDok("DL1AAA", 'b', "WN", 0)));
    ASSERT_TRUE(Save(WithDok("DL1AAB", 'b', "N12", 1)));
    ASSERT_TRUE(Save(WithDok("DL1AAC", 'b', "A01", 2)));
    ASSERT_TRUE(Save(WithDok("DL1AAD", 'b', "NM", 3)));  // "NM" is no DOK
    EXPECT_EQ(session_.totals.multCount, 6 + 1 + 1);
    EXPECT_EQ(Recounted().totals.multipliers[1], 8);
    QsoRecord typed = WithDok("DL1AAE", 'b', "DN", 4);
    EvaluateMultipliers(session_, typed);
    EXPECT_EQ(session_.totals.multCount, 11);
    UndoProvisionalMultipliers(session_);
    EXPECT_EQ(session_.totals.multCount, 8);
}

TEST_F(MultipliersTest, CallmultiCountsOnlyTheListedCalls) {
    UseKinds({10}, 0);
    session_.definition.SpecialCalls[0] = "DK0RLP";
    session_.definition.MultNames[1] = "Callmulti";
    QsoRecord listed = Contact("DK0RLP/P", 'b', "CW", Hms(9, 0));
    EvaluateMultipliers(session_, listed);
    EXPECT_EQ(listed.MultiCol2(), "DK0RLP");
    EXPECT_EQ(session_.totals.multCount, 1);
    QsoRecord other = Contact("DL1AAA", 'b', "CW", Hms(9, 1));
    EvaluateMultipliers(session_, other);
    EXPECT_EQ(session_.totals.multCount, 0);
}

TEST_F(MultipliersTest, ALogOfBandChangeMarkersOnlyScoresNothing) {
    UseKinds({2}, 0);
    Put(BandChange('b', 'c', Hms(10, 0)));
    Put(BandChange('c', 'b', Hms(10, 1)));
    const LogSession s = Recounted();
    EXPECT_EQ(ContactSum(s.totals), 0);
    EXPECT_EQ(Score(s), 0);
    EXPECT_EQ(s.totals.lastBand, 'b');
    EXPECT_EQ(s.totals.nextContact, 1);
}

TEST(MultTable, KeepsItsValuesSortedAndLosesTheLastWhenFull) {
    MultTable table;
    EXPECT_TRUE(table.Insert("OK", "", MultState::kSaved));
    EXPECT_TRUE(table.Insert("DL", "", MultState::kNew));
    EXPECT_EQ(table.entries().front().value, "DL      ");
    for (int i = 0; i < 498; ++i)
        table.Insert("X" + std::to_string(1000 + i), "", MultState::kSaved);
    ASSERT_EQ(table.size(), MultTable::kCapacity);
    EXPECT_FALSE(table.Insert("ZZ", "", MultState::kNew)) << "behind the last entry";
    EXPECT_TRUE(table.Insert("AA", "", MultState::kNew));
    EXPECT_EQ(table.size(), MultTable::kCapacity);
    EXPECT_EQ(table.entries().front().value, "AA      ");
    EXPECT_NE(table.Find("OK", ""), nullptr);
    EXPECT_EQ(table.Find("X1497", ""), nullptr) << "the last entry fell off";
}

}  // namespace
}  // namespace mss::log::test

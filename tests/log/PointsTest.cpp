// The points rules of the contest codes, against worked-out values.
#include <fstream>

#include "LogTestSupport.h"
#include "log/DokRules.h"
#include "log/Points.h"

namespace mss::log::test {
namespace {

class PointsTest : public ContestLogTest {
  protected:
    std::int32_t PointsIn(char code, const QsoRecord& r, int category = 0) {
        session_.entry.SetCode(code);
        session_.entry.SetCategory(static_cast<std::uint8_t>(category));
        return PointsOf(session_, r);
    }
    static QsoRecord At(std::string_view call, char band, std::int32_t qrb,
                        std::string_view dok = {}, std::string_view rcvd = "599") {
        QsoRecord r = Contact(call, band);
        r.SetQrb(qrb);
        StoreDok(r, dok);
        StoreRcvdExchange(r, rcvd);
        return r;
    }
};

TEST_F(PointsTest, DistanceContestsScoreKilometresWhereTheirRulesAllow) {
    EXPECT_EQ(PointsIn('J', At("DL1ABC", 'k', 300)), 300);
    EXPECT_EQ(PointsIn('J', At("DL1ABC", 'c', 300)), 1);
    EXPECT_EQ(PointsIn('J', At("K1", 'k', 300)), 0);
    QsoRecord asia = At("JA1ABC", 'k', 250);
    asia.SetContinent("AS");
    EXPECT_EQ(PointsIn('E', asia), 0);
    asia.SetContinent("EU");
    EXPECT_EQ(PointsIn('E', asia), 250);
    session_.entry.SetDok("M01");
    EXPECT_EQ(PointsIn('O', At("DL1ABC", 'k', 300, "M01")), 0);
    EXPECT_EQ(PointsIn('O', At("DL1ABC", 'l', 300, "M02")), 300);
    EXPECT_EQ(PointsIn('O', At("DL1ABC", 'c', 300, "M02")), 1);
    EXPECT_EQ(PointsIn('O', At("K1", 'k', 300, "M01")), 1);
}

TEST_F(PointsTest, TheNordicContestMultipliesByBandAndAddsANewSquare) {
    QsoRecord r = At("OH1ABC", 'k', 2500);
    r.SetLocator("KP20LE");
    EXPECT_EQ(PointsIn('N', r), 2000 + 500);
    r.SetBand('n');
    r.SetQrb(100);
    EXPECT_EQ(PointsIn('N', r), 200 + 500);
    r.SetBand('s');
    EXPECT_EQ(PointsIn('N', r), 600 + 500);
    UseContest('N');
    r.SetBand('m');
    ASSERT_TRUE(Save(r));
    QsoRecord again = r;
    again.SetCall("OH2ABC");
    again.SetNummer(0);
    EXPECT_EQ(PointsIn('N', again), 100) << "the square is carried by a contact of the band";
}

TEST_F(PointsTest, DokContestsScoreListedDoksAndDistricts) {
    session_.definition.BonusDoks[0] = "DVM";
    session_.definition.BonusLetters = {'V'};
    EXPECT_EQ(PointsIn('V', At("DL1ABC", 'b', 0, "DVM"), 8), 1);
    EXPECT_EQ(PointsIn('V', At("DL1ABC", 'b', 0, "A01"), 8), 0);
    EXPECT_EQ(PointsIn('V', At("DL1ABC", 'b', 0, "V12"), 1), 3);
    EXPECT_EQ(PointsIn('V', At("DL1ABC", 'b', 0, "V1"), 1), 1);
    EXPECT_EQ(PointsIn('C', At("DL1ABC", 'b', 0, "A01"), 2), 3);
    EXPECT_EQ(PointsIn('C', At("DL1ABC", 'b', 0, "A01"), 1), 1);
    EXPECT_EQ(PointsIn('C', At("DL1ABC", 'b', 0, "V12"), 4), 3);
    session_.definition.EntryFlag = 1;
    EXPECT_EQ(PointsIn('C', At("DL1ABC", 'b', 0, "V12"), 4), 1);
    session_.entry.SetDok("P01");
    EXPECT_EQ(PointsIn('B', At("DL1ABC", 'k', 80, "P01"), 4), 1);
    EXPECT_EQ(PointsIn('B', At("DL1ABC", 'k', 80, "P01"), 1), 0);
    EXPECT_EQ(PointsIn('B', At("DL1ABC", 'k', 80, "P02"), 2), 80);
    EXPECT_EQ(PointsIn('B', At("DL1ABC", 'k', 80, "P02"), 4), 2);
    EXPECT_EQ(PointsIn('B', At("DL1ABC", 'k', 80, "P02"), 1), 1);
}

TEST_F(PointsTest, OnlyTheFirstContactWithTheOwnDokScoresInRheinlandPfalz) {
    UseContest('R', 1);
    session_.entry.SetDok("K01");
    ASSERT_TRUE(Save(At("DL1AAA", 'b', 0, "K01")));
    ASSERT_TRUE(Save(At("DL1AAB", 'b', 0, "K01", "599"))) << messages_.LastText();
    ASSERT_TRUE(Save(At("DL1AAC", 'b', 0, "K02")));
    std::vector<int> points;
    for (const QsoRecord& r : Records()) points.push_back(r.Punkte());
    EXPECT_EQ(points, (std::vector<int>{1, 0, 5}));
}

TEST_F(PointsTest, ExchangeContestsReadTheReceivedExchange) {
    EXPECT_EQ(PointsIn('P', At("DL1ABC", 'b', 0, {}, "59900")), 100);
    EXPECT_EQ(PointsIn('P', At("DL1ABC", 'b', 0, {}, "599XX")), 20);
    EXPECT_EQ(PointsIn('P', At("DN1ABC", 'b', 0, {}, "599 57")), 77);
    EXPECT_EQ(PointsIn('q', At("DL1ABC", 'b', 0, {}, "599x/B"), 3), 3);
    EXPECT_EQ(PointsIn('q', At("DL1ABC", 'b', 0, {}, "599x/B"), 1), 7);
    EXPECT_EQ(PointsIn('q', At("DL1ABC", 'b', 0, {}, "599x/B"), 9), 0);
    EXPECT_EQ(PointsIn('q', At("DL1ABC", 'b', 0, {}, "599x/D"), 1), 0);
    EXPECT_EQ(PointsIn('4', At("DL1ABC", 'b', 0, {}, "599/12")), 2);
    EXPECT_EQ(PointsIn('4', At("DL1ABC", 'b', 0, {}, "599/")), 1);
    EXPECT_EQ(PointsIn('7', At("DL1ABC", 'b', 0, {}, "599123")), 10);
    EXPECT_EQ(PointsIn('7', At("DL1ABC", 'b', 0, {}, "599NM")), 1);
    EXPECT_EQ(PointsIn('7', At("DL1ABC", 'b', 40, {}, "599NM"), 3), 40);
    EXPECT_EQ(PointsIn('6', At("DL1ABC", 'b', 0, {}, "599NM")), 1);
    EXPECT_EQ(PointsIn('6', At("DL1ABC", 'b', 0, {}, "5991234")), 5);
    EXPECT_EQ(PointsIn('i', At("DL1ABC", 'b', 0, {}, "599MF123")), 10);
    EXPECT_EQ(PointsIn('i', At("DL1ABC", 'b', 0, {}, "599123")), 1);
    session_.bonusCalls = {"W1QCW"};
    EXPECT_EQ(PointsIn('k', At("W1QCW", 'b', 0)), 10);
    EXPECT_EQ(PointsIn('k', At("DL1ABC", 'b', 0, {}, "59912345")), 5);
    EXPECT_EQ(PointsIn('k', At("DL1ABC", 'b', 0, {}, "5991234")), 1);
    session_.definition.ClubName2 = "IPA";
    EXPECT_EQ(PointsIn('Z', At("DL1ABC", 'b', 0, {}, "599IPA")), 5);
    EXPECT_EQ(PointsIn('Z', At("DL1ABC", 'b', 0, {}, "599")), 1);
}

TEST_F(PointsTest, CallContestsScoreSpecialStationsAndModes) {
    EXPECT_TRUE(IsSpecialStation("DP0EPO"));
    EXPECT_TRUE(IsSpecialStation("DL0ABC"));
    EXPECT_TRUE(IsSpecialStation("DQ2006X"));
    EXPECT_TRUE(IsSpecialStation("DB1A"));
    EXPECT_FALSE(IsSpecialStation("DL1ABC"));
    EXPECT_FALSE(IsSpecialStation("DS1A"));
    EXPECT_FALSE(IsSpecialStation("OE0ABC"));
    EXPECT_EQ(PointsIn('2', At("DF0WN", 'b', 0)), 6);
    EXPECT_EQ(PointsIn('2', At("DL1ABC", 'b', 0, "WN")), 3);
    EXPECT_EQ(PointsIn('2', At("DQ1ABC", 'b', 0)), 2);
    EXPECT_EQ(PointsIn('3', At("DF0WN", 'b', 0)), 10);
    EXPECT_EQ(PointsIn('L', At("DL1ABC", 'b', 0, "DVL")), 20);
    EXPECT_EQ(PointsIn('L', At("DR1ABC", 'b', 0)), 5);
    EXPECT_EQ(PointsIn('5', At("DN1ABC", 'b', 0)), 5);
    EXPECT_EQ(PointsIn('5', At("DL1ABC", 'b', 0)), 3);
    QsoRecord r = At("DL1ABC", 'b', 0);
    for (auto [mode, points] : {std::pair{"FM", 2}, {"SSB", 4}, {"CW", 6}, {"RTTY", 1}}) {
        r.SetMode(mode);
        EXPECT_EQ(PointsIn('c', r), points) << mode;
    }
    r.SetMode("SSB");
    EXPECT_EQ(PointsIn('o', r, 1), 5);
    EXPECT_EQ(PointsIn('o', r, 2), 15);
    session_.bonusCalls = {"DL1ABC"};
    EXPECT_EQ(PointsIn('o', r, 2), 30);
}

TEST_F(PointsTest, FieldDayAndSquareContests) {
    QsoRecord portable = At("DL1ABC/P", 'b', 0);
    portable.SetContinent("EU");
    QsoRecord fixed = At("W1ABC", 'b', 0);
    fixed.SetContinent("NA");
    EXPECT_EQ(PointsIn('9', portable), 4);
    EXPECT_EQ(PointsIn('9', fixed), 3);
    EXPECT_EQ(PointsIn('9', fixed, 6), 0);
    QsoRecord square = At("DL1ABC", 'k', 0, "AB");
    square.SetLocator("JO62AB");
    EXPECT_EQ(PointsIn('e', square), 1 + 10);
    square.SetLocator("JO73AB");
    StoreDok(square, "A12");
    EXPECT_EQ(PointsIn('e', square), 2);
}

TEST_F(PointsTest, TheDswPartyAsksTheMemberFile) {
    std::ofstream(dir_.RunDir() + "dsw.csv") << "DL1ABC;Hans;x;123\r\nDL2ABC;Eva;x;\r\n";
    EXPECT_EQ(PointsIn('p', At("DL1ABC/P", 'b', 0, {}, "599 12"), 1), 3);
    EXPECT_EQ(PointsIn('p', At("DL2ABC", 'b', 0, {}, "599 12"), 1), 2);
    EXPECT_EQ(PointsIn('p', At("DL2ABC", 'b', 0, {}, "599"), 1), 1);
    EXPECT_EQ(PointsIn('p', At("DL2ABC", 'b', 77, {}, "599"), 3), 77);
}

TEST_F(PointsTest, PlainCodesAndVoidContacts) {
    EXPECT_EQ(PointsIn('D', At("K1", 'b', 0)), 2);
    EXPECT_EQ(PointsIn('S', At("K1", 'b', 0)), 0);
    EXPECT_EQ(PointsIn('S', At("K1A", 'b', 0)), 1);
    EXPECT_EQ(PointsIn('1', At("K1", 'b', 0)), 1);
    EXPECT_EQ(PointsIn('x', At("DL1ABC", 'b', 0)), 0);
    QsoRecord v = At("DL1ABC", 'b', 0);
    v.SetVoid(255);
    EXPECT_EQ(PointsIn('D', v), 0);
    EXPECT_EQ(PointsIn('j', At("DL1ABC", 'k', 70000)), 65535) << "Punkte holds 16 bits";
}

TEST(DokRules, TheExtendedCheckAdmitsKnownDoksTheListsRefuse) {
    contest::ContestDefinition d;
    d.SpecialValues[0] = "A01";
    d.ExtendedDokCheck = 1;
    EXPECT_TRUE(DokCounts(d, 'J', "A01"));
    EXPECT_TRUE(DokCounts(d, 'J', "DVU"));
    EXPECT_FALSE(DokCounts(d, 'J', "B12"));
    EXPECT_FALSE(DokCounts(d, 'J', "NM"));
    EXPECT_TRUE(DokCounts(d, '1', "NM"));
    EXPECT_TRUE(DokCounts(d, 'J', "BN"));
    d.ExtendedDokCheck = 0;
    EXPECT_FALSE(DokCounts(d, 'J', "DVU"));
    d.SpecialValues[0].clear();
    d.SpecialLetters = {'M'};
    EXPECT_TRUE(DokCounts(d, 'J', "M12"));
    EXPECT_FALSE(DokCounts(d, 'J', "M26"));
    d.ExtraText = "M12";
    EXPECT_FALSE(DokCounts(d, 'J', "M12"));
    d.Features.set(17);
    EXPECT_TRUE(DokCounts(d, 'J', "M12"));
    EXPECT_TRUE(IsIsraeliArea("A12TA"));
    EXPECT_FALSE(IsIsraeliArea("A12XX"));
    contest::ContestEntry entry;
    EXPECT_EQ(DokWeight('U', entry, "U12"), 2);
    EXPECT_EQ(DokWeight('U', entry, "A12"), 1);
    entry.SetExtraFlag(true);
    EXPECT_EQ(DokWeight('U', entry, "U12"), 1);
    EXPECT_EQ(DokWeight('U', entry, "A12"), 2);
    EXPECT_EQ(DokWeight('G', entry, "HT12"), 2);
}

}  // namespace
}  // namespace mss::log::test

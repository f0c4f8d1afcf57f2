// Contest 'j' from typing to score, without a window.
#include <cmath>
#include <numbers>

#include "LogTestSupport.h"
#include "log/Points.h"

namespace mss::log::test {
namespace {

// The great-circle distance between the centres of two subsquares, worked
// out here independently of the radio library (111.12 km per degree).
double SubsquareDistance(std::string_view a, std::string_view b) {
    auto centre = [](std::string_view l) {
        const double lon =
            (l[0] - 'A') * 20 - 180 + (l[2] - '0') * 2 + (l[4] - 'A') * 5.0 / 60 + 2.5 / 60;
        const double lat =
            (l[1] - 'A') * 10 - 90 + (l[3] - '0') + (l[5] - 'A') * 2.5 / 60 + 1.25 / 60;
        return std::pair{lat * std::numbers::pi / 180, lon * std::numbers::pi / 180};
    };
    const auto [lat1, lon1] = centre(a);
    const auto [lat2, lon2] = centre(b);
    const double arc = std::acos(std::sin(lat1) * std::sin(lat2) +
                                 std::cos(lat1) * std::cos(lat2) * std::cos(lon2 - lon1));
    return arc * 180 / std::numbers::pi * 111.12;
}

class MsSprint : public ContestLogTest {};

TEST_F(MsSprint, TheSameCallOnTheSameBandIsADupeWhateverTheMode) {
    ASSERT_TRUE(Save(Contact("DL1ABC", 'k', "CW", Hms(12, 0))));

    EXPECT_FALSE(Save(Contact("DL1ABC", 'k', "FSK441", Hms(12, 5))));
    EXPECT_EQ(messages_.LastText(), "Call bereits auf Band vorhanden");

    QsoRecord typed = Contact("DL1ABC/P", 'k', "SSB", Hms(12, 6), "JO62");
    EXPECT_TRUE(CheckCallDupe(session_, typed));
    EXPECT_EQ(messages_.LastText(), "Call DL1ABC/P bereits auf Band vorhanden");
    EXPECT_EQ(RcvdExchangeOf(typed), "599") << "the received exchange is cut back to its RST";

    EXPECT_TRUE(Save(Contact("DL1ABC", 'l', "CW", Hms(12, 7)))) << "another band is no dupe";
    EXPECT_TRUE(Save(Contact("DL1ABD", 'k', "CW", Hms(12, 8))));
    EXPECT_EQ(Records().size(), 3u);
}

TEST_F(MsSprint, EnglishTextsFollowTheLanguageFlag) {
    ASSERT_TRUE(Save(Contact("DL1ABC")));
    radio::Program().LanguageGerman = 0;
    QsoRecord typed = Contact("DL1ABC", 'k', "FSK441");
    EXPECT_TRUE(CheckCallDupe(session_, typed));
    EXPECT_EQ(messages_.LastText(), "Call already exists on band");
}

TEST_F(MsSprint, PointsAreTheDistanceFromTheOwnLocatorRoundedToWholeKilometres) {
    for (std::string_view locator : {"JO40AA", "IO91WM", "KP20LE", "JN58TD"}) {
        SCOPED_TRACE(locator);
        QsoRecord contact = Contact("OE1XYZ", 'k', "CW", Hms(13, 0), locator);
        TakeLocator(contact, locator);
        EXPECT_EQ(PointsOf(session_, contact),
                  static_cast<int>(std::nearbyint(SubsquareDistance("JO62MM", locator))));
    }
    radio::Program().OwnLocator = "IO91WM";
    QsoRecord contact = Contact("OE1XYZ", 'k', "CW", Hms(13, 0), "JO62MM");
    TakeLocator(contact, "JO62MM");
    EXPECT_EQ(PointsOf(session_, contact),
              static_cast<int>(std::nearbyint(SubsquareDistance("IO91WM", "JO62MM"))));
}

TEST_F(MsSprint, AnInvalidLocatorIsSavedWithZeroPoints) {
    QsoRecord contact = Contact("SM5ABC", 'k', "FSK441", Hms(14, 0), "JZ99");
    TakeLocator(contact, "JZ99");
    ASSERT_TRUE(Save(contact));
    const std::vector<QsoRecord> log = Records();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].Punkte(), 0);
    EXPECT_EQ(log[0].Call(), "SM5ABC");
}

TEST_F(MsSprint, TheScoreIsTheSumOfThePointsAndFollowsTheLog) {
    std::int64_t expected = 0;
    int minute = 0;
    for (std::string_view locator : {"JO40AA", "IO91WM", "KP20LE", "JZ99"}) {
        QsoRecord contact = Contact("G4AB" + std::string(1, static_cast<char>('A' + minute)), 'k',
                                    "CW", Hms(15, minute), locator);
        ++minute;
        TakeLocator(contact, locator);
        ASSERT_TRUE(Save(contact));
        expected += contact.Qrb();
    }
    EXPECT_GT(expected, 0);
    EXPECT_EQ(Score(session_), expected);
    EXPECT_EQ(ContactSum(session_.totals), 4);
    EXPECT_EQ(MultiplierSum(session_.totals), 0);

    LogSession recounted = session_;
    ClearTotals(recounted);
    Recount(recounted, true);
    EXPECT_EQ(Score(recounted), expected);
    EXPECT_EQ(recounted.totals.contacts['k'], 4);
    EXPECT_EQ(recounted.totals.points[0], 4) << "contacts on the current band";
    EXPECT_EQ(recounted.totals.bandPoints, expected);
    EXPECT_EQ(recounted.totals.nextContact, 5);
}

TEST_F(MsSprint, AContactAtMidnightIsAcceptedAndOnlyAMissingOrBadTimeIsRefused) {
    EXPECT_TRUE(Save(Contact("DL1ABC", 'k', "CW", 0)));
    EXPECT_FALSE(Save(Contact("DL2ABC", 'k', "CW", radio::kNoTime)));
    EXPECT_FALSE(Save(Contact("DL3ABC", 'k', "CW", radio::kSecondsPerDay)));
    QsoRecord noDate = Contact("DL4ABC");
    noDate.SetDatum(radio::kNoDate);
    EXPECT_FALSE(Save(noDate));
    EXPECT_TRUE(messages_.shown().empty()) << "an incomplete contact is refused without a message";
}

TEST_F(MsSprint, CallsThatCannotBeRealAreRefusedAndShortCallsScoreNothing) {
    for (std::string_view call : {"", "K1", "DL1", "12ABC", "ABC1D", "/P"})
        EXPECT_FALSE(AcceptableCall(call)) << call;
    for (std::string_view call : {"K1A", "DL1A", "9A1XY", "DL/OE1ABC/P", "2E0ABC"})
        EXPECT_TRUE(AcceptableCall(call)) << call;
    QsoRecord shortCall = Contact("K1", 'k', "CW", Hms(1, 0), "JO40AA");
    TakeLocator(shortCall, "JO40AA");
    EXPECT_EQ(PointsOf(session_, shortCall), 0);
    shortCall.SetCall("K1A");
    EXPECT_GT(PointsOf(session_, shortCall), 0);
    shortCall.SetVoid(1);
    EXPECT_EQ(PointsOf(session_, shortCall), 0);
}

}  // namespace
}  // namespace mss::log::test

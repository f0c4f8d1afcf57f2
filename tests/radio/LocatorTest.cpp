#include "radio/Locator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "radio/ProgramValues.h"

namespace mss::radio {
namespace {

constexpr double kPi = 3.141592653589793;

TEST(IsValidLocator, AcceptsFullAndPartlyTypedLocators) {
    for (std::string_view text :
         {"JO62MM", "JO62", "J", "", "AA00AA", "RR99XX", "JO6", "JO62M", "IO91WM"}) {
        EXPECT_TRUE(ToLocator::IsValidLocator(text)) << text;
    }
}

TEST(IsValidLocator, RefusesWrongCharactersLowerCaseAndTooLongTexts) {
    const std::vector<std::string> bad = {"jo62mm",
                                          "Jo62MM",
                                          "JS62MM",
                                          "SO62MM",
                                          "JO6AMM",
                                          "JOA2MM",
                                          "JO62MY",
                                          "JO62YM",
                                          "JO62mm",
                                          "JO62MM1",
                                          "JO62MMAA",
                                          " JO62MM",
                                          "JO62 M",
                                          "J\xD6"
                                          "62MM",  // Windows-1252 Ö
                                          "J\xC3\x96",
                                          std::string("JO\0"
                                                      "2MM",
                                                      6),
                                          "\xE4",
                                          "9O62MM"};
    for (const std::string& text : bad) EXPECT_FALSE(ToLocator::IsValidLocator(text)) << text;
}

TEST(LocatorToCoordinates, GivesTheCentreOfTheSubsquare) {
    const auto jo62mm = LocatorToCoordinates("JO62MM");
    ASSERT_TRUE(jo62mm);
    EXPECT_DOUBLE_EQ(jo62mm->Longitude, 13 + 2 / 60.0 + 30 / 3600.0);
    EXPECT_DOUBLE_EQ(jo62mm->Latitude, 52 + 31 / 60.0 + 15 / 3600.0);
    EXPECT_NEAR(jo62mm->Longitude, 13.041666, 1e-6);
    EXPECT_NEAR(jo62mm->Latitude, 52.520833, 1e-6);
}

TEST(LocatorToCoordinates, CompletesShortLocatorsTowardsTheMiddle) {
    const struct {
        std::string_view typed;
        std::string_view same;
    } cases[] = {{"JO62", "JO62MM"}, {"JO62M", "JO62MM"}, {"JO6", "JO64MX"}, {"JO", "JO44XX"}};
    for (const auto& c : cases) {
        const auto typed = LocatorToCoordinates(c.typed);
        const auto same = LocatorToCoordinates(c.same);
        ASSERT_TRUE(typed && same) << c.typed;
        EXPECT_EQ(typed->Latitude, same->Latitude) << c.typed;
        EXPECT_EQ(typed->Longitude, same->Longitude) << c.typed;
    }
    // A field's point lies within a tenth of its size from the field's middle.
    const auto jo = LocatorToCoordinates("JO");
    EXPECT_NEAR(jo->Longitude, 10, 0.1);
    EXPECT_NEAR(jo->Latitude, 55, 0.05);
}

TEST(LocatorToCoordinates, ReadsLowerCase) {
    const auto lower = LocatorToCoordinates("jo62mm");
    const auto upper = LocatorToCoordinates("JO62MM");
    ASSERT_TRUE(lower && upper);
    EXPECT_EQ(lower->Latitude, upper->Latitude);
    EXPECT_EQ(lower->Longitude, upper->Longitude);
}

TEST(LocatorToCoordinates, CountsLongitudeEastwardSoWestOfGreenwichIsAbove358) {
    const auto io91wm = LocatorToCoordinates("IO91WM");
    ASSERT_TRUE(io91wm);
    EXPECT_DOUBLE_EQ(io91wm->Longitude, 359.875);
    EXPECT_GT(LocatorToCoordinates("AA00AA")->Longitude, 180);
    EXPECT_LT(LocatorToCoordinates("RR99XX")->Longitude, 180);
}

TEST(LocatorToCoordinates, RefusesAnythingThatIsNoLocator) {
    const std::vector<std::string> bad = {"",
                                          "J",
                                          "JO62MM1",
                                          "JS62MM",
                                          "JO6AMM",
                                          "JO62MY",
                                          "JO62 M",
                                          "J\xD6",
                                          "\xE4\xF6",
                                          "JO\xB2"
                                          "2",  // Windows-1252 superscript two
                                          std::string("JO62\0M", 6),
                                          "ZZ",
                                          "J O",
                                          std::string(300, 'A')};
    for (const std::string& text : bad) EXPECT_FALSE(LocatorToCoordinates(text)) << text;
}

// West and south edges of a subsquare, counted independently of the
// conversion: from -180 and -90, longitude then put into the 0..360 form.
struct Edges {
    double west;
    double south;
};
Edges EdgesOf(int l1, int l2, int d3, int d4, int l5, int l6) {
    double west = l1 * 20.0 - 180 + d3 * 2 + l5 / 12.0;
    if (west < 0) west += 360;
    return {west, l2 * 10.0 - 90 + d4 + l6 / 24.0};
}

bool IsCentreOf(const std::optional<Coordinates>& p, const Edges& e) {
    return p && std::abs(p->Longitude - (e.west + 1 / 24.0)) < 1e-9 &&
           std::abs(p->Latitude - (e.south + 1 / 48.0)) < 1e-9;
}

// All 32400 squares and all 18 662 400 locators.
TEST(LocatorToCoordinates, EverySquareAndEveryLocatorGivesTheCentreOfItsSubsquare) {
    int wrong = 0;
    for (int square = 0; square < 18 * 18 * 10 * 10 && wrong < 10; ++square) {
        const int l1 = square / 1800, l2 = square / 100 % 18, d3 = square / 10 % 10;
        const int d4 = square % 10;
        std::string loc{static_cast<char>('A' + l1), static_cast<char>('A' + l2),
                        static_cast<char>('0' + d3), static_cast<char>('0' + d4)};
        // A square alone stands for its middle subsquare, MM.
        if (!IsCentreOf(LocatorToCoordinates(loc), EdgesOf(l1, l2, d3, d4, 12, 12))) {
            ADD_FAILURE() << loc;
            ++wrong;
        }
        loc += "AA";
        for (int l5 = 0; l5 < 24; ++l5) {
            for (int l6 = 0; l6 < 24; ++l6) {
                loc[4] = static_cast<char>('A' + l5);
                loc[5] = static_cast<char>('A' + l6);
                if (!IsCentreOf(LocatorToCoordinates(loc), EdgesOf(l1, l2, d3, d4, l5, l6))) {
                    ADD_FAILURE() << loc;
                    ++wrong;
                }
            }
        }
    }
}

// Paths worked out independently with the haversine and atan2 forms on the
// same sphere of 111.12 km per degree.
TEST(DistanceAndBearing, MatchesReferencePaths) {
    const struct {
        std::string_view a, b;
        double km, bearing;
    } paths[] = {
        {"JO62MM", "IO91WM", 905.883290060, 268.192982415},
        {"IO91WM", "JO62MM", 905.883290060, 77.796865248},
        {"JO62MM", "JN58TD", 496.399336763, 192.227248448},
        {"JO62MM", "KP20LE", 1120.917423303, 35.881791098},
        {"JO62MM", "FN31PR", 6202.181652599, 295.883083144},
        {"JO62MM", "QF56OD", 16106.129919576, 74.647976744},
        {"JO62MM", "AA00AA", 15839.170638908, 179.992294403},
        {"JO62MM", "JO62MN", 4.63, 0},
    };
    for (const auto& p : paths) {
        const auto db = DistanceAndBearing(p.a, p.b);
        ASSERT_TRUE(db) << p.a << " " << p.b;
        EXPECT_NEAR(db->Distance, p.km, 1e-6) << p.a << " " << p.b;
        // The arccos form loses some precision of the heading on short paths.
        EXPECT_NEAR(db->Bearing, p.bearing, 2e-3) << p.a << " " << p.b;
    }
}

TEST(DistanceAndBearing, SamePlaceIsZeroWithBearingZeroAndSucceeds) {
    for (auto [a, b] : {std::pair{"JO62MM", "JO62MM"}, {"JO62MM", "JO62"}, {"AA00AA", "aa00aa"}}) {
        const auto db = DistanceAndBearing(a, b);
        ASSERT_TRUE(db);
        EXPECT_EQ(db->Distance, 0);
        EXPECT_EQ(db->Bearing, 0);
    }
}

TEST(DistanceAndBearing, DueEastStartsNorthOfEastAndDueWestNorthOfWest) {
    const auto east = DistanceAndBearing("JO62MM", "JO72MM");
    const auto west = DistanceAndBearing("JO62MM", "JO52MM");
    ASSERT_TRUE(east && west);
    EXPECT_LT(east->Bearing, 90);
    EXPECT_GT(east->Bearing, 89);
    EXPECT_GT(west->Bearing, 270);
    EXPECT_LT(west->Bearing, 271);
}

TEST(DistanceAndBearing, WorksAcrossGreenwichAndTheDateLine) {
    // IO91XM and JO01AM are neighbouring subsquares either side of 0 degrees.
    const auto greenwich = DistanceAndBearing("IO91XM", "JO01AM");
    ASSERT_TRUE(greenwich);
    EXPECT_NEAR(greenwich->Distance, 5.0 / 60 * 111.12 * std::cos(51.52 * kPi / 180), 0.05);
    EXPECT_NEAR(greenwich->Bearing, 90, 0.1);
    // RL90XM and AL00AM likewise either side of 180 degrees.
    const auto eastward = DistanceAndBearing("RL90XM", "AL00AM");
    const auto westward = DistanceAndBearing("AL00AM", "RL90XM");
    ASSERT_TRUE(eastward && westward);
    EXPECT_NEAR(eastward->Distance, 8.6724046, 1e-6);
    EXPECT_NEAR(eastward->Bearing, 89.9853938, 1e-6);
    EXPECT_NEAR(westward->Bearing, 270.0146062, 1e-6);
}

TEST(DistanceAndBearing, NearlyAntipodalPathsHaveNoBearing) {
    // AD67ML is JO62MM's antipode: half the circumference, no heading.
    const auto antipode = DistanceAndBearing("JO62MM", "AD67ML");
    ASSERT_TRUE(antipode);
    EXPECT_NEAR(antipode->Distance, 111.12 * 180, 1e-6);
    EXPECT_EQ(antipode->Bearing, 0);
    // A neighbour of it is a few kilometres short of that.
    const auto nearly = DistanceAndBearing("JO62MM", "AD67MM");
    ASSERT_TRUE(nearly);
    EXPECT_NEAR(nearly->Distance, 19996.97, 1e-6);
}

TEST(DistanceAndBearing, FailsWhenEitherLocatorIsBad) {
    for (auto [a, b] : {std::pair{"JO62MM", ""},
                        {"", "JO62MM"},
                        {"JO62MM", "JS62"},
                        {"JO62MM1", "JO62MM"},
                        {"JO62MM", "J\xD6"}}) {
        EXPECT_FALSE(DistanceAndBearing(a, b)) << a << " " << b;
    }
}

// Every 7th square against every 11th: a spread over the whole globe.
std::vector<std::string> SampleSquares(int step) {
    std::vector<std::string> squares;
    int n = 0;
    for (char f1 = 'A'; f1 <= 'R'; ++f1)
        for (char f2 = 'A'; f2 <= 'R'; ++f2)
            for (char s3 = '0'; s3 <= '9'; ++s3)
                for (char s4 = '0'; s4 <= '9'; ++s4)
                    if (n++ % step == 0) squares.push_back({f1, f2, s3, s4, 'C', 'T'});
    return squares;
}

TEST(DistanceAndBearing, AgreesWithTheHaversineFormOverTheGlobe) {
    constexpr double kmPerRadian = 111.12 * 180 / kPi;
    for (const std::string& a : SampleSquares(97)) {
        for (const std::string& b : SampleSquares(89)) {
            const auto db = DistanceAndBearing(a, b);
            ASSERT_TRUE(db);
            const auto pa = *LocatorToCoordinates(a);
            const auto pb = *LocatorToCoordinates(b);
            const double phiA = pa.Latitude * kPi / 180, phiB = pb.Latitude * kPi / 180;
            const double dLambda = (pb.Longitude - pa.Longitude) * kPi / 180;
            const double h = std::pow(std::sin((phiB - phiA) / 2), 2) +
                             std::cos(phiA) * std::cos(phiB) * std::pow(std::sin(dLambda / 2), 2);
            const double km = 2 * kmPerRadian * std::asin(std::sqrt(h));
            ASSERT_NEAR(db->Distance, km, 1e-3) << a << " " << b;
            if (km < 1 || km >= 20000) continue;
            double bearing = std::atan2(std::sin(dLambda) * std::cos(phiB),
                                        std::cos(phiA) * std::sin(phiB) -
                                            std::sin(phiA) * std::cos(phiB) * std::cos(dLambda)) *
                             180 / kPi;
            if (bearing < 0) bearing += 360;
            const double diff = std::remainder(db->Bearing - bearing, 360);
            ASSERT_NEAR(diff, 0, 1e-3) << a << " " << b;
        }
    }
}

TEST(DistanceAndBearing, IsSymmetricAndTurnsAroundBy180AwayFromThePoles) {
    int turned = 0;
    for (const std::string& a : SampleSquares(53)) {
        for (const std::string& b : SampleSquares(47)) {
            const auto ab = DistanceAndBearing(a, b);
            const auto ba = DistanceAndBearing(b, a);
            ASSERT_TRUE(ab && ba);
            ASSERT_EQ(ab->Distance, ba->Distance) << a << " " << b;
            const auto pa = *LocatorToCoordinates(a);
            const auto pb = *LocatorToCoordinates(b);
            if (ab->Distance < 1 || ab->Distance > 1500 || std::abs(pa.Latitude) > 70 ||
                std::abs(pb.Latitude) > 70) {
                continue;
            }
            // The meridians converge by at most the difference of longitude.
            const double dLon = std::abs(std::remainder(pb.Longitude - pa.Longitude, 360));
            const double turn = std::remainder(ba->Bearing - ab->Bearing, 360);
            ASSERT_NEAR(std::abs(turn), 180, dLon + 1e-3) << a << " " << b;
            ++turned;
        }
    }
    EXPECT_GT(turned, 100);
}

TEST(WholeKilometres, RoundsToNearestAndHalvesToEven) {
    const struct {
        double km;
        int whole;
    } cases[] = {{0, 0},   {0.4, 0},    {0.5, 0},       {1.5, 2},        {2.5, 2},
                 {3.5, 4}, {2.4999, 2}, {2.5000001, 3}, {905.88, 906},   {4.63, 5},
                 {-3, 0},  {NAN, 0},    {INFINITY, 0},  {20015.5, 20016}};
    for (const auto& c : cases) EXPECT_EQ(WholeKilometres(c.km), c.whole) << c.km;
}

TEST(QrbKm, GivesWholeKilometresFromTheOwnLocator) {
    EXPECT_EQ(QrbKm("JO62MM", "IO91WM"), 906);
    EXPECT_EQ(QrbKm("JO62MM", "JN58TD"), 496);
    EXPECT_EQ(QrbKm("JO62MM", "FN31PR"), 6202);
    EXPECT_EQ(QrbKm("JO62MM", "JO62MM"), 0);
    EXPECT_EQ(QrbKm("JO62MM", "jn58td"), 496);
}

TEST(QrbKm, IsZeroWhenEitherLocatorCannotBeConverted) {
    EXPECT_EQ(QrbKm("JO62MM", ""), 0);
    EXPECT_EQ(QrbKm("JO62MM", "JO62MM7"), 0);
    EXPECT_EQ(QrbKm("JO62MM", "JS62"), 0);
    EXPECT_EQ(QrbKm("", "JO62MM"), 0);
    EXPECT_EQ(QrbKm("JO62M\xDC", "IO91WM"), 0);
}

TEST(QrbKm, MeasuresFromTheProgramWideOwnLocator) {
    ResetProgramValues();
    EXPECT_EQ(QrbKm("IO91WM"), 906);
    Program().OwnLocator = "JN58TD";
    EXPECT_EQ(QrbKm("JO62MM"), 496);
    Program().OwnLocator = "";
    EXPECT_EQ(QrbKm("JO62MM"), 0);
    ResetProgramValues();
}

TEST(SquareDistance, CountsSquaresByTheFirstFourCharacters) {
    const struct {
        std::string_view a, b;
        int squares;
    } cases[] = {{"JO62MM", "JO62AA", 1}, {"JO62", "JO73", 2},  {"JO62", "JN59", 4},
                 {"JO62", "JO62", 1},     {"JO73", "JO62", 2},  {"jo62mm", "JO72", 2},
                 {"JO62", "IO91", 8},     {"AA00", "RR99", 180}};
    for (const auto& c : cases) EXPECT_EQ(SquareDistance(c.a, c.b), c.squares) << c.a << c.b;
}

TEST(SquareDistance, IsZeroWhenNoSquareCanBeCounted) {
    for (auto [a, b] : {std::pair{"JO6", "JO62"},
                        {"JO62", ""},
                        {"J062", "JO62"},
                        {"JO62", "JOA2"},
                        {"\xC4O62", "JO62"},
                        {"JO6\xB2", "JO62"}}) {
        EXPECT_EQ(SquareDistance(a, b), 0) << a << " " << b;
    }
}

}  // namespace
}  // namespace mss::radio

// The map must agree with the scored distances: a point drawn at distance d
// and bearing b reads back as d and b through the distance routine, and the
// grid lies where the locators are.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "radio/MapProjection.h"

namespace {

using namespace mss::radio;

double AngleBetween(double a, double b) {
    const double d = std::fmod(std::abs(a - b), 360.0);
    return std::min(d, 360 - d);
}

TEST(MapProjection, APointDrawnAtDistanceAndBearingReadsBackAsThem) {
    const double kDistances[] = {1, 37.5, 500, 1234.5, 2500, 7800, 15000, 19500};
    const double kBearings[] = {0.25, 30, 89.5, 90, 135, 180, 222.2, 270, 300, 359.75};
    // From the own station, from far north, from west of Greenwich and south of the equator.
    for (const char* own : {"JO62MM", "KP20LE", "IO91WM", "QF56OD"}) {
        const MapProjection map = *MapProjection::Around(own);
        for (const double km : kDistances) {
            for (const double bearing : kBearings) {
                const MapPoint drawn = ProjectPolar(km, bearing);
                const DistanceBearing back = DistanceAndBearing(map.Centre(), map.Unproject(drawn));
                EXPECT_NEAR(back.Distance, km, 1e-6 * std::max(1.0, km)) << own << " " << bearing;
                // The distance routine's arccos loses a little of the bearing
                // near 0 and 180 degrees on short paths; on the map that is
                // a few metres at most, far below a pixel.
                const MapPoint again = ProjectPolar(back.Distance, back.Bearing);
                EXPECT_LT(std::hypot(again.East - drawn.East, again.North - drawn.North), 0.01)
                    << own << " " << km << " km " << bearing;
                if (km >= 100) EXPECT_LT(AngleBetween(back.Bearing, bearing), 1e-4) << own << km;
                const DistanceBearing polar = PolarOf(drawn);
                EXPECT_NEAR(polar.Distance, km, 1e-9 * km);
                EXPECT_LT(AngleBetween(polar.Bearing, bearing), 1e-9);
            }
        }
    }
}

// Every square within 3000 km of Berlin: projected and unprojected it is the
// same place, and its distance on the map is the one that was scored.
TEST(MapProjection, EverySquareNearTheStationRoundTripsAndKeepsItsScoredDistance) {
    const MapProjection map = *MapProjection::Around("JO62MM");
    int squares = 0;
    for (char lonField = 'A'; lonField <= 'R'; ++lonField) {
        for (char latField = 'A'; latField <= 'R'; ++latField) {
            for (int square = 0; square < 100; ++square) {
                const std::string locator = {lonField,
                                             latField,
                                             static_cast<char>('0' + square / 10),
                                             static_cast<char>('0' + square % 10),
                                             'L',
                                             'L'};
                if (QrbKm("JO62MM", locator) > 3000) continue;
                ++squares;
                const Coordinates place = *LocatorToCoordinates(locator);
                const MapPoint at = *map.ProjectLocator(locator);
                EXPECT_EQ(WholeKilometres(std::hypot(at.East, at.North)), QrbKm("JO62MM", locator))
                    << locator;
                const Coordinates back = map.Unproject(at);
                EXPECT_NEAR(back.Latitude, place.Latitude, 1e-7) << locator;
                EXPECT_NEAR(back.Longitude, place.Longitude, 1e-7) << locator;
            }
        }
    }
    EXPECT_GT(squares, 1000);
}

TEST(MapProjection, GridLinesLieOnTheirMeridianOrParallelAndWithinTheMap) {
    const MapProjection map = *MapProjection::Around("JO62MM");
    const double radius = 2500;
    int fieldLines = 0;
    for (const GridLine& line : map.Grid(radius, true)) {
        fieldLines += line.field ? 1 : 0;
        ASSERT_GE(line.points.size(), 2u);
        const Coordinates first = map.Unproject(line.points.front());
        const Coordinates last = map.Unproject(line.points.back());
        const bool meridian = AngleBetween(first.Longitude, last.Longitude) < 1e-6;
        for (const MapPoint& p : line.points) {
            EXPECT_LE(std::hypot(p.East, p.North), radius + 1e-6);
            const Coordinates c = map.Unproject(p);
            const double value = meridian ? c.Longitude : c.Latitude;
            const double step = meridian ? (line.field ? 20 : 2) : (line.field ? 10 : 1);
            const double off = std::fmod(std::abs(value) + 1e-6, step);
            EXPECT_LT(off, 1e-5) << (meridian ? "meridian " : "parallel ") << value;
        }
    }
    EXPECT_GT(fieldLines, 4);
    // The own field's name lies at its centre, JO: 10 E, 55 N.
    bool ownField = false;
    for (const GridLabel& label : map.FieldLabels(radius)) {
        if (label.name != "JO") continue;
        ownField = true;
        const Coordinates c = map.Unproject(label.at);
        EXPECT_NEAR(c.Longitude, 10, 1e-6);
        EXPECT_NEAR(c.Latitude, 55, 1e-6);
    }
    EXPECT_TRUE(ownField);
}

}  // namespace

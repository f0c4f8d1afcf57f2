// Maidenhead locators: the check of a typed locator, its conversion into
// coordinates, the great-circle distance (QRB) and beam heading between two
// locators, and the count of locator squares between them. Contest points are
// these kilometres, so the formulas and constants here decide published scores.
#pragma once

#include <optional>
#include <string_view>

namespace mss::radio {

// The sphere of every distance: these constants, not the library's, make the
// distances agree with the contest's published results.
inline constexpr double kRadiansPerDegree = 0.017453292519943295;
inline constexpr double kKmPerDegree = 111.12;

struct Coordinates {
    double Latitude;   // degrees, north positive
    double Longitude;  // degrees eastward from Greenwich, 0 up to 360 (west of it above 180)
};

struct DistanceBearing {
    double Distance;  // km, unrounded
    double Bearing;   // degrees from A towards B; 0 for the same place and nearly antipodal ones
};

class ToLocator {
  public:
    // Checks the characters that are present, case-sensitively, so that a
    // locator can be checked while it is typed: field letters 'A'..'R',
    // square digits, subsquare letters 'A'..'X'. The empty text passes; a text
    // longer than 6 characters fails.
    static bool IsValidLocator(std::string_view text);
};

// The centre of the locator's subsquare. 2 to 5 characters are completed to a
// point near the middle of the field or square; letter case does not matter.
// nullopt for anything that is no locator.
std::optional<Coordinates> LocatorToCoordinates(std::string_view locator);

// Great-circle distance from A to B (111.12 km per degree of arc) and the
// initial bearing at A. nullopt when either locator cannot be converted.
std::optional<DistanceBearing> DistanceAndBearing(std::string_view a, std::string_view b);
// The same between two points; `from` is a locator centre (never a pole).
DistanceBearing DistanceAndBearing(const Coordinates& from, const Coordinates& to);

// A distance taken to the nearest whole kilometre; an exact half goes to the
// even neighbour. Negative or non-finite distances give 0.
int WholeKilometres(double km);

// Distance from the own locator to a contact's locator in whole kilometres;
// 0 when either locator cannot be converted.
int QrbKm(std::string_view ownLocator, std::string_view locator);
// The same from the program-wide OwnLocator.
int QrbKm(std::string_view locator);

// Locator squares from A to B counted by their first four characters: 1 within
// the own square, 2 for a neighbouring one. 0 when either text does not begin
// with two letters and two digits, since no square can be counted then.
int SquareDistance(std::string_view a, std::string_view b);

}  // namespace mss::radio

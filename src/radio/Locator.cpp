#include "radio/Locator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "radio/AsciiChar.h"
#include "radio/ProgramValues.h"

namespace mss::radio {
namespace {

// This constant, not the library's, makes the distances agree with the
// contest's published results.
constexpr double kPi = 3.141592653589793;
// Beyond this the initial bearing of a nearly antipodal path is meaningless.
constexpr double kNoBearingFromKm = 20000;

struct CharRange {
    char first;
    char last;
};
// Allowed characters by position: field, field, square, square, subsquare, subsquare.
constexpr std::array<CharRange, 6> kLocatorChars{
    {{'A', 'R'}, {'A', 'R'}, {'0', '9'}, {'0', '9'}, {'A', 'X'}, {'A', 'X'}}};

// Appended to a locator of the index's length to make it a full six.
constexpr std::array<std::string_view, 7> kCompletion{"", "", "44XX", "4MX", "MM", "M", ""};

// arccos as pi/2 - arctan(c / sqrt(1 - c^2)), with the two ends where the
// root is 0 taken explicitly; c is within -1..1.
double ArcCos(double c) {
    const double root = std::sqrt(1 - c * c);
    if (root == 0) return c > 0 ? 0 : kPi;
    return kPi / 2 - std::atan(c / root);
}

// Written so that a NaN ends up as 1 rather than travelling on.
double ClampUnit(double x) {
    return std::max(-1.0, std::min(1.0, x));
}

struct Square {
    int lon;
    int lat;
};

std::optional<Square> SquareOf(std::string_view locator) {
    if (locator.size() < 4) return std::nullopt;
    const char lonField = AsciiUpper(locator[0]);
    const char latField = AsciiUpper(locator[1]);
    if (!IsAsciiLetter(lonField) || !IsAsciiLetter(latField) || !IsAsciiDigit(locator[2]) ||
        !IsAsciiDigit(locator[3])) {
        return std::nullopt;
    }
    return Square{(lonField - 'A') * 10 + (locator[2] - '0'),
                  (latField - 'A') * 10 + (locator[3] - '0')};
}

}  // namespace

bool ToLocator::IsValidLocator(std::string_view text) {
    if (text.size() > kLocatorChars.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] < kLocatorChars[i].first || text[i] > kLocatorChars[i].last) return false;
    }
    return true;
}

std::optional<Coordinates> LocatorToCoordinates(std::string_view locator) {
    if (locator.size() < 2 || locator.size() > 6) return std::nullopt;
    std::array<char, 6> full{};
    std::size_t n = 0;
    for (char c : locator) full[n++] = AsciiUpper(c);
    for (char c : kCompletion[locator.size()]) full[n++] = c;
    if (!ToLocator::IsValidLocator({full.data(), full.size()})) return std::nullopt;

    const int l1 = full[0] - 'A';
    const int l2 = full[1] - 'A';
    const int d3 = full[2] - '0';
    const int d4 = full[3] - '0';
    const int l5 = full[4] - 'A';
    const int l6 = full[5] - 'A';

    int lonDegrees = (l1 * 20 + 180) % 360 + d3 * 2;
    int lonMinutes = l5 * 5 + 2;
    if (lonMinutes > 60) {
        lonMinutes -= 60;
        ++lonDegrees;
    }
    const int lonSeconds = 30;

    const int latDegrees = l2 * 10 - 90 + d4;
    const double latFraction = l6 * 2.5 + 1.25;
    const int latMinutes = static_cast<int>(latFraction);
    const int latSeconds = static_cast<int>((latFraction - latMinutes) * 60);

    return Coordinates{latDegrees + latMinutes / 60.0 + latSeconds / 3600.0,
                       lonDegrees + lonMinutes / 60.0 + lonSeconds / 3600.0};
}

std::optional<DistanceBearing> DistanceAndBearing(std::string_view a, std::string_view b) {
    const std::optional<Coordinates> from = LocatorToCoordinates(a);
    const std::optional<Coordinates> to = LocatorToCoordinates(b);
    if (!from || !to) return std::nullopt;
    return DistanceAndBearing(*from, *to);
}

DistanceBearing DistanceAndBearing(const Coordinates& from, const Coordinates& to) {
    // In doubles sin^2 + cos^2 need not come to exactly 1, which would give the
    // same place a distance of about 0.1 m and a heading of 90 degrees.
    if (from.Latitude == to.Latitude && from.Longitude == to.Longitude) {
        return DistanceBearing{0, 0};
    }

    const double phiA = from.Latitude * kRadiansPerDegree;
    const double lambdaA = from.Longitude * kRadiansPerDegree;
    const double phiB = to.Latitude * kRadiansPerDegree;
    const double lambdaB = to.Longitude * kRadiansPerDegree;

    const double c = ClampUnit(std::sin(phiA) * std::sin(phiB) +
                               std::cos(phiA) * std::cos(phiB) * std::cos(lambdaB - lambdaA));
    const double delta = ArcCos(c);
    DistanceBearing result{delta * kKmPerDegree * 180 / kPi, 0};
    if (result.Distance <= 0 || result.Distance >= kNoBearingFromKm) return result;

    // Callers measure from a locator centre, which never lies on a pole, so
    // cos(phiA) is never 0.
    const double cosAlpha = ClampUnit((std::sin(phiB) - std::cos(delta) * std::sin(phiA)) /
                                      (std::sin(delta) * std::cos(phiA)));
    double alpha = ArcCos(cosAlpha) * 180 / kPi;
    if (std::sin(lambdaB - lambdaA) < 0) alpha = 360 - alpha;
    result.Bearing = alpha;
    return result;
}

int WholeKilometres(double km) {
    if (!std::isfinite(km) || km <= 0) return 0;
    km = std::min(km, static_cast<double>(std::numeric_limits<int>::max()));
    const double below = std::floor(km);
    const double fraction = km - below;
    const bool up = fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2) != 0);
    return static_cast<int>(up ? below + 1 : below);
}

int QrbKm(std::string_view ownLocator, std::string_view locator) {
    const std::optional<DistanceBearing> qrb = DistanceAndBearing(ownLocator, locator);
    return qrb ? WholeKilometres(qrb->Distance) : 0;
}

int QrbKm(std::string_view locator) {
    return QrbKm(Program().OwnLocator, locator);
}

int SquareDistance(std::string_view a, std::string_view b) {
    const std::optional<Square> sa = SquareOf(a);
    const std::optional<Square> sb = SquareOf(b);
    if (!sa || !sb) return 0;
    return std::max(std::abs(sa->lon - sb->lon), std::abs(sa->lat - sb->lat)) + 1;
}

}  // namespace mss::radio

#include "radio/MapProjection.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace mss::radio {

namespace {

constexpr double kRingStepKm = 500;
constexpr int kBearingStep = 30;
constexpr double kSmallestRadiusKm = 1000;
constexpr double kLargestRadiusKm = 20000;

double Degrees(double radians) {
    return radians / kRadiansPerDegree;
}

// Follows a line of the earth given by `at(t)` for t from `from` to `to`
// and keeps the pieces that lie on the map. A jump across the map (near the
// antipode) also ends a piece, so that no chord is drawn across it.
std::vector<GridLine> Trace(const MapProjection& map, double radiusKm, bool field, double from,
                            double to, double step, const std::function<Coordinates(double)>& at) {
    std::vector<GridLine> pieces;
    GridLine piece{{}, field};
    auto finish = [&] {
        if (piece.points.size() >= 2) pieces.push_back(piece);
        piece.points.clear();
    };
    const double jump = radiusKm / 4;
    for (double t = from; t <= to + step / 2; t += step) {
        const MapPoint p = map.Project(at(std::min(t, to)));
        if (std::hypot(p.East, p.North) > radiusKm) {
            finish();
            continue;
        }
        if (!piece.points.empty() && std::hypot(p.East - piece.points.back().East,
                                                p.North - piece.points.back().North) > jump) {
            finish();
        }
        piece.points.push_back(p);
    }
    finish();
    return pieces;
}

void Append(std::vector<GridLine>& lines, std::vector<GridLine> more) {
    lines.insert(lines.end(), std::make_move_iterator(more.begin()),
                 std::make_move_iterator(more.end()));
}

}  // namespace

MapPoint ProjectPolar(double km, double bearing) {
    const double b = bearing * kRadiansPerDegree;
    return {km * std::sin(b), km * std::cos(b)};
}

DistanceBearing PolarOf(MapPoint point) {
    const double km = std::hypot(point.East, point.North);
    if (km == 0) return {0, 0};
    double bearing = Degrees(std::atan2(point.East, point.North));
    if (bearing < 0) bearing += 360;
    return {km, bearing};
}

std::optional<MapProjection> MapProjection::Around(std::string_view ownLocator) {
    const std::optional<Coordinates> centre = LocatorToCoordinates(ownLocator);
    if (!centre) return std::nullopt;
    return MapProjection(*centre);
}

MapPoint MapProjection::Project(const Coordinates& point) const {
    const DistanceBearing polar = DistanceAndBearing(centre_, point);
    return ProjectPolar(polar.Distance, polar.Bearing);
}

std::optional<MapPoint> MapProjection::ProjectLocator(std::string_view locator) const {
    const std::optional<Coordinates> point = LocatorToCoordinates(locator);
    if (!point) return std::nullopt;
    return Project(*point);
}

Coordinates MapProjection::Unproject(MapPoint point) const {
    const DistanceBearing polar = PolarOf(point);
    const double delta = polar.Distance / kKmPerDegree * kRadiansPerDegree;
    const double theta = polar.Bearing * kRadiansPerDegree;
    const double phi1 = centre_.Latitude * kRadiansPerDegree;
    const double sinPhi2 =
        std::sin(phi1) * std::cos(delta) + std::cos(phi1) * std::sin(delta) * std::cos(theta);
    const double phi2 = std::asin(std::clamp(sinPhi2, -1.0, 1.0));
    const double lambda = std::atan2(std::sin(theta) * std::sin(delta) * std::cos(phi1),
                                     std::cos(delta) - std::sin(phi1) * sinPhi2);
    double longitude = std::fmod(centre_.Longitude + Degrees(lambda), 360.0);
    if (longitude < 0) longitude += 360;
    return {Degrees(phi2), longitude};
}

std::vector<GridLine> MapProjection::Grid(double radiusKm, bool squares) const {
    // Lines every square (2 degrees of longitude, 1 of latitude); every tenth
    // is a field border. Sampled finely enough that the curves look round.
    const int lonStep = squares ? 2 : 20;
    const int latStep = squares ? 1 : 10;
    const double sample = squares ? 0.25 : 0.5;
    // A place more degrees of latitude away than the radius holds lies
    // beyond it, so only that band of latitudes is followed.
    const double reach = radiusKm / kKmPerDegree;
    const double south = std::max(-89.5, centre_.Latitude - reach);
    const double north = std::min(89.5, centre_.Latitude + reach);
    std::vector<GridLine> lines;
    for (int lon = 0; lon < 360; lon += lonStep) {
        Append(lines, Trace(*this, radiusKm, lon % 20 == 0, south, north, sample, [lon](double t) {
                   return Coordinates{t, static_cast<double>(lon)};
               }));
    }
    for (int lat = -80; lat <= 80; lat += latStep) {
        if (std::abs(lat - centre_.Latitude) > reach) continue;
        Append(lines, Trace(*this, radiusKm, lat % 10 == 0, 0, 360, sample, [lat](double t) {
                   return Coordinates{static_cast<double>(lat), t};
               }));
    }
    return lines;
}

std::vector<GridLabel> MapProjection::FieldLabels(double radiusKm) const {
    std::vector<GridLabel> labels;
    for (int lonField = 0; lonField < 18; ++lonField) {
        for (int latField = 0; latField < 18; ++latField) {
            const Coordinates middle{latField * 10 - 90 + 5.0, (lonField * 20 + 180) % 360 + 10.0};
            const MapPoint at = Project(middle);
            // A name whose centre lies near the rim would be cut by it.
            if (std::hypot(at.East, at.North) > radiusKm * 0.95) continue;
            labels.push_back(
                {at, {static_cast<char>('A' + lonField), static_cast<char>('A' + latField)}});
        }
    }
    return labels;
}

std::vector<double> RingDistances(double radiusKm) {
    std::vector<double> rings;
    for (double km = kRingStepKm; km <= radiusKm + 1e-9; km += kRingStepKm) rings.push_back(km);
    return rings;
}

std::vector<int> BearingLines() {
    std::vector<int> lines;
    for (int bearing = 0; bearing < 360; bearing += kBearingStep) lines.push_back(bearing);
    return lines;
}

double MapRadius(double farthestKm) {
    const double ring = (std::floor(std::max(farthestKm, 0.0) / kRingStepKm) + 1) * kRingStepKm;
    return std::clamp(ring, kSmallestRadiusKm, kLargestRadiusKm);
}

}  // namespace mss::radio

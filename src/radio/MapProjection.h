// The geometry of the map of worked stations: an azimuthal equidistant
// projection around the own station, so that a station's distance from the
// centre of the map is its great-circle distance and its direction from the
// centre its beam heading, both as DistanceAndBearing gives them. Also the
// distance rings, the bearing lines and the locator grid of the map. Plane
// coordinates are kilometres east and north of the own station.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "radio/Locator.h"

namespace mss::radio {

struct MapPoint {
    double East;   // km
    double North;  // km
};

// Where a station `km` away along the initial bearing `bearing` (degrees)
// lies on the map.
MapPoint ProjectPolar(double km, double bearing);
// Distance from the centre and bearing (0 up to 360) of a point of the map.
DistanceBearing PolarOf(MapPoint point);

// A line of the locator grid, cut into the pieces that lie on the map.
struct GridLine {
    std::vector<MapPoint> points;
    bool field = false;  // a field border, else a square border
};

// A field's name at its centre.
struct GridLabel {
    MapPoint at;
    std::string name;  // "JO"
};

class MapProjection {
  public:
    // The map around the centre of the own locator; nullopt when it is none.
    static std::optional<MapProjection> Around(std::string_view ownLocator);

    const Coordinates& Centre() const { return centre_; }
    MapPoint Project(const Coordinates& point) const;
    std::optional<MapPoint> ProjectLocator(std::string_view locator) const;
    // The place on the earth that a point of the map stands for, on the same
    // sphere of 111.12 km a degree that the distances use.
    Coordinates Unproject(MapPoint point) const;

    // The field borders and, when `squares`, the square borders within
    // `radiusKm` of the centre.
    std::vector<GridLine> Grid(double radiusKm, bool squares) const;
    // The names of the fields whose centre lies well within `radiusKm`.
    std::vector<GridLabel> FieldLabels(double radiusKm) const;

  private:
    explicit MapProjection(Coordinates centre) : centre_(centre) {}
    Coordinates centre_;
};

// The distance rings of a map: every 500 km up to and including the radius.
std::vector<double> RingDistances(double radiusKm);
// The bearing lines: every 30 degrees from north.
std::vector<int> BearingLines();
// The radius of a map that holds a station `farthestKm` away: the next ring
// beyond it, at least 1000 km, at most 20000 km.
double MapRadius(double farthestKm);

}  // namespace mss::radio

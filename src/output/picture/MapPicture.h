// The map of the worked stations, painted with Qt's painter alone: an
// azimuthal equidistant map around the own locator with the locator grid and
// the field names, distance rings every 500 km, bearing lines every 30
// degrees, every station with a locator as a point coloured by its mode, the
// best DX marked, and the beam heading of the contact being typed.
#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <string>
#include <vector>

#include "log/LogStatistics.h"

class QPainter;

namespace mss::output {

struct MapScene {
    std::string ownLocator;    // the centre of the map
    std::string ownCall;       // Windows-1252
    std::string typedLocator;  // of the contact being typed; no beam line when it is none
};

// Where a station was painted, for the window's hover text.
struct PaintedStation {
    QPointF at;
    std::size_t station;  // into LogStatistics::stations
};

// Where the map went on the painter: the own station at `centre`, and
// `pixelsPerKm` of the plane in each direction, north up.
struct PaintedMap {
    QPointF centre;
    double pixelsPerKm = 0;  // 0: no map (the own locator is none)
    std::vector<PaintedStation> stations;
};

// The colour of a station's point by its mode.
QColor ModeColour(const std::string& mode);

// Paints the map into `area` and answers where it and the stations went.
PaintedMap PaintMap(QPainter& painter, const QRectF& area, const MapScene& scene,
                    const log::LogStatistics& statistics);

}  // namespace mss::output

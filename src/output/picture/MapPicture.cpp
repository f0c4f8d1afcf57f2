#include "output/picture/MapPicture.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <map>

#include "output/picture/PictureStyle.h"
#include "radio/MapProjection.h"

namespace mss::output {

namespace {

using radio::MapPoint;

struct ModeColourRow {
    std::string_view mode;
    QColor colour;
};

// The contest's modes first; colours an operator tells apart at a glance.
const ModeColourRow kModeColours[] = {
    {"CW", QColor(0, 90, 210)},   {"SSB", QColor(0, 150, 60)},   {"FSK441", QColor(225, 110, 0)},
    {"FM", QColor(140, 60, 170)}, {"DIGI", QColor(0, 150, 160)}, {"RTTY", QColor(120, 90, 40)},
};
const QColor kOtherMode(110, 110, 110);

// Squares are drawn only where they stay apart on the map.
constexpr double kSquaresUpToKm = 3000;

// How the map plane lies on the painter.
struct Frame {
    radio::MapProjection projection;
    QPointF centre;
    double pixelsPerKm;
    double radiusKm;
    double unit;  // a base size in pixels for marks and texts

    QPointF At(MapPoint p) const {
        return {centre.x() + p.East * pixelsPerKm, centre.y() - p.North * pixelsPerKm};
    }
    double RadiusPixels() const { return radiusKm * pixelsPerKm; }
};

void PaintGrid(QPainter& p, const Frame& f) {
    p.save();
    QPainterPath disc;
    disc.addEllipse(f.centre, f.RadiusPixels(), f.RadiusPixels());
    p.setClipPath(disc);
    p.fillPath(disc, QColor(236, 244, 250));
    for (const bool squares : {true, false}) {
        if (squares && f.radiusKm > kSquaresUpToKm) continue;
        for (const radio::GridLine& line : f.projection.Grid(f.radiusKm, squares)) {
            if (squares && line.field) continue;
            p.setPen(line.field ? QPen(QColor(120, 135, 160), 1.2)
                                : QPen(QColor(205, 215, 228), 0.7));
            QPolygonF polyline;
            for (const MapPoint& point : line.points) polyline << f.At(point);
            p.drawPolyline(polyline);
        }
    }
    p.setPen(QColor(120, 135, 160));
    p.setFont(PictureFont(f.unit * 2.4, true));
    for (const radio::GridLabel& label : f.projection.FieldLabels(f.radiusKm)) {
        const QPointF at = f.At(label.at);
        p.drawText(QRectF(at.x() - f.unit * 4, at.y() - f.unit * 2, f.unit * 8, f.unit * 4),
                   Qt::AlignCenter, QString::fromStdString(label.name));
    }
    p.restore();
}

void PaintRingsAndBearings(QPainter& p, const Frame& f) {
    p.save();
    p.setFont(PictureFont(f.unit * 1.4));
    for (const double km : radio::RingDistances(f.radiusKm)) {
        p.setPen(QPen(QColor(70, 70, 70), 0.9, Qt::DashLine));
        const double r = km * f.pixelsPerKm;
        p.drawEllipse(f.centre, r, r);
        p.setPen(QColor(50, 50, 50));
        const QPointF at = f.At(radio::ProjectPolar(km, 15));
        p.drawText(at + QPointF(f.unit * 0.4, -f.unit * 0.3),
                   GroupedNumber(static_cast<long long>(km)) + QStringLiteral(" km"));
    }
    const double rim = f.radiusKm;
    for (const int bearing : radio::BearingLines()) {
        p.setPen(QPen(QColor(90, 90, 90), 0.8, Qt::DotLine));
        p.drawLine(f.centre, f.At(radio::ProjectPolar(rim, bearing)));
        p.setPen(QColor(40, 40, 40));
        const QPointF at = f.At(radio::ProjectPolar(rim + 2.4 * f.unit / f.pixelsPerKm, bearing));
        p.drawText(QRectF(at.x() - f.unit * 3, at.y() - f.unit, f.unit * 6, f.unit * 2),
                   Qt::AlignCenter, QString::number(bearing) + QChar(0x00B0));
    }
    p.restore();
}

std::vector<PaintedStation> PaintStations(QPainter& p, const Frame& f,
                                          const log::LogStatistics& s) {
    std::vector<PaintedStation> painted;
    p.save();
    const double r = f.unit * 0.75;
    for (std::size_t i = 0; i < s.stations.size(); ++i) {
        const std::optional<MapPoint> point = f.projection.ProjectLocator(s.stations[i].locator);
        if (!point || std::hypot(point->East, point->North) > f.radiusKm) continue;
        const QPointF at = f.At(*point);
        p.setPen(QPen(Qt::black, 0.6));
        p.setBrush(ModeColour(s.stations[i].mode));
        p.drawEllipse(at, r, r);
        painted.push_back({at, i});
    }
    p.restore();
    return painted;
}

void PaintBestDx(QPainter& p, const Frame& f, const log::LogStatistics& s) {
    if (!s.longest) return;
    const std::optional<MapPoint> point = f.projection.ProjectLocator(s.longest->locator);
    if (!point) return;
    const QPointF at = f.At(*point);
    p.save();
    p.setPen(QPen(QColor(200, 0, 0), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(at, f.unit * 1.8, f.unit * 1.8);
    p.setFont(PictureFont(f.unit * 1.6, true));
    p.setPen(QColor(170, 0, 0));
    const QString text = QStringLiteral("Best DX ") + PictureText(s.longest->call) +
                         QStringLiteral(" ") + GroupedNumber(s.longest->km) + QStringLiteral(" km");
    // Beside the point, towards the middle of the map, on a light ground so
    // that rings and labels beneath do not blur it.
    const double width = p.fontMetrics().horizontalAdvance(text) + f.unit;
    const bool left = at.x() > f.centre.x();
    const QRectF box(left ? at.x() - f.unit * 2.2 - width : at.x() + f.unit * 2.2,
                     at.y() - f.unit * 3.6, width, f.unit * 2.2);
    p.fillRect(box, QColor(255, 255, 255, 215));
    p.drawText(box, Qt::AlignCenter, text);
    p.restore();
}

void PaintBeam(QPainter& p, const Frame& f, const std::string& ownLocator,
               const std::string& typed) {
    const std::optional<radio::DistanceBearing> beam = radio::DistanceAndBearing(ownLocator, typed);
    if (!beam || typed.size() < 4) return;
    p.save();
    p.setPen(QPen(QColor(190, 0, 90), 2.2));
    p.drawLine(f.centre, f.At(radio::ProjectPolar(f.radiusKm, beam->Bearing)));
    if (beam->Distance <= f.radiusKm) {
        const QPointF at = f.At(radio::ProjectPolar(beam->Distance, beam->Bearing));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(at.x() - f.unit, at.y() - f.unit, f.unit * 2, f.unit * 2));
    }
    p.restore();
}

void PaintOwnStation(QPainter& p, const Frame& f) {
    p.save();
    p.setPen(QPen(Qt::black, 2));
    const double r = f.unit * 1.2;
    p.drawLine(f.centre - QPointF(r, 0), f.centre + QPointF(r, 0));
    p.drawLine(f.centre - QPointF(0, r), f.centre + QPointF(0, r));
    p.restore();
}

// The title above the map and the key of the mode colours below it.
void PaintTitleAndKey(QPainter& p, const QRectF& area, double unit, const MapScene& scene,
                      const log::LogStatistics& s, const QString& beamText) {
    p.save();
    p.setPen(Qt::black);
    p.setFont(PictureFont(unit * 2.2, true));
    p.drawText(
        QRectF(area.left() + unit, area.top() + unit * 0.5, area.width() - 2 * unit, unit * 3),
        Qt::AlignLeft | Qt::AlignVCenter,
        QStringLiteral("Karte  ") + PictureText(scene.ownCall) + QStringLiteral("  ") +
            PictureText(scene.ownLocator));
    p.setFont(PictureFont(unit * 1.7));
    p.drawText(
        QRectF(area.left() + unit, area.top() + unit * 0.5, area.width() - 2 * unit, unit * 3),
        Qt::AlignRight | Qt::AlignVCenter, beamText);
    std::map<std::string, int> modes;
    for (const log::WorkedStation& station : s.stations) modes[station.mode] += 1;
    double x = area.left() + unit;
    const double y = area.bottom() - unit * 2.2;
    for (const auto& [mode, count] : modes) {
        p.setPen(QPen(Qt::black, 0.6));
        p.setBrush(ModeColour(mode));
        p.drawEllipse(QPointF(x + unit * 0.8, y), unit * 0.75, unit * 0.75);
        const QString text = PictureText(mode.empty() ? std::string("?") : mode) +
                             QStringLiteral(": ") + QString::number(count);
        p.drawText(QPointF(x + unit * 2, y + unit * 0.6), text);
        x += unit * 3 + p.fontMetrics().horizontalAdvance(text);
    }
    p.restore();
}

QString BeamText(const MapScene& scene) {
    const std::optional<radio::DistanceBearing> beam =
        radio::DistanceAndBearing(scene.ownLocator, scene.typedLocator);
    if (!beam || scene.typedLocator.size() < 4) return {};
    return PictureText(scene.typedLocator) + QStringLiteral(": Beam ") +
           QString::number(beam->Bearing, 'f', 1) + QChar(0x00B0) + QStringLiteral("  ") +
           GroupedNumber(radio::WholeKilometres(beam->Distance)) + QStringLiteral(" km");
}

}  // namespace

QColor ModeColour(const std::string& mode) {
    for (const ModeColourRow& row : kModeColours)
        if (row.mode == mode) return row.colour;
    return kOtherMode;
}

PaintedMap PaintMap(QPainter& painter, const QRectF& area, const MapScene& scene,
                    const log::LogStatistics& statistics) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, Qt::white);
    const double unit = std::max(4.0, std::min(area.width(), area.height()) / 110);
    PaintTitleAndKey(painter, area, unit, scene, statistics, BeamText(scene));
    const std::optional<radio::MapProjection> projection =
        radio::MapProjection::Around(scene.ownLocator);
    if (!projection) {
        painter.setFont(PictureFont(unit * 2));
        painter.drawText(area, Qt::AlignCenter,
                         QStringLiteral("Kein g\u00FCltiger eigener Locator"));
        painter.restore();
        return {};
    }
    // Room for the title above, the key below and the degrees around the rim.
    const QRectF room = area.adjusted(unit * 4, unit * 6, -unit * 4, -unit * 6);
    const double radiusPixels = std::min(room.width(), room.height()) / 2;
    const double radiusKm = radio::MapRadius(statistics.longest ? statistics.longest->km : 0);
    const Frame frame{*projection, room.center(), radiusPixels / radiusKm, radiusKm, unit};
    PaintGrid(painter, frame);
    PaintRingsAndBearings(painter, frame);
    PaintBeam(painter, frame, scene.ownLocator, scene.typedLocator);
    PaintedMap painted{frame.centre, frame.pixelsPerKm, PaintStations(painter, frame, statistics)};
    PaintBestDx(painter, frame, statistics);
    PaintOwnStation(painter, frame);
    painter.restore();
    return painted;
}

}  // namespace mss::output

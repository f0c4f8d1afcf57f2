#include "app/map/MapViews.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <cmath>

#include "output/picture/PictureStyle.h"
#include "output/picture/RatePicture.h"

namespace mss::app {

namespace {

// How near the mouse must come to a point to name its station.
constexpr double kHoverPixels = 7;

}  // namespace

TMapView::TMapView(const output::MapScene& scene, const log::LogStatistics& statistics,
                   QWidget* parent)
    : QWidget(parent), scene_(scene), statistics_(statistics) {
    setObjectName(QStringLiteral("mapView"));
    setMinimumSize(420, 420);
    setMouseTracking(true);
}

void TMapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painted_ = output::PaintMap(painter, QRectF(rect()), scene_, statistics_);
}

QString TMapView::StationsAt(QPointF at) const {
    QStringList lines;
    for (const output::PaintedStation& painted : painted_.stations) {
        if (std::hypot(painted.at.x() - at.x(), painted.at.y() - at.y()) > kHoverPixels) continue;
        const log::WorkedStation& s = statistics_.stations[painted.station];
        lines << output::PictureText(s.call) + QStringLiteral("  ") +
                     output::PictureText(s.locator) + QStringLiteral("  ") +
                     output::GroupedNumber(s.km) + QStringLiteral(" km  ") +
                     output::PictureText(s.mode);
    }
    return lines.join(QLatin1Char('\n'));
}

bool TMapView::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const QString text = StationsAt(help->pos());
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), text, this);
    }
    return true;
}

TRateView::TRateView(const log::LogStatistics& statistics, QWidget* parent)
    : QWidget(parent), statistics_(statistics) {
    setObjectName(QStringLiteral("rateView"));
    setMinimumSize(360, 420);
}

void TRateView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    output::PaintRates(painter, QRectF(rect()), statistics_);
}

}  // namespace mss::app

// The two views of the window "Karte": the map, which names the stations
// under the mouse, and the rate and distance view. Both paint with the
// functions that also draw the PNG picture, so screen and file agree.
#pragma once

#include <QWidget>

#include "log/LogStatistics.h"
#include "output/picture/MapPicture.h"

namespace mss::app {

class TMapView : public QWidget {
    Q_OBJECT

  public:
    TMapView(const output::MapScene& scene, const log::LogStatistics& statistics, QWidget* parent);

    // The calls of the stations painted within a few pixels of `at`, each
    // with its locator, distance and mode; empty when there are none.
    QString StationsAt(QPointF at) const;
    const output::PaintedMap& Painted() const { return painted_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

  private:
    const output::MapScene& scene_;
    const log::LogStatistics& statistics_;
    output::PaintedMap painted_;
};

class TRateView : public QWidget {
    Q_OBJECT

  public:
    TRateView(const log::LogStatistics& statistics, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const log::LogStatistics& statistics_;
};

}  // namespace mss::app

// The rate and distance view of a log, painted with Qt's painter alone:
// contacts per UTC hour as bars, the distances in 100 km steps, the running
// score over time, and the figures: best hour, longest contact, average
// distance.
#pragma once

#include <QRectF>

#include "log/LogStatistics.h"

class QPainter;

namespace mss::output {

void PaintRates(QPainter& painter, const QRectF& area, const log::LogStatistics& statistics);

}  // namespace mss::output

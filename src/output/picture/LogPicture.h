// The picture of a log for the paperwork: the map on the left, the rate and
// distance view on the right, as one PNG file. The output menu and the
// command line both write it; it needs a QGuiApplication (for the fonts),
// but no display.
#pragma once

#include <QImage>
#include <QSize>
#include <string>

#include "log/LogStatistics.h"
#include "output/picture/MapPicture.h"

namespace mss::output {

inline constexpr QSize kLogPictureSize{1800, 1000};

QImage LogPicture(const MapScene& scene, const log::LogStatistics& statistics,
                  QSize size = kLogPictureSize);

// Writes the picture of the open log as a PNG file; false when the file could
// not be written. The file is written under a scratch name beside `path`
// and renamed over it only when complete.
bool WriteLogPicture(const std::string& path, const MapScene& scene,
                     const log::LogStatistics& statistics);

}  // namespace mss::output

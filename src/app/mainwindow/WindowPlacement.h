// Size and place of the main window: a usable size on the first start, the
// last size and place afterwards, kept in the per-user settings.
#pragma once

#include <QRect>
#include <QSize>

class QSettings;
class QWidget;

namespace mss::app {

// The size of a first start on a screen whose free area is `available`:
// at least 1000 x 700, or all of a smaller screen.
QSize FirstWindowSize(const QRect& available);

// Gives the window its saved geometry, or the first size at the top left
// corner when there is none or the saved one is unusable (a strip).
void RestoreWindowPlacement(QWidget& window, QSettings& settings);
void SaveWindowPlacement(const QWidget& window, QSettings& settings);

}  // namespace mss::app

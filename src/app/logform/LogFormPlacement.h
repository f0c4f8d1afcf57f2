// Where the contest log form opens: over the main window, maximised when
// the main window is.
#pragma once

class QWidget;

namespace mss::app {

void PlaceOverMainWindow(QWidget& form, const QWidget& mainWindow);

}  // namespace mss::app

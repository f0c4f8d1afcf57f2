#include "app/logform/LogFormPlacement.h"

#include <QWidget>

namespace mss::app {

void PlaceOverMainWindow(QWidget& form, const QWidget& mainWindow) {
    if (mainWindow.isMaximized()) {
        form.move(0, 0);
        form.setWindowState(form.windowState() | Qt::WindowMaximized);
        return;
    }
    form.setWindowState(mainWindow.windowState());
    form.setGeometry(mainWindow.geometry());
}

}  // namespace mss::app

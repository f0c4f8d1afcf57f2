#include "app/logform/WarningColour.h"

#include <QPalette>
#include <QWidget>

namespace mss::app {

namespace {
const char* const kWarning = "warning";
}

void MarkWarning(QWidget& widget) {
    QPalette palette = widget.palette();
    const QColor lightRed(255, 128, 128);
    palette.setColor(QPalette::Base, lightRed);
    palette.setColor(QPalette::Window, lightRed);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
    widget.setProperty(kWarning, true);
}

void ClearWarning(QWidget& widget) {
    if (!HasWarning(widget)) return;
    widget.setPalette(QPalette());
    widget.setAutoFillBackground(false);
    widget.setProperty(kWarning, false);
}

bool HasWarning(const QWidget& widget) {
    return widget.property(kWarning).toBool();
}

}  // namespace mss::app

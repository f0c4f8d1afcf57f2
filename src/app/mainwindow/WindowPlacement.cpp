#include "app/mainwindow/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace mss::app {

namespace {

const QString kGeometry = QStringLiteral("MainWindow/geometry");
constexpr QSize kFirstSize(1000, 700);
// Smaller than this a saved window shows no usable list.
constexpr QSize kUsable(600, 400);

QRect AvailableArea(const QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(QPoint(0, 0), kFirstSize);
}

}  // namespace

QSize FirstWindowSize(const QRect& available) {
    return kFirstSize.boundedTo(available.size());
}

void RestoreWindowPlacement(QWidget& window, QSettings& settings) {
    const QRect available = AvailableArea(window);
    const QSize usable = kUsable.boundedTo(available.size());
    const QByteArray saved = settings.value(kGeometry).toByteArray();
    const bool restored = !saved.isEmpty() && window.restoreGeometry(saved) &&
                          window.width() >= usable.width() && window.height() >= usable.height();
    window.setMinimumSize(usable);
    if (restored) return;
    window.resize(FirstWindowSize(available));
    window.move(available.topLeft());
}

void SaveWindowPlacement(const QWidget& window, QSettings& settings) {
    settings.setValue(kGeometry, window.saveGeometry());
    settings.sync();
}

}  // namespace mss::app

#include "app/map/MapWindow.h"

#include <QHBoxLayout>
#include <QSplitter>

#include "app/map/MapViews.h"

namespace mss::app {

TMapWindow::TMapWindow(LogSource source, output::MapScene scene, QWidget* parent)
    : QDialog(parent, Qt::Window), source_(std::move(source)), scene_(std::move(scene)) {
    setObjectName(QStringLiteral("Karte"));
    setWindowTitle(QStringLiteral("Karte"));
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    map_ = new TMapView(scene_, statistics_, splitter);
    rates_ = new TRateView(statistics_, splitter);
    splitter->addWidget(map_);
    splitter->addWidget(rates_);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    resize(1200, 720);
    Reload();
}

void TMapWindow::Reload() {
    statistics_ = log::ComputeLogStatistics(source_());
    map_->update();
    rates_->update();
}

void TMapWindow::SetTypedLocator(const std::string& locator) {
    if (locator == scene_.typedLocator) return;
    scene_.typedLocator = locator;
    map_->update();
}

}  // namespace mss::app

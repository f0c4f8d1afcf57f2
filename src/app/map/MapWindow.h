// The window "Karte": the map of the worked stations beside the rate and
// distance view of the same log. It reads the log through a source it is
// given, and reads it again when told the log changed; the beam heading of
// the contact being typed is drawn as a line on the map.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "log/LogStatistics.h"
#include "log/QsoRecord.h"
#include "output/picture/MapPicture.h"

namespace mss::app {

class TMapView;
class TRateView;

class TMapWindow : public QDialog {
    Q_OBJECT

  public:
    // Every record of the log, in Nummer order.
    using LogSource = std::function<std::vector<log::QsoRecord>()>;

    TMapWindow(LogSource source, output::MapScene scene, QWidget* parent);

    // Reads the log again and repaints both views.
    void Reload();
    // The locator of the contact being typed; the beam line follows it.
    void SetTypedLocator(const std::string& locator);

    const log::LogStatistics& Statistics() const { return statistics_; }
    const output::MapScene& Scene() const { return scene_; }

  private:
    LogSource source_;
    output::MapScene scene_;
    log::LogStatistics statistics_;
    TMapView* map_ = nullptr;
    TRateView* rates_ = nullptr;
};

}  // namespace mss::app

// Delivers the termination signals of the signal pipe to the Qt event loop
// as an ordinary Qt signal.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace mss::platform {

class QtSignalNotifier : public QObject {
    Q_OBJECT

  public:
    // Installs the pipe for SIGTERM, SIGHUP and SIGINT. Installed() is false
    // when that failed; the program then ends by the default actions.
    explicit QtSignalNotifier(QObject* parent = nullptr);
    bool Installed() const { return notifier_ != nullptr; }

  signals:
    void Received(int signal);

  private:
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace mss::platform

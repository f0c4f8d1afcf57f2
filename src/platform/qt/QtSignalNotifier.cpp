#include "platform/qt/QtSignalNotifier.h"

#include <csignal>

#include "platform/SignalPipe.h"

namespace mss::platform {

QtSignalNotifier::QtSignalNotifier(QObject* parent) : QObject(parent) {
    if (!SignalPipe::Install({SIGTERM, SIGHUP, SIGINT})) return;
    notifier_ = std::make_unique<QSocketNotifier>(SignalPipe::ReadEnd(), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        while (const int signal = SignalPipe::Take()) emit Received(signal);
    });
}

}  // namespace mss::platform

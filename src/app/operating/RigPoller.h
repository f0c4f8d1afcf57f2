// Polls a radio's frequency about once a second in a thread of its own, so
// that a radio that does not answer (Hamlib waits for its time-out) never
// stalls the log form. Results come back to the owner's thread as signals.
#pragma once

#include <QObject>
#include <QString>
#include <QThread>

#include "platform/HamlibRig.h"

namespace mss::app {

class RigWorker;

class TRigPoller : public QObject {
    Q_OBJECT

  public:
    // Opens the radio in the polling thread and starts polling.
    TRigPoller(const platform::RigSettings& settings, int intervalMs, QObject* parent);
    ~TRigPoller() override;
    TRigPoller(const TRigPoller&) = delete;
    TRigPoller& operator=(const TRigPoller&) = delete;

    // Tunes the radio (queued to the polling thread).
    void SetFrequency(double hz);

  signals:
    // A frequency read (Hz), or the reason why none could be.
    void FrequencyRead(double hz);
    void Failed(const QString& reason);
    void TuneRequested(double hz);

  private:
    QThread thread_;
};

}  // namespace mss::app

#include "app/operating/RigPoller.h"

#include <QTimer>
#include <memory>

namespace mss::app {

// Lives in the polling thread: owns the radio, which Hamlib wants used from
// one thread only.
class RigWorker : public QObject {
    Q_OBJECT

  public:
    RigWorker(platform::RigSettings settings, int intervalMs)
        : settings_(std::move(settings)), intervalMs_(intervalMs) {}

    void Start() {
        timer_ = new QTimer(this);
        connect(timer_, &QTimer::timeout, this, &RigWorker::Poll);
        timer_->start(intervalMs_);
        Poll();
    }
    void Tune(double hz) {
        if (!Opened()) return;
        if (const platform::RigStatus status = rig_->SetFrequency(hz); !status.Ok())
            emit Failed(QString::fromStdString(status.Text));
        Poll();
    }

  signals:
    void FrequencyRead(double hz);
    void Failed(const QString& reason);

  private:
    // A radio that could not be opened is tried again every few polls, so it
    // may be switched on after the log was opened.
    bool Opened() {
        if (rig_) return true;
        if (waitPolls_ > 0) {
            --waitPolls_;
            return false;
        }
        platform::RigOpening opening = platform::HamlibRig::Open(settings_);
        if (!opening.Status.Ok()) {
            waitPolls_ = kRetryPolls;
            emit Failed(QString::fromStdString(opening.Status.Text));
            return false;
        }
        rig_ = std::move(opening.Rig);
        return true;
    }
    void Poll() {
        if (!Opened()) return;
        const platform::RigFrequency read = rig_->ReadFrequency();
        if (!read.Status.Ok()) {
            emit Failed(QString::fromStdString(read.Status.Text));
            rig_.reset();  // opened again at the next poll: the link may have gone
            return;
        }
        emit FrequencyRead(read.Hz);
    }

    static constexpr int kRetryPolls = 4;
    platform::RigSettings settings_;
    int intervalMs_;
    QTimer* timer_ = nullptr;
    std::unique_ptr<platform::HamlibRig> rig_;
    int waitPolls_ = 0;
};

TRigPoller::TRigPoller(const platform::RigSettings& settings, int intervalMs, QObject* parent)
    : QObject(parent) {
    auto* worker = new RigWorker(settings, intervalMs);
    worker->moveToThread(&thread_);
    connect(&thread_, &QThread::started, worker, &RigWorker::Start);
    connect(&thread_, &QThread::finished, worker, &QObject::deleteLater);
    connect(worker, &RigWorker::FrequencyRead, this, &TRigPoller::FrequencyRead);
    connect(worker, &RigWorker::Failed, this, &TRigPoller::Failed);
    connect(this, &TRigPoller::TuneRequested, worker, &RigWorker::Tune);
    thread_.start();
}

TRigPoller::~TRigPoller() {
    thread_.quit();
    thread_.wait();
}

void TRigPoller::SetFrequency(double hz) {
    emit TuneRequested(hz);
}

}  // namespace mss::app

#include "RigPoller.moc"

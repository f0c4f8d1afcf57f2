// The progress window of the long passes over the contest log (renumbering,
// the results into the contest entry): a small window with a caption, a
// line of text and a bar, shown without blocking while the pass runs, with
// the hourglass pointer. A form stops its own timers for the pass through
// PassStarted and PassFinished, so nothing writes into the shared record
// buffer while the pass lets window messages run.
#pragma once

#include <QDialog>
#include <QString>

#include "log/PassProgress.h"

class QLabel;
class QProgressBar;

namespace mss::app {

class TFortschrittAusgabe : public QDialog, public log::PassProgress {
    Q_OBJECT

  public:
    // `caption`: "Neunummerierung" or "Neuberechnung" (designed: "Datensicherung").
    explicit TFortschrittAusgabe(const QString& caption, QWidget* parent = nullptr);
    ~TFortschrittAusgabe() override;

    void Start(std::int32_t maximum) override;
    void Advance(std::int32_t position) override;
    void Finish() override;

  signals:
    void PassStarted();
    void PassFinished();

  private:
    QLabel* Label1_ = nullptr;
    QLabel* Label2_ = nullptr;
    QLabel* Label3_ = nullptr;
    QLabel* Label4_ = nullptr;
    QProgressBar* ProgressBar1_ = nullptr;
    bool running_ = false;
};

}  // namespace mss::app

// The band score panel of the log form ("panelauswertung"): contacts,
// multipliers and points of each band of the contest and the total line.
#pragma once

#include <QFrame>
#include <array>

#include "log/LogSession.h"
#include "log/ScorePanel.h"

class QLabel;

namespace mss::app {

class TBandScorePanel : public QFrame {
    Q_OBJECT

  public:
    explicit TBandScorePanel(QWidget* parent = nullptr);
    // Shows the totals as they stand.
    void Refresh(const log::LogSession& session);

  private:
    struct Row {
        QLabel* caption = nullptr;
        QLabel* qso = nullptr;
        QLabel* multi = nullptr;
        QLabel* points = nullptr;
    };
    std::array<Row, log::kScorePanelRows> rows_;
    QLabel* lTotalQso_ = nullptr;
    QLabel* lTotalMulti_ = nullptr;
    QLabel* lTotalPunkte_ = nullptr;
    QLabel* lScore_ = nullptr;
};

}  // namespace mss::app

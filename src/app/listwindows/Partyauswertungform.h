// The overview of the QSO party (contest 'P'): a bar chart of the valid
// contacts by the partner's age in steps of one, five or ten years.
#pragma once

#include <QDialog>
#include <QWidget>

#include "log/PartyEvaluation.h"

class QRadioButton;

namespace mss::app {

class TContestLogStd;

// The chart panel: axes, ticks, labels and one blue bar per age.
class TPartyChart : public QWidget {
    Q_OBJECT

  public:
    explicit TPartyChart(QWidget* parent = nullptr);
    void Show(const log::PartyCounts& counts, int step);
    // The bar's top (y) of index i, or 250 for an empty bar.
    int BarTop(int i) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    log::PartyCounts counts_{};
    std::int32_t scale_ = 0;
    int step_ = 1;
};

class Tpartyauswertungform : public QDialog {
    Q_OBJECT

  public:
    Tpartyauswertungform(store::TFileblockObject& log, QWidget* parent = nullptr);
    TPartyChart& Chart() { return *panelausw_; }

  private:
    void Redraw();

    store::TFileblockObject& log_;
    TPartyChart* panelausw_ = nullptr;
    QRadioButton* rEins_ = nullptr;
    QRadioButton* rFuenf_ = nullptr;
};

// F11 and the evaluation button of the log form: the overview, or a note
// when the contest's start date is not given.
void RunPartyEvaluation(TContestLogStd& form);

}  // namespace mss::app

// The multiplier board of the entry panel ("panelmulties"): 8 rows of small
// labels with the multipliers worked so far, the ones the contact being
// typed brings in red and the ones it meets again in green.
#pragma once

#include <QFrame>
#include <vector>

#include "log/LogSession.h"

class QLabel;

namespace mss::app {

class TMultiplierBoard : public QFrame {
    Q_OBJECT

  public:
    explicit TMultiplierBoard(QWidget* parent = nullptr);
    // Shows the tables as they stand; hides the board when the contest
    // counts no multipliers.
    void Refresh(const log::LogSession& session);

  private:
    void Build(int columns);

    int columns_ = 0;
    std::vector<QLabel*> cells_;
};

}  // namespace mss::app

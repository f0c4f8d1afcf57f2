// The score labels of the entry panel: the current band's points, the
// multiplier count and the current band's contacts, each a caption over a
// value.
#pragma once

#include <QFrame>

#include "log/LogSession.h"

class QLabel;

namespace mss::app {

class TEntryScoreLabels : public QFrame {
    Q_OBJECT

  public:
    explicit TEntryScoreLabels(QWidget* parent = nullptr);
    // Shows the totals as they stand. For a contest without multipliers the
    // labels are hidden (ScoreShown() answers false).
    void Refresh(const log::LogSession& session);
    bool ScoreShown() const { return scoreShown_; }

  private:
    QLabel* lPunkteCaption_ = nullptr;
    QLabel* lPunkte_ = nullptr;
    QLabel* lMultiCaption_ = nullptr;
    QLabel* lMulti_ = nullptr;
    QLabel* lQsoCaption_ = nullptr;
    QLabel* lQso_ = nullptr;
    bool scoreShown_ = false;
};

}  // namespace mss::app

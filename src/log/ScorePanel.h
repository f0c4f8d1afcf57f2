// What the score views of the log form show, as texts: the band score panel
// (one row per band of the contest and the total line) and the score labels
// of the entry panel. Texts are Windows-1252.
#pragma once

#include <array>
#include <string>

#include "log/LogSession.h"

namespace mss::log {

inline constexpr int kScorePanelRows = 7;

// One row of the band score panel: the band's name over its three values.
struct BandScoreRow {
    bool visible = false;  // the contest has a band at this place
    bool current = false;  // the current band (painted yellow, the others silver)
    std::string caption;   // the band's name
    std::string qso;       // "#####"
    std::string multi;
    std::string points;
    bool operator==(const BandScoreRow&) const = default;
};

struct BandScorePanel {
    std::array<BandScoreRow, kScorePanelRows> rows;
    bool multiColumnVisible = false;
    // The total line, each number without leading blanks.
    std::string totalQso;
    std::string totalMulti;
    std::string totalPoints;
    bool totalPointsVisible = true;
    std::string score;
    bool operator==(const BandScorePanel&) const = default;
};

BandScorePanel BandScorePanelOf(const LogSession& session);

// The score labels of the entry panel: a caption over each value.
struct EntryScoreLabels {
    bool visible = false;  // hidden for a contest without multipliers
    std::string pointsCaption;
    std::string points;  // the current band's points, "########"
    std::string multiCaption;
    std::string multi;  // the multiplier count, "###"
    std::string qsoCaption;
    std::string qso;  // contacts on the current band, "#####"
    bool operator==(const EntryScoreLabels&) const = default;
};

EntryScoreLabels EntryScoreLabelsOf(const LogSession& session);

}  // namespace mss::log

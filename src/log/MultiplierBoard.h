// The multiplier board of the entry panel: the values of every multiplier
// table merged and sorted, each with the look its state gives it, laid out
// over rows of small labels.
#pragma once

#include <string>
#include <vector>

#include "log/LogSession.h"
#include "log/MultiplierTables.h"

namespace mss::log {

inline constexpr int kBoardRows = 8;

struct BoardCell {
    std::string text = ".";  // an empty place
    MultState state = MultState::kSaved;
    bool bold = true;
    bool underline = false;
    bool operator==(const BoardCell&) const = default;
};

struct MultiplierBoard {
    bool shown = false;  // multipliers are counted
    int columns = 14;
    std::vector<BoardCell> cells;  // rows x columns, row by row
};

// The board as it stands; values beyond its places are not shown.
MultiplierBoard MultiplierBoardOf(const LogSession& session);

}  // namespace mss::log

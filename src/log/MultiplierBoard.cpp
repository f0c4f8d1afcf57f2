#include "log/MultiplierBoard.h"

#include <map>

#include "radio/Text.h"

namespace mss::log {

namespace {

// Where two tables hold a value, the state that says most about the
// contact being typed wins.
int Weight(MultState state) {
    switch (state) {
        case MultState::kNew:
            return 2;
        case MultState::kWorkedAgain:
            return 1;
        case MultState::kSaved:
            break;
    }
    return 0;
}

BoardCell CellOf(char code, std::string text, MultState state) {
    BoardCell cell{std::move(text), state, true, false};
    const bool plain = code == 'H' || code == 'k';
    if (state == MultState::kWorkedAgain) {
        cell.underline = true;
        cell.bold = !plain;
    } else if (state == MultState::kSaved) {
        cell.bold = !plain && code != 'p';
    }
    return cell;
}

}  // namespace

MultiplierBoard MultiplierBoardOf(const LogSession& s) {
    MultiplierBoard board;
    const char code = s.Code();
    board.shown = s.definition.Features.any();
    board.columns = code == 'p' ? 11 : 14;
    std::map<std::string, MultState> merged;
    for (const MultTable& table : s.multipliers.tables) {
        for (const MultEntry& entry : table.entries()) {
            const std::string value = radio::Trim(entry.value);
            if (value.empty()) continue;
            auto [it, inserted] = merged.try_emplace(value, entry.state);
            if (!inserted && Weight(entry.state) > Weight(it->second)) it->second = entry.state;
        }
    }
    const auto places = static_cast<std::size_t>(kBoardRows * board.columns);
    for (const auto& [value, state] : merged) {
        if (board.cells.size() == places) break;
        board.cells.push_back(CellOf(code, value, state));
    }
    // An empty place is a grey bold "." in every contest.
    while (board.cells.size() < places) board.cells.push_back(BoardCell{});
    return board;
}

}  // namespace mss::log

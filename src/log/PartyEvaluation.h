// The QSO party's overview: the valid contacts of the log counted by the
// partner's age (the received exchange's characters 4 and 5), in steps of
// one, five or ten years, and the scale of the bar chart.
#pragma once

#include <array>
#include <cstdint>

#include "store/FileblockObject.h"

namespace mss::log {

inline constexpr int kPartyAges = 91;  // 0 to 89 and "90 und mehr" at 90
using PartyCounts = std::array<std::int32_t, kPartyAges>;

// Counts the contacts with points in key 1 order; band-change markers and
// contacts of 0 points are skipped. "XX" counts at 1; an age above 89 at
// 90; otherwise at the age rounded down to a multiple of `step` (1, 5, 10).
// The log's record buffer is left as it was.
PartyCounts CountPartyAges(store::TFileblockObject& log, int step);

// The top of the chart's axis: 0 when no bar has a contact, else the
// largest count raised to at least 10 and up to a multiple of 10.
std::int32_t PartyScale(const PartyCounts& counts);

}  // namespace mss::log

// The totals an entry claims, as its listings and its cover sheet print them:
// taken from the entry's own per-band totals, or from its extra record when
// the entry keeps them there; the points recounted from the log when a time
// range is given.
#pragma once

#include <cstdint>

#include "contest/Score.h"
#include "output/OutputJob.h"
#include "output/WriteStatus.h"

namespace mss::output {

struct ClaimedTotals : contest::EntryTotals {
    std::int64_t score = 0;  // contest::ScoreOf over these totals
};

// False only when the time-range recount could not read the log.
WriteStatus ComputeClaimedTotals(const OutputJob& job, ClaimedTotals& totals);

}  // namespace mss::output

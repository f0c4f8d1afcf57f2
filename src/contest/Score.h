// The score of an entry from its totals: one rule for the setup dialog, the
// log form's score panel and the entry files.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "contest/ContestDefinition.h"
#include "contest/ContestEntry.h"
#include "contest/ContestExtra.h"

namespace mss::contest {

struct BandScore {
    std::int64_t multipliers = 0;
    std::int64_t points = 0;
};

// Points alone for a contest without multipliers or with PointsOnly; with
// PerBandProduct the sum over the bands of multipliers times points, where
// a band without multipliers adds its points; else multipliers times
// points, or the points while no multiplier is worked yet (a score of 0
// would hide every point made before the first multiplier).
std::int64_t ScoreOf(const ContestDefinition& definition, std::int64_t points,
                     std::int64_t multipliers, std::span<const BandScore> bands);

// The totals an entry keeps, summed over its bands: the entry's own seven
// band indexes, or the extra record's hundred when the entry keeps them
// there (only the extra record has a third multiplier column).
struct EntryTotals {
    std::int64_t qsos = 0;
    std::int64_t multipliers = 0;
    std::int64_t points = 0;
    std::int64_t mult1 = 0;
    std::int64_t mult2 = 0;
    std::int64_t mult3 = 0;
};
EntryTotals SumEntryTotals(const ContestEntry& entry, const ContestExtra& extra);

// The per-band totals of an extra record (bands 1 to 100).
std::vector<BandScore> BandScores(const ContestExtra& extra);

}  // namespace mss::contest

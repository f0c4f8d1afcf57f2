#include "contest/Score.h"

namespace mss::contest {

std::int64_t ScoreOf(const ContestDefinition& d, std::int64_t points, std::int64_t multipliers,
                     std::span<const BandScore> bands) {
    if (d.Features.none() || d.PointsOnly != 0) return points;
    if (d.PerBandProduct != 0) {
        std::int64_t score = 0;
        for (const BandScore& band : bands)
            score += band.multipliers > 0 ? band.multipliers * band.points : band.points;
        return score;
    }
    return multipliers < 1 ? points : multipliers * points;
}

namespace {

// Adds bands 1 .. Totals::kBandIndexes of an entry or of its extra record;
// only the extra record has a third multiplier column.
template <class Totals>
EntryTotals SumBands(const Totals& totals) {
    EntryTotals t;
    for (int band = 1; band <= Totals::kBandIndexes; ++band) {
        t.qsos += totals.QsoCount(band);
        t.multipliers += totals.MultCount(band);
        t.points += totals.PointSum(band);
        t.mult1 += totals.Mult1Count(band);
        t.mult2 += totals.Mult2Count(band);
        if constexpr (requires { totals.Mult3Count(band); }) t.mult3 += totals.Mult3Count(band);
    }
    return t;
}

}  // namespace

EntryTotals SumEntryTotals(const ContestEntry& entry, const ContestExtra& extra) {
    return entry.TotalsInExtra() ? SumBands(extra) : SumBands(entry);
}

std::vector<BandScore> BandScores(const ContestExtra& extra) {
    std::vector<BandScore> bands;
    bands.reserve(ContestExtra::kBandIndexes);
    for (int band = 1; band <= ContestExtra::kBandIndexes; ++band)
        bands.push_back({extra.MultCount(band), extra.PointSum(band)});
    return bands;
}

}  // namespace mss::contest

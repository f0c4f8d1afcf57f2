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

EntryTotals SumEntryTotals(const ContestEntry& entry, const ContestExtra& extra) {
    EntryTotals t;
    if (entry.TotalsInExtra()) {
        for (int band = 1; band <= ContestExtra::kBandIndexes; ++band) {
            t.qsos += extra.QsoCount(band);
            t.multipliers += extra.MultCount(band);
            t.points += extra.PointSum(band);
            t.mult1 += extra.Mult1Count(band);
            t.mult2 += extra.Mult2Count(band);
            t.mult3 += extra.Mult3Count(band);
        }
        return t;
    }
    for (int band = 1; band <= ContestEntry::kBandIndexes; ++band) {
        t.qsos += entry.QsoCount(band);
        t.multipliers += entry.MultCount(band);
        t.points += entry.PointSum(band);
        t.mult1 += entry.Mult1Count(band);
        t.mult2 += entry.Mult2Count(band);
    }
    return t;
}

std::vector<BandScore> BandScores(const ContestExtra& extra) {
    std::vector<BandScore> bands;
    bands.reserve(ContestExtra::kBandIndexes);
    for (int band = 1; band <= ContestExtra::kBandIndexes; ++band)
        bands.push_back({extra.MultCount(band), extra.PointSum(band)});
    return bands;
}

}  // namespace mss::contest

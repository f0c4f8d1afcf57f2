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

std::vector<BandScore> BandScores(const ContestExtra& extra) {
    std::vector<BandScore> bands;
    bands.reserve(ContestExtra::kBandIndexes);
    for (int band = 1; band <= ContestExtra::kBandIndexes; ++band)
        bands.push_back({extra.MultCount(band), extra.PointSum(band)});
    return bands;
}

}  // namespace mss::contest

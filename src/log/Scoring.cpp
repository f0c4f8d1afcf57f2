#include "log/Scoring.h"

#include <numeric>
#include <vector>

#include "contest/Score.h"

#include "log/Multipliers.h"
#include "log/Points.h"

namespace mss::log {

namespace {

std::int64_t SumOverBands(const std::array<std::int32_t, 256>& values) {
    return std::accumulate(values.begin() + 1, values.end(), std::int64_t{0});
}

}  // namespace

std::int64_t PointSum(const LogTotals& t) {
    return SumOverBands(t.points);
}

std::int64_t MultiplierSum(const LogTotals& t) {
    return SumOverBands(t.multipliers);
}

std::int64_t ContactSum(const LogTotals& t) {
    return SumOverBands(t.contacts);
}

std::int64_t Score(const LogSession& s) {
    const LogTotals& t = s.totals;
    std::vector<contest::BandScore> bands;
    if (s.definition.PerBandProduct != 0) {
        for (std::size_t band = 1; band < t.points.size(); ++band)
            bands.push_back({t.multipliers[band], t.points[band]});
    }
    return contest::ScoreOf(s.definition, PointSum(t), MultiplierSum(t), bands);
}

void CountSavedContact(LogSession& s, QsoRecord& contact) {
    contact.SetPunkte(static_cast<std::uint16_t>(PointsOf(s, contact)));
    if (!contact.IsBandChange()) {
        LogTotals& t = s.totals;
        const auto band = static_cast<unsigned char>(contact.Band());
        t.bandPoints += contact.Punkte();
        t.points[band] = t.bandPoints;
        t.points[0] += 1;
        t.nextContact += 1;
        t.contacts[band] += 1;
    }
    CommitMultipliers(s);
}

void ClearTotals(LogSession& s) {
    s.totals = LogTotals{};
    s.multipliers.Clear();
}

}  // namespace mss::log

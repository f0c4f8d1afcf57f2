#include "output/ClaimedTotals.h"

#include "contest/Score.h"
#include "log/ContestLog.h"
#include "log/LogKeys.h"
#include "output/LogWalk.h"

namespace mss::output {

namespace {

WriteStatus PointsInRange(const OutputJob& job, std::int64_t& points) {
    points = 0;
    return WalkLog(*job.log, log::kByNummer, [&](const log::QsoRecord& r) {
        if (!r.IsBandChange() && job.range->Holds(r.Zeit())) points += r.Punkte();
    });
}

}  // namespace

WriteStatus ComputeClaimedTotals(const OutputJob& job, ClaimedTotals& t) {
    const contest::EntryTotals sums = contest::SumEntryTotals(job.entry, job.extra);
    t = ClaimedTotals{.Multipliers = sums.multipliers,
                      .Points = sums.points,
                      .Mult1 = sums.mult1,
                      .Mult2 = sums.mult2,
                      .Mult3 = sums.mult3,
                      .Qsos = sums.qsos};
    if (job.range && job.log) {
        if (const WriteStatus s = PointsInRange(job, t.Points); !s.Ok()) return s;
    }
    t.Score =
        contest::ScoreOf(job.definition, t.Points, t.Multipliers, contest::BandScores(job.extra));
    return {};
}

}  // namespace mss::output

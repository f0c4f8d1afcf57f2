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
    t = {contest::SumEntryTotals(job.entry, job.extra)};
    if (job.range && job.log) {
        if (const WriteStatus s = PointsInRange(job, t.points); !s.Ok()) return s;
    }
    t.score =
        contest::ScoreOf(job.definition, t.points, t.multipliers, contest::BandScores(job.extra));
    return {};
}

}  // namespace mss::output

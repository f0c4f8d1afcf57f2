#include "output/ClaimedTotals.h"

#include "contest/Score.h"
#include "log/ContestLog.h"
#include "log/LogKeys.h"
#include "output/LogWalk.h"

namespace mss::output {

namespace {

using contest::ContestEntry;
using contest::ContestExtra;

void FromEntry(const ContestEntry& entry, ClaimedTotals& t) {
    for (int i = 1; i <= ContestEntry::kBandIndexes; ++i) {
        t.Multipliers += entry.MultCount(i);
        t.Points += entry.PointSum(i);
        t.Mult1 += entry.Mult1Count(i);
        t.Mult2 += entry.Mult2Count(i);
        t.Qsos += entry.QsoCount(i);
    }
}

void FromExtra(const ContestExtra& extra, ClaimedTotals& t) {
    for (int i = 1; i <= ContestExtra::kBandIndexes; ++i) {
        t.Multipliers += extra.MultCount(i);
        t.Points += extra.PointSum(i);
        t.Mult1 += extra.Mult1Count(i);
        t.Mult2 += extra.Mult2Count(i);
        t.Mult3 += extra.Mult3Count(i);
        t.Qsos += extra.QsoCount(i);
    }
}

WriteStatus PointsInRange(const OutputJob& job, std::int64_t& points) {
    points = 0;
    return WalkLog(*job.log, log::kByNummer, [&](const log::QsoRecord& r) {
        if (!r.IsBandChange() && job.range->Holds(r.Zeit())) points += r.Punkte();
    });
}

}  // namespace

WriteStatus ComputeClaimedTotals(const OutputJob& job, ClaimedTotals& t) {
    t = ClaimedTotals{};
    if (job.entry.TotalsInExtra()) {
        FromExtra(job.extra, t);
    } else {
        FromEntry(job.entry, t);
    }
    if (job.range && job.log) {
        if (const WriteStatus s = PointsInRange(job, t.Points); !s.Ok()) return s;
    }
    t.Score =
        contest::ScoreOf(job.definition, t.Points, t.Multipliers, contest::BandScores(job.extra));
    return {};
}

}  // namespace mss::output

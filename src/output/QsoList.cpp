#include "output/QsoList.h"

#include <algorithm>

#include "log/LogKeys.h"
#include "output/AdifExport.h"
#include "output/EdiFile.h"
#include "output/LogWalk.h"
#include "output/StfFile.h"

namespace mss::output {

namespace {

std::unique_ptr<QsoListLayout> LayoutOf(OutputKind kind) {
    switch (kind) {
        case OutputKind::PrintedList:
        case OutputKind::ElogList:
        case OutputKind::Csv:
            return MakeTableLayout();
        case OutputKind::Adif:
            return MakeAdifLayout();
        case OutputKind::Stf:
            return MakeStfLayout();
        case OutputKind::Edi:
            return MakeEdiLayout();
        default:
            return nullptr;
    }
}

}  // namespace

WriteStatus WriteQsoList(OutputKind kind, ListOutput& out, const OutputJob& job) {
    const std::unique_ptr<QsoListLayout> layout = LayoutOf(kind);
    if (!layout || !job.log) return {kKindNotWritten};
    QsoListRun run{kind, job, out, {}, {}};
    if (WriteStatus s = ComputeClaimedTotals(job, run.totals); !s.Ok()) return s;
    if (WriteStatus s = MeasureColumns(*job.log, job.definition, run.columns); !s.Ok()) return s;

    out.SetPageHeader([&] { layout->Header(run); });
    layout->Header(run);
    if (out.OnPaper()) {
        out.KeepLinesTogether(1);
        out.Line(" ");
    }
    int number = 0;
    int longest = 0;
    const WriteStatus walked = WalkLog(*job.log, log::kByNummer, [&](const log::QsoRecord& r) {
        ++number;
        if (r.IsBandChange()) return;
        const std::string line = layout->Line(run, r, number);
        out.Line(line);
        // The footer is right-aligned to where the longest line ends.
        const std::size_t end = line.find_last_not_of(" \t");
        longest = std::max(longest, end == std::string::npos ? 0 : static_cast<int>(end) + 1);
    });
    if (!walked.Ok()) return walked;
    layout->Footer(run, longest);
    out.SetPageHeader({});
    return out.Status();
}

}  // namespace mss::output

#include "output/BandList.h"

#include <string>

#include "log/Exchange.h"
#include "log/LogKeys.h"
#include "output/ListColumns.h"
#include "output/LogWalk.h"
#include "output/StationTexts.h"
#include "radio/Baender.h"
#include "radio/DateTime.h"
#include "radio/Text.h"

namespace mss::output {

namespace {

using log::QsoRecord;
using radio::Fit;

void PageHeader(ListOutput& out, const contest::ContestDefinition& def, const ListColumns& c) {
    out.TopOfPage();
    std::string title =
        Fit(def.ContestName + "  Band List   " + StationCall(def), def.EntryFlag == 1 ? 77 : 65);
    if (out.OnPaper()) title += PageLabel(out.PageNumber());
    out.BoldLine(title);
    out.Line(" ");
    out.Line(HeadingColumns(def, c, "MODE", " ") + PointsHeading(c.points));
}

std::string BandListLine(const contest::ContestDefinition& def, const ListColumns& c,
                         const QsoRecord& r) {
    std::string s = ShortDate(r) + " " + radio::TimeToText("hhmm", r.Zeit()) + " ";
    s += Fit(r.Call(), c.call) + " " + BandColumn(r.Band()) + " " + Fit(r.Mode(), 4) + " ";
    const std::string sent = ExchangeColumn(log::SentExchangeOf(r), c.sent);
    s += sent + " ";
    if (def.EntryFlag == 1) s += Fit(r.Call2(), 9) + " ";
    s += ExchangeColumn(log::RcvdExchangeOf(r), c.received) + " ";
    for (int k = 0; k < 3; ++k) {
        if (!ExtraColumnUsed(def, k)) continue;
        s += Fit(Fit(ExtraColumnText(r, k), 8), c.extra[static_cast<std::size_t>(k)]) + " ";
    }
    return s + radio::PadLeft(std::to_string(r.Punkte()), c.points);
}

}  // namespace

WriteStatus WriteBandList(ListOutput& out, const OutputJob& job) {
    if (!job.log) return {kLogReadFailed};
    const contest::ContestDefinition def = job.definition;
    ListColumns c;
    if (WriteStatus s = MeasureColumns(*job.log, def, c); !s.Ok()) return s;
    out.SetPageHeader([&] { PageHeader(out, def, c); });
    PageHeader(out, def, c);
    for (const char band : def.Bands) {
        if (band == 0) continue;
        out.Line(" ");
        out.Line(" ");
        out.BoldLine("Band List   " + StationCall(def) + "   " +
                     std::string(radio::ToBaender::BandName(band, false)));
        out.Line(" ");
        const WriteStatus walked =
            WalkLogFrom(*job.log, log::kByBandSeq, std::string(1, band), [&](const QsoRecord& r) {
                if (!r.IsBandChange()) out.Line(BandListLine(def, c, r));
            });
        if (!walked.Ok()) return walked;
    }
    out.SetPageHeader({});
    return out.Status();
}

}  // namespace mss::output

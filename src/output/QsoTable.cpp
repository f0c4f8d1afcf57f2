// The tabular QSO list: printed, as E-Log file and as CSV.
#include <string>
#include <vector>

#include "log/Exchange.h"
#include "output/QsoList.h"
#include "output/StationTexts.h"
#include "radio/DateTime.h"
#include "radio/ProgramValues.h"
#include "radio/Text.h"

namespace mss::output {

namespace {

using log::QsoRecord;

// The name and QTH parts of NameQth: before and after the first ";".
struct NameAndQth {
    std::string name;
    std::string qth;
};
NameAndQth SplitNameQth(const std::string& text) {
    const std::size_t semicolon = text.find(';');
    if (semicolon == std::string::npos) return {text, text};
    return {text.substr(0, semicolon), text.substr(semicolon + 1)};
}

class TableLayout : public QsoListLayout {
  public:
    void Header(QsoListRun& run) override;
    std::string Line(QsoListRun& run, const QsoRecord& r, int number) override;
    void Footer(QsoListRun& run, int longest) override;

  private:
    static bool Csv(const QsoListRun& run) { return run.kind == OutputKind::Csv; }
    static std::string Sep(const QsoListRun& run) { return Csv(run) ? ";" : " "; }
    static std::string BandText(const QsoListRun& run, char band);
    static std::string NameColumn(const QsoListRun& run, const QsoRecord& r);
};

void TableLayout::Header(QsoListRun& run) {
    const contest::ContestDefinition& def = run.job.definition;
    if (!Csv(run)) {
        std::string title = radio::Fit(
            def.ContestName + "  -  QSO-Liste     " + StationLabel(def, "CALL: ", "SWL : "), 77);
        if (run.out.OnPaper()) title += PageLabel(run.out.PageNumber());
        run.out.BoldLine(title);
        run.out.Line(" ");
    }
    std::string headings = Csv(run) ? "" : "Nr   ";
    headings += HeadingColumns(def, run.columns, "MODE  ", Sep(run));
    headings += PointsHeading(run.columns.points);
    const char code = run.job.entry.Code();
    if (code == 'I' || code == 'l') headings += " Name/QTH";
    if (code == 'O') headings += " Name";
    run.out.Line(headings);
}

std::string TableLayout::BandText(const QsoListRun& run, char band) {
    return output::BandText(band, Csv(run));
}

std::string TableLayout::NameColumn(const QsoListRun& run, const QsoRecord& r) {
    const char code = run.job.entry.Code();
    const NameAndQth parts = SplitNameQth(r.NameQth());
    if (code == 'O') return Sep(run) + parts.name;
    if (code != 'I' && code != 'l') return {};
    std::string text = Sep(run) + parts.name;
    if (!parts.name.empty() && !parts.qth.empty()) text += "/" + parts.qth;
    return text;
}

std::string TableLayout::Line(QsoListRun& run, const QsoRecord& r, int number) {
    const contest::ContestDefinition& def = run.job.definition;
    const ListColumns& c = run.columns;
    const std::string sep = Sep(run);
    std::string s = Csv(run) ? "" : radio::PadLeft(std::to_string(number), 4) + " ";
    s += ShortDate(r) + sep;
    s += radio::TimeToText(Csv(run) ? radio::TimeFormat : "hhmm", r.Zeit()) + sep;
    s += radio::Fit(r.Call(), c.call) + sep;
    s += BandText(run, r.Band()) + sep;
    s += (Csv(run) ? radio::Trim(r.Mode()) : radio::Fit(r.Mode(), 6)) + sep;
    const std::string sent = ExchangeColumn(log::SentExchangeOf(r), c.sent);
    const std::string received = ExchangeColumn(log::RcvdExchangeOf(r), c.received);
    if (def.EntryFlag == 1) {
        s += received + sep + radio::Fit(r.Call2(), 9) + sep + sent + sep;
    } else {
        s += sent + sep + received + sep;
    }
    for (int k = 0; k < 3; ++k) {
        if (!ExtraColumnUsed(def, k)) continue;
        s += radio::Fit(ExtraColumnText(r, k), c.extra[static_cast<std::size_t>(k)]) + sep;
    }
    const bool counted = !run.job.range || run.job.range->Holds(r.Zeit());
    s += counted ? radio::PadLeft(std::to_string(r.Punkte()), c.points) : "     ";
    return s + NameColumn(run, r);
}

// The multiplier sum of the footer: "(" m1 " + " m2 ")" " x " points.
std::string MultiplierLine(const ClaimedTotals& t) {
    std::vector<std::string> shown;
    for (const std::int64_t m : {t.mult1, t.mult2, t.mult3}) {
        if (m > 0) shown.push_back(Number(m, 5));
    }
    std::string line;
    for (std::size_t i = 0; i < shown.size(); ++i) line += (i > 0 ? " + " : "") + shown[i];
    if (!shown.empty()) line = "(" + line + ")";
    return line + " x " + Number(t.points, 7);
}

void TableLayout::Footer(QsoListRun& run, int longest) {
    if (Csv(run)) return;
    const contest::ContestDefinition& def = run.job.definition;
    const ClaimedTotals& t = run.totals;
    const auto aligned = [&](const std::string& text) {
        run.out.Line(radio::PadLeft(text, longest));
    };
    run.out.KeepLinesTogether(4);
    run.out.Line(" ");
    if (def.Features.any() && def.PointsOnly == 0 && def.PerBandProduct == 0) {
        aligned(MultiplierLine(t));
        run.out.Line(" ");
    }
    aligned(Number(t.score, 7) + " Punkte");
    if (run.job.entry.Code() == '5') aligned(Number(t.multipliers, 7) + " PLZ-Bereiche");
}

}  // namespace

std::unique_ptr<QsoListLayout> MakeTableLayout() {
    return std::make_unique<TableLayout>();
}

}  // namespace mss::output

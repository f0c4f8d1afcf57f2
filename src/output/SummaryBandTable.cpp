#include "output/SummaryBandTable.h"

#include <array>
#include <string>

#include "radio/Baender.h"
#include "radio/ProgramValues.h"
#include "radio/Text.h"

namespace mss::output {

namespace {

const std::string kIndent(10, ' ');

struct BandRow {
    std::int64_t qsos = 0;
    std::int64_t points = 0;
    std::array<std::int64_t, 3> mults{};  // multiplier kinds 1 to 3
    std::int64_t multipliers = 0;
    std::int64_t score = 0;

    void Add(const BandRow& r) {
        qsos += r.qsos;
        points += r.points;
        for (std::size_t k = 0; k < mults.size(); ++k) mults[k] += r.mults[k];
        multipliers += r.multipliers;
        score += r.score;
    }
};

// The score of one band: multipliers times points, or the points alone.
BandRow WithScore(BandRow row) {
    row.score = row.multipliers > 0 ? row.multipliers * row.points : row.points;
    return row;
}

// Row `i` (1-based position in Bands) of the stored totals.
BandRow RowOf(const OutputJob& job, int i) {
    BandRow row;
    if (job.entry.TotalsInExtra()) {
        const contest::ContestExtra& x = job.extra;
        row = {x.QsoCount(i),
               x.PointSum(i),
               {x.Mult1Count(i), x.Mult2Count(i), x.Mult3Count(i)},
               x.MultCount(i)};
    } else {
        const contest::ContestEntry& e = job.entry;
        row = {e.QsoCount(i), e.PointSum(i), {e.Mult1Count(i), e.Mult2Count(i), 0}, e.MultCount(i)};
    }
    return WithScore(row);
}

std::string RowText(const OutputJob& job, std::string_view label, const BandRow& row) {
    const contest::ContestDefinition& def = job.definition;
    std::string s =
        kIndent + radio::PadLeft(label, 8) + Number(row.qsos, 7) + "  " + Number(row.points, 7);
    for (std::size_t k = 0; k < def.MultNames.size(); ++k) {
        // Each count ends under the end of its caption.
        if (!def.MultNames[k].empty()) s += Number(row.mults[k], 10);
    }
    if (def.PerBandProduct != 0) s += Number(row.score, 10);
    return s;
}

std::string Heading(const OutputJob& job) {
    const contest::ContestDefinition& def = job.definition;
    std::string s = kIndent + radio::PadLeft("Band", 8) + "    QSO  " +
                    std::string(radio::Bilingual(" Punkte  ", " Points  "));
    if (job.entry.Code() == 'h') {
        s += job.entry.Category() >= 4 ? "     DOK   SDOK" : "     DOK   SDOK    Distrikte";
    } else {
        for (std::size_t k = 0; k < def.MultNames.size(); ++k) {
            if (!def.MultNames[k].empty()) s += radio::PadLeft(def.MultNames[k], k == 0 ? 8 : 10);
        }
    }
    if (def.PerBandProduct != 0) s += "    Gesamt";
    return s;
}

}  // namespace

bool ShowsBandTable(const OutputJob& job) {
    const std::uint8_t mode = job.definition.MultMode;
    return mode == 0 || mode == 2 || job.entry.Code() == 'i';
}

void WriteBandTable(ListOutput& out, const OutputJob& job) {
    out.Line(Heading(job));
    BandRow sum;
    const auto& bands = job.definition.Bands;
    for (std::size_t i = 0; i < bands.size() && bands[i] != 0; ++i) {
        const BandRow row = RowOf(job, static_cast<int>(i) + 1);
        out.Line(RowText(job, radio::ToBaender::BandName(bands[i], false), row));
        sum.Add(row);
    }
    out.Line(RowText(job, "Summe", sum));
}

}  // namespace mss::output

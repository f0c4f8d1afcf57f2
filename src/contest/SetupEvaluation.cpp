#include "contest/SetupEvaluation.h"

#include "contest/Score.h"

#include "radio/FormatPicture.h"
#include "radio/Text.h"

namespace mss::contest {

namespace {

std::string Places(std::string_view picture, std::int64_t value) {
    return radio::Trim(radio::FormatPicture(picture, value));
}

}  // namespace

Evaluation EvaluateEntry(const ContestEntry& entry, const ContestExtra& extra,
                         const ContestDefinition& d) {
    Evaluation e;
    const bool inExtra = entry.TotalsInExtra();
    for (int band = 1; band <= ContestEntry::kBandIndexes; ++band) {
        BandTotals& t = e.bands[band - 1];
        t.qsos = inExtra ? extra.QsoCount(band) : entry.QsoCount(band);
        t.multipliers = inExtra ? extra.MultCount(band) : entry.MultCount(band);
        t.points = inExtra ? extra.PointSum(band) : entry.PointSum(band);
    }
    const EntryTotals sums = SumEntryTotals(entry, extra);
    e.qsos = sums.qsos;
    e.multipliers = sums.multipliers;
    e.points = sums.points;
    if (d.MultMode == 1) e.multipliers = e.bands[0].multipliers;

    e.score = ScoreOf(d, e.points, e.multipliers, BandScores(extra));
    return e;
}

EvaluationTexts EvaluationLabels(const Evaluation& e, const ContestDefinition& d, char code) {
    EvaluationTexts t;
    t.qsoTotal = Places("######", e.qsos) + " QSO";
    t.score = Places("#########", e.score) + " Pkt.";
    if (d.Features.none()) {
        t.multipliersShown = false;
        return t;
    }
    const std::string& firstName = d.MultNames[0];
    std::string kind = " Multi x";
    if (d.PointsOnly == 1 || d.PerBandProduct == 1)
        kind = firstName == "PLZ" ? " PLZ" : firstName == "Prefix" ? " Prefixe" : " Multi";
    t.multTotal = Places("######", e.multipliers) + kind;
    t.pointsTotal = Places("######", e.points) + (d.PerBandProduct == 1 ? " Punkte" : " Punkte =");
    t.pointsTotalShown = d.PerBandProduct != 1;
    if (code == '5' && firstName == "PLZ") {
        t.scoreShown = false;
        t.firstMultValue = "    0";
        t.pointsTotal = Places("######", e.points) + " Punkte";
    }
    return t;
}

std::string BandValueText(std::int64_t value) {
    return radio::FormatPicture("#####", value);
}

std::string BandPointsText(std::int64_t value) {
    return radio::FormatPicture("######", value);
}

}  // namespace mss::contest

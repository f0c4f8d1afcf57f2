// The evaluation of a contest entry as the setup dialog shows it: QSOs,
// multipliers and points of the first seven bands, the totals and the
// score, and the texts of the total line.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "contest/ContestDefinition.h"
#include "contest/ContestEntry.h"
#include "contest/ContestExtra.h"

namespace mss::contest {

struct BandTotals {
    std::int32_t qsos = 0;
    std::int32_t multipliers = 0;
    std::int32_t points = 0;
};

struct Evaluation {
    std::array<BandTotals, ContestEntry::kBandIndexes> bands{};  // band index 1-7
    std::int64_t qsos = 0;
    std::int64_t multipliers = 0;
    std::int64_t points = 0;
    std::int64_t score = 0;
};

// Totals come from the extra record (all 100 bands) when the entry keeps
// them there, else from the entry's own seven bands.
Evaluation EvaluateEntry(const ContestEntry& entry, const ContestExtra& extra,
                         const ContestDefinition& definition);

// The texts of the total line. Without multipliers the multiplier and
// points labels are empty and the multiplier column is disabled.
struct EvaluationTexts {
    std::string qsoTotal;     // "12 QSO"
    std::string multTotal;    // "5 Multi x", or the multiplier kind's name
    std::string pointsTotal;  // "345 Punkte ="
    std::string score;        // "1725 Pkt."
    bool multipliersShown = true;
    bool pointsTotalShown = true;
    bool scoreShown = true;
    std::string firstMultValue;  // replaces the first multiplier value when not empty
};
EvaluationTexts EvaluationLabels(const Evaluation& evaluation, const ContestDefinition& definition,
                                 char code);

// A value of the band rows: right-aligned in 5 places.
std::string BandValueText(std::int64_t value);
// A band's points: strong entries pass 100 000 points on a band.
std::string BandPointsText(std::int64_t value);

}  // namespace mss::contest

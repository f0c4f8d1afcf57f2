// The score of the open log and the totals a saved contact adds to.
#pragma once

#include <cstdint>

#include "log/LogSession.h"
#include "log/QsoRecord.h"

namespace mss::log {

// The sums over band codes 1 to 255 of the totals.
std::int64_t PointSum(const LogTotals& totals);
std::int64_t MultiplierSum(const LogTotals& totals);
std::int64_t ContactSum(const LogTotals& totals);

// The score of the open log's totals (contest::ScoreOf).
std::int64_t Score(const LogSession& session);

// What saving a contact adds: its Punkte, the points and contacts of its
// band and the next contact number (a band-change marker adds nothing);
// then the provisional multipliers are kept.
void CountSavedContact(LogSession& session, QsoRecord& contact);

// Empties the totals and the multiplier tables (a log form that opens).
void ClearTotals(LogSession& session);

}  // namespace mss::log

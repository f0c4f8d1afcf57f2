// Recounting the open log: the multiplier tables of the current band (or the
// whole log) and, with the full pass, the points, contacts and multipliers of
// every band.
#pragma once

#include <cstdint>
#include <vector>

#include "log/LogSession.h"
#include "log/MultiplierTables.h"
#include "log/QsoRecord.h"

namespace mss::log {

// Rebuilds the multiplier tables and the count of the scope in force from
// the log. With `full` it also rewrites every contact's Punkte, recounts the
// points and contacts per band, the next contact number, the band of the last
// record and the multipliers of every band of the contest.
void Recount(LogSession& session, bool full);

// Every record of the open log in Nummer order; the buffer and the current
// record are kept.
std::vector<QsoRecord> ReadLogRecords(store::TFileblockObject& log);

// The multiplier tables of `band` built from `records` (in Nummer order) and
// the count they add up to. A kind counted over the whole log holds every
// value, but where multipliers count per band a value adds to the band of
// the contact that brought it first.
std::int32_t BuildMultiplierTables(LogSession& session, const std::vector<QsoRecord>& records,
                                   char band, MultiplierTables& tables);

}  // namespace mss::log

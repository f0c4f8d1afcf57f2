// Recounting the open log: the multiplier tables of the current band (or the
// whole log) and, with the full pass, the points, contacts and multipliers of
// every band.
#pragma once

#include "log/LogSession.h"

namespace mss::log {

// Rebuilds the multiplier tables and the count of the scope in force from
// the log. With `full` it also rewrites every contact's Punkte, recounts the
// points and contacts per band, the next contact number, the band of the last
// record and the multipliers of every band of the contest.
void Recount(LogSession& session, bool full);

}  // namespace mss::log

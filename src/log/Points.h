// The points of a contact, by contest code.
#pragma once

#include <cstdint>

#include "log/LogSession.h"
#include "log/QsoRecord.h"

namespace mss::log {

// The points `record` scores in the contest of the session; 0 for a void
// contact. Some rules read the log (the first contact with the own DOK, the
// locator squares of a band) or the member list "dsw.csv"; the log's record
// buffer is left as it was.
std::int32_t PointsOf(LogSession& session, const QsoRecord& record);

// A special event or club station of the German rules: DP0EPO, D + A/C/F/K/
// L/N/O + "0", DQ and DR calls, and four-character D calls with A to R second.
bool IsSpecialStation(std::string_view call);

}  // namespace mss::log

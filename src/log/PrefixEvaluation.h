// The prefix evaluation of a contact: its multiplier prefix and continent
// from the prefix tables, and its points.
#pragma once

#include <string>
#include <string_view>

#include "log/LogSession.h"
#include "log/QsoRecord.h"

namespace mss::log {

// Fills Prefix and Continent of the contact from its country (a prefix set
// by hand stays) and computes its Punkte. False when no country is known for
// a call of 3 or more characters; Prefix and Continent are then empty.
bool EvaluatePrefix(LogSession& session, QsoRecord& contact);

// The WPX prefix of a call: its first character, then the following
// characters up to and including the first run of digits (DL1ABC gives DL1,
// 9A1XY gives 9A1).
std::string WpxPrefix(std::string_view call);

}  // namespace mss::log

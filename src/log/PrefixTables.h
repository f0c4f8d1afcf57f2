// The prefix evaluation of the contest log asks the suite's prefix tables
// through this adapter.
#pragma once

#include "log/LogSession.h"

namespace mss::log {

// Asks PrefixLookup (mode 0) and reads the country from the prefix buffer;
// a call that is not found or not current gives no country.
PrefixLookupFunction PrefixTables();

}  // namespace mss::log

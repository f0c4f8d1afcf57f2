// The results of the open log written into its contest entry
// ("Neuberechnung"): contacts, points and multipliers per band, in the entry
// itself or in its extra record, as the contest keeps them.
#pragma once

#include "contest/ContestEntry.h"
#include "contest/ContestExtra.h"
#include "log/LogSession.h"
#include "log/PassProgress.h"

namespace mss::log {

// The bar of the pass runs to 500 and wraps.
inline constexpr std::int32_t kResultsProgressMaximum = 500;

// Writes the results into `entry` (or, with its TotalsInExtra, into
// `extra`). The points come from the session's totals, so they must be
// current (a full Recount after any change of the log); contacts and
// multipliers are counted from the log itself with the rules the recount
// uses. The caller stores both records. The log's record buffer and current
// record are kept.
void WriteResults(LogSession& session, contest::ContestEntry& entry, contest::ContestExtra& extra,
                  PassProgress& progress);

}  // namespace mss::log

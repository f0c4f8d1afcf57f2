// The band table of the summary sheet: contacts, points and multiplier
// counts per band of the contest, with a total row.
#pragma once

#include "output/ListOutput.h"
#include "output/OutputJob.h"

namespace mss::output {

// Whether the sheet shows the table: per-band multipliers, or contest 'i'.
bool ShowsBandTable(const OutputJob& job);
void WriteBandTable(ListOutput& out, const OutputJob& job);

}  // namespace mss::output

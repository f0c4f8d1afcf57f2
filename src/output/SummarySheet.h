// The summary sheet (cover sheet) of a contest entry: the station, the
// contest and category, the claimed result and the declaration the entrant
// signs, on paper or as the E-Log cover file.
#pragma once

#include "output/ListOutput.h"
#include "output/OutputJob.h"
#include "output/WriteStatus.h"

namespace mss::output {

// In the E-Log cover file each line goes out after 5 blanks.
WriteStatus WriteSummarySheet(ListOutput& out, const OutputJob& job);

}  // namespace mss::output

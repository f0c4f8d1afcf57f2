// The summary sheet (cover sheet) of a contest entry: the station, the
// contest and category, the claimed result and the declaration the entrant
// signs, on paper or as the E-Log cover file.
#pragma once

#include "output/ListOutput.h"
#include "output/OutputJob.h"
#include "output/TextTarget.h"
#include "output/WriteStatus.h"
#include "platform/Canvas.h"

namespace mss::output {

WriteStatus WriteSummarySheet(ListOutput& out, const OutputJob& job);

// The E-Log cover file (each line after 5 blanks) and the printed sheet.
// The caller closes the file.
WriteStatus WriteSummarySheet(TextTarget& file, const OutputJob& job);
WriteStatus PrintSummarySheet(platform::Canvas& canvas, PrintLayout layout, const OutputJob& job);

}  // namespace mss::output

// The band list (the log in one section per band of the contest, in band-log
// order) and the multiplier check list (one row per multiplier value with
// the first call that brought it on each band), on paper or as E-Log files.
#pragma once

#include "output/ListOutput.h"
#include "output/OutputJob.h"
#include "output/TextTarget.h"
#include "output/WriteStatus.h"
#include "platform/Canvas.h"

namespace mss::output {

WriteStatus WriteBandList(ListOutput& out, const OutputJob& job);
WriteStatus WriteMultiplierCheckList(ListOutput& out, const OutputJob& job);

// Into a text file (each line after 5 blanks; the caller closes it), and
// onto a canvas.
WriteStatus WriteBandList(TextTarget& file, const OutputJob& job);
WriteStatus PrintBandList(platform::Canvas& canvas, PrintLayout layout, const OutputJob& job);
WriteStatus WriteMultiplierCheckList(TextTarget& file, const OutputJob& job);
WriteStatus PrintMultiplierCheckList(platform::Canvas& canvas, PrintLayout layout,
                                     const OutputJob& job);

}  // namespace mss::output

// The band list (the log in one section per band of the contest, in band-log
// order) and the multiplier check list (one row per multiplier value with
// the first call that brought it on each band), on paper or as E-Log files.
#pragma once

#include "output/ListOutput.h"
#include "output/OutputJob.h"
#include "output/WriteStatus.h"

namespace mss::output {

// In a file each line goes out after 5 blanks.
WriteStatus WriteBandList(ListOutput& out, const OutputJob& job);
WriteStatus WriteMultiplierCheckList(ListOutput& out, const OutputJob& job);

}  // namespace mss::output

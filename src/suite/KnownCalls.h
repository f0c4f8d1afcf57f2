// The calls the suite has met: every home call of the callbook QVCBUCH and
// of the call file QVCALL, for the super check partial of the log form.
#pragma once

#include <string>
#include <vector>

namespace mss::suite {

// The calls of both files where they are open (a closed file adds none).
// The files' record buffers are left as they were.
std::vector<std::string> KnownCalls();

}  // namespace mss::suite

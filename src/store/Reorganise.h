// Reorganising a data file: its live records copied, in their old order,
// into a fresh file and renumbered 1 ... n (the first stage of a rebuild).
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/File.h"
#include "store/EngineError.h"
#include "store/Progress.h"

namespace mss::store {

EngineCode ReorganiseDataFile(platform::FileSystem& fs, std::string_view baseName,
                              std::int32_t recLen, bool varRecords,
                              const ProgressHook& progress = {});
// A reorganisation was cut off: its "SAV" or "-NEW.DAT" file holds the records.
bool ReorganisationPending(platform::FileSystem& fs, std::string_view baseName);

}  // namespace mss::store

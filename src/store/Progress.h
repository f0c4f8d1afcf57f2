// The progress of a rebuild as its hook sees it: what the object layer, the
// rebuild and the reorganisation share.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

namespace mss::store {

// Progress of a rebuild: type 0 start, 1 one record processed, 2 end. keyNr is
// 0 while the data file is reorganised. Answering false stops the run (10460).
struct Progress {
    int type = 0;
    int keyNr = 0;
    std::int32_t read = 0;
    std::int32_t written = 0;
    std::int32_t recLen = 0;
    std::span<const std::uint8_t> record;
};
using ProgressHook = std::function<bool(const Progress&)>;

}  // namespace mss::store

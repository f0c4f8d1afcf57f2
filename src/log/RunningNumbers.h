// The running numbers a new contact is given: overall, within its band,
// its place in the band log, and within its mode class.
#pragma once

#include <cstdint>
#include <string_view>

#include "store/FileblockObject.h"

namespace mss::log {

struct RunningNumbers {
    std::int32_t lfdNr = 1;
    std::int32_t bandNr = 1;
    std::int32_t bandSeq = 1;
    std::int32_t modeNr = 1;
    bool operator==(const RunningNumbers&) const = default;
};

// The next numbers for a contact on `band` in `mode`, read from the log:
// one more than the highest LfdNr; one more than the highest BandNr and
// BandSeq of the band; one more than the ModeNr of the latest contact of the
// mode class when it has exactly this mode text, else 1 ("USB" after "SSB"
// restarts). The log's record buffer is left as it was.
RunningNumbers NextNumbers(store::TFileblockObject& log, char band, std::string_view mode);

}  // namespace mss::log

// Checking a closed fileblock without changing it: the engine's own open
// checks (the data header against the file), the slots against the header's
// count of free ones, and every index against the data file (each entry in
// order, naming a live record whose key it is, and one entry per record).
// A fileblock another process holds open is reported locked, never opened.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "store/EngineError.h"
#include "store/FileblockObject.h"

namespace mss::store {

enum class CheckState { kSound, kDamaged, kLocked };

struct FileblockCheck {
    CheckState state = CheckState::kSound;
    EngineCode code = kOk;  // the engine's code where it refused
    std::int32_t records = 0;
    std::string detail;  // what is damaged, for the operator
};

// `varRecords` files hold records of several slots; their indexes are
// checked against the records, not against the slot count.
FileblockCheck CheckFileblock(std::string_view baseName, bool varRecords, std::int32_t bufferSize,
                              const KeyBuilder& builder);

}  // namespace mss::store

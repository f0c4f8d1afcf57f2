// Internal to the engine: taking and freeing record slots of an open
// fileblock, shared by fixed and variable-length records.
#pragma once

#include "store/EngineState.h"

namespace mss::store::detail {

// Writes the record into a reused or appended slot (the header is restored
// when the write fails).
EngineCode AddSlot(Descriptor& d, std::span<const std::uint8_t> record, RecordRef& ref);
// Puts slot ref at the head of the free chain.
EngineCode FreeSlot(Descriptor& d, RecordRef ref);

inline std::int64_t SlotOffset(const Descriptor& d, RecordRef ref) {
    return std::int64_t{ref} * d.header.recLen;
}

}  // namespace mss::store::detail

// Key strings: their order and the 5-byte order-preserving form of integers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mss::store {

inline constexpr int kIntKeyLength = 5;

// Bytewise unsigned comparison; on a common prefix the shorter key is smaller.
// Answers <0, 0 or >0.
int CompareKeys(std::string_view a, std::string_view b);

// The 5 bytes whose byte order equals the numeric order of the integers.
std::string IntToKey(std::int32_t value);
// The inverse of IntToKey; reads the first 5 bytes (missing bytes count as 0x80).
std::int32_t KeyToInt(std::string_view key);

}  // namespace mss::store

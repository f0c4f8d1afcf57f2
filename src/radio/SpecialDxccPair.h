// The special DXCC pairs: a call of certain prefixes followed by "/" and one
// of a few endings (FR5ABC/G, SV2ABC/A, JW5X/B ...) belongs to an entity of
// its own, so the ending is part of the station's identity, not a designator.
#pragma once

#include <string_view>

namespace mss::radio {

// The length of the pair's prefix (2, or 3 for 3D2, VQ9 and ZK1) when
// `firstPart` begins with a prefix of the pairs and `ending` (the text after
// the "/") is exactly one of that prefix's endings; 0 otherwise.
int SpecialDxccPair(std::string_view firstPart, std::string_view ending);

}  // namespace mss::radio

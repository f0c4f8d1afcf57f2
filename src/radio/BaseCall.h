// BaseCall: the home call, or the prefix under which a station operates, of a
// call written with portable designators (DL/OE1ABC/P). The contest log
// builds its call keys and compares calls with the home call.
#pragma once

#include <string>
#include <string_view>

#include "radio/SuffixList.h"

namespace mss::radio {

enum class BaseCallVariant {
    // The operating prefix (DL of DL/OE1ABC, DL3 of DL1ABC/3); the call
    // itself when it has no designators.
    kPrefix = 0,
    // The home call (OE1ABC of DL/OE1ABC/P); used in every call key.
    kKey = 1,
};

// Upper-cases the call (the umlauts ä, ö, ü included) and reduces it. Any
// character other than A-Z and 0-9 separates parts; separators at the end
// and doubled separators are dropped first. Designators in `suffixes` never
// count as a prefix; special DXCC pairs (FR5ABC/G) stay whole.
std::string BaseCall(std::string_view call, BaseCallVariant variant,
                     const SuffixList& suffixes = ActiveSuffixList());

}  // namespace mss::radio

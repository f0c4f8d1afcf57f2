// The suite's colour scheme as values, without Qt: what the settings hold
// and what the command line takes from them as the window does.
#pragma once

#include <cstdint>

namespace mss::ui {

// Colours as the suite stores them: 0x00BBGGRR (red in the low byte).
struct ColourScheme {
    std::uint32_t panel = 0xFFFFFF;
    std::uint32_t labelFont = 0x000000;
    std::uint32_t tag99Font = 0x00FFFF;
    std::uint32_t form = 0xFFFFFF;
    std::uint32_t leftBarBand = 0x00FF00;
    std::uint32_t browHeader = 0xFFFFFF;
    std::uint32_t browHeaderFont = 0x000000;
};

}  // namespace mss::ui

// Mode classes: the mode texts and emission designators that denote the same
// mode ("SSB", "USB", "J3E" ...) share one class character, so that checks per
// mode treat differently spelled contacts alike.
#pragma once

#include <string_view>

namespace mss::radio {

// The class of a text that names no known mode.
inline constexpr char kNoModeClass = ' ';

// The class 'a' to 'm' of a mode text, or kNoModeClass. A leading "2x" or "2X"
// (a doubled mode) is dropped first, then blanks and tabs around the text; the
// rest must equal a known text exactly, letter case included.
char ModeClass(std::string_view mode);

}  // namespace mss::radio

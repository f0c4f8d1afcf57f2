// Completion of a date or time as an operator types it in short forms:
// "1208" is the 12 August of the current year, "123" is 01:23. The result
// is the full text in the program's date or time picture; a text that fits
// no short form comes back as typed, so reading it then fails visibly.
#pragma once

#include <string>
#include <string_view>

namespace mss::radio {

// Day and month without a year take `currentYear`; separators are "." (and
// may be left out: "1208", "120812", "12082012"); a two-digit year below 50
// is in the century of `currentYear`, from 50 on in the 1900s.
std::string CompleteTypedDate(std::string_view typed, int currentYear);

// "1234" gives "12:34"; "123", "1.23" and "1:23" give "01:23"; "12.34"
// gives "12:34". The result has the picture "hh:mm".
std::string CompleteTypedTime(std::string_view typed);

}  // namespace mss::radio

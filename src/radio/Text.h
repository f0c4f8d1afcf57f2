// The small text conversions every layer uses. Texts are Windows-1252 bytes,
// so the German umlauts are single bytes ("ä" is 0xE4).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mss::radio {

// Removes blanks and tab characters at both ends.
std::string Trim(std::string_view text);

// a-z to A-Z and ä, ö, ü to Ä, Ö, Ü; every other byte stays.
std::string UpperText(std::string_view text);
// The reverse mapping of UpperText.
std::string LowerText(std::string_view text);

// The parts of a text between the separators ("a;;b" gives "a", "", "b").
std::vector<std::string> SplitText(std::string_view text, char separator);

// Cuts to width characters or pads on the right with blanks.
std::string Fit(std::string_view text, int width);
// Pads on the left with blanks to width characters; never cuts.
std::string PadLeft(std::string_view text, int width);

// The letter-case style of names and QTHs: 1 upper case; 2 lower case;
// 3 lower case with a capital first letter; 4 the first letter and every
// letter after "-" or "." capitalised, the rest as typed; any other style
// leaves the text unchanged.
std::string ApplyLetterCase(std::string_view text, int style);
// The same with the program-wide LetterCase.
std::string ApplyLetterCase(std::string_view text);

}  // namespace mss::radio

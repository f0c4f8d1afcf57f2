// The DXCC entity table that the program carries without the prefix files,
// and the ADIF entity number of a DXCC prefix as the ADIF export writes it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace mss::radio {

// Entity codes run from 1 to kDxccCodes; a code may have no entry.
inline constexpr int kDxccCodes = 516;
// BaseCall weighs a call part only against the entries up to this code.
inline constexpr int kBaseCallDxccCodes = 513;

// The prefix of entity code `code`; empty for a code without an entry or
// outside 1 to kDxccCodes.
std::string_view DxccTableEntry(int code);

// The lowest code from 1 to lastCode whose entry equals `prefix` (both
// trimmed); 0 when none does.
int DxccTableCode(std::string_view prefix, int lastCode = kDxccCodes);

// Looks up the country record whose DXCC prefix is `dxccPrefix` in the
// suite's prefix tables and answers its ADIF entity code, or nothing.
using DxccCodeFinder = std::function<std::optional<int>(std::string_view dxccPrefix)>;

// The ADIF DXCC entity number of a DXCC prefix: a handful of fixed numbers
// (which a country record found by `findCountry` overrides), then the entity
// table, then the prefix tables. A number from the prefix tables is
// right-aligned in 3 characters, the blanks kept; an empty or unknown
// prefix gives an empty text. Without a finder the tables know nothing.
std::string DxccNumber(std::string_view prefix, const DxccCodeFinder& findCountry = {});

}  // namespace mss::radio

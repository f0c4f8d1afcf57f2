// The rules about DOKs (German district and local-club codes) that the
// points, the multipliers and the checks before saving share.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "contest/ContestDefinition.h"
#include "contest/ContestEntry.h"

namespace mss::log {

// A list of texts is in force when its first entry is not empty, a list of
// letters when its first letter is not 0.
bool InForce(const std::array<std::string, 100>& list);
bool InForce(const std::array<char, 26>& letters);
// Equal to one of the list's non-empty entries (the list ends at its first empty one).
bool InList(std::string_view value, const std::array<std::string, 100>& list);
bool InLetters(char c, const std::array<char, 26>& letters);

// Three characters: one of `letters`, then two digits.
bool IsDistrictDok(std::string_view dok, const std::array<char, 26>& letters);
// A letter followed by two digits.
bool IsLetterTwoDigits(std::string_view dok);
// A DOK the exchange accepts: at least 2 characters, not "M26", "M29" or
// "M36", with a letter A-Z, and 3 or more characters or one of the known
// two-character DOKs ("NM" only in contest '1').
bool IsKnownDok(std::string_view dok, char code);
// Contest 'H': a letter, two digits and one of the Israeli area codes.
bool IsIsraeliArea(std::string_view dok);

// Whether a DOK counts for the DOK multiplier kinds of the contest.
bool DokCounts(const contest::ContestDefinition& definition, char code, std::string_view dok);
// What a DOK adds to the multiplier count (the contest extras; usually 1).
std::int32_t DokWeight(char code, const contest::ContestEntry& entry, std::string_view dok);

}  // namespace mss::log

// Matching a text against a prefix table: the normal form (the entry at or
// after the text by pattern, with ranges and wildcards) and the exact form
// (by DXCC prefix and pattern). Used by the prefix evaluation only.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "radio/PrefixLookup.h"
#include "store/FileblockObject.h"
#include "suite/SuitePrefixRecord.h"

namespace mss::radio::prefix {

inline constexpr std::size_t kPatternWidth = 6;

struct Match {
    suite::PrefixRecord record;
    // A match that reports a wildcard: the text is to be read again with
    // character `position` (1-based) replaced by `wildcard`.
    char wildcard = 0;
    std::size_t position = 0;
};

bool IsWildcard(char c);
// The entry's pattern without a trailing "-".
std::string PatternOf(const suite::PrefixRecord& record);

std::optional<Match> MatchNormal(store::TFileblockObject& table, std::string_view text);
std::optional<suite::PrefixRecord> MatchExact(store::TFileblockObject& table,
                                              std::string_view text);

// The record an index lookup left in the table's buffer.
suite::PrefixRecord BufferOf(const store::TFileblockObject& table);

}  // namespace mss::radio::prefix

namespace mss::radio::detail {

// PrefixLookup without touching the prefix buffer; allowChoice false takes
// the entry of a shared pattern as it is instead of asking.
PrefixResult Lookup(std::string_view call, std::int32_t date, bool allowChoice, bool& chosen,
                    suite::PrefixRecord& found);

}  // namespace mss::radio::detail

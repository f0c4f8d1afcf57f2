// The texts of the list of contest entries in the main window: one row per
// entry and the heading line, for each key the list can be sorted by, and
// the sort choices. Columns are separated by ";"; texts are Windows-1252.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "contest/ContestEntry.h"

namespace mss::contest {

// The row of `entry` when the list browses key `keyNr` (1 and 5 by name,
// 2 by date, 3 by number).
std::string EntryRowText(const ContestEntry& entry, int keyNr);

// The heading line for key `keyNr`: a blank, the column titles and 200
// blanks more.
std::string EntryHeaderText(int keyNr);

// The sort choices in order; choice i browses key i + 1.
std::vector<std::string> EntrySortCaptions();
int EntrySortKey(int choice);

// The column texts, exposed for their widths.
std::string NameColumn(const ContestEntry& entry);
std::string DateColumn(std::int32_t dayNumber);
std::string NumberColumn(std::int32_t number);

}  // namespace mss::contest

// What some contests add to the summary sheet: a line after the category
// from the entry, and remarks after the result from the entry and the log.
#pragma once

#include "output/ListOutput.h"
#include "output/OutputJob.h"
#include "output/WriteStatus.h"

namespace mss::output {

// Lines after the category line ('P' age, 'Z' club membership, 'Y' class).
void WriteCategoryAdditions(ListOutput& out, const OutputJob& job);

// The remarks after the result ('G' extra multipliers, '8' counts and
// longest distance, 'b' the club statement and the station file); a failure
// when the log cannot be read.
WriteStatus WriteContestRemarks(ListOutput& out, const OutputJob& job);

// The lists after the declaration: what the log worked of districts, DOKs,
// special DOKs, locator squares and special calls ('h'), of Z-DOKs ('o');
// each sorted and wrapped at 80 characters.
WriteStatus WriteWorkedLists(ListOutput& out, const OutputJob& job);

}  // namespace mss::output

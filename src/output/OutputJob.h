// What every writer of a contest's listings and files reads: its own copy of
// the contest definition, the entry and its extra record with the stored
// totals, the open contest log, the optional time range and, for the cover
// sheet, the operator's address from the suite settings. The station values
// (OwnCall, SwlNumber, OwnLocator, OwnName, LanguageGerman) are the
// program-wide ones.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "contest/ContestDefinition.h"
#include "contest/ContestEntry.h"
#include "contest/ContestExtra.h"
#include "radio/DxccTable.h"
#include "store/FileblockObject.h"

namespace mss::output {

// A range of contact times, seconds since midnight UTC, both ends included.
struct TimeRange {
    std::int32_t from = 0;
    std::int32_t to = 0;
    bool Holds(std::int32_t zeit) const { return zeit >= from && zeit <= to; }
};

// The operator's address lines of the cover sheet (Windows-1252).
struct PostalAddress {
    std::string street;
    std::string postcodeTown;
    std::string country;
    std::string dok;  // the suite settings' DOK (the EDI file's club DOK)
};

struct OutputJob {
    contest::ContestDefinition definition;
    contest::ContestEntry entry;
    contest::ContestExtra extra;
    store::TFileblockObject* log = nullptr;  // the entry's open contest log
    std::optional<TimeRange> range;          // none: the whole log
    PostalAddress address;
    // The prefix tables' ADIF numbers for the DXCC field of the ADIF export.
    radio::DxccCodeFinder dxccFinder;
};

}  // namespace mss::output

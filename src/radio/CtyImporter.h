// Fills the prefix table QVPREFIX from a DXCC country file in the "cty.dat"
// format (Debian's package hamradio-files ships one), so that a fresh
// installation knows the countries. Run once, when the table is empty.
//
// Each prefix of an entity becomes one QVPREFIX record: Pattern the prefix,
// DxccPrefix the entity's primary prefix (for a WAE-only entity that of the
// DXCC entity it belongs to), CQ and ITU zone and continent (the prefix's
// overrides first), CountryName the entity's name and DxccCode its ADIF
// number (from "cty.csv" beside the file, else from the built-in entity
// table). The primary prefix is a pattern of its own too. Calls listed as
// "=CALL" go to the exception table QVPREFEE, as calls that only count
// whole, when that table is empty as well. Prefixes and calls longer than
// the tables' six characters are left out.
#pragma once

#include <functional>
#include <istream>
#include <map>
#include <string>
#include <string_view>

namespace mss::radio {

inline constexpr std::string_view kDebianCtyPath = "/usr/share/hamradio-files/cty.dat";

struct CtyImportResult {
    int entities = 0;    // entities imported
    int prefixes = 0;    // records added to QVPREFIX
    int exactCalls = 0;  // records added to QVPREFEE
    int skipped = 0;     // lines, prefixes and calls that could not be used
    int level = 0;       // ErrorLevel() of a store call that failed, else 0
};

// Told after each entity: entities done and their total.
using CtyProgress = std::function<void(int done, int total)>;

// Imports into the open tables; codes maps primary prefixes to ADIF numbers.
CtyImportResult ImportCty(std::istream& ctyDat, const std::map<std::string, int>& codes,
                          const CtyProgress& progress = {});

// Imports a file when QVPREFIX holds no records; "cty.csv" in the same
// directory supplies the ADIF numbers when it exists. Answers false when the
// table was not empty, the file could not be read or the store failed.
bool ImportCtyIfEmpty(const std::string& ctyDatPath, CtyImportResult& result,
                      const CtyProgress& progress = {});

}  // namespace mss::radio

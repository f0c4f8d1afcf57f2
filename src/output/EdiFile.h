// The EDI entry file (REG1TEST, version 1): the header, whose station values
// the station dialog confirms, and one semicolon-separated line per contact,
// written by the QSO list writer as its output kind 6.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "log/QsoRecord.h"
#include "output/EdiStation.h"
#include "output/QsoList.h"

namespace mss::output {

// The figures of the header, from one walk over the contacts.
struct EdiFigures {
    std::int64_t contacts = 0;
    std::int64_t squares = 0;    // distinct first 4 characters of the locators
    std::int64_t countries = 0;  // distinct prefixes
    std::string longest;         // "call;locator;km" of the longest contact, or empty
};
WriteStatus CountEdiFigures(store::TFileblockObject& log, EdiFigures& figures);

// The header lines from "[REG1TEST;1]" to "[Remarks]" and the remarks.
std::vector<std::string> EdiHeader(const OutputJob& job, const EdiStation& station,
                                   const EdiFigures& figures, std::int64_t points);

// The contact line of one contact.
std::string EdiLine(const contest::ContestDefinition& def, const log::QsoRecord& r);

std::unique_ptr<QsoListLayout> MakeEdiLayout();

}  // namespace mss::output

// The start-up reads of the suite files: the profile number from the suite
// settings, the station profile from QVPRO, the second settings record, and
// the prefix tables, which stay open for the whole run like QVPRO and
// QVSETUP2. Missing files are created on the way.
#pragma once

#include <cstdint>

#include "suite/SuiteSettings.h"

namespace mss::suite {

struct SuiteStartup {
    // False when QVPRO (or a file before it) could not be opened: the
    // program ends.
    bool ok = false;
    // The active profile: the number stored in the profile record found, or
    // in the cleared buffer when there is none.
    std::int32_t profileNumber = 0;
    // QVSETUP record 1 as read (a cleared record when there was none).
    SuiteSettings settings;
    bool settingsFound = false;
    SuiteSettings2 settings2;
    // QVPREFIX holds no records (the program warns; an import may fill it).
    bool prefixTableEmpty = true;
};

// Runs the reads with the profile number in force (the program-wide value);
// a positive number in the settings record replaces it. Leaves QVPRO,
// QVSETUP2, QVPREFIX, QVPREFEE and QVPREFES open.
SuiteStartup SuiteStartupReads(std::int32_t profileNumber);

// Closes the files SuiteStartupReads left open.
void CloseSuiteStartupFiles();

}  // namespace mss::suite

// Moves the suite settings between their records (QVSETUP record 1) and the
// program-wide values and colour scheme: what start-up takes and what
// close-down writes back.
#pragma once

#include "suite/SuiteSettings.h"
#include "ui/ColourSchemeValues.h"

namespace mss::app {

// Takes the values of a settings record into the program-wide values, the
// suffix list and `colours`, by the suite's rules (colours only when the
// record has any, a known bad form colour mended).
void TakeSuiteSettings(const suite::SuiteSettings& settings, ui::ColourScheme& colours);

// Stores the program-wide values and `colours` into a settings record read
// at close-down; every other byte stays as it is.
void StoreSuiteSettings(suite::SuiteSettings& settings, const ui::ColourScheme& colours);

}  // namespace mss::app

// The ADIF export: the header and the record of every contact, written by the
// QSO list writer as its output kind 3.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "output/QsoList.h"

namespace mss::output {

// The question asked before the first record.
inline constexpr std::string_view kAdifReportQuestion =
    "Von der Kontrollnummer nur RS(T) exportieren?";
inline constexpr std::string_view kAdifVersion = "3.1.4";

// "<TAG:length>value " with the length in bytes of the value as written.
std::string AdifField(std::string_view tag, std::string_view value);

std::unique_ptr<QsoListLayout> MakeAdifLayout();

}  // namespace mss::output

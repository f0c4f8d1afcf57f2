// Small texts the listings share: who the station is, the page label of the
// printed lists, the product's web addresses and the station file of an
// entry.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "contest/ContestDefinition.h"
#include "output/OutputJob.h"
#include "output/WriteStatus.h"

namespace mss::output {

inline constexpr std::string_view kMakerWebAddress = "www.brevant.example";
inline constexpr std::string_view kSuiteWebAddress = "www.quorvane.example";

// OwnCall, or SwlNumber in a second-call (listener) log.
std::string StationCall(const contest::ContestDefinition& def);
// `callLabel` + OwnCall, or `swlLabel` + SwlNumber in a listener log.
std::string StationLabel(const contest::ContestDefinition& def, std::string_view callLabel,
                         std::string_view swlLabel);
// The operator's address from the suite settings.
PostalAddress StationAddress();

// "Page :" and the page number right-aligned in 4.
std::string PageLabel(int page);

// The station description file of an entry: RunDir + `stem` + the entry
// number right-aligned in 6 + ".STN".
std::string StationFilePath(std::string_view stem, std::int32_t entryNumber);
// Its lines without line ends; none when the file is missing.
std::vector<std::string> ReadStationFile(const std::string& path);

}  // namespace mss::output

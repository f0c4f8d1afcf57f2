// The operator's address and station data in the suite settings (QVSETUP
// record 1) as the contest setup shows and stores them.
#pragma once

#include <string>

namespace mss::contest {

struct StationSettings {
    std::string operatorName;
    std::string street;
    std::string postcodeTown;  // postcode, a blank, town
    std::string country;
    std::string dok;
    std::string ldk;
    std::string locator;
};

// Record 1 as stored (a cleared one is added when there is none).
StationSettings ReadStationSettings();

// Stores the fields into record 1; the district goes to the LDK field
// instead of the DOK when `ldkField`. Every other byte stays. Answers
// ErrorLevel().
int WriteStationSettings(const StationSettings& station, bool ldkField);

// The postcode and the town of a "postcode town" text, split at its first
// blank.
std::pair<std::string, std::string> SplitPostcodeTown(const std::string& postcodeTown);

}  // namespace mss::contest

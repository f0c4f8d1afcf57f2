#include "output/StationTexts.h"

#include <fstream>

#include "contest/StationSettings.h"
#include "radio/ProgramValues.h"
#include "radio/Text.h"

namespace mss::output {

std::string StationCall(const contest::ContestDefinition& def) {
    return def.EntryFlag == 1 ? radio::Program().SwlNumber : radio::Program().OwnCall;
}

std::string StationLabel(const contest::ContestDefinition& def, std::string_view callLabel,
                         std::string_view swlLabel) {
    return std::string(def.EntryFlag == 1 ? swlLabel : callLabel) + StationCall(def);
}

PostalAddress StationAddress() {
    const contest::StationSettings settings = contest::ReadStationSettings();
    return {settings.street, settings.postcodeTown, settings.country, settings.dok};
}

std::string PageLabel(int page) {
    return "Page :" + radio::PadLeft(std::to_string(page), 4);
}

std::string StationFilePath(std::string_view stem, std::int32_t entryNumber) {
    return radio::Program().RunDir + std::string(stem) +
           radio::PadLeft(std::to_string(entryNumber), 6) + ".STN";
}

std::vector<std::string> ReadStationFile(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream file(path, std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

}  // namespace mss::output

#include "output/EdiStation.h"

#include <fstream>

#include "contest/StationSettings.h"
#include "output/StationTexts.h"
#include "radio/ProgramValues.h"
#include "radio/Text.h"

namespace mss::output {

const std::array<std::string_view, 16> kEdiBands = {
    "50MHz", "70MHz", "144MHz", "432MHz", "1,2GHz", "2,3GHz", "3,4GHz", "5,7GHz",
    "10GHz", "24GHz", "47GHz",  "76GHz",  "122GHz", "135GHz", "245GHz", ">300GHz"};

const std::array<std::string_view, 28> kEdiSections = {
    "01  144MHz Einmann\t",    "02  144MHz Mehrmann\t",  "03  432MHz Einmann\t",
    "04  432MHz Mehrmann\t",   "05  1,2GHz Einmann\t",   "06  1,2GHz Mehrmann\t",
    "07  2,3GHz Einmann\t",    "08  2,3GHz Mehrmann\t",  "09  3,4GHz Einmann\t",
    "10  3,4GHz Mehrmann\t",   "11  5,7GHz Einmann\t",   "12  5,7GHz Mehrmann\t",
    "13  10GHz Einmann\t",     "14  10GHz Mehrmann\t",   "15  24GHz Einmann\t",
    "16  24GHz Mehrmann\t",    "17  47GHz Einmann\t",    "18  47GHz Mehrmann\t",
    "19  76GHz Einmann\t",     "20  76GHz Mehrmann\t",   "21/1  122GHz Einmann\t",
    "22/1  122GHz Mehrmann\t", "21/2  135GHz Einmann\t", "22/2  135GHz Mehrmann\t",
    "23  245GHz Einmann\t",    "24  245GHz Mehrmann\t",  "25  >300GHz Einmann\t",
    "26  >300GHz Mehrmann\t"};

const std::array<std::string_view, 3> kAgcwSections = {"A", "B", "C"};

namespace {

// The remembered values, in the order of the memory file.
std::array<std::string*, 6> Remembered(EdiStation& s) {
    return {&s.pclub1, &s.pclub2, &s.remail, &s.rpower, &s.rtrx, &s.rant};
}

class KeepValues : public EdiStationDialog {
  public:
    bool Ask(const OutputJob&, EdiStation&) override { return true; }
};

}  // namespace

std::vector<std::string_view> EdiSectionChoices(char code) {
    if (code == '8') return {kAgcwSections.begin(), kAgcwSections.end()};
    return {kEdiSections.begin(), kEdiSections.end()};
}

EdiStation PrefillEdiStation(const OutputJob& job) {
    const contest::ContestDefinition& def = job.definition;
    const int category = job.entry.Category();
    const std::string categoryText =
        category > 0 && category <= static_cast<int>(def.Categories.size())
            ? def.Categories[static_cast<std::size_t>(category - 1)].Text
            : std::string();
    EdiStation s;
    s.pcall = radio::Trim(job.entry.Call());
    s.ploc = radio::Program().OwnLocator;
    s.padr1 = job.address.street;
    s.padr2 = job.address.postcodeTown;
    s.psect = categoryText.substr(0, 1);
    if (categoryText.find("70cm") != std::string::npos) {
        s.pband = "432MHz";
    } else if (categoryText.find("2m") != std::string::npos) {
        s.pband = "144MHz";
    }
    s.pclub1 = "DARC";
    s.pclub2 = job.address.dok;
    s.rname = radio::Program().OwnName;
    s.radr1 = job.address.street;
    // Without a blank the whole text is the town and the postcode stays empty.
    const std::string& pt = job.address.postcodeTown;
    const std::size_t blank = pt.find(' ');
    s.rpoco = blank == std::string::npos ? std::string() : pt.substr(0, blank);
    s.rcity = blank == std::string::npos ? pt : pt.substr(blank + 1);
    s.rcoun = job.address.country;
    return s;
}

void ReadEdiMemory(const std::string& path, EdiStation& station) {
    const std::vector<std::string> lines = ReadStationFile(path);
    if (lines.size() != 6) return;
    const std::array<std::string*, 6> fields = Remembered(station);
    for (std::size_t i = 0; i < fields.size(); ++i) *fields[i] = lines[i];
}

bool WriteEdiMemory(const std::string& path, const EdiStation& station) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    EdiStation copy = station;
    for (const std::string* value : Remembered(copy)) file << *value << "\r\n";
    file.close();
    return !file.fail();
}

std::string EdiMemoryPath() {
    return radio::Program().RunDir + std::string(kEdiMemoryName);
}

EdiStationDialog& CurrentEdiStationDialog() {
    static KeepValues keep;
    EdiStationDialog* installed = ScopedEdiStationDialog::Installed();
    return installed ? *installed : keep;
}

}  // namespace mss::output

#include "contest/StationSettings.h"

#include <algorithm>

#include "suite/SuiteSettings.h"

namespace mss::contest {

StationSettings ReadStationSettings() {
    const suite::SuiteFileUse use(suite::SuiteFile::QVSETUP);
    if (use.get() == nullptr || suite::ReadFirstOrAdd(*use.get()) != 0) return {};
    const suite::SuiteSettings settings(use.get()->RecordBuffer());
    return {settings.OperatorName(), settings.Street(), settings.PostcodeTown(), settings.Country(),
            settings.Dok(),          settings.Ldk(),    settings.Locator()};
}

int WriteStationSettings(const StationSettings& station, bool ldkField) {
    return suite::UpdateSettingsRecord(
        suite::SuiteFile::QVSETUP, [&](suite::MutableRecordBytes bytes) {
            suite::SuiteSettings settings(bytes);
            settings.SetOperatorName(station.operatorName);
            settings.SetPostcodeTown(station.postcodeTown);
            settings.SetStreet(station.street);
            settings.SetCountry(station.country);
            if (ldkField)
                settings.SetLdk(station.ldk);
            else
                settings.SetDok(station.dok);
            settings.SetLocator(station.locator);
            std::copy_n(settings.bytes().begin(), std::min(settings.bytes().size(), bytes.size()),
                        bytes.begin());
        });
}

std::pair<std::string, std::string> SplitPostcodeTown(const std::string& postcodeTown) {
    const std::size_t blank = postcodeTown.find(' ');
    if (blank == std::string::npos) return {postcodeTown, ""};
    return {postcodeTown.substr(0, blank), postcodeTown.substr(blank + 1)};
}

}  // namespace mss::contest

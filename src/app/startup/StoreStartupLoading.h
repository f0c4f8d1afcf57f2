// The start-up loading over the suite's files: record store, station profile
// and suite settings, prefix tables (filled once from the country file when
// empty), the contest store; and the close-down that writes the settings back.
#pragma once

#include <string>

#include "app/startup/StartupLoading.h"
#include "suite/SuiteSettings.h"

class QProgressBar;

namespace mss::app {

class StoreStartupLoading : public StartupLoading {
  public:
    // `countryFile` fills an empty prefix table (cty.dat format).
    explicit StoreStartupLoading(std::string countryFile);

    bool LoadSettings(TContestBrow& window) override;
    bool OpenContestStore(TContestBrow& window) override;
    void ListEntries(TContestBrow& window) override;
    void FirstStart(TContestBrow& window) override;
    void CloseDown(TContestBrow& window) override;

  private:
    void FillEmptyPrefixTable(QProgressBar& progress);
    void WriteSettingsBack(const TContestBrow& window);

    std::string countryFile_;
    bool storeOpen_ = false;
    bool suiteFilesOpen_ = false;
    bool entriesOpen_ = false;  // QVKK
    bool extrasOpen_ = false;   // QVKZ
    suite::SuiteSettings2 settings2_;
};

}  // namespace mss::app

#include "app/StoreStartupLoading.h"

#include <algorithm>
#include <cstdlib>

#include "app/ContestBrow.h"
#include "app/SuiteSettingsValues.h"
#include "contest/ContestStore.h"
#include "platform/Messages.h"
#include "radio/CtyImporter.h"
#include "radio/ProgramValues.h"
#include "store/RecordStore.h"
#include "suite/SuiteStartup.h"

namespace mss::app {
namespace {

constexpr const char* kPrefixFileMissing =
    "Achtung: Die Pr\xE4"
    "fixdatei konnte nicht gefunden werden bzw. ist leer. Ohne diese "
    "Datei kann das Programm nicht korrekt arbeiten! Installieren Sie das Debian-Paket "
    "hamradio-files, dann wird die L\xE4nderliste beim n\xE4"
    "chsten Start \xFC"
    "bernommen.";

void CopyBack(const std::vector<std::uint8_t>& record, suite::MutableRecordBytes buffer) {
    std::copy_n(record.begin(), std::min(record.size(), buffer.size()), buffer.begin());
}

}  // namespace

StoreStartupLoading::StoreStartupLoading(std::string countryFile)
    : countryFile_(std::move(countryFile)) {}

bool StoreStartupLoading::LoadSettings(TContestBrow& window) {
    auto& values = radio::Program();
    store::RecordStoreSettings settings;
    settings.languageGerman = values.LanguageGerman == 1;
    settings.runDir = values.RunDir;
    // After a fatal error the report has been shown and every file closed.
    settings.halt = [] { std::exit(EXIT_FAILURE); };
    if (!store::InitRecordStore(settings)) return false;
    storeOpen_ = true;
    suite::SetSuiteDirectory(values.RunDir);

    suite::SuiteStartup startup = suite::SuiteStartupReads(values.ProfileNumber);
    if (!startup.ok) return false;
    suiteFilesOpen_ = true;
    values.ProfileNumber = startup.profileNumber;
    if (startup.settingsFound) TakeSuiteSettings(startup.settings, window.Colours());
    settings2_ = startup.settings2;
    if (values.LanguageGerman > 1) values.LanguageGerman = 1;
    if (startup.prefixTableEmpty) FillEmptyPrefixTable();
    return true;
}

void StoreStartupLoading::FillEmptyPrefixTable() {
    radio::CtyImportResult result;
    if (radio::ImportCtyIfEmpty(countryFile_, result) && result.prefixes > 0) return;
    platform::CurrentMessages().Information(kPrefixFileMissing);
}

bool StoreStartupLoading::OpenContestStore(TContestBrow&) {
    contestStoreOpen_ = contest::OpenQVKK() && contest::OpenQVKZ();
    return contestStoreOpen_;
}

// The list of entries and the first start come with the list operations.
void StoreStartupLoading::ListEntries(TContestBrow&) {}
void StoreStartupLoading::FirstStart(TContestBrow&) {}

void StoreStartupLoading::CloseDown(TContestBrow& window) {
    if (contestStoreOpen_) {
        contest::CloseQVKZ();
        contest::CloseQVKK();
        contestStoreOpen_ = false;
    }
    if (suiteFilesOpen_) {
        suite::CloseSuiteStartupFiles();
        WriteSettingsBack(window);
        suiteFilesOpen_ = false;
    }
    if (storeOpen_) {
        store::ExitRecordStore();
        storeOpen_ = false;
    }
}

void StoreStartupLoading::WriteSettingsBack(const TContestBrow& window) {
    const ui::ColourScheme& colours = window.Colours();
    suite::UpdateSettingsRecord(suite::SuiteFile::QVSETUP, [&](suite::MutableRecordBytes bytes) {
        suite::SuiteSettings settings(bytes);
        StoreSuiteSettings(settings, colours);
        CopyBack(settings.bytes(), bytes);
    });
    suite::UpdateSettingsRecord(suite::SuiteFile::QVSETUP2, [&](suite::MutableRecordBytes bytes) {
        suite::SuiteSettings2 record(bytes);
        for (int i = 1; i <= suite::SuiteSettings2::kTexts; ++i)
            if (!settings2_.Text(i).empty()) record.SetText(i, settings2_.Text(i));
        CopyBack(record.bytes(), bytes);
    });
}

}  // namespace mss::app

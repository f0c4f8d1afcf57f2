#include "app/cli/CommandStore.h"

#include <cstdio>
#include <cstdlib>

#include "app/cli/CommandOutput.h"
#include "app/startup/ProgramRecordStore.h"
#include "app/startup/SuiteSettingsValues.h"
#include "contest/ContestStore.h"
#include "log/LogOpening.h"
#include "radio/CtyImporter.h"
#include "radio/ProgramValues.h"
#include "store/RecordStore.h"
#include "suite/SuiteFiles.h"
#include "suite/SuiteStartup.h"
#include "ui/ColourSchemeValues.h"

namespace mss::app {

CommandStore::~CommandStore() {
    if (contestStore_) {
        contest::CloseQVKZ();
        contest::CloseQVKK();
    }
    if (suiteFiles_) suite::CloseSuiteStartupFiles();
    if (engine_) store::ExitRecordStore();
}

bool CommandStore::OpenEngine() {
    if (!InitProgramRecordStore()) {
        PrintError("the record store could not be initialised");
        return false;
    }
    engine_ = true;
    suite::SetSuiteDirectory(radio::Program().RunDir);
    return true;
}

bool CommandStore::OpenAll() {
    if (!engine_ && !OpenEngine()) return false;
    auto& values = radio::Program();
    suite::SuiteStartup startup = suite::SuiteStartupReads(values.ProfileNumber);
    if (!startup.ok) {
        PrintError("the station profiles (QVPRO) could not be opened");
        return false;
    }
    suiteFiles_ = true;
    values.ProfileNumber = startup.profileNumber;
    ui::ColourScheme colours;
    if (startup.settingsFound) TakeSuiteSettings(startup.settings, colours);
    if (values.LanguageGerman > 1) values.LanguageGerman = 1;
    if (startup.prefixTableEmpty) {
        radio::CtyImportResult result;
        if (!radio::ImportCtyIfEmpty(std::string(radio::kDebianCtyPath), result, {}) ||
            result.prefixes == 0)
            std::fputs("tarvolt-mssprint: the prefix table is empty (install hamradio-files)\n",
                       stderr);
        for (suite::SuiteFile table : {suite::SuiteFile::QVPREFIX, suite::SuiteFile::QVPREFEE})
            if (store::TFileblockObject* object = suite::SuiteObject(table)) object->CloseFiles();
    }
    contestStore_ = contest::OpenQVKK() && contest::OpenQVKZ();
    if (!contestStore_) PrintError("the contest store (QVKK, QVKZ) could not be opened");
    return contestStore_;
}

}  // namespace mss::app

namespace mss::app {

std::optional<StoredEntry> ReadStoredEntry(std::int32_t number) {
    std::optional<contest::ContestDefinition> definition = log::EntryDefinition(number);
    if (!definition || contest::LoadExtra() != 0) {
        PrintError("entry " + std::to_string(number) + " cannot be read");
        return std::nullopt;
    }
    return StoredEntry{contest::SelectedEntry(), contest::SelectedExtra(), std::move(*definition)};
}

}  // namespace mss::app

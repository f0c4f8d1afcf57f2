#include "app/startup/StoreStartupLoading.h"

#include <QApplication>
#include <QProgressBar>
#include <QTimer>
#include <algorithm>

#include "app/mainwindow/ContestBrow.h"
#include "app/startup/ProgramRecordStore.h"
#include "app/startup/SuiteSettingsValues.h"
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

constexpr const char* kStoreNotInitialised = "Dateiverwaltung konnte nicht initialisiert werden";
constexpr const char* kStoreNotInitialisedEnglish = "Error initializising file manager";
constexpr const char* kProfilesNotOpened =
    "Die Stationsprofile (QVPRO) konnten nicht ge\xF6"
    "ffnet werden. Das Programm wird beendet.";

void CopyBack(const std::vector<std::uint8_t>& record, suite::MutableRecordBytes buffer) {
    std::copy_n(record.begin(), std::min(record.size(), buffer.size()), buffer.begin());
}

}  // namespace

StoreStartupLoading::StoreStartupLoading(std::string countryFile)
    : countryFile_(std::move(countryFile)) {}

bool StoreStartupLoading::LoadSettings(TContestBrow& window) {
    auto& values = radio::Program();
    if (!InitProgramRecordStore()) {
        platform::CurrentMessages().Information(
            radio::Bilingual(kStoreNotInitialised, kStoreNotInitialisedEnglish));
        return false;
    }
    storeOpen_ = true;
    suite::SetSuiteDirectory(values.RunDir);

    suite::SuiteStartup startup = suite::SuiteStartupReads(values.ProfileNumber);
    if (!startup.ok) {
        // Nothing of the settings was taken, so close-down writes nothing back.
        platform::CurrentMessages().Information(kProfilesNotOpened);
        return false;
    }
    suiteFilesOpen_ = true;
    values.ProfileNumber = startup.profileNumber;
    if (startup.settingsFound) TakeSuiteSettings(startup.settings, window.Colours());
    settings2_ = startup.settings2;
    if (values.LanguageGerman > 1) values.LanguageGerman = 1;
    if (startup.prefixTableEmpty) FillEmptyPrefixTable(window.ProgressBar());
    return true;
}

void StoreStartupLoading::FillEmptyPrefixTable(QProgressBar& progress) {
    radio::CtyImportResult result;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    progress.setRange(0, 1);
    progress.setValue(0);
    progress.show();
    const bool imported =
        radio::ImportCtyIfEmpty(countryFile_, result, [&progress](int done, int total) {
            progress.setRange(0, total);
            progress.setValue(done);
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    progress.hide();
    QApplication::restoreOverrideCursor();
    // Closing the files writes their headers: a start killed later finds the
    // tables complete and needs no rebuild.
    for (suite::SuiteFile table : {suite::SuiteFile::QVPREFIX, suite::SuiteFile::QVPREFEE})
        if (store::TFileblockObject* object = suite::SuiteObject(table)) object->CloseFiles();
    if (imported && result.prefixes > 0) return;
    platform::CurrentMessages().Information(kPrefixFileMissing);
}

// Without its contest store the program could neither list nor store an
// entry: the start ends as for the other suite files. The files are touched
// here, so that a refusal (the store's own fatal message) comes at this
// stage and not with the first list.
bool StoreStartupLoading::OpenContestStore(TContestBrow&) {
    entriesOpen_ = contest::OpenQVKK();
    extrasOpen_ = entriesOpen_ && contest::OpenQVKZ();
    if (extrasOpen_ && contest::ContestFile()->EnsureOpen() == 0 &&
        contest::ExtraFile()->EnsureOpen() == 0)
        return true;
    const std::string name(entriesOpen_ ? contest::kExtraFileName : contest::kContestFileName);
    platform::CurrentMessages().Information(
        radio::Bilingual("Die Contest-Datei " + name +
                             " konnte nicht ge\xF6"
                             "ffnet werden. Das Programm wird beendet.",
                         "The contest file " + name + " could not be opened. The program ends."));
    return false;
}

void StoreStartupLoading::ListEntries(TContestBrow& window) {
    if (extrasOpen_) window.SetUpList();
}

// Runs once the window is shown and the event loop turns.
void StoreStartupLoading::FirstStart(TContestBrow& window) {
    store::TFileblockObject* entries = contest::ContestFile();
    if (entries == nullptr || entries->RecordCount() != 0) return;
    QTimer::singleShot(0, &window, [&window] { window.NewEntry(); });
}

void StoreStartupLoading::CloseDown(TContestBrow& window) {
    if (extrasOpen_) contest::CloseQVKZ();
    if (entriesOpen_) contest::CloseQVKK();
    extrasOpen_ = entriesOpen_ = false;
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

#include "suite/SuiteStartup.h"

#include "store/KeyCodec.h"

namespace mss::suite {

namespace {

// QVSETUP is only visited: its record 1 is read (added when missing) and the
// file closed again.
bool ReadSettings(SuiteStartup& startup) {
    const SuiteFileUse use(SuiteFile::QVSETUP);
    TFileblockObject* setup = use.get();
    if (setup == nullptr) return false;
    startup.settingsFound = setup->First(1) == 0;
    if (!startup.settingsFound) {
        if (ReadFirstOrAdd(*setup) != 0) return false;
    }
    startup.settings = SuiteSettings(setup->RecordBuffer());
    return true;
}

// The profile of that number, else the first one, else a cleared buffer.
bool ReadProfile(SuiteStartup& startup) {
    if (!OpenQVPRO()) return false;
    TFileblockObject& profiles = *SuiteObject(SuiteFile::QVPRO);
    if (profiles.Find(1, store::IntToKey(startup.profileNumber)) != 0 && profiles.First(1) != 0)
        profiles.ClearRecord();
    startup.profileNumber = GetInt32(profiles.RecordBuffer(), 4);
    return ErrorLevel() <= 1;
}

bool OpenSettings2(SuiteStartup& startup) {
    if (!OpenQVSETUP2()) return false;
    TFileblockObject& setup2 = *SuiteObject(SuiteFile::QVSETUP2);
    if (ReadFirstOrAdd(setup2) != 0) return false;
    startup.settings2 = SuiteSettings2(setup2.RecordBuffer());
    return true;
}

// The prefix tables are opened and their files made to exist, so that the
// suite's other programs find them; an empty table only finds nothing.
void OpenPrefixTables(SuiteStartup& startup) {
    if (OpenQVPREFIX())
        startup.prefixTableEmpty = SuiteObject(SuiteFile::QVPREFIX)->RecordCount() <= 0;
    if (OpenQVPREFEE()) SuiteObject(SuiteFile::QVPREFEE)->EnsureOpen();
    if (OpenQVPREFES()) SuiteObject(SuiteFile::QVPREFES)->EnsureOpen();
}

}  // namespace

SuiteStartup SuiteStartupReads(std::int32_t profileNumber) {
    SuiteStartup startup;
    startup.profileNumber = profileNumber;
    if (!ReadSettings(startup)) return startup;
    if (startup.settings.ProfileNumber() > 0)
        startup.profileNumber = startup.settings.ProfileNumber();
    if (!ReadProfile(startup)) return startup;
    startup.ok = true;
    if (OpenSettings2(startup)) OpenPrefixTables(startup);
    return startup;
}

void CloseSuiteStartupFiles() {
    CloseQVPREFIX();
    CloseQVPREFES();
    CloseQVPREFEE();
    CloseQVSETUP2();
    CloseQVPRO();
}

}  // namespace mss::suite

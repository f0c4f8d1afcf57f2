#include "log/LogOpening.h"

#include "contest/Catalogue.h"
#include "contest/ContestStore.h"
#include "log/ContestLog.h"
#include "log/PrefixTables.h"
#include "log/Recount.h"
#include "log/Renumber.h"
#include "log/Results.h"
#include "log/SuiteStations.h"
#include "radio/ProgramValues.h"
#include "store/KeyCodec.h"
#include "suite/SuiteFiles.h"

namespace mss::log {

namespace {

bool FindEntry(std::int32_t entryNumber) {
    store::TFileblockObject* entries = contest::ContestFile();
    return entries != nullptr &&
           entries->Find(contest::kByNumber, store::IntToKey(entryNumber)) == 0;
}

}  // namespace

std::optional<contest::ContestDefinition> EntryDefinition(std::int32_t entryNumber) {
    if (!FindEntry(entryNumber)) return std::nullopt;
    contest::ContestEntry entry = contest::SelectedEntry();
    contest::ContestDefinition definition = contest::FillContestDefinition(entry.Code(), entry);
    // The log reads the entry from the store, so the marks go there; a
    // failed write leaves them to the next fill.
    if (entry != contest::SelectedEntry()) {
        contest::SetSelectedEntry(entry);
        (void)contest::ContestFile()->Update();
    }
    return definition;
}

bool OpenLogSession(std::int32_t entryNumber, LogSession& session, EntryState& state,
                    contest::ContestExtra& extra) {
    if (!FindEntry(entryNumber)) return false;
    session.entry = contest::SelectedEntry();
    if (contest::LoadExtra() != 0) return false;
    extra = contest::SelectedExtra();
    if (!OpenContestLog(entryNumber)) return false;
    session.log = OpenLog();
    (void)suite::OpenQVPREFIX();
    (void)suite::OpenQVCALL();
    (void)suite::OpenQVCBUCH();
    const std::string& dir = radio::Program().RunDir;
    session.prefixLookup = PrefixTables();
    session.callbook = SuiteCallbook();
    session.callFile = SuiteCallFile();
    session.dswMembers.LoadOnce(dir + "dsw.csv");
    state.members.LoadFrom(dir);
    session.band = StartBand(session.definition);
    session.mode = StartMode(session.definition, session.entry);
    return true;
}

void PrepareLogSession(LogSession& session, PassProgress& progress) {
    PrepareOpenedLog(session, progress);
    Recount(session, true);
}

bool StoreSessionEntry(const LogSession& session, const contest::ContestExtra& extra) {
    store::TFileblockObject* entries = contest::ContestFile();
    store::TFileblockObject* extras = contest::ExtraFile();
    if (entries == nullptr || extras == nullptr) return false;
    const std::string key = store::IntToKey(session.entry.Number());
    if (entries->Find(contest::kByNumber, key) != 0) return false;
    contest::SetSelectedEntry(session.entry);
    if (entries->Update() != 0) return false;
    if (extras->Find(1, key) != 0) return false;
    contest::SetSelectedExtra(extra);
    return extras->Update() == 0;
}

bool WriteBackSession(LogSession& session, contest::ContestExtra& extra, PassProgress& results,
                      PassProgress& renumbering) {
    if (!StoreSessionEntry(session, extra)) return false;
    WriteResults(session, session.entry, extra, results);
    if (!StoreSessionEntry(session, extra)) return false;
    return Renumber(session, renumbering) == RenumberResult::kDone;
}

void CloseLogSession() {
    for (suite::SuiteFile file :
         {suite::SuiteFile::QVCBUCH, suite::SuiteFile::QVCALL, suite::SuiteFile::QVPREFIX})
        suite::CloseSuiteFile(file);
    CloseContestLog();
}

}  // namespace mss::log

#include "contest/EntryLifecycle.h"

#include "contest/ContestNotes.h"
#include "contest/ContestStore.h"
#include "contest/StationFile.h"
#include "store/KeyCodec.h"

namespace mss::contest {

namespace {

// The answer when the contest store is not open: no record can be stored.
constexpr int kStoreNotOpen = 3;

int UpdateEntry(ContestEntry& entry, ContestExtra& extra) {
    store::TFileblockObject* entries = ContestFile();
    store::TFileblockObject* extras = ExtraFile();
    const std::string key = store::IntToKey(entry.Number());
    // Finding fills the buffer with the stored record; the edited one goes back over it.
    if (entries->Find(kByNumber, key) != 0) return store::ErrorLevel();
    SetSelectedEntry(entry);
    if (entries->Update() != 0) return store::ErrorLevel();
    extra.SetNumber(entry.Number());
    if (extras->Find(1, key) == 0) {
        SetSelectedExtra(extra);
        return extras->Update();
    }
    if (store::ErrorLevel() > 1 || extras->ClearRecord() != 0) return store::ErrorLevel();
    SetSelectedExtra(extra);
    return extras->Add();
}

// Finds the record of `number` and deletes it; a missing one is no error.
int DeleteByNumber(store::TFileblockObject* file, int keyNr, std::int32_t number) {
    if (file == nullptr) return store::ErrorLevel();
    const int found = file->Find(keyNr, store::IntToKey(number));
    if (found == 1) return 0;
    if (found != 0) return found;
    return file->Delete(0);
}

}  // namespace

int StoreEntry(bool isNew, ContestEntry& entry, ContestExtra& extra) {
    if (ContestFile() == nullptr || ExtraFile() == nullptr) return kStoreNotOpen;
    if (!isNew) return UpdateEntry(entry, extra);
    std::int32_t number = 0;
    const int level = AddContestEntry(entry, extra, number);
    entry = SelectedEntry();
    if (level == 0) extra = SelectedExtra();
    return level;
}

DeleteOutcome DeleteEntry(std::int32_t number,
                          const std::function<bool(std::int32_t number)>& eraseLog,
                          const std::string& runDir) {
    if (!eraseLog(number)) return DeleteOutcome::LogNotErased;
    const bool extraGone = DeleteByNumber(ExtraFile(), 1, number) == 0;
    const bool entryGone = DeleteByNumber(ContestFile(), kByNumber, number) == 0;
    // The number is given again to the next entry, which must not find
    // this one's description or notes.
    const bool stationGone = RemoveStationFile(StationFileName(runDir, number));
    const bool notesGone = RemoveStationFile(NotesFileName(runDir, number));
    return extraGone && entryGone && stationGone && notesGone ? DeleteOutcome::Deleted
                                                              : DeleteOutcome::StoreError;
}

}  // namespace mss::contest

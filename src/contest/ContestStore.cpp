#include "contest/ContestStore.h"

#include <algorithm>

#include "store/KeyCodec.h"

namespace mss::contest {

namespace {

constexpr std::size_t kNumberField = 4;
constexpr std::size_t kStartDateField = 8;
constexpr std::size_t kNameField = 24;
constexpr std::size_t kNameWidth = 25;
constexpr std::size_t kKeyChar4Field = 190;
constexpr std::size_t kCodeField = 191;

template <class Record>
Record CopyOf(store::TFileblockObject* file) {
    Record record;
    if (file == nullptr) return record;
    const auto buffer = file->RecordBuffer();
    std::copy_n(buffer.begin(), std::min(buffer.size(), Record::kSize), record.bytes().begin());
    return record;
}

template <class Record>
void CopyInto(store::TFileblockObject* file, const Record& record) {
    if (file == nullptr) return;
    const auto buffer = file->RecordBuffer();
    std::copy_n(record.bytes().begin(), std::min(buffer.size(), Record::kSize), buffer.begin());
}

}  // namespace

std::string ContestKeyOf(suite::RecordBytes record, int keyNr) {
    using namespace store;
    switch (keyNr) {
        case kByCodeName:
            return suite::KeyC(record, kCodeField) + suite::KeyS(record, kNameField, kNameWidth);
        case kByCodeDate:
            return suite::KeyC(record, kCodeField) + suite::KeyB(record, kStartDateField);
        case kByNumber:
            return suite::KeyI(record, kNumberField);
        case kByKeyChar4:
            return suite::KeyC(record, kKeyChar4Field);
        case kByName:
            return suite::KeyS(record, kNameField, kNameWidth);
        default:
            return {};
    }
}

std::string ExtraKeyOf(suite::RecordBytes record, int keyNr) {
    return keyNr == 1 ? suite::KeyI(record, kNumberField) : std::string();
}

suite::SuiteFileDefinition ContestFileDefinition() {
    suite::SuiteFileDefinition fileDefinition;
    fileDefinition.logicalName = std::string(kContestFileName);
    fileDefinition.recLen = static_cast<std::int32_t>(ContestEntry::kSize);
    fileDefinition.keys = {{26, true}, {5, true}, {5, false}, {1, true}, {25, true}};
    fileDefinition.keyBuilder = ContestKeyOf;
    fileDefinition.autoNumbers = {{kByNumber, static_cast<int>(kNumberField)}};
    fileDefinition.autoFlush = true;
    return fileDefinition;
}

suite::SuiteFileDefinition ExtraFileDefinition() {
    suite::SuiteFileDefinition fileDefinition;
    fileDefinition.logicalName = std::string(kExtraFileName);
    fileDefinition.recLen = static_cast<std::int32_t>(ContestExtra::kSize);
    fileDefinition.keys = {{5, false}};
    fileDefinition.keyBuilder = ExtraKeyOf;
    fileDefinition.autoFlush = true;
    return fileDefinition;
}

bool OpenQVKK() {
    return suite::OpenSuiteFile(ContestFileDefinition());
}
void CloseQVKK() {
    suite::CloseSuiteFile(kContestFileName);
}
bool OpenQVKZ() {
    return suite::OpenSuiteFile(ExtraFileDefinition());
}
void CloseQVKZ() {
    suite::CloseSuiteFile(kExtraFileName);
}
store::TFileblockObject* ContestFile() {
    return suite::SuiteObject(kContestFileName);
}
store::TFileblockObject* ExtraFile() {
    return suite::SuiteObject(kExtraFileName);
}

ContestEntry SelectedEntry() {
    return CopyOf<ContestEntry>(ContestFile());
}
void SetSelectedEntry(const ContestEntry& entry) {
    CopyInto(ContestFile(), entry);
}
ContestExtra SelectedExtra() {
    return CopyOf<ContestExtra>(ExtraFile());
}
void SetSelectedExtra(const ContestExtra& extra) {
    CopyInto(ExtraFile(), extra);
}

int LoadExtra() {
    store::TFileblockObject* extras = ExtraFile();
    if (extras == nullptr || ContestFile() == nullptr) return store::ErrorLevel();
    const std::int32_t number = SelectedEntry().Number();
    if (extras->Find(1, store::IntToKey(number)) != 1) return store::ErrorLevel();
    // The extra record was lost (or never written): the entry gets empty totals.
    if (extras->ClearRecord() != 0) return store::ErrorLevel();
    ContestExtra empty;
    empty.SetNumber(number);
    SetSelectedExtra(empty);
    return extras->Add();
}

int AddContestEntry(const ContestEntry& entry, const ContestExtra& extra, std::int32_t& number) {
    store::TFileblockObject* entries = ContestFile();
    store::TFileblockObject* extras = ExtraFile();
    if (entries == nullptr || extras == nullptr) return store::ErrorLevel();
    ContestEntry added = entry;
    added.bytes()[0] = added.bytes()[1] = added.bytes()[2] = added.bytes()[3] = 0;
    SetSelectedEntry(added);
    if (entries->Add() != 0) return store::ErrorLevel();
    number = SelectedEntry().Number();
    ContestExtra addedExtra = extra;
    std::fill_n(addedExtra.bytes().begin(), 4, 0);
    addedExtra.SetNumber(number);
    // An extra record left over from a deleted entry of the same number
    // gives way: the new entry starts with its own totals.
    if (extras->Find(1, store::IntToKey(number)) == 0) {
        SetSelectedExtra(addedExtra);
        return extras->Update();
    }
    if (store::ErrorLevel() > 1) return store::ErrorLevel();
    if (extras->ClearRecord() != 0) return store::ErrorLevel();
    SetSelectedExtra(addedExtra);
    return extras->Add();
}

bool KeyRange::Contains(std::string_view key) const {
    return store::CompareKeys(low, key) <= 0 && store::CompareKeys(key, high) <= 0;
}

KeyRange ContestRange(char code) {
    const std::string low(1, code);
    return {low, low + std::string(kNameWidth, '\xFF')};
}

std::vector<ContestEntry> ListContestEntries(char code) {
    std::vector<ContestEntry> list;
    store::TFileblockObject* entries = ContestFile();
    if (entries == nullptr) return list;
    // Reading moves the buffer; the selected entry is put back afterwards,
    // with whatever the caller had changed in it.
    const ContestEntry selected = SelectedEntry();
    const store::RecordRef selectedRef = entries->SavePosition(0).ref;
    const KeyRange range = ContestRange(code);
    std::vector<store::RecordRef> refs;
    store::RecordRef ref = 0;
    std::string key = range.low;
    while (entries->NextEntry(kByCodeName, ref, key) == 0 && range.Contains(key))
        refs.push_back(ref);
    for (store::RecordRef r : refs)
        if (entries->Read(r) == 0) list.push_back(SelectedEntry());
    if (selectedRef > 0) entries->Read(selectedRef);
    SetSelectedEntry(selected);
    return list;
}

}  // namespace mss::contest

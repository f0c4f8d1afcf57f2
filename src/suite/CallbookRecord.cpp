#include "suite/CallbookRecord.h"

#include <algorithm>

namespace mss::suite {

CallFieldPlace CallbookPlace(CallField field) {
    switch (field) {
        case CallField::Club1:
            return {22, 6};
        case CallField::Club2:
            return {29, 6};
        case CallField::Name:
            return {43, 20};
        case CallField::Member:
            return {64, 6};
        case CallField::Dok:
            return {71, 8};
        case CallField::Locator:
            return {80, 6};
        case CallField::Ldk:
            return {299, 8};
        case CallField::Qth:
            return {308, 20};
    }
    return {};
}

CallFieldPlace CallHistoryPlace(CallField field) {
    switch (field) {
        case CallField::Club1:
            return {15, 5};
        case CallField::Club2:
            return {21, 5};
        case CallField::Name:
            return {27, 9};
        case CallField::Member:
            return {38, 6};
        case CallField::Dok:
            return {45, 6};
        case CallField::Locator:
            return {52, 6};
        default:
            return {};
    }
}

namespace {

template <class Record>
std::optional<Record> FindIn(SuiteFile file, std::string_view baseCall) {
    TFileblockObject* object = SuiteObject(file);
    if (object == nullptr) return std::nullopt;
    const std::span<std::uint8_t> buffer = object->RecordBuffer();
    const std::vector<std::uint8_t> saved(buffer.begin(), buffer.end());
    std::optional<Record> found;
    if (object->Find(1, CallbookKeyText(baseCall)) == 0) found = Record(object->RecordBuffer());
    std::ranges::copy(saved, buffer.begin());
    return found;
}

}  // namespace

std::string CallbookKeyText(std::string_view baseCall) {
    return PadKeyText(baseCall, CallbookRecord::kCallCapacity);
}

std::optional<CallbookRecord> FindInCallbook(std::string_view baseCall) {
    return FindIn<CallbookRecord>(SuiteFile::QVCBUCH, baseCall);
}

std::optional<CallHistoryRecord> FindInCallFile(std::string_view baseCall) {
    return FindIn<CallHistoryRecord>(SuiteFile::QVCALL, baseCall);
}

int StoreInCallbook(const CallbookRecord& record) {
    TFileblockObject* object = SuiteObject(SuiteFile::QVCBUCH);
    if (object == nullptr) return 3;
    const bool known = object->Find(1, CallbookKeyText(record.Call())) == 0;
    std::ranges::copy(record.bytes(), object->RecordBuffer().begin());
    return known ? object->Update() : object->Add();
}

}  // namespace mss::suite

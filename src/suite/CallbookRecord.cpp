#include "suite/CallbookRecord.h"

#include <algorithm>

namespace mss::suite {

namespace {

struct FieldPlace {
    std::size_t offset = 0;
    std::size_t capacity = 0;  // 0: the file has no such field
};

constexpr std::size_t kCallOffset = 4;
constexpr std::size_t kCallCapacity = 10;

FieldPlace CallbookPlace(CallField field) {
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

FieldPlace CallHistoryPlace(CallField field) {
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

template <std::size_t N>
void CopyIn(std::array<std::uint8_t, N>& bytes, RecordBytes from) {
    std::copy_n(from.begin(), std::min(N, from.size()), bytes.begin());
}

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

CallbookRecord::CallbookRecord(RecordBytes bytes) {
    CopyIn(bytes_, bytes);
}

std::string CallbookRecord::Call() const {
    return GetText(bytes_, kCallOffset, kCallCapacity);
}

void CallbookRecord::SetCall(std::string_view call) {
    PutText(bytes_, kCallOffset, kCallCapacity, call);
}

std::string CallbookRecord::Get(CallField field) const {
    const FieldPlace place = CallbookPlace(field);
    return place.capacity == 0 ? std::string() : GetText(bytes_, place.offset, place.capacity);
}

void CallbookRecord::Set(CallField field, std::string_view text) {
    const FieldPlace place = CallbookPlace(field);
    if (place.capacity != 0) PutText(bytes_, place.offset, place.capacity, text);
}

CallHistoryRecord::CallHistoryRecord(RecordBytes bytes) {
    CopyIn(bytes_, bytes);
}

std::string CallHistoryRecord::Call() const {
    return GetText(bytes_, kCallOffset, kCallCapacity);
}

void CallHistoryRecord::SetCall(std::string_view call) {
    PutText(bytes_, kCallOffset, kCallCapacity, call);
}

std::string CallHistoryRecord::Get(CallField field) const {
    const FieldPlace place = CallHistoryPlace(field);
    return place.capacity == 0 ? std::string() : GetText(bytes_, place.offset, place.capacity);
}

void CallHistoryRecord::Set(CallField field, std::string_view text) {
    const FieldPlace place = CallHistoryPlace(field);
    if (place.capacity != 0) PutText(bytes_, place.offset, place.capacity, text);
}

std::string CallbookKeyText(std::string_view baseCall) {
    return PadKeyText(baseCall, kCallCapacity);
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

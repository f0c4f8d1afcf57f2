#include "suite/SuitePrefixRecord.h"

#include <algorithm>

namespace mss::suite {

namespace {

struct TextField {
    std::size_t offset;
    std::size_t capacity;
};
constexpr TextField kPattern{4, 6};
constexpr TextField kDxccPrefix{11, 6};
constexpr TextField kChoiceNumber{18, 3};
constexpr TextField kCqZone{22, 2};
constexpr TextField kItuZone{25, 2};
constexpr TextField kContinentCode{28, 2};
constexpr TextField kCountryName{31, 30};
constexpr TextField kSuccessor2{96, 10};
constexpr TextField kAlias{110, 6};
constexpr TextField kRemark{120, 40};
constexpr TextField kSuccessor1{165, 6};
constexpr TextField kAltPrefix{172, 6};
constexpr std::size_t kValidFrom = 80;
constexpr std::size_t kValidTo = 84;
constexpr std::size_t kSuccessor2Until = 88;
constexpr std::size_t kRangeStart = 107;
constexpr std::size_t kDxccCode = 108;
constexpr std::size_t kSuccessor1Until = 161;
constexpr std::size_t kAllCalls = 180;

constexpr std::size_t End(TextField f) {
    return f.offset + 1 + f.capacity;
}
static_assert(End(kPattern) == kDxccPrefix.offset && End(kDxccPrefix) == kChoiceNumber.offset);
static_assert(End(kChoiceNumber) == kCqZone.offset && End(kContinentCode) == kCountryName.offset);
static_assert(End(kSuccessor2) == kRangeStart && End(kSuccessor1) == kAltPrefix.offset);
static_assert(kAllCalls + 1 == PrefixRecord::kSize &&
              PrefixRecord::kSize == static_cast<std::size_t>(kPrefixRecordLength));

}  // namespace

PrefixRecord::PrefixRecord(RecordBytes bytes) {
    std::copy_n(bytes.begin(), std::min(bytes.size(), kSize), bytes_.begin());
}

bool PrefixRecord::Empty() const {
    return std::ranges::all_of(bytes_, [](std::uint8_t b) { return b == 0; });
}

std::string PrefixRecord::Pattern() const {
    return GetText(bytes_, kPattern.offset, kPattern.capacity);
}
void PrefixRecord::SetPattern(std::string_view text) {
    PutText(bytes_, kPattern.offset, kPattern.capacity, text);
}

std::string PrefixRecord::DxccPrefix() const {
    return GetText(bytes_, kDxccPrefix.offset, kDxccPrefix.capacity);
}
void PrefixRecord::SetDxccPrefix(std::string_view text) {
    PutText(bytes_, kDxccPrefix.offset, kDxccPrefix.capacity, text);
}

std::string PrefixRecord::ChoiceNumber() const {
    return GetText(bytes_, kChoiceNumber.offset, kChoiceNumber.capacity);
}
void PrefixRecord::SetChoiceNumber(std::string_view text) {
    PutText(bytes_, kChoiceNumber.offset, kChoiceNumber.capacity, text);
}

std::string PrefixRecord::CqZone() const {
    return GetText(bytes_, kCqZone.offset, kCqZone.capacity);
}
void PrefixRecord::SetCqZone(std::string_view text) {
    PutText(bytes_, kCqZone.offset, kCqZone.capacity, text);
}

std::string PrefixRecord::ItuZone() const {
    return GetText(bytes_, kItuZone.offset, kItuZone.capacity);
}
void PrefixRecord::SetItuZone(std::string_view text) {
    PutText(bytes_, kItuZone.offset, kItuZone.capacity, text);
}

std::string PrefixRecord::ContinentCode() const {
    return GetText(bytes_, kContinentCode.offset, kContinentCode.capacity);
}
void PrefixRecord::SetContinentCode(std::string_view text) {
    PutText(bytes_, kContinentCode.offset, kContinentCode.capacity, text);
}

std::string PrefixRecord::CountryName() const {
    return GetText(bytes_, kCountryName.offset, kCountryName.capacity);
}
void PrefixRecord::SetCountryName(std::string_view text) {
    PutText(bytes_, kCountryName.offset, kCountryName.capacity, text);
}

std::string PrefixRecord::Successor2() const {
    return GetText(bytes_, kSuccessor2.offset, kSuccessor2.capacity);
}
void PrefixRecord::SetSuccessor2(std::string_view text) {
    PutText(bytes_, kSuccessor2.offset, kSuccessor2.capacity, text);
}

std::string PrefixRecord::Alias() const {
    return GetText(bytes_, kAlias.offset, kAlias.capacity);
}
void PrefixRecord::SetAlias(std::string_view text) {
    PutText(bytes_, kAlias.offset, kAlias.capacity, text);
}

std::string PrefixRecord::Remark() const {
    return GetText(bytes_, kRemark.offset, kRemark.capacity);
}
void PrefixRecord::SetRemark(std::string_view text) {
    PutText(bytes_, kRemark.offset, kRemark.capacity, text);
}

std::string PrefixRecord::Successor1() const {
    return GetText(bytes_, kSuccessor1.offset, kSuccessor1.capacity);
}
void PrefixRecord::SetSuccessor1(std::string_view text) {
    PutText(bytes_, kSuccessor1.offset, kSuccessor1.capacity, text);
}

std::string PrefixRecord::AltPrefix() const {
    return GetText(bytes_, kAltPrefix.offset, kAltPrefix.capacity);
}
void PrefixRecord::SetAltPrefix(std::string_view text) {
    PutText(bytes_, kAltPrefix.offset, kAltPrefix.capacity, text);
}

std::int32_t PrefixRecord::ValidFrom() const {
    return GetInt32(bytes_, kValidFrom);
}
void PrefixRecord::SetValidFrom(std::int32_t day) {
    PutInt32(bytes_, kValidFrom, day);
}

std::int32_t PrefixRecord::ValidTo() const {
    return GetInt32(bytes_, kValidTo);
}
void PrefixRecord::SetValidTo(std::int32_t day) {
    PutInt32(bytes_, kValidTo, day);
}

std::int32_t PrefixRecord::Successor2Until() const {
    return GetInt32(bytes_, kSuccessor2Until);
}
void PrefixRecord::SetSuccessor2Until(std::int32_t day) {
    PutInt32(bytes_, kSuccessor2Until, day);
}

std::int32_t PrefixRecord::Successor1Until() const {
    return GetInt32(bytes_, kSuccessor1Until);
}
void PrefixRecord::SetSuccessor1Until(std::int32_t day) {
    PutInt32(bytes_, kSuccessor1Until, day);
}

char PrefixRecord::RangeStart() const {
    return static_cast<char>(bytes_[kRangeStart]);
}
void PrefixRecord::SetRangeStart(char c) {
    bytes_[kRangeStart] = static_cast<std::uint8_t>(c);
}

char PrefixRecord::AllCalls() const {
    return static_cast<char>(bytes_[kAllCalls]);
}
void PrefixRecord::SetAllCalls(char c) {
    bytes_[kAllCalls] = static_cast<std::uint8_t>(c);
}

std::int16_t PrefixRecord::DxccCode() const {
    return GetInt16(bytes_, kDxccCode);
}
void PrefixRecord::SetDxccCode(std::int16_t code) {
    PutInt16(bytes_, kDxccCode, code);
}

}  // namespace mss::suite

#include "suite/SuiteSettings.h"

#include <algorithm>

namespace mss::suite {

namespace {

constexpr std::size_t kColourBlock = 703;
constexpr std::size_t kSuffixBlock = 723;
constexpr std::size_t kSuffixStride = 7;
constexpr std::size_t kSuffixCapacity = 3;
constexpr std::size_t kProfileNumber = 786;
constexpr std::size_t kLetterCase = 790;
constexpr std::size_t kLocator = 1776;
constexpr std::size_t kClockOffset = 1795;
constexpr std::size_t kOperatorName = 2103;
constexpr std::size_t kStreet = 2154;
constexpr std::size_t kPostcodeTown = 2205;
constexpr std::size_t kCountry = 2256;
constexpr std::size_t kDok = 2307;
constexpr std::size_t kFormColour = 2741;
constexpr std::size_t kBandColour = 2745;
constexpr std::size_t kListenerNumber = 3171;
constexpr std::size_t kCallSign = 3400;
constexpr std::size_t kLdk = 3487;
constexpr std::size_t kSetup2Texts = 1668;
constexpr std::size_t kSetup2Stride = 11;
constexpr std::size_t kSetup2Capacity = 10;

static_assert(kSuffixBlock + 9 * kSuffixStride == kProfileNumber);
static_assert(kLdk + 4 <= static_cast<std::size_t>(kQvSetupLength));

std::vector<std::uint8_t> Copy(RecordBytes bytes, std::int32_t size) {
    std::vector<std::uint8_t> copy(static_cast<std::size_t>(size), 0);
    std::copy_n(bytes.begin(), std::min(bytes.size(), copy.size()), copy.begin());
    return copy;
}

bool ValidIndex(int index, int count) {
    return index >= 0 && index < count;
}

std::size_t SuffixOffset(int entry) {
    return kSuffixBlock + kSuffixStride * static_cast<std::size_t>(entry - 1);
}

}  // namespace

SuiteSettings::SuiteSettings() : bytes_(static_cast<std::size_t>(kQvSetupLength), 0) {}
SuiteSettings::SuiteSettings(RecordBytes bytes) : bytes_(Copy(bytes, kQvSetupLength)) {}

std::int32_t SuiteSettings::Colour(int index) const {
    if (!ValidIndex(index, kColours)) return 0;
    return GetInt32(bytes_, kColourBlock + 4 * static_cast<std::size_t>(index));
}
void SuiteSettings::SetColour(int index, std::int32_t value) {
    if (ValidIndex(index, kColours))
        PutInt32(bytes_, kColourBlock + 4 * static_cast<std::size_t>(index), value);
}
std::int32_t SuiteSettings::FormColour() const {
    return GetInt32(bytes_, kFormColour);
}
void SuiteSettings::SetFormColour(std::int32_t value) {
    PutInt32(bytes_, kFormColour, value);
}
std::int32_t SuiteSettings::BandColour() const {
    return GetInt32(bytes_, kBandColour);
}
void SuiteSettings::SetBandColour(std::int32_t value) {
    PutInt32(bytes_, kBandColour, value);
}

std::string SuiteSettings::SuffixText(int entry) const {
    if (!ValidIndex(entry - 1, kSuffixEntries)) return {};
    return GetText(bytes_, SuffixOffset(entry), kSuffixCapacity);
}
void SuiteSettings::SetSuffixText(int entry, std::string_view text) {
    if (ValidIndex(entry - 1, kSuffixEntries))
        PutText(bytes_, SuffixOffset(entry), kSuffixCapacity, text);
}
std::uint8_t SuiteSettings::SuffixCode(int entry) const {
    if (!ValidIndex(entry - 1, kSuffixEntries)) return 0;
    return GetByte(bytes_, SuffixOffset(entry) + kSuffixCapacity + 1);
}
void SuiteSettings::SetSuffixCode(int entry, std::uint8_t code) {
    if (ValidIndex(entry - 1, kSuffixEntries))
        PutByte(bytes_, SuffixOffset(entry) + kSuffixCapacity + 1, code);
}

std::int32_t SuiteSettings::ProfileNumber() const {
    return GetInt32(bytes_, kProfileNumber);
}
void SuiteSettings::SetProfileNumber(std::int32_t value) {
    PutInt32(bytes_, kProfileNumber, value);
}
std::uint8_t SuiteSettings::LetterCase() const {
    return GetByte(bytes_, kLetterCase);
}
void SuiteSettings::SetLetterCase(std::uint8_t value) {
    PutByte(bytes_, kLetterCase, value);
}
std::int32_t SuiteSettings::ClockOffset() const {
    return GetInt32(bytes_, kClockOffset);
}
void SuiteSettings::SetClockOffset(std::int32_t value) {
    PutInt32(bytes_, kClockOffset, value);
}

std::string SuiteSettings::Locator() const {
    return GetText(bytes_, kLocator, 6);
}
void SuiteSettings::SetLocator(std::string_view text) {
    PutText(bytes_, kLocator, 6, text);
}
std::string SuiteSettings::OperatorName() const {
    return GetText(bytes_, kOperatorName, 50);
}
void SuiteSettings::SetOperatorName(std::string_view text) {
    PutText(bytes_, kOperatorName, 50, text);
}
std::string SuiteSettings::Street() const {
    return GetText(bytes_, kStreet, 50);
}
void SuiteSettings::SetStreet(std::string_view text) {
    PutText(bytes_, kStreet, 50, text);
}
std::string SuiteSettings::PostcodeTown() const {
    return GetText(bytes_, kPostcodeTown, 50);
}
void SuiteSettings::SetPostcodeTown(std::string_view text) {
    PutText(bytes_, kPostcodeTown, 50, text);
}
std::string SuiteSettings::Country() const {
    return GetText(bytes_, kCountry, 50);
}
void SuiteSettings::SetCountry(std::string_view text) {
    PutText(bytes_, kCountry, 50, text);
}
std::string SuiteSettings::Dok() const {
    return GetText(bytes_, kDok, 10);
}
void SuiteSettings::SetDok(std::string_view text) {
    PutText(bytes_, kDok, 10, text);
}
std::string SuiteSettings::ListenerNumber() const {
    return GetText(bytes_, kListenerNumber, 20);
}
void SuiteSettings::SetListenerNumber(std::string_view text) {
    PutText(bytes_, kListenerNumber, 20, text);
}
std::string SuiteSettings::CallSign() const {
    return GetText(bytes_, kCallSign, 14);
}
void SuiteSettings::SetCallSign(std::string_view text) {
    PutText(bytes_, kCallSign, 14, text);
}
std::string SuiteSettings::Ldk() const {
    return GetText(bytes_, kLdk, 3);
}
void SuiteSettings::SetLdk(std::string_view text) {
    PutText(bytes_, kLdk, 3, text);
}

SuiteSettings2::SuiteSettings2() : bytes_(static_cast<std::size_t>(kQvSetup2Length), 0) {}
SuiteSettings2::SuiteSettings2(RecordBytes bytes) : bytes_(Copy(bytes, kQvSetup2Length)) {}

std::string SuiteSettings2::Text(int number) const {
    if (!ValidIndex(number - 1, kTexts)) return {};
    return GetText(bytes_, kSetup2Texts + kSetup2Stride * static_cast<std::size_t>(number - 1),
                   kSetup2Capacity);
}
void SuiteSettings2::SetText(int number, std::string_view text) {
    if (ValidIndex(number - 1, kTexts))
        PutText(bytes_, kSetup2Texts + kSetup2Stride * static_cast<std::size_t>(number - 1),
                kSetup2Capacity, text);
}

int ReadFirstOrAdd(TFileblockObject& object) {
    if (object.First(1) != 1) return ErrorLevel();
    if (object.ClearRecord() != 0) return ErrorLevel();
    return object.Add();
}

int UpdateSettingsRecord(SuiteFile file, const std::function<void(MutableRecordBytes)>& change) {
    const SuiteFileUse use(file);
    TFileblockObject* object = use.get();
    if (object == nullptr) return ErrorLevel();
    if (ReadFirstOrAdd(*object) != 0) return ErrorLevel();
    change(object->RecordBuffer());
    return object->Update();
}

}  // namespace mss::suite

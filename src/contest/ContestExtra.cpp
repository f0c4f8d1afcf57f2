#include "contest/ContestExtra.h"

#include <algorithm>

#include "suite/SuiteRecordBytes.h"

namespace mss::contest {

namespace {

constexpr std::size_t kNumber = 4;
constexpr std::size_t kQsoCount = 8;
constexpr std::size_t kMultCount = 408;
constexpr std::size_t kPointSum = 808;
constexpr std::size_t kMult1Count = 1208;
constexpr std::size_t kMult2Count = 1408;
constexpr std::size_t kMult3Count = 1608;
constexpr std::size_t kRstNotLocked = 1808;
constexpr std::size_t kLogVoidDupes = 1809;
constexpr std::size_t kReserved = 1810;
constexpr std::size_t kBands = ContestExtra::kBandIndexes;

static_assert(kQsoCount + 4 * kBands == kMultCount && kMultCount + 4 * kBands == kPointSum);
static_assert(kPointSum + 4 * kBands == kMult1Count && kMult1Count + 2 * kBands == kMult2Count);
static_assert(kMult2Count + 2 * kBands == kMult3Count && kMult3Count + 2 * kBands == kRstNotLocked);
static_assert(kReserved + 9798 == ContestExtra::kSize);

// Offset of element bandIndex of the array at base, or nothing for a bad index.
bool Element(int bandIndex, std::size_t base, std::size_t width, std::size_t& offset) {
    if (bandIndex < 1 || bandIndex > ContestExtra::kBandIndexes) return false;
    offset = base + width * static_cast<std::size_t>(bandIndex - 1);
    return true;
}

std::int32_t Get32(const ContestExtra::Bytes& b, int bandIndex, std::size_t base) {
    std::size_t at = 0;
    return Element(bandIndex, base, 4, at) ? suite::GetInt32(b, at) : 0;
}
void Put32(ContestExtra::Bytes& b, int bandIndex, std::size_t base, std::int32_t value) {
    std::size_t at = 0;
    if (Element(bandIndex, base, 4, at)) suite::PutInt32(b, at, value);
}
std::int16_t Get16(const ContestExtra::Bytes& b, int bandIndex, std::size_t base) {
    std::size_t at = 0;
    return Element(bandIndex, base, 2, at) ? suite::GetInt16(b, at) : 0;
}
void Put16(ContestExtra::Bytes& b, int bandIndex, std::size_t base, std::int16_t value) {
    std::size_t at = 0;
    if (Element(bandIndex, base, 2, at)) suite::PutInt16(b, at, value);
}

}  // namespace

ContestExtra::ContestExtra(std::span<const std::uint8_t, kSize> bytes) {
    std::copy(bytes.begin(), bytes.end(), bytes_.begin());
}

std::int32_t ContestExtra::Number() const {
    return suite::GetInt32(bytes_, kNumber);
}
void ContestExtra::SetNumber(std::int32_t value) {
    suite::PutInt32(bytes_, kNumber, value);
}

std::int32_t ContestExtra::QsoCount(int bandIndex) const {
    return Get32(bytes_, bandIndex, kQsoCount);
}
void ContestExtra::SetQsoCount(int bandIndex, std::int32_t value) {
    Put32(bytes_, bandIndex, kQsoCount, value);
}
std::int32_t ContestExtra::MultCount(int bandIndex) const {
    return Get32(bytes_, bandIndex, kMultCount);
}
void ContestExtra::SetMultCount(int bandIndex, std::int32_t value) {
    Put32(bytes_, bandIndex, kMultCount, value);
}
std::int32_t ContestExtra::PointSum(int bandIndex) const {
    return Get32(bytes_, bandIndex, kPointSum);
}
void ContestExtra::SetPointSum(int bandIndex, std::int32_t value) {
    Put32(bytes_, bandIndex, kPointSum, value);
}
std::int16_t ContestExtra::Mult1Count(int bandIndex) const {
    return Get16(bytes_, bandIndex, kMult1Count);
}
void ContestExtra::SetMult1Count(int bandIndex, std::int16_t value) {
    Put16(bytes_, bandIndex, kMult1Count, value);
}
std::int16_t ContestExtra::Mult2Count(int bandIndex) const {
    return Get16(bytes_, bandIndex, kMult2Count);
}
void ContestExtra::SetMult2Count(int bandIndex, std::int16_t value) {
    Put16(bytes_, bandIndex, kMult2Count, value);
}
std::int16_t ContestExtra::Mult3Count(int bandIndex) const {
    return Get16(bytes_, bandIndex, kMult3Count);
}
void ContestExtra::SetMult3Count(int bandIndex, std::int16_t value) {
    Put16(bytes_, bandIndex, kMult3Count, value);
}

void ContestExtra::ClearTotals() {
    std::fill(bytes_.begin() + kQsoCount, bytes_.begin() + kRstNotLocked, 0);
}

bool ContestExtra::RstNotLocked() const {
    return bytes_[kRstNotLocked] != 0;
}
void ContestExtra::SetRstNotLocked(bool on) {
    bytes_[kRstNotLocked] = on ? 255 : 0;
}
bool ContestExtra::LogVoidDupes() const {
    return bytes_[kLogVoidDupes] != 0;
}
void ContestExtra::SetLogVoidDupes(bool on) {
    bytes_[kLogVoidDupes] = on ? 255 : 0;
}

}  // namespace mss::contest

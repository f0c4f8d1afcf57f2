#include "contest/ContestEntry.h"

#include <algorithm>

#include "suite/SuiteRecordBytes.h"

namespace mss::contest {

namespace {

// Field offsets; the table at the top of the header explains them.
constexpr std::size_t kNumber = 4;
constexpr std::size_t kStartDate = 8;
constexpr std::size_t kEndDate = 12;
constexpr std::size_t kStartTime = 16;
constexpr std::size_t kEndTime = 20;
constexpr std::size_t kExtraNumber = 158;
constexpr std::size_t kKeyChar4 = 190;
constexpr std::size_t kCode = 191;
constexpr std::size_t kDateAuto = 192;
constexpr std::size_t kTimeAuto = 193;
constexpr std::size_t kSavedMark = 194;
constexpr std::size_t kNewMark195 = 195;
constexpr std::size_t kQsoCount = 196;
constexpr std::size_t kMultCount = 206;
constexpr std::size_t kTotalsReserved = 216;
constexpr std::size_t kPointSum = 226;
constexpr std::size_t kRstSentFree = 246;
constexpr std::size_t kRstRcvdFree = 247;
constexpr std::size_t kNewMark248 = 248;
constexpr std::size_t kQslSend = 249;
constexpr std::size_t kQslRcvd = 250;
constexpr std::size_t kCategory = 251;
constexpr std::size_t kStartSsb = 252;
constexpr std::size_t kNoteTop = 253;
constexpr std::size_t kNoteLeft = 255;
constexpr std::size_t kNoteWidth = 257;
constexpr std::size_t kNoteHeight = 259;
constexpr std::size_t kMult1Count = 261;
constexpr std::size_t kMult2Count = 281;
constexpr std::size_t kStartFm = 291;
constexpr std::size_t kStartPr = 292;
constexpr std::size_t kBandAuto = 293;
constexpr std::size_t kExtraFlag = 300;
constexpr std::size_t kColumnWidthsAt = 301;
constexpr std::size_t kBand6 = 341;
constexpr std::size_t kBand7 = 355;
constexpr std::size_t kTotalsInExtra = 369;
constexpr std::size_t kEditedMask = 374;
constexpr std::size_t kNewMark71 = 71;
constexpr std::size_t kNewMark72 = 72;

// Offsets inside the block of band index 6 or 7.
constexpr std::size_t kLateQso = 0;
constexpr std::size_t kLateMult = 2;
constexpr std::size_t kLatePoints = 4;
constexpr std::size_t kLateMult1 = 8;
constexpr std::size_t kLateMult2 = 12;
constexpr std::size_t kLateBlock = 14;

struct TextField {
    std::size_t offset;
    std::size_t capacity;
};
constexpr TextField kName{24, 25};
constexpr TextField kLocator{50, 6};
constexpr TextField kDok{57, 8};
constexpr TextField kEquipment{73, 84};
constexpr TextField kCall{166, 12};
constexpr TextField kClubNumber{183, 6};
constexpr TextField kPlz{294, 5};
constexpr TextField kLdk{370, 3};

constexpr std::size_t End(TextField f) {
    return f.offset + 1 + f.capacity;
}

// The layout must add up: each field ends where the next one begins.
static_assert(End(kName) == kLocator.offset);
static_assert(End(kLocator) == kDok.offset);
static_assert(End(kEquipment) == kExtraNumber);
static_assert(End(kCall) == 179);
static_assert(End(kClubNumber) == kKeyChar4);
static_assert(kQsoCount + 5 * 2 == kMultCount && kPointSum + 5 * 4 == kRstSentFree);
static_assert(kMult2Count + 5 * 2 == kStartFm && End(kPlz) == kExtraFlag);
static_assert(kColumnWidthsAt + 2 * ContestEntry::kColumnWidths == kBand6);
static_assert(kBand6 + kLateBlock == kBand7 && kBand7 + kLateBlock == kTotalsInExtra);
static_assert(End(kLdk) == kEditedMask && kEditedMask + 1 + 4 == ContestEntry::kSize);
static_assert(sizeof(ContestEntry::Bytes) == 379);

using Bytes = ContestEntry::Bytes;

std::string GetText(const Bytes& b, TextField f) {
    return suite::GetText(b, f.offset, f.capacity);
}

// The unused rest of the field is zeroed so that equal entries have equal bytes.
void PutText(Bytes& b, TextField f, std::string_view text) {
    suite::PutText(b, f.offset, f.capacity, text);
}

bool GetFlag(const Bytes& b, std::size_t at) {
    return b[at] != 0;
}
void PutFlag(Bytes& b, std::size_t at, bool on) {
    b[at] = on ? 255 : 0;
}

// Offset of a band total: indexes 1-5 in the array at `base` with elements of
// `width` bytes, 6 and 7 at `late` inside their blocks; 0 for a bad index.
std::size_t BandOffset(int bandIndex, std::size_t base, std::size_t width, std::size_t late) {
    if (bandIndex >= 1 && bandIndex <= 5) return base + (bandIndex - 1) * width;
    if (bandIndex == 6) return kBand6 + late;
    if (bandIndex == 7) return kBand7 + late;
    return 0;
}

}  // namespace

ContestEntry::ContestEntry(std::span<const std::uint8_t, kSize> bytes) {
    std::copy(bytes.begin(), bytes.end(), bytes_.begin());
}

std::int32_t ContestEntry::Number() const {
    return suite::GetInt32(bytes_, kNumber);
}
void ContestEntry::SetNumber(std::int32_t value) {
    suite::PutInt32(bytes_, kNumber, value);
}
std::int32_t ContestEntry::StartDate() const {
    return suite::GetInt32(bytes_, kStartDate);
}
void ContestEntry::SetStartDate(std::int32_t dayNumber) {
    suite::PutInt32(bytes_, kStartDate, dayNumber);
}
std::int32_t ContestEntry::EndDate() const {
    return suite::GetInt32(bytes_, kEndDate);
}
void ContestEntry::SetEndDate(std::int32_t dayNumber) {
    suite::PutInt32(bytes_, kEndDate, dayNumber);
}
std::int32_t ContestEntry::StartTime() const {
    return suite::GetInt32(bytes_, kStartTime);
}
void ContestEntry::SetStartTime(std::int32_t seconds) {
    suite::PutInt32(bytes_, kStartTime, seconds);
}
std::int32_t ContestEntry::EndTime() const {
    return suite::GetInt32(bytes_, kEndTime);
}
void ContestEntry::SetEndTime(std::int32_t seconds) {
    suite::PutInt32(bytes_, kEndTime, seconds);
}

std::string ContestEntry::Name() const {
    return GetText(bytes_, kName);
}
void ContestEntry::SetName(std::string_view text) {
    PutText(bytes_, kName, text);
}
std::string ContestEntry::Locator() const {
    return GetText(bytes_, kLocator);
}
void ContestEntry::SetLocator(std::string_view text) {
    PutText(bytes_, kLocator, text);
}
std::string ContestEntry::Dok() const {
    return GetText(bytes_, kDok);
}
void ContestEntry::SetDok(std::string_view text) {
    PutText(bytes_, kDok, text);
}
std::string ContestEntry::Equipment() const {
    return GetText(bytes_, kEquipment);
}
void ContestEntry::SetEquipment(std::string_view text) {
    PutText(bytes_, kEquipment, text);
}
std::string ContestEntry::Call() const {
    return GetText(bytes_, kCall);
}
void ContestEntry::SetCall(std::string_view text) {
    PutText(bytes_, kCall, text);
}
std::string ContestEntry::ClubNumber() const {
    return GetText(bytes_, kClubNumber);
}
void ContestEntry::SetClubNumber(std::string_view text) {
    PutText(bytes_, kClubNumber, text);
}
std::string ContestEntry::Plz() const {
    return GetText(bytes_, kPlz);
}
void ContestEntry::SetPlz(std::string_view text) {
    PutText(bytes_, kPlz, text);
}
std::string ContestEntry::Ldk() const {
    return GetText(bytes_, kLdk);
}
void ContestEntry::SetLdk(std::string_view text) {
    PutText(bytes_, kLdk, text);
}

std::int32_t ContestEntry::ExtraNumber() const {
    return suite::GetInt32(bytes_, kExtraNumber);
}
void ContestEntry::SetExtraNumber(std::int32_t value) {
    suite::PutInt32(bytes_, kExtraNumber, value);
}

char ContestEntry::KeyChar4() const {
    return static_cast<char>(bytes_[kKeyChar4]);
}
void ContestEntry::SetKeyChar4(char c) {
    bytes_[kKeyChar4] = static_cast<std::uint8_t>(c);
}
char ContestEntry::Code() const {
    return static_cast<char>(bytes_[kCode]);
}
void ContestEntry::SetCode(char c) {
    bytes_[kCode] = static_cast<std::uint8_t>(c);
}
char ContestEntry::QslSend() const {
    return static_cast<char>(bytes_[kQslSend]);
}
void ContestEntry::SetQslSend(char c) {
    bytes_[kQslSend] = static_cast<std::uint8_t>(c);
}
char ContestEntry::QslRcvd() const {
    return static_cast<char>(bytes_[kQslRcvd]);
}
void ContestEntry::SetQslRcvd(char c) {
    bytes_[kQslRcvd] = static_cast<std::uint8_t>(c);
}
std::uint8_t ContestEntry::Category() const {
    return bytes_[kCategory];
}
void ContestEntry::SetCategory(std::uint8_t value) {
    bytes_[kCategory] = value;
}
std::uint8_t ContestEntry::EditedMask() const {
    return bytes_[kEditedMask];
}
void ContestEntry::SetEditedMask(std::uint8_t value) {
    bytes_[kEditedMask] = value;
}

bool ContestEntry::DateAuto() const {
    return GetFlag(bytes_, kDateAuto);
}
void ContestEntry::SetDateAuto(bool on) {
    PutFlag(bytes_, kDateAuto, on);
}
bool ContestEntry::TimeAuto() const {
    return GetFlag(bytes_, kTimeAuto);
}
void ContestEntry::SetTimeAuto(bool on) {
    PutFlag(bytes_, kTimeAuto, on);
}
bool ContestEntry::RstSentFree() const {
    return GetFlag(bytes_, kRstSentFree);
}
void ContestEntry::SetRstSentFree(bool on) {
    PutFlag(bytes_, kRstSentFree, on);
}
bool ContestEntry::RstRcvdFree() const {
    return GetFlag(bytes_, kRstRcvdFree);
}
void ContestEntry::SetRstRcvdFree(bool on) {
    PutFlag(bytes_, kRstRcvdFree, on);
}
bool ContestEntry::StartSsb() const {
    return GetFlag(bytes_, kStartSsb);
}
void ContestEntry::SetStartSsb(bool on) {
    PutFlag(bytes_, kStartSsb, on);
}
bool ContestEntry::StartFm() const {
    return GetFlag(bytes_, kStartFm);
}
void ContestEntry::SetStartFm(bool on) {
    PutFlag(bytes_, kStartFm, on);
}
bool ContestEntry::StartPr() const {
    return GetFlag(bytes_, kStartPr);
}
void ContestEntry::SetStartPr(bool on) {
    PutFlag(bytes_, kStartPr, on);
}
bool ContestEntry::BandAuto() const {
    return GetFlag(bytes_, kBandAuto);
}
void ContestEntry::SetBandAuto(bool on) {
    PutFlag(bytes_, kBandAuto, on);
}
bool ContestEntry::ExtraFlag() const {
    return GetFlag(bytes_, kExtraFlag);
}
void ContestEntry::SetExtraFlag(bool on) {
    PutFlag(bytes_, kExtraFlag, on);
}
bool ContestEntry::TotalsInExtra() const {
    return GetFlag(bytes_, kTotalsInExtra);
}
void ContestEntry::SetTotalsInExtra(bool on) {
    PutFlag(bytes_, kTotalsInExtra, on);
}

std::int16_t ContestEntry::NoteTop() const {
    return suite::GetInt16(bytes_, kNoteTop);
}
void ContestEntry::SetNoteTop(std::int16_t value) {
    suite::PutInt16(bytes_, kNoteTop, value);
}
std::int16_t ContestEntry::NoteLeft() const {
    return suite::GetInt16(bytes_, kNoteLeft);
}
void ContestEntry::SetNoteLeft(std::int16_t value) {
    suite::PutInt16(bytes_, kNoteLeft, value);
}
std::int16_t ContestEntry::NoteWidth() const {
    return suite::GetInt16(bytes_, kNoteWidth);
}
void ContestEntry::SetNoteWidth(std::int16_t value) {
    suite::PutInt16(bytes_, kNoteWidth, value);
}
std::int16_t ContestEntry::NoteHeight() const {
    return suite::GetInt16(bytes_, kNoteHeight);
}
void ContestEntry::SetNoteHeight(std::int16_t value) {
    suite::PutInt16(bytes_, kNoteHeight, value);
}

std::int16_t ContestEntry::ColumnWidth(int column) const {
    if (column < 0 || column >= kColumnWidths) return 0;
    return suite::GetInt16(bytes_, kColumnWidthsAt + 2 * static_cast<std::size_t>(column));
}
void ContestEntry::SetColumnWidth(int column, std::int16_t value) {
    if (column < 0 || column >= kColumnWidths) return;
    suite::PutInt16(bytes_, kColumnWidthsAt + 2 * static_cast<std::size_t>(column), value);
}

std::int16_t ContestEntry::QsoCount(int bandIndex) const {
    const std::size_t at = BandOffset(bandIndex, kQsoCount, 2, kLateQso);
    return at ? suite::GetInt16(bytes_, at) : 0;
}
void ContestEntry::SetQsoCount(int bandIndex, std::int16_t value) {
    if (const std::size_t at = BandOffset(bandIndex, kQsoCount, 2, kLateQso)) {
        suite::PutInt16(bytes_, at, value);
    }
}
std::int16_t ContestEntry::MultCount(int bandIndex) const {
    const std::size_t at = BandOffset(bandIndex, kMultCount, 2, kLateMult);
    return at ? suite::GetInt16(bytes_, at) : 0;
}
void ContestEntry::SetMultCount(int bandIndex, std::int16_t value) {
    if (const std::size_t at = BandOffset(bandIndex, kMultCount, 2, kLateMult)) {
        suite::PutInt16(bytes_, at, value);
    }
}
std::int32_t ContestEntry::PointSum(int bandIndex) const {
    const std::size_t at = BandOffset(bandIndex, kPointSum, 4, kLatePoints);
    return at ? suite::GetInt32(bytes_, at) : 0;
}
void ContestEntry::SetPointSum(int bandIndex, std::int32_t value) {
    if (const std::size_t at = BandOffset(bandIndex, kPointSum, 4, kLatePoints)) {
        suite::PutInt32(bytes_, at, value);
    }
}
std::int16_t ContestEntry::Mult1Count(int bandIndex) const {
    const std::size_t at = BandOffset(bandIndex, kMult1Count, 2, kLateMult1);
    return at ? suite::GetInt16(bytes_, at) : 0;
}
void ContestEntry::SetMult1Count(int bandIndex, std::int16_t value) {
    if (const std::size_t at = BandOffset(bandIndex, kMult1Count, 2, kLateMult1)) {
        suite::PutInt16(bytes_, at, value);
    }
}
std::int16_t ContestEntry::Mult2Count(int bandIndex) const {
    const std::size_t at = BandOffset(bandIndex, kMult2Count, 2, kLateMult2);
    return at ? suite::GetInt16(bytes_, at) : 0;
}
void ContestEntry::SetMult2Count(int bandIndex, std::int16_t value) {
    if (const std::size_t at = BandOffset(bandIndex, kMult2Count, 2, kLateMult2)) {
        suite::PutInt16(bytes_, at, value);
    }
}

void ContestEntry::ClearTotals() {
    for (int band = 1; band <= kBandIndexes; ++band) {
        SetQsoCount(band, 0);
        SetMultCount(band, 0);
        SetPointSum(band, 0);
        SetMult1Count(band, 0);
        SetMult2Count(band, 0);
    }
    std::fill_n(bytes_.begin() + kTotalsReserved, 10, 0);
}

void ContestEntry::MarkNew() {
    bytes_[kNewMark71] = 255;
    bytes_[kNewMark72] = 1;
    bytes_[kNewMark195] = 255;
    bytes_[kNewMark248] = 0;
}

void ContestEntry::MarkSaved() {
    bytes_[kSavedMark] = 'D';
}

}  // namespace mss::contest

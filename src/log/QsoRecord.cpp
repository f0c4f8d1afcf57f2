#include "log/QsoRecord.h"

#include <algorithm>
#include <bit>

#include "store/FileFormat.h"

namespace mss::log {

namespace {

struct Text {
    std::size_t offset;
    std::size_t capacity;
};

constexpr std::size_t End(Text f) {
    return f.offset + 1 + f.capacity;
}

// Field offsets; the table at the top of the header explains them.
constexpr std::size_t kNummer = 4;
constexpr Text kCall{8, 12};
constexpr Text kLocator{21, 6};
constexpr std::size_t kDatum = 28;
constexpr std::size_t kZeit = 32;
constexpr Text kMode{36, 6};
constexpr Text kSentTail{43, 7};
constexpr Text kRcvdTail{51, 7};
constexpr Text kMultiCol2{59, 6};
constexpr std::size_t kQrb = 66;
constexpr Text kPrefix2{70, 6};
constexpr Text kPrefix{77, 6};
constexpr Text kNameQth{84, 30};
constexpr std::size_t kMarked = 115;
constexpr Text kDistrict{116, 2};
constexpr Text kSpare119{119, 2};
constexpr Text kContinent{122, 2};
constexpr Text kDok{125, 6};
constexpr std::size_t kBand = 132;
constexpr std::size_t kBandNr = 133;
constexpr std::size_t kPunkte = 137;
constexpr std::size_t kQslRcvd = 139;
constexpr Text kCall2{140, 12};
constexpr Text kMultiCol1{153, 6};
constexpr std::size_t kBandSeq = 160;
constexpr std::size_t kPrefixFixed = 164;
constexpr std::size_t kQsyBand = 165;
constexpr std::size_t kLfdNr = 166;
constexpr std::size_t kSpare170 = 170;
constexpr std::size_t kSpare171 = 171;
constexpr std::size_t kSpare172 = 172;
constexpr Text kSentHead{173, 9};
constexpr Text kRcvdHead{183, 9};
constexpr std::size_t kQslSend = 193;
constexpr Text kDokExt{194, 2};
constexpr Text kRcvdMid1{197, 2};
constexpr Text kSentMid1{200, 2};
constexpr std::size_t kFreq = 203;
constexpr Text kRcvdMid2{207, 2};
constexpr Text kSentMid2{210, 2};
constexpr std::size_t kModeNr = 213;
constexpr std::size_t kVoid = 215;

// The layout must add up: each text ends where the next field begins.
static_assert(End(kCall) == kLocator.offset && End(kLocator) == kDatum);
static_assert(End(kMode) == kSentTail.offset && End(kSentTail) == kRcvdTail.offset);
static_assert(End(kRcvdTail) == kMultiCol2.offset && End(kMultiCol2) == kQrb);
static_assert(End(kPrefix2) == kPrefix.offset && End(kPrefix) == kNameQth.offset);
static_assert(End(kNameQth) == kMarked && End(kDistrict) == kSpare119.offset);
static_assert(End(kSpare119) == kContinent.offset && End(kContinent) == kDok.offset);
static_assert(End(kDok) == kBand && End(kCall2) == kMultiCol1.offset);
static_assert(End(kMultiCol1) == kBandSeq && End(kSentHead) == kRcvdHead.offset);
static_assert(End(kRcvdHead) == kQslSend && End(kDokExt) == kRcvdMid1.offset);
static_assert(End(kRcvdMid1) == kSentMid1.offset && End(kSentMid1) == kFreq);
static_assert(End(kRcvdMid2) == kSentMid2.offset && End(kSentMid2) == kModeNr);
static_assert(kVoid + 1 == QsoRecord::kSize);

std::int32_t ReadInt32(const QsoRecord::Bytes& b, std::size_t offset) {
    return store::DecodeFixed32(b.data() + offset);
}
void WriteInt32(QsoRecord::Bytes& b, std::size_t offset, std::int32_t value) {
    store::EncodeFixed32(b.data() + offset, value);
}
std::uint16_t ReadUInt16(const QsoRecord::Bytes& b, std::size_t offset) {
    return store::DecodeFixed16(b.data() + offset);
}
void WriteUInt16(QsoRecord::Bytes& b, std::size_t offset, std::uint16_t value) {
    store::EncodeFixed16(b.data() + offset, value);
}

std::string ReadText(const QsoRecord::Bytes& b, Text field) {
    // A length byte beyond the capacity (a damaged record) reads as full.
    const std::size_t length = std::min<std::size_t>(b[field.offset], field.capacity);
    const auto* first = reinterpret_cast<const char*>(b.data() + field.offset + 1);
    return std::string(first, length);
}

// Only the length byte and the text's own bytes change; the rest of the
// field keeps what it held.
void WriteText(QsoRecord::Bytes& b, Text field, std::string_view text) {
    const std::size_t length = std::min(text.size(), field.capacity);
    b[field.offset] = static_cast<std::uint8_t>(length);
    std::copy_n(reinterpret_cast<const std::uint8_t*>(text.data()), length,
                b.begin() + static_cast<std::ptrdiff_t>(field.offset + 1));
}

}  // namespace

QsoRecord::QsoRecord(std::span<const std::uint8_t, kSize> bytes) {
    std::ranges::copy(bytes, bytes_.begin());
}

bool QsoRecord::IsBandChange() const {
    const char c = QsyBand();
    return c != '\0' && c != ' ';
}

std::int32_t QsoRecord::Nummer() const {
    return ReadInt32(bytes_, kNummer);
}
void QsoRecord::SetNummer(std::int32_t value) {
    WriteInt32(bytes_, kNummer, value);
}
std::int32_t QsoRecord::Datum() const {
    return ReadInt32(bytes_, kDatum);
}
void QsoRecord::SetDatum(std::int32_t dayNumber) {
    WriteInt32(bytes_, kDatum, dayNumber);
}
std::int32_t QsoRecord::Zeit() const {
    return ReadInt32(bytes_, kZeit);
}
void QsoRecord::SetZeit(std::int32_t seconds) {
    WriteInt32(bytes_, kZeit, seconds);
}
std::int32_t QsoRecord::Qrb() const {
    return ReadInt32(bytes_, kQrb);
}
void QsoRecord::SetQrb(std::int32_t km) {
    WriteInt32(bytes_, kQrb, km);
}
std::int32_t QsoRecord::BandNr() const {
    return ReadInt32(bytes_, kBandNr);
}
void QsoRecord::SetBandNr(std::int32_t value) {
    WriteInt32(bytes_, kBandNr, value);
}
std::int32_t QsoRecord::BandSeq() const {
    return ReadInt32(bytes_, kBandSeq);
}
void QsoRecord::SetBandSeq(std::int32_t value) {
    WriteInt32(bytes_, kBandSeq, value);
}
std::int32_t QsoRecord::LfdNr() const {
    return ReadInt32(bytes_, kLfdNr);
}
void QsoRecord::SetLfdNr(std::int32_t value) {
    WriteInt32(bytes_, kLfdNr, value);
}
std::uint16_t QsoRecord::Punkte() const {
    return ReadUInt16(bytes_, kPunkte);
}
void QsoRecord::SetPunkte(std::uint16_t points) {
    WriteUInt16(bytes_, kPunkte, points);
}
std::uint16_t QsoRecord::ModeNr() const {
    return ReadUInt16(bytes_, kModeNr);
}
void QsoRecord::SetModeNr(std::uint16_t value) {
    WriteUInt16(bytes_, kModeNr, value);
}

float QsoRecord::Freq() const {
    return std::bit_cast<float>(static_cast<std::uint32_t>(ReadInt32(bytes_, kFreq)));
}
void QsoRecord::SetFreq(float megahertz) {
    WriteInt32(bytes_, kFreq, static_cast<std::int32_t>(std::bit_cast<std::uint32_t>(megahertz)));
}

std::string QsoRecord::Call() const {
    return ReadText(bytes_, kCall);
}
void QsoRecord::SetCall(std::string_view text) {
    WriteText(bytes_, kCall, text);
}
std::string QsoRecord::Locator() const {
    return ReadText(bytes_, kLocator);
}
void QsoRecord::SetLocator(std::string_view text) {
    WriteText(bytes_, kLocator, text);
}
std::string QsoRecord::Mode() const {
    return ReadText(bytes_, kMode);
}
void QsoRecord::SetMode(std::string_view text) {
    WriteText(bytes_, kMode, text);
}
std::string QsoRecord::MultiCol1() const {
    return ReadText(bytes_, kMultiCol1);
}
void QsoRecord::SetMultiCol1(std::string_view text) {
    WriteText(bytes_, kMultiCol1, text);
}
std::string QsoRecord::MultiCol2() const {
    return ReadText(bytes_, kMultiCol2);
}
void QsoRecord::SetMultiCol2(std::string_view text) {
    WriteText(bytes_, kMultiCol2, text);
}
std::string QsoRecord::Prefix() const {
    return ReadText(bytes_, kPrefix);
}
void QsoRecord::SetPrefix(std::string_view text) {
    WriteText(bytes_, kPrefix, text);
}
std::string QsoRecord::Prefix2() const {
    return ReadText(bytes_, kPrefix2);
}
void QsoRecord::SetPrefix2(std::string_view text) {
    WriteText(bytes_, kPrefix2, text);
}
std::string QsoRecord::NameQth() const {
    return ReadText(bytes_, kNameQth);
}
void QsoRecord::SetNameQth(std::string_view text) {
    WriteText(bytes_, kNameQth, text);
}
std::string QsoRecord::District() const {
    return ReadText(bytes_, kDistrict);
}
void QsoRecord::SetDistrict(std::string_view text) {
    WriteText(bytes_, kDistrict, text);
}
std::string QsoRecord::Spare119() const {
    return ReadText(bytes_, kSpare119);
}
void QsoRecord::SetSpare119(std::string_view text) {
    WriteText(bytes_, kSpare119, text);
}
std::string QsoRecord::Continent() const {
    return ReadText(bytes_, kContinent);
}
void QsoRecord::SetContinent(std::string_view text) {
    WriteText(bytes_, kContinent, text);
}
std::string QsoRecord::Dok() const {
    return ReadText(bytes_, kDok);
}
void QsoRecord::SetDok(std::string_view text) {
    WriteText(bytes_, kDok, text);
}
std::string QsoRecord::DokExt() const {
    return ReadText(bytes_, kDokExt);
}
void QsoRecord::SetDokExt(std::string_view text) {
    WriteText(bytes_, kDokExt, text);
}
std::string QsoRecord::Call2() const {
    return ReadText(bytes_, kCall2);
}
void QsoRecord::SetCall2(std::string_view text) {
    WriteText(bytes_, kCall2, text);
}
std::string QsoRecord::SentHead() const {
    return ReadText(bytes_, kSentHead);
}
void QsoRecord::SetSentHead(std::string_view text) {
    WriteText(bytes_, kSentHead, text);
}
std::string QsoRecord::SentMid1() const {
    return ReadText(bytes_, kSentMid1);
}
void QsoRecord::SetSentMid1(std::string_view text) {
    WriteText(bytes_, kSentMid1, text);
}
std::string QsoRecord::SentMid2() const {
    return ReadText(bytes_, kSentMid2);
}
void QsoRecord::SetSentMid2(std::string_view text) {
    WriteText(bytes_, kSentMid2, text);
}
std::string QsoRecord::SentTail() const {
    return ReadText(bytes_, kSentTail);
}
void QsoRecord::SetSentTail(std::string_view text) {
    WriteText(bytes_, kSentTail, text);
}
std::string QsoRecord::RcvdHead() const {
    return ReadText(bytes_, kRcvdHead);
}
void QsoRecord::SetRcvdHead(std::string_view text) {
    WriteText(bytes_, kRcvdHead, text);
}
std::string QsoRecord::RcvdMid1() const {
    return ReadText(bytes_, kRcvdMid1);
}
void QsoRecord::SetRcvdMid1(std::string_view text) {
    WriteText(bytes_, kRcvdMid1, text);
}
std::string QsoRecord::RcvdMid2() const {
    return ReadText(bytes_, kRcvdMid2);
}
void QsoRecord::SetRcvdMid2(std::string_view text) {
    WriteText(bytes_, kRcvdMid2, text);
}
std::string QsoRecord::RcvdTail() const {
    return ReadText(bytes_, kRcvdTail);
}
void QsoRecord::SetRcvdTail(std::string_view text) {
    WriteText(bytes_, kRcvdTail, text);
}

char QsoRecord::Band() const {
    return static_cast<char>(bytes_[kBand]);
}
void QsoRecord::SetBand(char bandCode) {
    bytes_[kBand] = static_cast<std::uint8_t>(bandCode);
}
char QsoRecord::QsyBand() const {
    return static_cast<char>(bytes_[kQsyBand]);
}
void QsoRecord::SetQsyBand(char bandCode) {
    bytes_[kQsyBand] = static_cast<std::uint8_t>(bandCode);
}
char QsoRecord::QslRcvd() const {
    return static_cast<char>(bytes_[kQslRcvd]);
}
void QsoRecord::SetQslRcvd(char c) {
    bytes_[kQslRcvd] = static_cast<std::uint8_t>(c);
}
char QsoRecord::QslSend() const {
    return static_cast<char>(bytes_[kQslSend]);
}
void QsoRecord::SetQslSend(char c) {
    bytes_[kQslSend] = static_cast<std::uint8_t>(c);
}

std::uint8_t QsoRecord::Marked() const {
    return bytes_[kMarked];
}
void QsoRecord::SetMarked(std::uint8_t value) {
    bytes_[kMarked] = value;
}
std::uint8_t QsoRecord::PrefixFixed() const {
    return bytes_[kPrefixFixed];
}
void QsoRecord::SetPrefixFixed(std::uint8_t value) {
    bytes_[kPrefixFixed] = value;
}
std::uint8_t QsoRecord::Spare170() const {
    return bytes_[kSpare170];
}
void QsoRecord::SetSpare170(std::uint8_t value) {
    bytes_[kSpare170] = value;
}
std::uint8_t QsoRecord::Spare171() const {
    return bytes_[kSpare171];
}
void QsoRecord::SetSpare171(std::uint8_t value) {
    bytes_[kSpare171] = value;
}
std::uint8_t QsoRecord::Spare172() const {
    return bytes_[kSpare172];
}
void QsoRecord::SetSpare172(std::uint8_t value) {
    bytes_[kSpare172] = value;
}
std::uint8_t QsoRecord::Void() const {
    return bytes_[kVoid];
}
void QsoRecord::SetVoid(std::uint8_t value) {
    bytes_[kVoid] = value;
}

}  // namespace mss::log

// One record of a contest log: a contact, or a band-change marker. The 216
// bytes are kept as read and written back unchanged; typed accessors read and
// write the fields. Integers are little-endian, Freq is an IEEE float32, texts
// are a length byte followed by at most the capacity in Windows-1252
// characters; a longer text is cut, and the bytes after a text stay as read.
//
// OFFSET | SIZE | FIELD
//      0 |    4 | (record store's own: free-list link / deletion mark)
//      4 |    4 | Nummer (int32; filled by the store on add)
//      8 |   13 | Call (text, 12)
//     21 |    7 | Locator (text, 6)
//     28 |    4 | Datum (int32 day number; -1 = none)
//     32 |    4 | Zeit (int32 seconds since midnight UTC; -1 = none)
//     36 |    7 | Mode (text, 6)
//     43 |    8 | SentTail (text, 7): sent exchange characters 14-20
//     51 |    8 | RcvdTail (text, 7): received exchange characters 14-20
//     59 |    7 | MultiCol2 (text, 6)
//     66 |    4 | Qrb (int32 km)
//     70 |    7 | Prefix2 (text, 6)
//     77 |    7 | Prefix (text, 6)
//     84 |   31 | NameQth (text, 30): name + ";" + QTH
//    115 |    1 | Marked (byte; 1 = marked)
//    116 |    3 | District (text, 2)
//    119 |    3 | Spare119 (text, 2)
//    122 |    3 | Continent (text, 2)
//    125 |    7 | Dok (text, 6): DOK characters 1-6
//    132 |    1 | Band (band code)
//    133 |    4 | BandNr (int32)
//    137 |    2 | Punkte (uint16)
//    139 |    1 | QslRcvd (char)
//    140 |   13 | Call2 (text, 12)
//    153 |    7 | MultiCol1 (text, 6)
//    160 |    4 | BandSeq (int32)
//    164 |    1 | PrefixFixed (byte; non-zero = set by hand)
//    165 |    1 | QsyBand (char; 0 or blank = contact, else the new band)
//    166 |    4 | LfdNr (int32)
//    170 |    1 | Spare170 (byte)
//    171 |    1 | Spare171 (byte)
//    172 |    1 | Spare172 (byte)
//    173 |   10 | SentHead (text, 9): sent exchange characters 1-9
//    183 |   10 | RcvdHead (text, 9): received exchange characters 1-9
//    193 |    1 | QslSend (char)
//    194 |    3 | DokExt (text, 2): DOK characters 7-8
//    197 |    3 | RcvdMid1 (text, 2): received exchange characters 10-11
//    200 |    3 | SentMid1 (text, 2): sent exchange characters 10-11
//    203 |    4 | Freq (float32 MHz; 0 = none)
//    207 |    3 | RcvdMid2 (text, 2): received exchange characters 12-13
//    210 |    3 | SentMid2 (text, 2): sent exchange characters 12-13
//    213 |    2 | ModeNr (uint16)
//    215 |    1 | Void (byte; non-zero = scores nothing)
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace mss::log {

class QsoRecord {
  public:
    static constexpr std::size_t kSize = 216;
    using Bytes = std::array<std::uint8_t, kSize>;

    // All bytes zero: an empty contact.
    QsoRecord() = default;
    explicit QsoRecord(std::span<const std::uint8_t, kSize> bytes);

    const Bytes& bytes() const { return bytes_; }
    Bytes& bytes() { return bytes_; }

    // A band-change marker rather than a contact: QsyBand is neither 0 nor a blank.
    bool IsBandChange() const;

    std::int32_t Nummer() const;
    void SetNummer(std::int32_t value);
    std::int32_t Datum() const;
    void SetDatum(std::int32_t dayNumber);
    std::int32_t Zeit() const;
    void SetZeit(std::int32_t seconds);
    std::int32_t Qrb() const;
    void SetQrb(std::int32_t km);
    std::int32_t BandNr() const;
    void SetBandNr(std::int32_t value);
    std::int32_t BandSeq() const;
    void SetBandSeq(std::int32_t value);
    std::int32_t LfdNr() const;
    void SetLfdNr(std::int32_t value);
    std::uint16_t Punkte() const;
    void SetPunkte(std::uint16_t points);
    std::uint16_t ModeNr() const;
    void SetModeNr(std::uint16_t value);
    float Freq() const;
    void SetFreq(float megahertz);

    std::string Call() const;
    void SetCall(std::string_view text);
    std::string Locator() const;
    void SetLocator(std::string_view text);
    std::string Mode() const;
    void SetMode(std::string_view text);
    std::string MultiCol1() const;
    void SetMultiCol1(std::string_view text);
    std::string MultiCol2() const;
    void SetMultiCol2(std::string_view text);
    std::string Prefix() const;
    void SetPrefix(std::string_view text);
    std::string Prefix2() const;
    void SetPrefix2(std::string_view text);
    std::string NameQth() const;
    void SetNameQth(std::string_view text);
    std::string District() const;
    void SetDistrict(std::string_view text);
    std::string Spare119() const;
    void SetSpare119(std::string_view text);
    std::string Continent() const;
    void SetContinent(std::string_view text);
    std::string Dok() const;
    void SetDok(std::string_view text);
    std::string DokExt() const;
    void SetDokExt(std::string_view text);
    std::string Call2() const;
    void SetCall2(std::string_view text);

    // The pieces of the exchange texts; Exchange.h joins and splits them.
    std::string SentHead() const;
    void SetSentHead(std::string_view text);
    std::string SentMid1() const;
    void SetSentMid1(std::string_view text);
    std::string SentMid2() const;
    void SetSentMid2(std::string_view text);
    std::string SentTail() const;
    void SetSentTail(std::string_view text);
    std::string RcvdHead() const;
    void SetRcvdHead(std::string_view text);
    std::string RcvdMid1() const;
    void SetRcvdMid1(std::string_view text);
    std::string RcvdMid2() const;
    void SetRcvdMid2(std::string_view text);
    std::string RcvdTail() const;
    void SetRcvdTail(std::string_view text);

    char Band() const;
    void SetBand(char bandCode);
    char QsyBand() const;
    void SetQsyBand(char bandCode);
    char QslRcvd() const;
    void SetQslRcvd(char c);
    char QslSend() const;
    void SetQslSend(char c);

    std::uint8_t Marked() const;
    void SetMarked(std::uint8_t value);
    std::uint8_t PrefixFixed() const;
    void SetPrefixFixed(std::uint8_t value);
    std::uint8_t Spare170() const;
    void SetSpare170(std::uint8_t value);
    std::uint8_t Spare171() const;
    void SetSpare171(std::uint8_t value);
    std::uint8_t Spare172() const;
    void SetSpare172(std::uint8_t value);
    std::uint8_t Void() const;
    void SetVoid(std::uint8_t value);

  private:
    Bytes bytes_{};
};

static_assert(sizeof(QsoRecord::Bytes) == QsoRecord::kSize);

}  // namespace mss::log

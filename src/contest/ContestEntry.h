// One contest participation as stored in QVKK: a 379-byte record kept byte
// for byte, read and written through typed accessors. Integers are
// little-endian, texts a length byte followed by Windows-1252 characters.
// Reserved bytes are kept exactly as read, for the other programs of the
// suite that share the file.
//
// OFFSET | SIZE | FIELD
//      0 |    4 | delete mark (record store)
//      4 |    4 | Number
//      8 |    4 | StartDate (day number)
//     12 |    4 | EndDate
//     16 |    4 | StartTime (seconds, UTC)
//     20 |    4 | EndTime
//     24 |   26 | Name (text, 25)
//     50 |    7 | Locator (text, 6)
//     57 |    9 | Dok (text, 8)
//     66 |    7 | reserved (71: 255 and 72: 1 in a new entry)
//     73 |   85 | Equipment (text, 84)
//    158 |    4 | ExtraNumber
//    162 |    4 | reserved
//    166 |   13 | Call (text, 12)
//    179 |    4 | reserved
//    183 |    7 | ClubNumber (text, 6)
//    190 |    1 | KeyChar4
//    191 |    1 | Code
//    192 |    1 | DateAuto (flag)
//    193 |    1 | TimeAuto (flag)
//    194 |    2 | reserved ('D' after each save; 255 in a new entry)
//    196 |   10 | QsoCount, band index 1-5 (int16)
//    206 |   10 | MultCount, band index 1-5 (int16)
//    216 |   10 | reserved, cleared with the totals
//    226 |   20 | PointSum, band index 1-5 (int32)
//    246 |    1 | RstSentFree (flag)
//    247 |    1 | RstRcvdFree (flag)
//    248 |    1 | reserved (0 in a new entry)
//    249 |    1 | QslSend
//    250 |    1 | QslRcvd
//    251 |    1 | Category
//    252 |    1 | StartSsb (flag)
//    253 |    8 | NoteTop, NoteLeft, NoteWidth, NoteHeight (int16)
//    261 |   10 | Mult1Count, band index 1-5 (int16)
//    271 |   10 | reserved
//    281 |   10 | Mult2Count, band index 1-5 (int16)
//    291 |    1 | StartFm (flag)
//    292 |    1 | StartPr (flag)
//    293 |    1 | BandAuto (flag)
//    294 |    6 | Plz (text, 5)
//    300 |    1 | ExtraFlag (flag)
//    301 |   40 | ColumnWidths (20 x int16)
//    341 |   14 | band index 6: QsoCount, MultCount, PointSum (int32),
//        |      |   Mult1Count, reserved 2, Mult2Count
//    355 |   14 | band index 7: the same
//    369 |    1 | TotalsInExtra (flag)
//    370 |    4 | Ldk (text, 3)
//    374 |    1 | EditedMask
//    375 |    4 | reserved
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace mss::contest {

class ContestEntry {
  public:
    static constexpr std::size_t kSize = 379;
    // Band indexes 1-7 refer to the first seven bands of the contest.
    static constexpr int kBandIndexes = 7;
    static constexpr int kColumnWidths = 20;
    using Bytes = std::array<std::uint8_t, kSize>;

    // Bits of EditedMask: which proposals the operator changed by hand.
    static constexpr std::uint8_t kEditedStartDate = 1;
    static constexpr std::uint8_t kEditedEndDate = 2;
    static constexpr std::uint8_t kEditedStartTime = 4;
    static constexpr std::uint8_t kEditedEndTime = 8;

    // An all-zero record: no entry selected.
    ContestEntry() = default;
    explicit ContestEntry(std::span<const std::uint8_t, kSize> bytes);

    const Bytes& bytes() const { return bytes_; }
    Bytes& bytes() { return bytes_; }

    std::int32_t Number() const;
    void SetNumber(std::int32_t value);
    std::int32_t StartDate() const;
    void SetStartDate(std::int32_t dayNumber);
    std::int32_t EndDate() const;
    void SetEndDate(std::int32_t dayNumber);
    std::int32_t StartTime() const;
    void SetStartTime(std::int32_t seconds);
    std::int32_t EndTime() const;
    void SetEndTime(std::int32_t seconds);

    // Texts longer than their field are cut to its capacity.
    std::string Name() const;
    void SetName(std::string_view text);
    std::string Locator() const;
    void SetLocator(std::string_view text);
    std::string Dok() const;
    void SetDok(std::string_view text);
    std::string Equipment() const;
    void SetEquipment(std::string_view text);
    std::string Call() const;
    void SetCall(std::string_view text);
    std::string ClubNumber() const;
    void SetClubNumber(std::string_view text);
    std::string Plz() const;
    void SetPlz(std::string_view text);
    std::string Ldk() const;
    void SetLdk(std::string_view text);

    std::int32_t ExtraNumber() const;
    void SetExtraNumber(std::int32_t value);

    char KeyChar4() const;
    void SetKeyChar4(char c);
    char Code() const;
    void SetCode(char c);
    char QslSend() const;
    void SetQslSend(char c);
    char QslRcvd() const;
    void SetQslRcvd(char c);
    std::uint8_t Category() const;
    void SetCategory(std::uint8_t value);
    std::uint8_t EditedMask() const;
    void SetEditedMask(std::uint8_t value);

    // Flags read true for any non-zero byte and are written as 255 or 0.
    bool DateAuto() const;
    void SetDateAuto(bool on);
    bool TimeAuto() const;
    void SetTimeAuto(bool on);
    bool RstSentFree() const;
    void SetRstSentFree(bool on);
    bool RstRcvdFree() const;
    void SetRstRcvdFree(bool on);
    bool StartSsb() const;
    void SetStartSsb(bool on);
    bool StartFm() const;
    void SetStartFm(bool on);
    bool StartPr() const;
    void SetStartPr(bool on);
    bool BandAuto() const;
    void SetBandAuto(bool on);
    bool ExtraFlag() const;
    void SetExtraFlag(bool on);
    bool TotalsInExtra() const;
    void SetTotalsInExtra(bool on);

    std::int16_t NoteTop() const;
    void SetNoteTop(std::int16_t value);
    std::int16_t NoteLeft() const;
    void SetNoteLeft(std::int16_t value);
    std::int16_t NoteWidth() const;
    void SetNoteWidth(std::int16_t value);
    std::int16_t NoteHeight() const;
    void SetNoteHeight(std::int16_t value);

    // Column 0-19 of the contest log's band list.
    std::int16_t ColumnWidth(int column) const;
    void SetColumnWidth(int column, std::int16_t value);

    // Totals by band index 1-7 (indexes 6 and 7 live in a block of their
    // own at the end of the record). Other indexes read 0 and are ignored.
    std::int16_t QsoCount(int bandIndex) const;
    void SetQsoCount(int bandIndex, std::int16_t value);
    std::int16_t MultCount(int bandIndex) const;
    void SetMultCount(int bandIndex, std::int16_t value);
    std::int32_t PointSum(int bandIndex) const;
    void SetPointSum(int bandIndex, std::int32_t value);
    std::int16_t Mult1Count(int bandIndex) const;
    void SetMult1Count(int bandIndex, std::int16_t value);
    std::int16_t Mult2Count(int bandIndex) const;
    void SetMult2Count(int bandIndex, std::int16_t value);

    // Zeroes the totals of all seven band indexes and the reserved bytes
    // that go with them.
    void ClearTotals();
    // The reserved bytes a new entry gets (71: 255, 72: 1, 195: 255, 248: 0).
    void MarkNew();
    // The reserved byte every save of the setup dialog sets (194: 'D').
    void MarkSaved();

    bool operator==(const ContestEntry&) const = default;

  private:
    Bytes bytes_{};
};

}  // namespace mss::contest

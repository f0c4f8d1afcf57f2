// The suite settings records: QVSETUP record 1 (station and program setup)
// and QVSETUP2 record 1, kept byte for byte; the fields this program reads
// and writes have typed accessors, every other byte is carried unchanged.
// Texts are a length byte and Windows-1252 characters, integers and colours
// int32 little-endian (a colour is red in the low byte).
//
// QVSETUP record 1:
// OFFSET | SIZE | FIELD
//    703 |   20 | colours: panel, label font, tag-99 label font, browser
//        |      |   header, browser header font
//    723 |   63 | suffix entries 1-9, 7 bytes each: text (3), code byte, 2 bytes
//    786 |    4 | profile number
//    790 |    1 | letter-case style
//   1776 |    7 | locator (text, 6)
//   1795 |    4 | clock offset (hours)
//   2103 |   51 | operator name (text, 50)
//   2154 |   51 | street (text, 50)
//   2205 |   51 | postcode and town (text, 50)
//   2256 |   51 | country (text, 50)
//   2307 |   11 | DOK (text, 10)
//   2741 |    4 | form colour
//   2745 |    4 | left-bar band colour
//   3171 |   21 | listener number (text, 20)
//   3400 |   15 | call sign (text, 14)
//   3487 |    4 | LDK or member number (text, 3)
// QVSETUP2 record 1: six texts of 10 at 1668, 1679, 1690, 1701, 1712, 1723.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "suite/SuiteFiles.h"

namespace mss::suite {

class SuiteSettings {
  public:
    static constexpr int kColours = 5;
    static constexpr int kSuffixEntries = 9;

    // A cleared record.
    SuiteSettings();
    // The record as read; a shorter span is padded with zeros.
    explicit SuiteSettings(RecordBytes bytes);
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

    // Colour 0-4 of the block at 703.
    std::int32_t Colour(int index) const;
    void SetColour(int index, std::int32_t value);
    std::int32_t FormColour() const;
    void SetFormColour(std::int32_t value);
    std::int32_t BandColour() const;
    void SetBandColour(std::int32_t value);

    // Suffix entry 1-9: its text and code byte.
    std::string SuffixText(int entry) const;
    void SetSuffixText(int entry, std::string_view text);
    std::uint8_t SuffixCode(int entry) const;
    void SetSuffixCode(int entry, std::uint8_t code);

    std::int32_t ProfileNumber() const;
    void SetProfileNumber(std::int32_t value);
    std::uint8_t LetterCase() const;
    void SetLetterCase(std::uint8_t value);
    std::int32_t ClockOffset() const;
    void SetClockOffset(std::int32_t value);

    // Texts are cut to their capacity.
    std::string Locator() const;
    void SetLocator(std::string_view text);
    std::string OperatorName() const;
    void SetOperatorName(std::string_view text);
    std::string Street() const;
    void SetStreet(std::string_view text);
    std::string PostcodeTown() const;
    void SetPostcodeTown(std::string_view text);
    std::string Country() const;
    void SetCountry(std::string_view text);
    std::string Dok() const;
    void SetDok(std::string_view text);
    std::string ListenerNumber() const;
    void SetListenerNumber(std::string_view text);
    std::string CallSign() const;
    void SetCallSign(std::string_view text);
    std::string Ldk() const;
    void SetLdk(std::string_view text);

  private:
    std::vector<std::uint8_t> bytes_;
};

class SuiteSettings2 {
  public:
    static constexpr int kTexts = 6;

    SuiteSettings2();
    explicit SuiteSettings2(RecordBytes bytes);
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

    // Text 1-6 (up to 10 characters).
    std::string Text(int number) const;
    void SetText(int number, std::string_view text);

  private:
    std::vector<std::uint8_t> bytes_;
};

// Reads record 1 of an open settings file by key 1, adding a cleared record
// when there is none. Answers ErrorLevel().
int ReadFirstOrAdd(TFileblockObject& object);

// Opens the settings file, reads its record 1 (adding a cleared record when
// there is none), lets `change` edit the record buffer, writes it back and
// closes the file. Answers ErrorLevel() of the first call that failed.
int UpdateSettingsRecord(SuiteFile file, const std::function<void(MutableRecordBytes)>& change);

}  // namespace mss::suite

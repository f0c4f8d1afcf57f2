// A record of the prefix tables QVPREFIX, QVPREFEE and QVPREFES (181 bytes),
// kept byte for byte with typed accessors for the fields the prefix
// evaluation reads; every other byte is carried unchanged. Texts are a
// length byte and Windows-1252 characters; integers little-endian.
//
// OFFSET | SIZE | FIELD
//      0 |    4 | delete mark
//      4 |    7 | Pattern (text, 6): may hold one wildcard "#", "?" or "~"
//     11 |    7 | DxccPrefix (text, 6)
//     18 |    4 | ChoiceNumber (text, 3): alternative of a shared Pattern
//     22 |    3 | CqZone (text, 2)
//     25 |    3 | ItuZone (text, 2)
//     28 |    3 | ContinentCode (text, 2)
//     31 |   31 | CountryName (text, 30)
//     62 |   18 | (suite data; 62 holds the text of key 8)
//     80 |    4 | ValidFrom (day number, 0 = open)
//     84 |    4 | ValidTo (0 = open)
//     88 |    4 | Successor2Until
//     92 |    4 | (suite data)
//     96 |   11 | Successor2 (text, 10)
//    107 |    1 | RangeStart
//    108 |    2 | DxccCode (int16)
//    110 |    7 | Alias (text, 6)
//    117 |    3 | (suite data)
//    120 |   41 | Remark (text, 40)
//    161 |    4 | Successor1Until
//    165 |    7 | Successor1 (text, 6)
//    172 |    7 | AltPrefix (text, 6)
//    179 |    1 | (suite data; part of keys 10 and 14)
//    180 |    1 | AllCalls: "J" = an exception applies to every call it begins
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "suite/SuiteFiles.h"

namespace mss::suite {

class PrefixRecord {
  public:
    static constexpr std::size_t kSize = 181;
    using Bytes = std::array<std::uint8_t, kSize>;

    PrefixRecord() = default;
    // The record as read; a shorter span is padded with zeros.
    explicit PrefixRecord(RecordBytes bytes);
    const Bytes& bytes() const { return bytes_; }
    bool Empty() const;

    std::string Pattern() const;
    void SetPattern(std::string_view text);
    std::string DxccPrefix() const;
    void SetDxccPrefix(std::string_view text);
    std::string ChoiceNumber() const;
    void SetChoiceNumber(std::string_view text);
    std::string CqZone() const;
    void SetCqZone(std::string_view text);
    std::string ItuZone() const;
    void SetItuZone(std::string_view text);
    std::string ContinentCode() const;
    void SetContinentCode(std::string_view text);
    std::string CountryName() const;
    void SetCountryName(std::string_view text);
    std::int32_t ValidFrom() const;
    void SetValidFrom(std::int32_t day);
    std::int32_t ValidTo() const;
    void SetValidTo(std::int32_t day);
    std::int32_t Successor2Until() const;
    void SetSuccessor2Until(std::int32_t day);
    std::string Successor2() const;
    void SetSuccessor2(std::string_view text);
    char RangeStart() const;
    void SetRangeStart(char c);
    std::int16_t DxccCode() const;
    void SetDxccCode(std::int16_t code);
    std::string Alias() const;
    void SetAlias(std::string_view text);
    std::string Remark() const;
    void SetRemark(std::string_view text);
    std::int32_t Successor1Until() const;
    void SetSuccessor1Until(std::int32_t day);
    std::string Successor1() const;
    void SetSuccessor1(std::string_view text);
    std::string AltPrefix() const;
    void SetAltPrefix(std::string_view text);
    char AllCalls() const;
    void SetAllCalls(char c);

    bool operator==(const PrefixRecord&) const = default;

  private:
    Bytes bytes_{};
};

}  // namespace mss::suite

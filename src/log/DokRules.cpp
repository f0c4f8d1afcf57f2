#include "log/DokRules.h"

#include <algorithm>
#include "radio/AsciiChar.h"

namespace mss::log {

namespace {

bool IsLetter(char c) {
    return c >= 'A' && c <= 'Z';
}

template <class Values>
bool OneOf(std::string_view value, const Values& values) {
    return std::ranges::find(values, value) != std::ranges::end(values);
}

constexpr std::string_view kExcludedDistricts[] = {"M26", "M29", "M36"};

bool IsExcludedDistrict(std::string_view dok) {
    return OneOf(dok, kExcludedDistricts);
}

constexpr std::string_view kKnownTwoCharacterDoks[] = {
    "BN", "BS", "BY", "CW", "DC", "DN", "DW", "DX", "FA", "FM", "IM", "IW",
    "JK", "JL", "JR", "KA", "MF", "MH", "ND", "RP", "SD", "SH", "SQ", "WN",
    "XX", "YL", "VO", "1N", "2N", "3N", "4N", "5N", "6N", "7N", "8N", "9N"};

constexpr std::string_view kIsraeliAreas[] = {"AK", "HF", "RA", "YZ", "AS", "HS", "RM", "ZF",
                                              "AZ", "HB", "RH", "BS", "JN", "SM", "BL", "JS",
                                              "TA", "HD", "KT", "TK", "HG", "PT", "YN"};

constexpr std::string_view kBayernOstDoks[] = {"Z16", "Z44", "Z64", "Z76", "BBT", "DVU", "DB0"};

}  // namespace

bool InForce(const std::array<std::string, 100>& list) {
    return !list.front().empty();
}

bool InForce(const std::array<char, 26>& letters) {
    return letters.front() != 0;
}

bool InList(std::string_view value, const std::array<std::string, 100>& list) {
    for (const std::string& entry : list) {
        if (entry.empty()) return false;
        if (entry == value) return true;
    }
    return false;
}

bool InLetters(char c, const std::array<char, 26>& letters) {
    for (char letter : letters) {
        if (letter == 0) return false;
        if (letter == c) return true;
    }
    return false;
}

bool IsDistrictDok(std::string_view dok, const std::array<char, 26>& letters) {
    return dok.size() == 3 && InLetters(dok[0], letters) && radio::IsAsciiDigit(dok[1]) &&
           radio::IsAsciiDigit(dok[2]);
}

bool IsLetterTwoDigits(std::string_view dok) {
    return dok.size() == 3 && IsLetter(dok[0]) && radio::IsAsciiDigit(dok[1]) &&
           radio::IsAsciiDigit(dok[2]);
}

bool IsKnownDok(std::string_view dok, char code) {
    if (dok.size() < 2 || IsExcludedDistrict(dok)) return false;
    if (std::ranges::none_of(dok, IsLetter)) return false;
    if (dok.size() >= 3) return true;
    return OneOf(dok, kKnownTwoCharacterDoks) || (code == '1' && dok == "NM");
}

bool IsIsraeliArea(std::string_view dok) {
    return dok.size() == 5 && IsLetter(dok[0]) && radio::IsAsciiDigit(dok[1]) &&
           radio::IsAsciiDigit(dok[2]) && OneOf(dok.substr(3), kIsraeliAreas);
}

bool DokCounts(const contest::ContestDefinition& d, char code, std::string_view dok) {
    if (d.Features.test(8) || d.Features.test(17)) return true;
    if (!dok.empty() && dok == d.ExtraText) return false;
    bool counts = true;
    bool listAdmitted = false;
    if (InForce(d.SpecialValues)) {
        listAdmitted = InList(dok, d.SpecialValues);
        counts = listAdmitted;
    }
    if (InForce(d.SpecialLetters) && !listAdmitted)
        counts = IsDistrictDok(dok, d.SpecialLetters) && !IsExcludedDistrict(dok);
    if (!counts && d.ExtendedDokCheck != 0 && IsKnownDok(dok, code) && !IsLetterTwoDigits(dok))
        counts = true;
    return counts;
}

std::int32_t DokWeight(char code, const contest::ContestEntry& entry, std::string_view dok) {
    switch (code) {
        case 'G':
            return dok == "HT12" ? 2 : 1;
        case '1':
            return dok == "NM" ? 2 : 1;
        case '2':
            if (dok == "WN") return 6;
            return (dok.size() == 2 || dok.size() == 3) && dok.back() == 'N' ? 3 : 1;
        case 'U': {
            const bool listed = dok.starts_with('U') || OneOf(dok, kBayernOstDoks);
            if (!entry.ExtraFlag()) return listed ? 2 : 1;
            return listed ? 1 : 2;
        }
        default:
            return 1;
    }
}

}  // namespace mss::log

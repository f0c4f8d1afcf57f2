#include "radio/DxccTable.h"

#include <array>

#include "radio/Text.h"

namespace mss::radio {

namespace {

// Index i holds the prefix of entity code i + 1; "" marks a code without one.
constexpr std::array<std::string_view, kDxccCodes> kDxccTable = {
    "VE",   "A1",   "YA",   "3B6",   "OH0",   "KL7",  "ZA",   "VQ9A",  "KH8",   "FT5Z",   // 1-10
    "VU4",  "VP2E", "CE9",  "EK",    "RA-AS", "ZL9",  "YV0",  "4K",    "HK0B",  "KH1",    // 11-20
    "EA6",  "T8",   "1B",   "3Y/B",  "ZC5",   "VQ6",  "EU",   "KZ5",   "EA8",   "PK6",    // 21-30
    "T31",  "EA9",  "VQ9",  "ZL7",   "VK9X",  "FO/C", "TI9",  "VK9C",  "FHC",   "SV9",    // 31-40
    "FT5W", "CR8D", "KP5",  "VQ9D",  "SV5",   "9M6",  "CE0Y", "T32",   "3C",    "XE",     // 41-50
    "E3",   "ES",   "ET",   "RA-EU", "VQ9F",  "PY0F", "FQ8",  "FI8",   "FF",    "C6",     // 51-60
    "R1FJ", "8P",   "FY",   "VP9",   "VP2V",  "V3",   "FN8",  "8Z5",   "ZF",    "CM",     // 61-70
    "HC8",  "HI",   "",     "YS",    "4L",    "TG",   "J3",   "HH",    "FG",    "HR",     // 71-80
    "DLDM", "6Y",   "",     "FM",    "PJ2",   "YN",   "",     "HP",    "VP5",   "9Y",     // 81-90
    "P4",   "",     "1G",   "V2",    "J7",    "VP2M", "J6",   "J8",    "FR/G",  "LU",     // 91-100
    "CR8G", "ZD4",  "KH2",  "CP",    "KG4",   "GU",   "3X",   "PY",    "J5",    "KH6",    // 101-110
    "VK0H", "CE",   "EA9I", "GD",    "I5",    "HK",   "4U1I", "JX",    "PK",    "HC",     // 111-120
    "",     "GJ",   "KH3",  "FR/J",  "CE0Z",  "RA2",  "VS9K", "UN1",   "8R",    "UN",     // 121-130
    "FT5X", "ZP",   "ZL8",  "KH5K",  "EX",    "OA",   "HL",   "KH7K",  "VS9H",  "PZ",     // 131-140
    "VP8",  "VU7",  "XW",   "CX",    "YL",    "LY",   "VK9L", "YV",    "CU",    "VK",     // 141-150
    "R1MV", "XX9",  "VK0M", "4W",    "VS2",   "",     "C2",   "YJ",    "8Q",    "A3",     // 151-160
    "HK0M", "FK",   "P2",   "C9M",   "3B8",   "KH0",  "OJ0",  "V7",    "FH",    "ZL",     // 161-170
    "VK9M", "VP6",  "V6",   "KH4",   "FO/F",  "3D2",  "JD1M", "1M",    "ER",    "SV/A",   // 171-180
    "C9",   "KP1",  "PK5",  "JZ0",   "H4",    "VO",   "5U",   "ZK2",   "VK9N",  "5W",     // 181-190
    "E5/N", "JD1O", "KR6",  "7J1",   "3C0",   "ZC6",  "KH5",  "P2P",   "3Y/P",  "CR10",   // 191-200
    "ZS8",  "KP4",  "C3",   "XF4",   "ZD8",   "OE",   "3B9",  "9U5",   "ON",    "9S4",    // 201-210
    "CY0",  "LZ",   "FS",   "TK",    "5B",    "HK0S", "CE0X", "OKOM",  "S9",    "VS4",    // 211-220
    "OZ",   "OY",   "G",    "OH",    "IS0",   "8Z4",  "F",    "HK0SB", "DMY2",  "DL",     // 221-230
    "AC3",  "T5",   "ZB2",  "E5/S",  "VP8G",  "SV",   "OX",   "VP8O",  "HA",    "VP8W",   // 231-240
    "VP8S", "TF",   "VS9A", "ST0",   "EI",    "1A",   "1S",   "I",     "V4",    "ZD7",    // 241-250
    "HB0",  "CY9",  "PY0S", "LX",    "PJ7",   "CT3",  "9H",   "PK4",   "JW",    "3A",     // 251-260
    "KS4",  "EY",   "PA",   "CN2",   "GI",    "LA",   "P2T",  "AC4",   "SP",    "ZK3",    // 261-270
    "I1",   "CT",   "PY0T", "ZD9",   "YO",    "FR/T", "FP",   "T7",    "GM",    "EZ",     // 271-280
    "EA",   "T2",   "ZC4",  "SM",    "KP2",   "5X",   "HB9",  "UR",    "4U1U",  "",       // 281-290
    "K",    "UK",   "3W",   "GW",    "HV",    "YU",   "KH9",  "FW",    "9M2",   "",       // 291-300
    "T30",  "S0",   "VK9W", "A9",    "S2",    "A5",   "VQ1",  "TI",    "XZ",    "",       // 301-310
    "",     "XU",   "",     "",      "4S",    "",     "",     "BY",    "",      "",       // 311-320
    "VR2",  "",     "",     "VU",    "",      "",     "YB",   "",      "",      "EP",     // 321-330
    "",     "",     "YI",   "",      "",      "4X",   "",     "",      "JA",    "",       // 331-340
    "",     "JY",   "",     "",      "V8",    "",     "",     "9K",    "",      "",       // 341-350
    "",     "",     "",     "OD",    "",      "",     "",     "",      "",      "",       // 351-360
    "",     "",     "JT",   "",      "",      "",     "",     "",      "9N",    "A4",     // 361-370
    "",     "AP",   "",     "",      "DU",    "A7",   "",     "HZ",    "S7",    "",       // 371-380
    "9V",   "J2",   "",     "YK",    "",      "BV",   "HS",   "",      "",      "TA",     // 381-390
    "A6",   "",     "",     "",      "",      "",     "",     "",      "",      "7X",     // 391-400
    "D2",   "A2",   "",     "9U",    "",      "TJ",   "",     "TL",    "D4",    "TT",     // 401-410
    "D6",   "TN",   "",     "9Q",    "",      "TY",   "",     "",      "",      "TR",     // 411-420
    "",     "C5",   "",     "9G",    "",      "",     "",     "TU",    "",      "5Z",     // 421-430
    "",     "7P",   "P5",   "EL",    "",      "5A",   "",     "5R",    "",      "7Q",     // 431-440
    "",     "TZ",   "",     "5T",    "",      "CN",   "",     "",      "",      "5N",     // 441-450
    "",     "Z2",   "FR",   "9X",    "",      "6W",   "",     "9L",    "",      "3D2/R",  // 451-460
    "",     "ZS",   "",     "V5",    "",      "ST",   "",     "3DA",   "",      "5H",     // 461-470
    "",     "",     "",     "3V",    "",      "",     "",     "SU",    "",      "XT",     // 471-480
    "",     "9J",   "5V",   "",      "",      "",     "",     "ZS9",   "3D2/C", "T33",    // 481-490
    "",     "7O",   "ZS0",  "",      "",      "",     "9A",   "",      "S5",    "",       // 491-500
    "E7",   "Z3",   "OK",   "OM",    "BV9P",  "BS7",  "H40",  "FO/A",  "FO/M",  "E4",     // 501-510
    "4W6",  "TX0",  "VP6D", "4O",    "KH8S",  "FJ",                                       // 511-516
};

struct FixedNumber {
    std::string_view prefix;
    int code;
};

// Prefixes whose entity the table above cannot tell by itself.
constexpr FixedNumber kFixedNumbers[] = {
    {"3D2C", 489}, {"3D2R", 460}, {"3Y0", 199}, {"3Y5", 24},    {"CE0A", 47},  {"KC6", 22},
    {"PY0P", 253}, {"R1F", 61},   {"R1M", 151}, {"RA1346", 54}, {"RA890", 15}, {"FO0", 36},
    {"XX", 152},   {"VR6", 172},  {"FO", 175},  {"IS", 225},    {"ZB", 233},   {"ZC", 283},
};

std::string FromPrefixTables(std::string_view prefix, const DxccCodeFinder& findCountry) {
    if (!findCountry) return {};
    const std::optional<int> code = findCountry(prefix);
    return code ? PadLeft(std::to_string(*code), 3) : std::string();
}

}  // namespace

std::string_view DxccTableEntry(int code) {
    if (code < 1 || code > kDxccCodes) return {};
    return kDxccTable[static_cast<std::size_t>(code - 1)];
}

int DxccTableCode(std::string_view prefix, int lastCode) {
    const std::string wanted = Trim(prefix);
    if (wanted.empty()) return 0;
    for (int code = 1; code <= lastCode && code <= kDxccCodes; ++code) {
        if (DxccTableEntry(code) == wanted) return code;
    }
    return 0;
}

std::string DxccNumber(std::string_view prefix, const DxccCodeFinder& findCountry) {
    const std::string p = Trim(prefix);
    if (p.empty()) return {};
    for (const FixedNumber& fixed : kFixedNumbers) {
        if (fixed.prefix != p) continue;
        std::string fromTables = FromPrefixTables(p, findCountry);
        return fromTables.empty() ? std::to_string(fixed.code) : fromTables;
    }
    if (const int code = DxccTableCode(p); code != 0) return std::to_string(code);
    return FromPrefixTables(p, findCountry);
}

}  // namespace mss::radio

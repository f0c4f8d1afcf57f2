#include "radio/DxccTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "radio/SpecialDxccPair.h"

namespace mss::radio {
namespace {

TEST(DxccTable, HoldsTheEntitiesUnderTheirAdifCodes) {
    EXPECT_EQ(DxccTableEntry(1), "VE");
    EXPECT_EQ(DxccTableEntry(15), "RA-AS");
    EXPECT_EQ(DxccTableEntry(110), "KH6");
    EXPECT_EQ(DxccTableEntry(230), "DL");
    EXPECT_EQ(DxccTableEntry(291), "K");
    EXPECT_EQ(DxccTableEntry(460), "3D2/R");
    EXPECT_EQ(DxccTableEntry(503), "OK");
    EXPECT_EQ(DxccTableEntry(513), "VP6D");
    EXPECT_EQ(DxccTableEntry(516), "FJ");
    // Codes without an entity, and codes outside the table.
    EXPECT_EQ(DxccTableEntry(73), "");
    EXPECT_EQ(DxccTableEntry(300), "");
    EXPECT_EQ(DxccTableEntry(0), "");
    EXPECT_EQ(DxccTableEntry(517), "");
}

TEST(DxccTable, EveryPrefixIsShortAndUnique) {
    std::set<std::string_view> seen;
    int entries = 0;
    for (int code = 1; code <= kDxccCodes; ++code) {
        const std::string_view entry = DxccTableEntry(code);
        if (entry.empty()) continue;
        ++entries;
        EXPECT_LE(entry.size(), 5u) << code;
        EXPECT_TRUE(seen.insert(entry).second) << entry;
        EXPECT_EQ(DxccTableCode(entry), code) << entry;
    }
    EXPECT_EQ(entries, 396);
}

TEST(DxccTableCode, ComparesTrimmedAndStopsAtTheLastCodeAsked) {
    EXPECT_EQ(DxccTableCode(" DL "), 230);
    EXPECT_EQ(DxccTableCode("dl"), 0);
    EXPECT_EQ(DxccTableCode(""), 0);
    EXPECT_EQ(DxccTableCode("   "), 0);
    EXPECT_EQ(DxccTableCode("FJ"), 516);
    EXPECT_EQ(DxccTableCode("FJ", kBaseCallDxccCodes), 0);
    EXPECT_EQ(DxccTableCode("VP6D", kBaseCallDxccCodes), 513);
}

TEST(DxccNumber, TakesTheEntityTableBeforeThePrefixTables) {
    bool asked = false;
    const DxccCodeFinder finder = [&](std::string_view) -> std::optional<int> {
        asked = true;
        return 999;
    };
    EXPECT_EQ(DxccNumber("DL", finder), "230");
    EXPECT_EQ(DxccNumber(" OK ", finder), "503");
    EXPECT_FALSE(asked);
    EXPECT_EQ(DxccNumber("DL"), "230");
}

TEST(DxccNumber, FixedNumbersGiveWayToACountryRecord) {
    EXPECT_EQ(DxccNumber("3D2C"), "489");
    EXPECT_EQ(DxccNumber("RA1346"), "54");
    std::string askedFor;
    const DxccCodeFinder finder = [&](std::string_view p) -> std::optional<int> {
        askedFor = p;
        return 7;
    };
    EXPECT_EQ(DxccNumber("3D2C", finder), "  7");
    EXPECT_EQ(askedFor, "3D2C");
    const DxccCodeFinder none = [](std::string_view) -> std::optional<int> { return {}; };
    EXPECT_EQ(DxccNumber("FO", none), "175");
}

TEST(DxccNumber, RightAlignsCodesFromThePrefixTables) {
    const DxccCodeFinder finder = [](std::string_view p) -> std::optional<int> {
        if (p == "ZZ1") return 5;
        if (p == "ZZ2") return 123;
        return {};
    };
    EXPECT_EQ(DxccNumber("ZZ1", finder), "  5");
    EXPECT_EQ(DxccNumber("ZZ2", finder), "123");
    EXPECT_EQ(DxccNumber("ZZ3", finder), "");
    EXPECT_EQ(DxccNumber("ZZ1"), "");
    EXPECT_EQ(DxccNumber("", finder), "");
    EXPECT_EQ(DxccNumber("  ", finder), "");
}

TEST(SpecialDxccPair, ReportsThePrefixLengthOfAListedEnding) {
    EXPECT_EQ(SpecialDxccPair("SV2ABC", "A"), 2);
    EXPECT_EQ(SpecialDxccPair("JW5X", "B"), 2);
    EXPECT_EQ(SpecialDxccPair("3Y0X", "P"), 2);
    EXPECT_EQ(SpecialDxccPair("FR5ABC", "T"), 2);
    EXPECT_EQ(SpecialDxccPair("FO5AB", "M"), 2);
    EXPECT_EQ(SpecialDxccPair("3D2AB", "R"), 3);
    EXPECT_EQ(SpecialDxccPair("VQ9X", "D"), 3);
    EXPECT_EQ(SpecialDxccPair("ZK1AB", "N"), 3);
    EXPECT_EQ(SpecialDxccPair("GM3ABC", "SH"), 2);
    EXPECT_EQ(SpecialDxccPair("FR", "G"), 2);
}

TEST(SpecialDxccPair, RefusesOtherEndingsAndPrefixes) {
    EXPECT_EQ(SpecialDxccPair("SV2ABC", "B"), 0);
    EXPECT_EQ(SpecialDxccPair("GM3ABC", "S"), 0);
    EXPECT_EQ(SpecialDxccPair("FR5ABC", "GG"), 0);
    EXPECT_EQ(SpecialDxccPair("FR5ABC", "G/P"), 0);
    EXPECT_EQ(SpecialDxccPair("FR5ABC", ""), 0);
    EXPECT_EQ(SpecialDxccPair("DL1ABC", "A"), 0);
    EXPECT_EQ(SpecialDxccPair("3D1AB", "C"), 0);
    EXPECT_EQ(SpecialDxccPair("ZK2AB", "N"), 0);
    EXPECT_EQ(SpecialDxccPair("", "A"), 0);
}

}  // namespace
}  // namespace mss::radio

#include "radio/BaseCall.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace mss::radio {
namespace {

struct Expected {
    const char* call;
    const char* home;    // variant 1, the key variant
    const char* prefix;  // variant 0
};

void ExpectBaseCalls(std::initializer_list<Expected> cases, const SuffixList& suffixes) {
    for (const Expected& e : cases) {
        EXPECT_EQ(BaseCall(e.call, BaseCallVariant::kKey, suffixes), e.home) << e.call;
        EXPECT_EQ(BaseCall(e.call, BaseCallVariant::kPrefix, suffixes), e.prefix) << e.call;
    }
}

TEST(BaseCall, ReducesTheDocumentedExamples) {
    ExpectBaseCalls({{"dl1abc/p", "DL1ABC", "DL1ABC"},
                     {"DL/OE1ABC", "OE1ABC", "DL"},
                     {"DL1ABC/3", "DL1ABC", "DL3"},
                     {"DL1ABC//P/", "DL1ABC", "DL1ABC"},
                     {"K1A/KH6", "K1A", "KH6"},
                     {"FR5ABC/G", "FR5ABC/G", "FR5ABC/G"},
                     {"DL1ABC/QRP", "DL1ABC", ""}},
                    SuffixList());
}

TEST(BaseCall, ReducesPortableAndMobileDesignators) {
    ExpectBaseCalls({{"DL/OE1ABC/P", "OE1ABC", "DL"},
                     {"OE1ABC/DL", "OE1ABC", "DL"},
                     {"DL1ABC/MM", "DL1ABC", "DL1ABC"},
                     {"DL1ABC/AM", "DL1ABC", "DL1ABC"},
                     {"dl1abc/m", "DL1ABC", "DL1ABC"},
                     {"OH0/DL1ABC/LGT", "DL1ABC", "OH0"},
                     {"DL1ABC-P", "DL1ABC", "DL1ABC"},
                     {"DL1ABC P", "DL1ABC", "DL1ABC"},
                     {"DL1ABC/P/", "DL1ABC", "DL1ABC"}},
                    SuffixList());
}

TEST(BaseCall, KeepsCallsWithoutDesignatorsWhole) {
    ExpectBaseCalls({{"", "", ""},
                     {"/", "", ""},
                     {"///", "", ""},
                     {"12345", "12345", "12345"},
                     {"DL1ABCDEFGHI", "DL1ABCDEFGHI", "DL1ABCDEFGHI"},
                     {"oe1abc", "OE1ABC", "OE1ABC"}},
                    SuffixList());
}

TEST(BaseCall, HandlesTwelveCharacterCallsAndLongParts) {
    ExpectBaseCalls({{"DL/OE1ABCD/P", "OE1ABCD", "DL"},
                     {"VP2E/DL1ABC", "DL1ABC", "VP2E"},
                     {"DL1ABCDEFGHIJKLMNOPQRSTU/KH6", "DL1ABCDEFGHIJKLMNOPQ", "KH6"}},
                    SuffixList());
}

TEST(BaseCall, WeighsDxccPrefixesAgainstTheCall) {
    // A DXCC prefix written first stays the operating prefix even when it is
    // the longer part; an unknown longer part is the home call.
    ExpectBaseCalls({{"VP2E/K1A", "K1A", "VP2E"},
                     {"KH6/K1A", "K1A", "KH6"},
                     {"9A1ABC/3", "9A1ABC", "9A3"},
                     {"DLABC/3", "DLABC", "3"},
                     {"/DL1ABC", "DL1ABC", ""},
                     {"DL1ABC/123", "DL1ABC", ""},
                     {"ABC/KH6", "", "KH6"}},
                    SuffixList());
}

TEST(BaseCall, KeepsSpecialDxccPairsTogether) {
    ExpectBaseCalls({{"FR5ABC/G/P", "FR5ABC/G", "FR5ABC/G"},
                     {"SV2ABC/A", "SV2ABC/A", "SV2ABC/A"},
                     {"GM3ABC/SH/P", "GM3ABC/SH", "GM3ABC/SH"},
                     {"FR5ABC/G/DL", "FR5ABC/G", "DL"},
                     {"FR5ABC/G/P/QRP", "FR5ABC/G", "FR5ABC/G"},
                     {"FR5ABC/P", "FR5ABC", "FR5ABC"},
                     {"FR5ABC/G/P/A/B", "FR5ABC", "G"}},
                    SuffixList());
}

TEST(BaseCall, UsesTheProcessWideSuffixListByDefault) {
    ResetSuffixList();
    EXPECT_EQ(BaseCall("DL1ABC/QRP", BaseCallVariant::kPrefix), "");
    const std::array<std::string, 9> settings = {"QRP", "P"};
    ActiveSuffixList().TakeSettingsEntries(settings);
    EXPECT_EQ(BaseCall("DL1ABC/QRP", BaseCallVariant::kPrefix), "DL1ABC");
    ResetSuffixList();
    EXPECT_EQ(BaseCall("DL1ABC/QRP", BaseCallVariant::kPrefix), "");
}

TEST(SuffixList, HoldsTheBuiltInDesignators) {
    const SuffixList list;
    for (std::string_view entry : {"A", "AM", "M", "MM", "P", "LH", "LGT"}) {
        EXPECT_TRUE(list.Contains(entry)) << entry;
    }
    EXPECT_FALSE(list.Contains("QRP"));
    EXPECT_FALSE(list.Contains(""));
    EXPECT_FALSE(list.Contains("p"));
    EXPECT_EQ(list.Entry(7), "LGT");
    EXPECT_EQ(list.Entry(8), "");
    EXPECT_EQ(list.Entry(0), "");
    EXPECT_EQ(list.Entry(17), "");
}

TEST(SuffixList, SettingsReplaceTheFirstNineOnlyWhenTheirFirstEntryIsSet) {
    SuffixList list;
    const std::array<std::string, 9> emptyFirst = {"", "QRP"};
    list.TakeSettingsEntries(emptyFirst);
    EXPECT_TRUE(list.Contains("P"));
    EXPECT_FALSE(list.Contains("QRP"));

    const std::array<std::string, 9> settings = {" qrp ", "P", "PORT", "", "", "", "", "", "X"};
    list.TakeSettingsEntries(settings);
    EXPECT_EQ(list.Entry(1), "QRP");
    EXPECT_EQ(list.Entry(3), "POR");
    EXPECT_EQ(list.Entry(9), "X");
    EXPECT_TRUE(list.Contains("QRP"));
    EXPECT_FALSE(list.Contains("MM"));  // entry 4 was replaced by an empty one
    EXPECT_FALSE(list.Contains("LGT"));
    ExpectBaseCalls({{"DL1ABC/QRP", "DL1ABC", "DL1ABC"}, {"DL1ABC/MM", "DL1ABC", "MM"}}, list);
}

}  // namespace
}  // namespace mss::radio

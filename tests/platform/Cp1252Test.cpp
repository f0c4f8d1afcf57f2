#include "platform/Cp1252.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace mss::platform {
namespace {

TEST(Cp1252Test, EveryByteSurvivesTheRoundTripThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);

    std::set<char32_t> seen;
    for (int b = 0; b < 256; ++b) {
        const char32_t cp = Cp1252ToUnicode(static_cast<unsigned char>(b));
        EXPECT_TRUE(seen.insert(cp).second) << "byte " << b << " shares its code point";
        EXPECT_EQ(static_cast<unsigned char>(UnicodeToCp1252(cp)), b) << "byte " << b;
    }
}

TEST(Cp1252Test, HighBlockMapsToTheWindowsCharacters) {
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
    EXPECT_EQ(Cp1252ToUtf8("\x84"), "\xE2\x80\x9E");  // low double quote
    EXPECT_EQ(Cp1252ToUtf8("\x8A"), "\xC5\xA0");      // S caron
    EXPECT_EQ(Cp1252ToUtf8("\x96"), "\xE2\x80\x93");  // en dash
    EXPECT_EQ(Cp1252ToUtf8("\x99"), "\xE2\x84\xA2");  // trade mark
    EXPECT_EQ(Cp1252ToUtf8("\x9F"), "\xC5\xB8");      // Y diaeresis
    EXPECT_EQ(Cp1252ToUnicode(0x80), U'\u20AC');
    EXPECT_EQ(Cp1252ToUnicode(0x9F), U'\u0178');
}

TEST(Cp1252Test, UndefinedBytesBecomeTheirControlCharacters) {
    for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        EXPECT_EQ(Cp1252ToUnicode(b), static_cast<char32_t>(b));
        EXPECT_EQ(static_cast<unsigned char>(UnicodeToCp1252(b)), b);
    }
    // The other C1 controls have no byte: their positions hold other characters.
    EXPECT_EQ(UnicodeToCp1252(0x80), '?');
    EXPECT_EQ(UnicodeToCp1252(0x9F), '?');
}

TEST(Cp1252Test, GermanTextConvertsBothWays) {
    const std::string cp1252 =
        "Gr\xF6\xDF"
        "e \xC4rger \xFC"
        "ber M\xFCller";
    const std::string utf8 =
        "Gr\xC3\xB6\xC3\x9F"
        "e \xC3\x84rger \xC3\xBC"
        "ber M\xC3\xBCller";
    EXPECT_EQ(Cp1252ToUtf8(cp1252), utf8);
    EXPECT_EQ(Utf8ToCp1252(utf8), cp1252);
    EXPECT_EQ(Cp1252ToUtf8("CQ DL1ABC"), "CQ DL1ABC");
}

TEST(Cp1252Test, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach) {
    EXPECT_EQ(Utf8ToCp1252("\xCE\xA9"), "?");              // Greek capital omega
    EXPECT_EQ(Utf8ToCp1252("a\xE2\x82\xB9z"), "a?z");      // rupee sign
    EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x93\xBB!"), "?!");    // radio emoji
    EXPECT_EQ(Utf8ToCp1252("\xC2\x80"), "?");              // U+0080
    EXPECT_EQ(Utf8ToCp1252("\xEF\xBB\xBFJO62"), "?JO62");  // byte order mark
}

TEST(Cp1252Test, IllFormedUtf8BecomesQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1252("\x80"), "?");      // stray continuation byte
    EXPECT_EQ(Utf8ToCp1252("ab\xC3"), "ab?");  // truncated at the end
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82"
                           "A"),
              "?A");                                      // truncated before ASCII
    EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "??");            // overlong "/"
    EXPECT_EQ(Utf8ToCp1252("\xE0\x80\xAF"), "???");       // overlong three-byte form
    EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "???");       // surrogate
    EXPECT_EQ(Utf8ToCp1252("\xF4\x90\x80\x80"), "????");  // beyond U+10FFFF
    EXPECT_EQ(Utf8ToCp1252("\xFF\xFE"), "??");
}

TEST(Cp1252Test, RandomBytesNeverGrowAndConvertedTextAlwaysComesBack) {
    std::mt19937 random(1252);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 40);
    for (int round = 0; round < 5000; ++round) {
        std::string bytes;
        for (int n = length(random); n > 0; --n) bytes += static_cast<char>(byte(random));
        // Every output byte consumes at least one input byte.
        EXPECT_LE(Utf8ToCp1252(bytes).size(), bytes.size());
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(bytes)), bytes);
    }
}

TEST(Cp1252Test, ExactConversionNamesTheFirstCharacterItCannotKeep) {
    struct Case {
        const char* what;
        std::string utf8;
        std::string text;
        bool exact;
        char32_t refused;
        std::size_t at;
    };
    const Case cases[] = {
        {"ASCII", "DL1ABC?", "DL1ABC?", true, 0, 0},
        {"German letters and euro", "M\xC3\xBCller \xE2\x82\xAC", "M\xFCller \x80", true, 0, 0},
        {"an undefined byte's control", "\xC2\x81", "\x81", true, 0, 0},
        {"a CJK character", "ab\xE4\xB8\xAD\xE4\xB8\xAD", "ab??", false, U'\u4E2D', 2},
        {"a character beyond the plane", "\xF0\x9F\x93\xA1x", "?x", false, U'\U0001F4E1', 0},
        {"a truncated sequence", "a\xC3", "a?", false, kIllFormedUtf8, 1},
        {"a surrogate", "\xED\xA0\x80", "???", false, kIllFormedUtf8, 0},
    };
    for (const Case& c : cases) {
        const ExactCp1252 r = Utf8ToCp1252Exact(c.utf8);
        EXPECT_EQ(r.text, c.text) << c.what;
        EXPECT_EQ(r.text, Utf8ToCp1252(c.utf8)) << c.what;
        EXPECT_EQ(r.exact, c.exact) << c.what;
        EXPECT_EQ(r.refused, c.refused) << c.what;
        EXPECT_EQ(r.refusedAt, c.at) << c.what;
        EXPECT_EQ(IsWellFormedUtf8(c.utf8), c.refused != kIllFormedUtf8) << c.what;
    }
}

TEST(Cp1252Test, DosGermanLettersBecomeTheirWindowsBytesAndOthersStay) {
    EXPECT_EQ(DosUmlautsToCp1252("M\x81ller \x84\x94 \x8E\x99\x9A Stra\xE1"
                                 "e \xFB"),
              "M\xFCller \xE4\xF6 \xC4\xD6\xDC Stra\xDF"
              "e Y");
    EXPECT_EQ(DosUmlautsToCp1252("DL1ABC \xFC\xE4"), "DL1ABC \xFC\xE4");
    EXPECT_EQ(DosUmlautsToCp1252(""), "");
}

}  // namespace
}  // namespace mss::platform

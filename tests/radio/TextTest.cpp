#include "radio/Text.h"

#include "radio/ProgramValues.h"

#include <gtest/gtest.h>

namespace mss::radio {
namespace {

TEST(TextTest, TrimRemovesBlanksAndTabsAtBothEndsOnly) {
    EXPECT_EQ(Trim("  \tDL1ABC \t "), "DL1ABC");
    EXPECT_EQ(Trim("Bad Homburg"), "Bad Homburg");
    EXPECT_EQ(Trim(" \t "), "");
    EXPECT_EQ(Trim(""), "");
    EXPECT_EQ(Trim("\nx\n"), "\nx\n");
}

TEST(TextTest, CaseMappingChangesLettersAndGermanUmlautsOnly) {
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        char upper = c;
        char lower = c;
        if (b >= 'a' && b <= 'z') upper = static_cast<char>(b - 32);
        if (b >= 'A' && b <= 'Z') lower = static_cast<char>(b + 32);
        if (b == 0xE4) upper = '\xC4';
        if (b == 0xF6) upper = '\xD6';
        if (b == 0xFC) upper = '\xDC';
        if (b == 0xC4) lower = '\xE4';
        if (b == 0xD6) lower = '\xF6';
        if (b == 0xDC) lower = '\xFC';
        EXPECT_EQ(UpperText(std::string(1, c)), std::string(1, upper)) << "byte " << b;
        EXPECT_EQ(LowerText(std::string(1, c)), std::string(1, lower)) << "byte " << b;
    }
    EXPECT_EQ(UpperText("m\xFCller stra\xDF"
                        "e"),
              "M\xDCLLER STRA\xDF"
              "E");
    EXPECT_EQ(LowerText("\xD6LBERG-\xC4RGER"), "\xF6lberg-\xE4rger");
}

TEST(TextTest, FitCutsOrPadsOnTheRight) {
    EXPECT_EQ(Fit("abc", 5), "abc  ");
    EXPECT_EQ(Fit("abcdef", 3), "abc");
    EXPECT_EQ(Fit("abc", 3), "abc");
    EXPECT_EQ(Fit("abc", 0), "");
    EXPECT_EQ(Fit("abc", -4), "");
}

TEST(TextTest, PadLeftPadsButNeverCuts) {
    EXPECT_EQ(PadLeft("7", 3), "  7");
    EXPECT_EQ(PadLeft("1234", 3), "1234");
    EXPECT_EQ(PadLeft("", 2), "  ");
    EXPECT_EQ(PadLeft("x", -1), "x");
}

TEST(TextTest, LetterCaseStylesOfNamesAndQths) {
    EXPECT_EQ(ApplyLetterCase("m\xFCller", 1), "M\xDCLLER");
    EXPECT_EQ(ApplyLetterCase("M\xDCLLER", 2), "m\xFCller");
    EXPECT_EQ(ApplyLetterCase("M\xDCLLER", 3), "M\xFCller");
    EXPECT_EQ(ApplyLetterCase("BAD HOMBURG", 3), "Bad homburg");
    EXPECT_EQ(ApplyLetterCase("karl-heinz", 4), "Karl-Heinz");
    EXPECT_EQ(ApplyLetterCase("bad homburg", 4), "Bad homburg");
    EXPECT_EQ(ApplyLetterCase("st.peter-ording", 4), "St.Peter-Ording");
    EXPECT_EQ(ApplyLetterCase("jOHN", 4), "JOHN");
    for (int style : {0, 5, 255}) EXPECT_EQ(ApplyLetterCase("mIxEd", style), "mIxEd");
    for (int style = 0; style <= 5; ++style) EXPECT_EQ(ApplyLetterCase("", style), "");
}

TEST(TextTest, CapitalFirstLetterIsPlainAsciiOnly) {
    // The first letter is capitalised a-z only, so a leading umlaut stays small.
    EXPECT_EQ(ApplyLetterCase("\xD6LBERG", 3), "\xF6lberg");
    EXPECT_EQ(ApplyLetterCase("\xFC"
                              "bach-\xE4rger",
                              4),
              "\xFC"
              "bach-\xE4rger");
}

TEST(TextTest, LetterCaseFollowsTheProgramWideStyle) {
    ResetProgramValues();
    EXPECT_EQ(ApplyLetterCase("karl-heinz"), "Karl-Heinz");
    Program().LetterCase = 1;
    EXPECT_EQ(ApplyLetterCase("karl-heinz"), "KARL-HEINZ");
    ResetProgramValues();
}

TEST(TextTest, BilingualTextsFollowTheLanguage) {
    ResetProgramValues();
    EXPECT_EQ(Bilingual("Ja", "Yes"), "Ja");
    Program().LanguageGerman = 0;
    EXPECT_EQ(Bilingual("Ja", "Yes"), "Yes");
    Program().LanguageGerman = 2;
    EXPECT_EQ(Bilingual("Ja", "Yes"), "Yes");
    ResetProgramValues();
    EXPECT_EQ(Program().OwnLocator, "JO62MM");
    EXPECT_EQ(Program().ClockOffset, -2);
    EXPECT_EQ(Program().LetterCase, 4);
}

}  // namespace
}  // namespace mss::radio

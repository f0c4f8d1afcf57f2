#include "LogTestSupport.h"
#include "radio/Modi.h"

namespace mss::log::test {
namespace {

class RunningNumbersTest : public ContestLogTest {};

TEST_F(RunningNumbersTest, AnEmptyLogStartsEveryNumberAtOne) {
    EXPECT_EQ(NextNumbers(*OpenLog(), 'k', "CW"), (RunningNumbers{1, 1, 1, 1}));
}

TEST_F(RunningNumbersTest, NumbersCountOverallPerBandAndPerModeClass) {
    ASSERT_TRUE(Save(Contact("DL1AAA", 'k', "CW", Hms(12, 0))));
    ASSERT_TRUE(Save(Contact("DL1AAB", 'k', "CW", Hms(12, 1))));
    ASSERT_TRUE(Save(Contact("DL1AAC", 'l', "CW", Hms(12, 2))));
    EXPECT_EQ(NextNumbers(*OpenLog(), 'k', "CW"), (RunningNumbers{4, 3, 3, 4}));
    EXPECT_EQ(NextNumbers(*OpenLog(), 'l', "CW"), (RunningNumbers{4, 2, 2, 4}));
    EXPECT_EQ(NextNumbers(*OpenLog(), 'm', "CW"), (RunningNumbers{4, 1, 1, 4}));
    EXPECT_EQ(NextNumbers(*OpenLog(), 'k', "SSB").modeNr, 1);
}

TEST_F(RunningNumbersTest, AnotherModeTextOfTheSameClassRestartsTheModeNumber) {
    ASSERT_EQ(radio::ModeClass("USB"), radio::ModeClass("SSB"));
    ASSERT_TRUE(Save(Contact("DL1AAA", 'k', "SSB", Hms(12, 0))));
    ASSERT_TRUE(Save(Contact("DL1AAB", 'k', "SSB", Hms(12, 1))));
    EXPECT_EQ(NextNumbers(*OpenLog(), 'k', "SSB").modeNr, 3);
    EXPECT_EQ(NextNumbers(*OpenLog(), 'k', "USB").modeNr, 1);
    ASSERT_TRUE(Save(Contact("DL1AAC", 'k', "USB", Hms(12, 2))));
    // The class's highest ModeNr still belongs to an SSB contact.
    EXPECT_EQ(NextNumbers(*OpenLog(), 'k', "USB").modeNr, 1);
    EXPECT_EQ(NextNumbers(*OpenLog(), 'k', "SSB").modeNr, 3);
}

TEST_F(RunningNumbersTest, TheRecordBufferIsLeftAsItWas) {
    ASSERT_TRUE(Save(Contact("DL1AAA")));
    QsoRecord typed = Contact("OK1XYZ", 'l', "SSB", Hms(20, 0));
    SetBufferRecord(*OpenLog(), typed);
    (void)NextNumbers(*OpenLog(), 'k', "CW");
    EXPECT_EQ(BufferRecord(*OpenLog()).bytes(), typed.bytes());
}

}  // namespace
}  // namespace mss::log::test

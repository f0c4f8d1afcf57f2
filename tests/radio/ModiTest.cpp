#include "radio/Modi.h"

#include <gtest/gtest.h>

#include <string>

namespace mss::radio {
namespace {

TEST(ModeClass, ClassifiesEveryKnownModeText) {
    const struct {
        std::string_view mode;
        char modeClass;
    } cases[] = {
        {"CW", 'a'},     {"A1A", 'a'},    {"A1", 'a'},     {"SSB", 'b'},    {"USB", 'b'},
        {"J3E", 'b'},    {"LSB", 'b'},    {"AM", 'c'},     {"A3E", 'c'},    {"A3", 'c'},
        {"FM", 'd'},     {"F3E", 'd'},    {"F3", 'd'},     {"RTTY", 'e'},   {"HELL", 'e'},
        {"MFSK", 'e'},   {"FSK", 'e'},    {"WSJT", 'e'},   {"FSK441", 'e'}, {"MT63", 'e'},
        {"RY", 'e'},     {"AMTOR", 'f'},  {"PACTOR", 'g'}, {"TOR", 'g'},    {"FAX", 'h'},
        {"ATV", 'i'},    {"SSTV", 'j'},   {"SAT", 'k'},    {"PSK", 'l'},    {"PSK31", 'l'},
        {"PSK-31", 'l'}, {"PACKET", 'm'}, {"PKT", 'm'},    {"PR", 'm'},
    };
    for (const auto& c : cases) EXPECT_EQ(ModeClass(c.mode), c.modeClass) << c.mode;
}

TEST(ModeClass, DropsALeadingDoubleMarkThenBlanksAndTabs) {
    const struct {
        std::string_view mode;
        char modeClass;
    } cases[] = {
        {" CW ", 'a'},          {"\tCW\t", 'a'},         {"2xCW", 'a'},
        {"2XCW", 'a'},          {"2x CW ", 'a'},         {"2xSSB", 'b'},
        {"2x", kNoModeClass},   {" 2xCW", kNoModeClass}, {"2x2xCW", kNoModeClass},
        {"x2CW", kNoModeClass},
    };
    for (const auto& c : cases) EXPECT_EQ(ModeClass(c.mode), c.modeClass) << c.mode;
}

TEST(ModeClass, RecognisesNothingElse) {
    const std::string bad[] = {"",
                               "   ",
                               "cw",
                               "Cw",
                               "ssb",
                               "C W",
                               "CW/SSB",
                               "CWX",
                               "PSK63",
                               "MSK144",
                               "CW\xA0",
                               "\xA0"
                               "CW",
                               "CW\r\n",
                               "\xC4M",
                               "FSK441\xB2",
                               std::string("CW\0", 3),
                               std::string(300, ' ') + "X"};
    for (const std::string& mode : bad) EXPECT_EQ(ModeClass(mode), kNoModeClass) << mode;
    EXPECT_EQ(ModeClass(std::string(300, ' ') + "CW" + std::string(300, '\t')), 'a');
}

}  // namespace
}  // namespace mss::radio

#include "radio/FormatPicture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace mss::radio {
namespace {

struct RealCase {
    const char* picture;
    double x;
    const char* expected;
};

struct IntegerCase {
    const char* picture;
    std::int64_t x;
    const char* expected;
};

TEST(FormatPictureTest, FrequencyPictureWritesADecimalCommaAndOverflowsToAsterisks) {
    EXPECT_EQ(FormatPicture("#####,####", 3.5), "    3,5000");
    EXPECT_EQ(FormatPicture("#####,####", 14074.5), "14074,5000");
    EXPECT_EQ(FormatPicture("#####,####", 123456.5), "*****,****");
    EXPECT_EQ(FormatPicture("#####,####", 144.3f), "  144,3000");
}

TEST(FormatPictureTest, IntegersTakeLeadingZerosAndAFloatingMinus) {
    EXPECT_EQ(FormatPicture("@@@@", 12), "0012");
    EXPECT_EQ(FormatPicture("######", -5), "    -5");
    EXPECT_EQ(FormatPicture("@@@", -5), "005");
    EXPECT_EQ(FormatPicture("###", 7.6), "  8");
}

TEST(FormatPictureTest, RealNumbersFollowTheTableOfAwkwardPictures) {
    const RealCase cases[] = {
        // rounding: halves go away from zero, to the picture's decimals
        {"###", 7.5, "  8"},
        {"###", 6.5, "  7"},
        {"###", 2.5, "  3"},
        {"#.##", 0.125, "0.13"},
        {"#.#", 2.25, "2.3"},
        {"#####,####", 0.00005, "    0,0001"},
        {"#####,####", 0.0, "    0,0000"},
        // overflow
        {"##", 99.6, "**"},
        {"##", -12.0, "**"},
        {"#####,####", std::nan(""), "*****,****"},
        {"#####,####", std::numeric_limits<double>::infinity(), "*****,****"},
        {"#.##", 1e300, "*.**"},
        // signs
        {"####", -12.0, " -12"},
        {"#####,####", -3.5, "   -3,5000"},
        {"+###", -12.0, "- 12"},
        {"+##,#", 3.25, "+ 3,3"},
        {"###-", 12.0, " 12 "},
        {"###-", -12.0, " 12-"},
        {"***", -5.0, "**5"},
        // fill characters and currency
        {"***", 5.0, "**5"},
        {"@@@@,@@", 3.5, "0003,50"},
        {"$####", 12.0, "  $12"},
        {"$####", -12.0, " -$12"},
        {"$@@@", 12.0, "0012"},
        {"$#", 12.0, "**"},
        // only the first field is formatted; the rest is copied
        {"", 3.0, ""},
        {"abc", 3.0, "abc"},
        {"##.## ##", 3.14159, " 3.14 ##"},
        {"QRG ####,# kHz", 1296.25, "QRG 1296,3 kHz"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.picture) + " with " + std::to_string(c.x));
        const std::string result = FormatPicture(c.picture, c.x);
        EXPECT_EQ(result, c.expected);
        EXPECT_EQ(result.size(), std::string_view(c.picture).size());
    }
}

TEST(FormatPictureTest, IntegersFollowTheTableOfAwkwardPictures) {
    const IntegerCase cases[] = {
        {"###", 1000, "***"},
        {"###", 0, "  0"},
        {"#,###", 1234, "1,234"},
        {"#,###", 12, "   12"},
        {"#,###", -12, "  -12"},
        {"##.##", 5, "    5"},
        {"QSO: ### km", 42, "QSO:  42 km"},
        {"##########", std::numeric_limits<std::int64_t>::min(), "**********"},
        {"####################", std::numeric_limits<std::int64_t>::min(), "-9223372036854775808"},
        {"+@@@", 7, "+007"},
        {"+@@@", -7, "-007"},
        {"", 5, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.picture) + " with " + std::to_string(c.x));
        const std::string result = FormatPicture(c.picture, c.x);
        EXPECT_EQ(result, c.expected);
        EXPECT_EQ(result.size(), std::string_view(c.picture).size());
    }
}

TEST(FormatPictureTest, NonAsciiTextAroundTheFieldIsCopiedByteForByte) {
    // UTF-8 bytes are never picture characters, so a mask with umlauts works
    // on UTF-8 text as well as on Windows-1252 text.
    EXPECT_EQ(FormatPicture("\xC3\xA4 ###", 7), "\xC3\xA4   7");
    EXPECT_EQ(FormatPicture("\xE4 ###", 7), "\xE4   7");
}

}  // namespace
}  // namespace mss::radio

#include "contest/ContestExtra.h"

#include <gtest/gtest.h>

#include <random>

namespace mss::contest {
namespace {

using Bytes = ContestExtra::Bytes;

Bytes RandomBytes(unsigned seed) {
    std::mt19937 random(seed);
    Bytes b{};
    for (auto& x : b) x = static_cast<std::uint8_t>(random());
    return b;
}

std::int64_t LittleEndian(const Bytes& b, std::size_t at, int width) {
    std::uint64_t v = 0;
    for (int i = width - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
    return static_cast<std::int64_t>(v);
}

TEST(ContestExtraTest, ReadsEveryFieldAtItsOffset) {
    const Bytes bytes = RandomBytes(7);
    const ContestExtra extra(bytes);
    EXPECT_EQ(extra.Number(), static_cast<std::int32_t>(LittleEndian(bytes, 4, 4)));
    for (int band : {1, 2, 50, 100}) {
        const auto i = static_cast<std::size_t>(band - 1);
        EXPECT_EQ(extra.QsoCount(band),
                  static_cast<std::int32_t>(LittleEndian(bytes, 8 + 4 * i, 4)));
        EXPECT_EQ(extra.MultCount(band),
                  static_cast<std::int32_t>(LittleEndian(bytes, 408 + 4 * i, 4)));
        EXPECT_EQ(extra.PointSum(band),
                  static_cast<std::int32_t>(LittleEndian(bytes, 808 + 4 * i, 4)));
        EXPECT_EQ(extra.Mult1Count(band),
                  static_cast<std::int16_t>(LittleEndian(bytes, 1208 + 2 * i, 2)));
        EXPECT_EQ(extra.Mult2Count(band),
                  static_cast<std::int16_t>(LittleEndian(bytes, 1408 + 2 * i, 2)));
        EXPECT_EQ(extra.Mult3Count(band),
                  static_cast<std::int16_t>(LittleEndian(bytes, 1608 + 2 * i, 2)));
    }
    EXPECT_EQ(extra.RstNotLocked(), bytes[1808] != 0);
    EXPECT_EQ(extra.LogVoidDupes(), bytes[1809] != 0);
}

TEST(ContestExtraTest, WritingFieldsKeepsEveryOtherByteIncludingTheReservedOnes) {
    const Bytes original = RandomBytes(11);
    ContestExtra extra(original);
    extra.SetNumber(-5);
    extra.SetQsoCount(100, 123456);
    extra.SetMultCount(1, -2);
    extra.SetPointSum(37, 0x7FFFFFFF);
    extra.SetMult1Count(100, -32768);
    extra.SetMult2Count(1, 32767);
    extra.SetMult3Count(100, 9);
    extra.SetRstNotLocked(true);
    extra.SetLogVoidDupes(false);

    const ContestExtra reread(extra.bytes());
    EXPECT_EQ(reread.Number(), -5);
    EXPECT_EQ(reread.QsoCount(100), 123456);
    EXPECT_EQ(reread.MultCount(1), -2);
    EXPECT_EQ(reread.PointSum(37), 0x7FFFFFFF);
    EXPECT_EQ(reread.Mult1Count(100), -32768);
    EXPECT_EQ(reread.Mult2Count(1), 32767);
    EXPECT_EQ(reread.Mult3Count(100), 9);
    EXPECT_EQ(extra.bytes()[1808], 255);
    EXPECT_EQ(extra.bytes()[1809], 0);

    // Exactly the written bytes changed.
    std::vector<std::pair<std::size_t, std::size_t>> written = {
        {4, 4},    {8 + 4 * 99, 4},    {408, 4}, {808 + 4 * 36, 4}, {1208 + 2 * 99, 2},
        {1408, 2}, {1608 + 2 * 99, 2}, {1808, 2}};
    for (std::size_t at = 0; at < ContestExtra::kSize; ++at) {
        const bool inField = std::any_of(written.begin(), written.end(), [at](auto f) {
            return at >= f.first && at < f.first + f.second;
        });
        if (!inField) {
            ASSERT_EQ(extra.bytes()[at], original[at]) << "byte " << at;
        }
    }
}

TEST(ContestExtraTest, BandIndexesOutsideOneToHundredAreIgnored) {
    const Bytes original = RandomBytes(3);
    ContestExtra extra(original);
    for (int band : {0, -1, 101}) {
        extra.SetQsoCount(band, 1);
        extra.SetMult3Count(band, 1);
        EXPECT_EQ(extra.PointSum(band), 0);
        EXPECT_EQ(extra.Mult2Count(band), 0);
    }
    EXPECT_EQ(extra.bytes(), original);
}

TEST(ContestExtraTest, ClearingTheTotalsKeepsNumberOptionsAndReservedBytes) {
    const Bytes original = RandomBytes(5);
    ContestExtra extra(original);
    extra.ClearTotals();
    for (int band = 1; band <= 100; ++band) {
        ASSERT_EQ(extra.QsoCount(band), 0);
        ASSERT_EQ(extra.Mult3Count(band), 0);
    }
    EXPECT_TRUE(std::equal(original.begin(), original.begin() + 8, extra.bytes().begin()));
    EXPECT_TRUE(std::equal(original.begin() + 1808, original.end(), extra.bytes().begin() + 1808));
}

}  // namespace
}  // namespace mss::contest

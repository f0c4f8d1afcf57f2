#include "suite/SuiteSettings.h"

#include <gtest/gtest.h>

#include <random>

#include "store/ObjectTestSupport.h"

namespace mss::suite::test {
using namespace store::test;
namespace {

std::vector<std::uint8_t> RandomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> bytes(size);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    return bytes;
}

TEST(SuiteSettings, FieldsLieAtTheirOffsets) {
    suite::SuiteSettings s;
    s.SetColour(0, 0x00FFFFFF);
    s.SetColour(4, 0x01020304);
    s.SetFormColour(0x02CF9F7F);
    s.SetBandColour(0x0000FF00);
    s.SetSuffixText(1, "QRP");
    s.SetSuffixCode(1, 255);
    s.SetSuffixText(9, "X");
    s.SetProfileNumber(7);
    s.SetLetterCase(4);
    s.SetLocator("JO62MM");
    s.SetClockOffset(-2);
    s.SetCallSign("DL1ABC");
    s.SetLdk("BRB");
    const auto& b = s.bytes();
    ASSERT_EQ(b.size(), 3530u);
    EXPECT_EQ(suite::GetInt32(b, 703), 0x00FFFFFF);
    EXPECT_EQ(suite::GetInt32(b, 719), 0x01020304);
    EXPECT_EQ(suite::GetInt32(b, 2741), 0x02CF9F7F);
    EXPECT_EQ(suite::GetInt32(b, 2745), 0x0000FF00);
    EXPECT_EQ(suite::GetText(b, 723, 3), "QRP");
    EXPECT_EQ(b[727], 255);
    EXPECT_EQ(suite::GetText(b, 723 + 7 * 8, 3), "X");
    EXPECT_EQ(suite::GetInt32(b, 786), 7);
    EXPECT_EQ(b[790], 4);
    EXPECT_EQ(suite::GetText(b, 1776, 6), "JO62MM");
    EXPECT_EQ(suite::GetInt32(b, 1795), -2);
    EXPECT_EQ(suite::GetText(b, 3400, 14), "DL1ABC");
    EXPECT_EQ(suite::GetText(b, 3487, 3), "BRB");
    EXPECT_EQ(s.SuffixText(10), "") << "only nine entries";
    EXPECT_EQ(s.Colour(5), 0);
}

TEST(SuiteSettings, TextsAreCutToTheirCapacityAndNeighboursStayUntouched) {
    const std::vector<std::uint8_t> original = RandomBytes(3530, 4);
    suite::SuiteSettings s(original);
    s.SetCallSign("DL1ABCDEFGHIJKLMNOP");
    s.SetOperatorName(std::string(60, 'x'));
    s.SetSuffixText(2, "LONG");
    EXPECT_EQ(s.CallSign(), "DL1ABCDEFGHIJK");
    EXPECT_EQ(s.OperatorName(), std::string(50, 'x'));
    EXPECT_EQ(s.SuffixText(2), "LON");
    EXPECT_EQ(s.SuffixCode(2), original[730 + 4]) << "the code byte after the text stays";
    for (std::size_t at : {3399u, 3415u, 2102u, 2154u, 729u, 731u + 4u})
        EXPECT_EQ(s.bytes()[at], original[at]) << at;

    suite::SuiteSettings2 s2(RandomBytes(50408, 5));
    s2.SetText(6, "ABCDEFGHIJKL");
    EXPECT_EQ(s2.Text(6), "ABCDEFGHIJ");
    EXPECT_EQ(suite::GetText(s2.bytes(), 1723, 10), "ABCDEFGHIJ");
    EXPECT_EQ(s2.Text(7), "");
}

TEST(SuiteSettings, ADamagedLengthByteReadsAsTheCapacity) {
    std::vector<std::uint8_t> bytes(3530, 'A');
    bytes[3400] = 200;
    EXPECT_EQ(suite::SuiteSettings(bytes).CallSign(), std::string(14, 'A'));
    bytes.resize(3402);  // a short record
    EXPECT_EQ(suite::SuiteSettings(bytes).CallSign().size(), 14u);
}

using SuiteSettingsFileTest = ObjectLayerTest;

TEST_F(SuiteSettingsFileTest, UpdatingTheSettingsKeepsEveryOtherByte) {
    suite::SetSuiteDirectory(dir_.Dir());
    const std::vector<std::uint8_t> suiteData = RandomBytes(3530, 9);
    ASSERT_EQ(suite::UpdateSettingsRecord(SuiteFile::QVSETUP,
                                          [&](MutableRecordBytes r) {
                                              std::copy(suiteData.begin() + 8, suiteData.end(),
                                                        r.begin() + 8);
                                          }),
              0);
    ASSERT_EQ(suite::UpdateSettingsRecord(SuiteFile::QVSETUP,
                                          [](MutableRecordBytes r) {
                                              suite::SuiteSettings s(r);
                                              s.SetCallSign("OE1XYZ");
                                              std::copy(s.bytes().begin(), s.bytes().end(),
                                                        r.begin());
                                          }),
              0);
    ASSERT_TRUE(suite::OpenQVSETUP());
    TFileblockObject& setup = *suite::SuiteObject(SuiteFile::QVSETUP);
    EXPECT_EQ(setup.RecordCount(), 1) << "record 1 is updated, never added twice";
    ASSERT_EQ(setup.First(1), 0);
    const SuiteSettings read(setup.RecordBuffer());
    EXPECT_EQ(read.CallSign(), "OE1XYZ");
    EXPECT_EQ(suite::GetInt32(read.bytes(), 4), 1);
    for (std::size_t at = 8; at < 3530; ++at) {
        if (at >= 3400 && at < 3415) continue;
        ASSERT_EQ(read.bytes()[at], suiteData[at]) << at;
    }
    suite::CloseQVSETUP();
    SetSuiteDirectory("");
}

}  // namespace
}  // namespace mss::suite::test

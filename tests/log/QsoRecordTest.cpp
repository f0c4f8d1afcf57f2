#include "log/QsoRecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <string>
#include <vector>

namespace mss::log {
namespace {

// A record whose every byte differs from its neighbours, so a stray write shows.
QsoRecord PatternRecord() {
    QsoRecord::Bytes bytes;
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return QsoRecord(bytes);
}

// Every byte outside [offset, offset + size) is as in `before`.
void ExpectOnlyChanged(const QsoRecord& before, const QsoRecord& after, std::size_t offset,
                       std::size_t size, const std::string& field) {
    for (std::size_t i = 0; i < QsoRecord::kSize; ++i) {
        if (i >= offset && i < offset + size) continue;
        EXPECT_EQ(before.bytes()[i], after.bytes()[i]) << field << " touched byte " << i;
    }
}

struct TextCase {
    std::string name;
    std::size_t offset;
    std::size_t capacity;
    std::string (QsoRecord::*read)() const;
    void (QsoRecord::*write)(std::string_view);
};

const std::vector<TextCase>& TextCases() {
    static const std::vector<TextCase> cases = {
        {"Call", 8, 12, &QsoRecord::Call, &QsoRecord::SetCall},
        {"Locator", 21, 6, &QsoRecord::Locator, &QsoRecord::SetLocator},
        {"Mode", 36, 6, &QsoRecord::Mode, &QsoRecord::SetMode},
        {"SentTail", 43, 7, &QsoRecord::SentTail, &QsoRecord::SetSentTail},
        {"RcvdTail", 51, 7, &QsoRecord::RcvdTail, &QsoRecord::SetRcvdTail},
        {"MultiCol2", 59, 6, &QsoRecord::MultiCol2, &QsoRecord::SetMultiCol2},
        {"Prefix2", 70, 6, &QsoRecord::Prefix2, &QsoRecord::SetPrefix2},
        {"Prefix", 77, 6, &QsoRecord::Prefix, &QsoRecord::SetPrefix},
        {"NameQth", 84, 30, &QsoRecord::NameQth, &QsoRecord::SetNameQth},
        {"District", 116, 2, &QsoRecord::District, &QsoRecord::SetDistrict},
        {"Spare119", 119, 2, &QsoRecord::Spare119, &QsoRecord::SetSpare119},
        {"Continent", 122, 2, &QsoRecord::Continent, &QsoRecord::SetContinent},
        {"Dok", 125, 6, &QsoRecord::Dok, &QsoRecord::SetDok},
        {"Call2", 140, 12, &QsoRecord::Call2, &QsoRecord::SetCall2},
        {"MultiCol1", 153, 6, &QsoRecord::MultiCol1, &QsoRecord::SetMultiCol1},
        {"SentHead", 173, 9, &QsoRecord::SentHead, &QsoRecord::SetSentHead},
        {"RcvdHead", 183, 9, &QsoRecord::RcvdHead, &QsoRecord::SetRcvdHead},
        {"DokExt", 194, 2, &QsoRecord::DokExt, &QsoRecord::SetDokExt},
        {"RcvdMid1", 197, 2, &QsoRecord::RcvdMid1, &QsoRecord::SetRcvdMid1},
        {"SentMid1", 200, 2, &QsoRecord::SentMid1, &QsoRecord::SetSentMid1},
        {"RcvdMid2", 207, 2, &QsoRecord::RcvdMid2, &QsoRecord::SetRcvdMid2},
        {"SentMid2", 210, 2, &QsoRecord::SentMid2, &QsoRecord::SetSentMid2},
    };
    return cases;
}

TEST(QsoRecord, RoundTripsAllItsBytes) {
    static_assert(sizeof(QsoRecord::Bytes) == 216);
    const QsoRecord record = PatternRecord();
    const QsoRecord copy(record.bytes());
    EXPECT_EQ(copy.bytes(), record.bytes());
    EXPECT_TRUE(std::ranges::all_of(QsoRecord().bytes(), [](std::uint8_t b) { return b == 0; }));
}

TEST(QsoRecord, WritesEachTextAtItsOffsetAndNowhereElse) {
    for (const TextCase& c : TextCases()) {
        const QsoRecord before = PatternRecord();
        QsoRecord record = before;
        (record.*c.write)("AB");
        EXPECT_EQ((record.*c.read)(), "AB") << c.name;
        EXPECT_EQ(record.bytes()[c.offset], 2) << c.name;
        EXPECT_EQ(record.bytes()[c.offset + 1], 'A') << c.name;
        EXPECT_EQ(record.bytes()[c.offset + 2], 'B') << c.name;
        // The bytes after a short text keep what they held.
        ExpectOnlyChanged(before, record, c.offset, 3, c.name);
    }
}

TEST(QsoRecord, CutsTextsLongerThanTheirFieldAndNeverOverflows) {
    const std::string longText(40, 'X');
    for (const TextCase& c : TextCases()) {
        const QsoRecord before = PatternRecord();
        QsoRecord record = before;
        (record.*c.write)(longText);
        EXPECT_EQ((record.*c.read)(), longText.substr(0, c.capacity)) << c.name;
        EXPECT_EQ(record.bytes()[c.offset], c.capacity) << c.name;
        ExpectOnlyChanged(before, record, c.offset, c.capacity + 1, c.name);
    }
}

TEST(QsoRecord, ReadsADamagedLengthByteAsAFullField) {
    QsoRecord record;
    record.SetCall("DL1ABC");
    record.bytes()[8] = 200;
    EXPECT_EQ(record.Call().size(), 12u);
    EXPECT_EQ(record.Call().substr(0, 6), "DL1ABC");
}

TEST(QsoRecord, KeepsWindows1252BytesOfTexts) {
    QsoRecord record;
    const std::string name = "M\xFCller;K\xF6ln";  // Müller;Köln
    record.SetNameQth(name);
    EXPECT_EQ(record.NameQth(), name);
    EXPECT_EQ(record.bytes()[84 + 2], 0xFC);
}

TEST(QsoRecord, StoresIntegersLittleEndianAtTheirOffsets) {
    struct IntCase {
        std::string name;
        std::size_t offset;
        void (QsoRecord::*write)(std::int32_t);
        std::int32_t (QsoRecord::*read)() const;
    };
    const std::vector<IntCase> cases = {
        {"Nummer", 4, &QsoRecord::SetNummer, &QsoRecord::Nummer},
        {"Datum", 28, &QsoRecord::SetDatum, &QsoRecord::Datum},
        {"Zeit", 32, &QsoRecord::SetZeit, &QsoRecord::Zeit},
        {"Qrb", 66, &QsoRecord::SetQrb, &QsoRecord::Qrb},
        {"BandNr", 133, &QsoRecord::SetBandNr, &QsoRecord::BandNr},
        {"BandSeq", 160, &QsoRecord::SetBandSeq, &QsoRecord::BandSeq},
        {"LfdNr", 166, &QsoRecord::SetLfdNr, &QsoRecord::LfdNr},
    };
    for (const IntCase& c : cases) {
        const QsoRecord before = PatternRecord();
        QsoRecord record = before;
        (record.*c.write)(0x01020304);
        EXPECT_EQ(record.bytes()[c.offset], 0x04) << c.name;
        EXPECT_EQ(record.bytes()[c.offset + 3], 0x01) << c.name;
        ExpectOnlyChanged(before, record, c.offset, 4, c.name);
        (record.*c.write)(-1);
        EXPECT_EQ((record.*c.read)(), -1) << c.name;
        EXPECT_EQ(record.bytes()[c.offset + 3], 0xFF) << c.name;
    }
}

TEST(QsoRecord, StoresTheSmallNumbersAndFrequencyAtTheirOffsets) {
    const QsoRecord before = PatternRecord();
    QsoRecord record = before;
    record.SetPunkte(0xBEEF);
    EXPECT_EQ(record.Punkte(), 0xBEEF);
    EXPECT_EQ(record.bytes()[137], 0xEF);
    EXPECT_EQ(record.bytes()[138], 0xBE);
    ExpectOnlyChanged(before, record, 137, 2, "Punkte");
    record.SetModeNr(65535);
    EXPECT_EQ(record.ModeNr(), 65535);
    EXPECT_EQ(record.bytes()[213], 0xFF);
    EXPECT_EQ(record.bytes()[214], 0xFF);
    record.SetFreq(144.37f);
    EXPECT_EQ(record.Freq(), 144.37f);
    std::uint32_t bits = 0;
    const float f = 144.37f;
    std::memcpy(&bits, &f, 4);
    EXPECT_EQ(record.bytes()[203], bits & 0xFF);
    EXPECT_EQ(record.bytes()[206], bits >> 24);
}

TEST(QsoRecord, StoresSingleByteFieldsAtTheirOffsets) {
    QsoRecord record;
    record.SetMarked(1);
    record.SetBand('k');
    record.SetQslRcvd('J');
    record.SetPrefixFixed(255);
    record.SetQsyBand('l');
    record.SetSpare170('a');
    record.SetSpare171('b');
    record.SetSpare172('c');
    record.SetQslSend('N');
    record.SetVoid(7);
    const std::vector<std::pair<std::size_t, std::uint8_t>> expected = {
        {115, 1},   {132, 'k'}, {139, 'J'}, {164, 255}, {165, 'l'},
        {170, 'a'}, {171, 'b'}, {172, 'c'}, {193, 'N'}, {215, 7}};
    for (auto [offset, value] : expected) EXPECT_EQ(record.bytes()[offset], value) << offset;
    const int nonZero = static_cast<int>(
        std::ranges::count_if(record.bytes(), [](std::uint8_t b) { return b != 0; }));
    EXPECT_EQ(nonZero, static_cast<int>(expected.size()));
    EXPECT_EQ(record.Band(), 'k');
    EXPECT_EQ(record.QsyBand(), 'l');
    EXPECT_EQ(record.Void(), 7);
}

TEST(QsoRecord, TellsBandChangeMarkersFromContacts) {
    QsoRecord record;
    EXPECT_FALSE(record.IsBandChange());
    record.SetQsyBand(' ');
    EXPECT_FALSE(record.IsBandChange());
    record.SetQsyBand('k');
    EXPECT_TRUE(record.IsBandChange());
    record.SetQsyBand('\xFF');
    EXPECT_TRUE(record.IsBandChange());
}

}  // namespace
}  // namespace mss::log

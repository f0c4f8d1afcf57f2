#include "log/LogKeys.h"

#include <gtest/gtest.h>

#include <string>

#include "log/Exchange.h"
#include "store/KeyCodec.h"

namespace mss::log {
namespace {

using namespace std::string_literals;

QsoRecord Contact(std::string_view call, char band, std::string_view mode, std::int32_t datum,
                  std::int32_t zeit) {
    QsoRecord r;
    r.SetCall(call);
    r.SetBand(band);
    r.SetMode(mode);
    r.SetDatum(datum);
    r.SetZeit(zeit);
    return r;
}

std::string Padded(std::string_view text, std::size_t width) {
    std::string out(text);
    out.resize(width, ' ');
    return out;
}

bool SortsBefore(const std::string& a, const std::string& b) {
    return store::CompareKeys(a, b) < 0;
}

QsoRecord FullRecord() {
    QsoRecord r = Contact("DL/OE1ABCD/P", 'k', "FSK441", 155000, 45296);
    r.SetNummer(17);
    r.SetLocator("JO62MM");
    r.SetPrefix("OE");
    r.SetPrefix2("OE1");
    r.SetMultiCol1("JO62");
    r.SetCall2("123456789");
    r.SetDistrict("NY");
    r.SetBandNr(12);
    r.SetBandSeq(13);
    r.SetLfdNr(14);
    r.SetModeNr(15);
    r.SetMarked(1);
    r.SetSpare170('x');
    r.SetSpare171('y');
    StoreDok(r, "ABCDEFGH");
    return r;
}

TEST(LogKeys, EveryKeyHasItsDeclaredLength) {
    for (const QsoRecord& r : {FullRecord(), QsoRecord()}) {
        for (int key = 1; key <= kLogKeyCount; ++key) {
            const auto& definition = kLogKeyDefinitions[static_cast<std::size_t>(key - 1)];
            // The district key is declared one longer than the district it holds.
            const int expected = key == kByDistrict ? 2 : definition.keyLen;
            EXPECT_EQ(BuildKey(r, key).size(), static_cast<std::size_t>(expected)) << "key " << key;
            EXPECT_EQ(definition.allowDups, key != kByNummer) << "key " << key;
        }
    }
}

TEST(LogKeys, UnknownKeyNumbersGiveNoKey) {
    EXPECT_EQ(BuildKey(FullRecord(), 0), "");
    EXPECT_EQ(BuildKey(FullRecord(), 28), "");
}

TEST(LogKeys, DateAndTimeAreMostSignificantByteFirst) {
    const QsoRecord r = Contact("DL1ABC", 'k', "CW", 0x00025C3A, 0x0000B0D0);
    EXPECT_EQ(BuildKey(r, kByTime), "\x00\x02\x5C\x3A\x00\x00\xB0\xD0"s);
    EXPECT_TRUE(SortsBefore(BuildKey(Contact("X", 'k', "", 1000, 86399), kByTime),
                            BuildKey(Contact("X", 'k', "", 1001, 0), kByTime)));
}

TEST(LogKeys, MissingDateSortsAfterEveryRealDate) {
    QsoRecord dated = Contact("DL1ABC", 'k', "CW", 200000, 3600);
    QsoRecord undated = Contact("DL1ABC", 'k', "CW", -1, -1);
    dated.SetLocator("JO62MM");
    undated.SetLocator("JO62MM");
    EXPECT_EQ(BuildKey(undated, kByTime), "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF"s);
    for (int key : {kByTime, kByCallTime, kByLocatorTime}) {
        EXPECT_TRUE(SortsBefore(BuildKey(dated, key), BuildKey(undated, key))) << "key " << key;
    }
}

TEST(LogKeys, CallKeysUseTheHomeCall) {
    const QsoRecord portable = Contact("DL/OE1ABC/P", 'k', "FSK441", 0x00025C3A, 60);
    const QsoRecord home = Contact("OE1ABC", 'k', "FSK441", 0x00025C3A, 60);
    const std::string dt = "\x00\x02\x5C\x3A\x00\x00\x00\x3C"s;
    EXPECT_EQ(BuildKey(portable, kByCallTime), Padded("OE1ABC", 14) + dt);
    EXPECT_EQ(BuildKey(portable, kByCall), Padded("OE1ABC", 14));
    EXPECT_EQ(BuildKey(portable, kByBandCallMode), "k" + Padded("OE1ABC", 14) + "FSK441");
    for (int key : {kByCallTime, kByCall, kByBandCallMode}) {
        EXPECT_EQ(BuildKey(portable, key), BuildKey(home, key)) << "key " << key;
    }
    // A twelve-character call fills its place in the key unchanged.
    EXPECT_EQ(BuildKey(Contact("DL1ABCDEFGHI", 'k', "CW", 1, 1), kByCall),
              Padded("DL1ABCDEFGHI", 14));
    // The mode part keeps the mode text, so CW and SSB differ in key 9 only.
    const QsoRecord ssb = Contact("OE1ABC", 'k', "SSB", 1, 1);
    EXPECT_EQ(BuildKey(ssb, kByBandCallMode), "k" + Padded("OE1ABC", 14) + "SSB   ");
}

TEST(LogKeys, LocatorKeysPadFourCharacterLocators) {
    QsoRecord r = Contact("DL1ABC", 'l', "CW", 0, 0);
    r.SetLocator("JO62MM");
    EXPECT_EQ(BuildKey(r, kByLocatorTime), "JO62MM" + std::string(8, '\0'));
    EXPECT_EQ(BuildKey(r, kByBandLocator), "lJO62MM");
    r.SetLocator("JO62");
    EXPECT_EQ(BuildKey(r, kByLocatorTime), "JO62  " + std::string(8, '\0'));
    EXPECT_EQ(BuildKey(r, kByBandLocator), "lJO62  ");
}

TEST(LogKeys, NumberKeysUseTheOrderPreservingIntegerForm) {
    QsoRecord r;
    r.SetNummer(1);
    EXPECT_EQ(BuildKey(r, kByNummer), "\x81\x80\x80\x80\x81");
    QsoRecord later;
    later.SetNummer(300);
    EXPECT_TRUE(SortsBefore(BuildKey(r, kByNummer), BuildKey(later, kByNummer)));

    r.SetBand('k');
    r.SetLfdNr(42);
    r.SetBandSeq(7);
    EXPECT_EQ(BuildKey(r, kByLfdNr), store::IntToKey(42));
    EXPECT_EQ(BuildKey(r, kByBandSeq), "k" + store::IntToKey(7));
}

TEST(LogKeys, DescendingKeysPutTheHighestNumberFirst) {
    QsoRecord low = Contact("DL1ABC", 'k', "SSB", 1, 1);
    QsoRecord high = low;
    low.SetBandNr(4);
    low.SetBandSeq(4);
    low.SetModeNr(4);
    high.SetBandNr(5);
    high.SetBandSeq(5);
    high.SetModeNr(5);
    EXPECT_EQ(BuildKey(high, kByBandNrDown), "k" + store::IntToKey(99999994));
    EXPECT_EQ(BuildKey(high, kByBandSeqDown), "k" + store::IntToKey(99999994));
    EXPECT_EQ(BuildKey(high, kByModeNrDown), "b" + store::IntToKey(99999994));
    for (int key : {kByBandNrDown, kByBandSeqDown, kByModeNrDown}) {
        EXPECT_TRUE(SortsBefore(BuildKey(high, key), BuildKey(low, key))) << "key " << key;
    }
    // USB shares the class of SSB; an unknown mode has the blank class.
    high.SetMode("USB");
    EXPECT_EQ(BuildKey(high, kByModeNrDown)[0], 'b');
    high.SetMode("XYZ");
    EXPECT_EQ(BuildKey(high, kByModeNrDown)[0], ' ');
}

TEST(LogKeys, TextKeysArePaddedOrCutToTheirWidth) {
    const QsoRecord r = FullRecord();
    EXPECT_EQ(BuildKey(r, kByPrefix), "OE    ");
    EXPECT_EQ(BuildKey(r, kByBandPrefix), "kOE    ");
    EXPECT_EQ(BuildKey(r, kByBandPrefix2), "kOE1   ");
    EXPECT_EQ(BuildKey(r, kByMultiCol1), "JO62  ");
    EXPECT_EQ(BuildKey(r, kByCall2), "123456");
    EXPECT_EQ(BuildKey(r, kByBandCall2), "k123456");
    EXPECT_EQ(BuildKey(r, kByDistrict), "NY");
    EXPECT_EQ(BuildKey(r, kByBandDistrict), "kNY");
    EXPECT_EQ(BuildKey(r, kByDok), "ABCDEFGH");
    EXPECT_EQ(BuildKey(r, kByBandDok), "kABCDEFGH");
    QsoRecord shortDok = r;
    StoreDok(shortDok, "B12");
    EXPECT_EQ(BuildKey(shortDok, kByDok), "B12     ");
}

TEST(LogKeys, MarkedKeyHoldsOneOnlyForMarkedRecords) {
    QsoRecord r;
    EXPECT_EQ(BuildKey(r, kByMarked), " ");
    r.SetMarked(1);
    EXPECT_EQ(BuildKey(r, kByMarked), "1");
    r.SetMarked(255);
    EXPECT_EQ(BuildKey(r, kByMarked), " ");
}

TEST(LogKeys, SpareKeysTakeTheRawBytes) {
    QsoRecord r;
    r.SetBand('k');
    EXPECT_EQ(BuildKey(r, kByBandSpare170), "k\0"s);
    EXPECT_EQ(BuildKey(r, kBySpares), "\0\0"s);
    EXPECT_EQ(BuildKey(r, kByBandSpare), "k\0"s);
    r.SetSpare171(' ');
    EXPECT_EQ(BuildKey(r, kByBandSpare), "k\0"s);
    r.SetSpare171('y');
    EXPECT_EQ(BuildKey(r, kByBandSpare171), "ky");
    EXPECT_EQ(BuildKey(r, kByBandSpare), "ky");
    r.SetSpare170('x');
    EXPECT_EQ(BuildKey(r, kByBandSpare), "kx");
    EXPECT_EQ(BuildKey(r, kBySpares), "xy");
}

TEST(LogKeys, BandChangeMarkersGetKeysLikeContacts) {
    // A marker carries its new band and time but no call: it sorts in time
    // order among the contacts and under the blank call of its band.
    QsoRecord marker = Contact("", 'l', "CW", 0x00025C3A, 60);
    marker.SetQsyBand('l');
    ASSERT_TRUE(marker.IsBandChange());
    EXPECT_EQ(BuildKey(marker, kByTime), "\x00\x02\x5C\x3A\x00\x00\x00\x3C"s);
    EXPECT_EQ(BuildKey(marker, kByCall), std::string(14, ' '));
    EXPECT_EQ(BuildKey(marker, kByBandCallMode), "l" + std::string(14, ' ') + "CW    ");
    const QsoRecord contact = Contact("DL1ABC", 'l', "CW", 0x00025C3A, 59);
    EXPECT_TRUE(SortsBefore(BuildKey(contact, kByTime), BuildKey(marker, kByTime)));
}

TEST(LogFileName, IsQvlkAndTheEntryNumberInFourDigits) {
    EXPECT_EQ(LogFileName(12), "QVLK0012");
    EXPECT_EQ(LogFileName(1), "QVLK0001");
    EXPECT_EQ(LogFileName(9999), "QVLK9999");
    EXPECT_EQ(LogFileName(12345), "QVLK12345");
    EXPECT_EQ(kScratchLogName, "QVLKTEMP");
}

}  // namespace
}  // namespace mss::log

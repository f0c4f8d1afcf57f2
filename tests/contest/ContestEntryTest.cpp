#include "contest/ContestEntry.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

namespace mss::contest {
namespace {

using Bytes = ContestEntry::Bytes;

std::int64_t LittleEndian(const Bytes& b, std::size_t at, int width) {
    std::uint64_t v = 0;
    for (int i = width - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
    return static_cast<std::int64_t>(v);
}

Bytes RandomBytes(unsigned seed) {
    std::mt19937 random(seed);
    Bytes b{};
    for (auto& x : b) x = static_cast<std::uint8_t>(random());
    return b;
}

TEST(ContestEntryTest, IsA379ByteRecordThatStartsAllZero) {
    static_assert(sizeof(ContestEntry::Bytes) == 379);
    const ContestEntry entry;
    for (std::uint8_t b : entry.bytes()) ASSERT_EQ(b, 0);
    EXPECT_EQ(entry.Name(), "");
    EXPECT_FALSE(entry.TotalsInExtra());
    EXPECT_EQ(entry.Category(), 0);
}

TEST(ContestEntryTest, IntegersAreLittleEndianAtTheirOffsets) {
    ContestEntry e;
    e.SetNumber(0x01020304);
    e.SetStartDate(150000);
    e.SetEndDate(150001);
    e.SetStartTime(43200);
    e.SetEndTime(-1);
    e.SetExtraNumber(-1);
    e.SetNoteTop(-7);
    e.SetNoteLeft(300);
    e.SetNoteWidth(640);
    e.SetNoteHeight(0x1234);
    const Bytes& b = e.bytes();
    EXPECT_EQ(b[4], 0x04);
    EXPECT_EQ(b[7], 0x01);
    EXPECT_EQ(LittleEndian(b, 8, 4), 150000);
    EXPECT_EQ(LittleEndian(b, 12, 4), 150001);
    EXPECT_EQ(LittleEndian(b, 16, 4), 43200);
    EXPECT_EQ(LittleEndian(b, 20, 4), 0xFFFFFFFF);
    EXPECT_EQ(LittleEndian(b, 158, 4), 0xFFFFFFFF);
    EXPECT_EQ(LittleEndian(b, 253, 2), 0xFFF9);
    EXPECT_EQ(LittleEndian(b, 255, 2), 300);
    EXPECT_EQ(LittleEndian(b, 257, 2), 640);
    EXPECT_EQ(LittleEndian(b, 259, 2), 0x1234);
    EXPECT_EQ(e.Number(), 0x01020304);
    EXPECT_EQ(e.EndTime(), -1);
    EXPECT_EQ(e.ExtraNumber(), -1);
    EXPECT_EQ(e.NoteTop(), -7);
}

TEST(ContestEntryTest, CharactersAndFlagsHaveTheirOwnBytes) {
    ContestEntry e;
    e.SetKeyChar4('x');
    e.SetCode('j');
    e.SetQslSend('N');
    e.SetQslRcvd('Y');
    e.SetCategory(3);
    e.SetEditedMask(ContestEntry::kEditedStartDate | ContestEntry::kEditedEndTime);
    const std::vector<std::pair<std::size_t, std::function<void(bool)>>> flags = {
        {192, [&](bool on) { e.SetDateAuto(on); }},
        {193, [&](bool on) { e.SetTimeAuto(on); }},
        {246, [&](bool on) { e.SetRstSentFree(on); }},
        {247, [&](bool on) { e.SetRstRcvdFree(on); }},
        {252, [&](bool on) { e.SetStartSsb(on); }},
        {291, [&](bool on) { e.SetStartFm(on); }},
        {292, [&](bool on) { e.SetStartPr(on); }},
        {293, [&](bool on) { e.SetBandAuto(on); }},
        {300, [&](bool on) { e.SetExtraFlag(on); }},
        {369, [&](bool on) { e.SetTotalsInExtra(on); }},
    };
    for (const auto& [offset, set] : flags) {
        set(true);
        EXPECT_EQ(e.bytes()[offset], 255) << offset;
        set(false);
        EXPECT_EQ(e.bytes()[offset], 0) << offset;
    }
    EXPECT_EQ(e.bytes()[190], 'x');
    EXPECT_EQ(e.bytes()[191], 'j');
    EXPECT_EQ(e.bytes()[249], 'N');
    EXPECT_EQ(e.bytes()[250], 'Y');
    EXPECT_EQ(e.bytes()[251], 3);
    EXPECT_EQ(e.bytes()[374], 9);
    // Any non-zero byte written by another program reads as set.
    e.bytes()[369] = 1;
    EXPECT_TRUE(e.TotalsInExtra());
}

struct TextCase {
    const char* name;
    std::size_t offset;
    std::size_t capacity;
    void (ContestEntry::*set)(std::string_view);
    std::string (ContestEntry::*get)() const;
};

const TextCase kTexts[] = {
    {"Name", 24, 25, &ContestEntry::SetName, &ContestEntry::Name},
    {"Locator", 50, 6, &ContestEntry::SetLocator, &ContestEntry::Locator},
    {"Dok", 57, 8, &ContestEntry::SetDok, &ContestEntry::Dok},
    {"Equipment", 73, 84, &ContestEntry::SetEquipment, &ContestEntry::Equipment},
    {"Call", 166, 12, &ContestEntry::SetCall, &ContestEntry::Call},
    {"ClubNumber", 183, 6, &ContestEntry::SetClubNumber, &ContestEntry::ClubNumber},
    {"Plz", 294, 5, &ContestEntry::SetPlz, &ContestEntry::Plz},
    {"Ldk", 370, 3, &ContestEntry::SetLdk, &ContestEntry::Ldk},
};

TEST(ContestEntryTest, TextsAreCutToTheirCapacityAndNeverTouchTheirNeighbours) {
    for (const TextCase& t : kTexts) {
        const Bytes before = RandomBytes(7);
        ContestEntry e{before};
        const std::string longText(t.capacity + 10, 'W');
        (e.*t.set)(longText);
        EXPECT_EQ((e.*t.get)(), std::string(t.capacity, 'W')) << t.name;
        EXPECT_EQ(e.bytes()[t.offset], t.capacity) << t.name;
        for (std::size_t i = 0; i < ContestEntry::kSize; ++i) {
            if (i < t.offset || i > t.offset + t.capacity) {
                ASSERT_EQ(e.bytes()[i], before[i]) << t.name << " wrote byte " << i;
            }
        }
        (e.*t.set)(std::string(t.capacity, 'A'));
        EXPECT_EQ((e.*t.get)(), std::string(t.capacity, 'A')) << t.name;
        (e.*t.set)("");
        EXPECT_EQ((e.*t.get)(), "") << t.name;
    }
}

TEST(ContestEntryTest, ShortTextsClearTheRestOfTheirField) {
    ContestEntry e;
    e.SetName("Sprint August");
    e.SetName("MS");
    EXPECT_EQ(e.Name(), "MS");
    EXPECT_EQ(e.bytes()[24], 2);
    for (std::size_t i = 27; i < 50; ++i) EXPECT_EQ(e.bytes()[i], 0) << i;
}

TEST(ContestEntryTest, TextsAreWindows1252Bytes) {
    ContestEntry e;
    e.SetName("M\xFCller");
    EXPECT_EQ(e.bytes()[24], 6);
    EXPECT_EQ(e.bytes()[26], 0xFC);
    EXPECT_EQ(e.Name(), "M\xFCller");
}

TEST(ContestEntryTest, DamagedLengthBytesReadOnlyTheField) {
    ContestEntry e{RandomBytes(11)};
    for (const TextCase& t : kTexts) {
        e.bytes()[t.offset] = 255;
        EXPECT_EQ((e.*t.get)().size(), t.capacity) << t.name;
    }
}

TEST(ContestEntryTest, BandTotalsOfIndexesSixAndSevenLiveAtTheEnd) {
    ContestEntry e;
    for (int band = 1; band <= 7; ++band) {
        e.SetQsoCount(band, static_cast<std::int16_t>(100 + band));
        e.SetMultCount(band, static_cast<std::int16_t>(200 + band));
        e.SetPointSum(band, 100000 + band);
        e.SetMult1Count(band, static_cast<std::int16_t>(300 + band));
        e.SetMult2Count(band, static_cast<std::int16_t>(400 + band));
    }
    const Bytes& b = e.bytes();
    EXPECT_EQ(LittleEndian(b, 196, 2), 101);
    EXPECT_EQ(LittleEndian(b, 204, 2), 105);
    EXPECT_EQ(LittleEndian(b, 206, 2), 201);
    EXPECT_EQ(LittleEndian(b, 226, 4), 100001);
    EXPECT_EQ(LittleEndian(b, 242, 4), 100005);
    EXPECT_EQ(LittleEndian(b, 261, 2), 301);
    EXPECT_EQ(LittleEndian(b, 281, 2), 401);
    EXPECT_EQ(LittleEndian(b, 289, 2), 405);
    EXPECT_EQ(LittleEndian(b, 341, 2), 106);
    EXPECT_EQ(LittleEndian(b, 343, 2), 206);
    EXPECT_EQ(LittleEndian(b, 345, 4), 100006);
    EXPECT_EQ(LittleEndian(b, 349, 2), 306);
    EXPECT_EQ(LittleEndian(b, 353, 2), 406);
    EXPECT_EQ(LittleEndian(b, 355, 2), 107);
    EXPECT_EQ(LittleEndian(b, 357, 2), 207);
    EXPECT_EQ(LittleEndian(b, 359, 4), 100007);
    EXPECT_EQ(LittleEndian(b, 363, 2), 307);
    EXPECT_EQ(LittleEndian(b, 367, 2), 407);
    for (int band = 1; band <= 7; ++band) {
        EXPECT_EQ(e.QsoCount(band), 100 + band);
        EXPECT_EQ(e.PointSum(band), 100000 + band);
        EXPECT_EQ(e.Mult2Count(band), 400 + band);
    }
}

TEST(ContestEntryTest, BadBandIndexesAndColumnsReadZeroAndWriteNothing) {
    const Bytes before = RandomBytes(3);
    ContestEntry e{before};
    for (int bad : {0, 8, -1, 100}) {
        e.SetQsoCount(bad, 1);
        e.SetPointSum(bad, 1);
        e.SetMult1Count(bad, 1);
        EXPECT_EQ(e.QsoCount(bad), 0);
        EXPECT_EQ(e.MultCount(bad), 0);
        EXPECT_EQ(e.PointSum(bad), 0);
    }
    for (int bad : {-1, 20}) {
        e.SetColumnWidth(bad, 1);
        EXPECT_EQ(e.ColumnWidth(bad), 0);
    }
    EXPECT_EQ(e.bytes(), before);
    e.SetColumnWidth(0, 120);
    e.SetColumnWidth(19, -3);
    EXPECT_EQ(LittleEndian(e.bytes(), 301, 2), 120);
    EXPECT_EQ(LittleEndian(e.bytes(), 339, 2), 0xFFFD);
    EXPECT_EQ(e.ColumnWidth(19), -3);
}

TEST(ContestEntryTest, ClearingTotalsLeavesReservedBytesOfOtherProgramsAlone) {
    const Bytes before = RandomBytes(5);
    ContestEntry e{before};
    e.ClearTotals();
    for (int band = 1; band <= 7; ++band) {
        EXPECT_EQ(e.QsoCount(band), 0);
        EXPECT_EQ(e.MultCount(band), 0);
        EXPECT_EQ(e.PointSum(band), 0);
        EXPECT_EQ(e.Mult1Count(band), 0);
        EXPECT_EQ(e.Mult2Count(band), 0);
    }
    for (std::size_t i = 216; i < 226; ++i) EXPECT_EQ(e.bytes()[i], 0) << i;
    for (std::size_t i : {271u, 275u, 280u, 351u, 352u, 365u, 366u, 369u, 24u, 375u}) {
        EXPECT_EQ(e.bytes()[i], before[i]) << i;
    }
}

TEST(ContestEntryTest, NewAndSavedMarksSetTheirReservedBytes) {
    ContestEntry e;
    e.bytes()[248] = 9;
    e.MarkNew();
    EXPECT_EQ(e.bytes()[71], 255);
    EXPECT_EQ(e.bytes()[72], 1);
    EXPECT_EQ(e.bytes()[195], 255);
    EXPECT_EQ(e.bytes()[248], 0);
    e.MarkSaved();
    EXPECT_EQ(e.bytes()[194], 'D');
}

TEST(ContestEntryTest, RewritingEveryFieldKeepsTheReservedBytesAsRead) {
    const Bytes stored = RandomBytes(42);
    ContestEntry e{stored};
    EXPECT_EQ(e.bytes(), stored);

    e.SetNumber(17);
    e.SetStartDate(150000);
    e.SetEndDate(150001);
    e.SetStartTime(0);
    e.SetEndTime(86399);
    for (const TextCase& t : kTexts) (e.*t.set)("X");
    e.SetExtraNumber(5);
    e.SetKeyChar4(0);
    e.SetCode('j');
    e.SetDateAuto(true);
    e.SetTimeAuto(true);
    e.ClearTotals();
    e.SetRstSentFree(false);
    e.SetRstRcvdFree(true);
    e.SetQslSend('N');
    e.SetQslRcvd('N');
    e.SetCategory(2);
    e.SetStartSsb(true);
    e.SetNoteTop(1);
    e.SetNoteLeft(2);
    e.SetNoteWidth(3);
    e.SetNoteHeight(4);
    e.SetStartFm(false);
    e.SetStartPr(true);
    e.SetBandAuto(false);
    e.SetExtraFlag(true);
    for (int c = 0; c < ContestEntry::kColumnWidths; ++c) e.SetColumnWidth(c, 50);
    e.SetTotalsInExtra(true);
    e.SetEditedMask(15);

    const std::pair<std::size_t, std::size_t> reserved[] = {{0, 4},   {66, 7},  {162, 4},  {179, 4},
                                                            {194, 2}, {248, 1}, {271, 10}, {351, 2},
                                                            {365, 2}, {375, 4}};
    for (const auto& [from, size] : reserved) {
        for (std::size_t i = from; i < from + size; ++i) {
            EXPECT_EQ(e.bytes()[i], stored[i]) << "reserved byte " << i;
        }
    }
    const ContestEntry copy{e.bytes()};
    EXPECT_EQ(copy, e);
    EXPECT_EQ(copy.Call(), "X");
    EXPECT_EQ(copy.EndTime(), 86399);
    EXPECT_EQ(copy.ColumnWidth(7), 50);
}

}  // namespace
}  // namespace mss::contest

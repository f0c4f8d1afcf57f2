#include "contest/ContestStore.h"

#include <gtest/gtest.h>

#include <random>

#include "contest/ContestStoreFixture.h"
#include "store/KeyCodec.h"

namespace mss::contest {
namespace {

class ContestStoreTest : public test::ContestStoreFixture {
  protected:
    std::int32_t Add(char code, std::string_view name, std::int32_t startDate = 0) {
        ContestEntry entry;
        entry.SetCode(code);
        entry.SetName(name);
        entry.SetStartDate(startDate);
        std::int32_t number = 0;
        EXPECT_EQ(AddContestEntry(entry, ContestExtra(), number), 0);
        return number;
    }

    static std::vector<std::int32_t> Numbers(const std::vector<ContestEntry>& entries) {
        std::vector<std::int32_t> numbers;
        for (const ContestEntry& e : entries) numbers.push_back(e.Number());
        return numbers;
    }
};

template <std::size_t N>
std::array<std::uint8_t, N> RandomBytes(unsigned seed) {
    std::mt19937 random(seed);
    std::array<std::uint8_t, N> b{};
    for (auto& x : b) x = static_cast<std::uint8_t>(random());
    return b;
}

TEST_F(ContestStoreTest, EntriesAndExtrasRoundTripByteForByteReservedBytesIncluded) {
    ContestEntry entry(RandomBytes<ContestEntry::kSize>(1));
    entry.SetCode('j');
    entry.SetName("Sprint Mai 2026 mit Team!");  // 25 characters, the capacity
    entry.SetCall("DL1ABC/P-XYZ-TOO-LONG");      // cut to 12
    ContestExtra extra(RandomBytes<ContestExtra::kSize>(2));
    std::int32_t number = 0;
    ASSERT_EQ(AddContestEntry(entry, extra, number), 0);
    EXPECT_EQ(number, 1);

    ContestFile()->ClearRecord();
    ExtraFile()->ClearRecord();
    ASSERT_EQ(ContestFile()->Find(kByNumber, store::IntToKey(number)), 0);
    ASSERT_EQ(LoadExtra(), 0);
    ContestEntry expected = entry;
    std::fill_n(expected.bytes().begin(), 4, 0);
    expected.SetNumber(number);
    EXPECT_EQ(SelectedEntry(), expected);
    EXPECT_EQ(SelectedEntry().Name(), "Sprint Mai 2026 mit Team!");
    EXPECT_EQ(SelectedEntry().Call(), "DL1ABC/P-XYZ");
    ContestExtra expectedExtra = extra;
    std::fill_n(expectedExtra.bytes().begin(), 4, 0);
    expectedExtra.SetNumber(number);
    EXPECT_EQ(SelectedExtra(), expectedExtra);
    EXPECT_EQ(ExtraFile()->RecordCount(), 1) << "the existing extra record was found, not added";
}

TEST_F(ContestStoreTest, TwoEntriesWithTheSameNameAreBothListedWithTheirOwnNumbers) {
    const std::int32_t first = Add('j', "MS Sprint");
    const std::int32_t second = Add('j', "MS Sprint");
    EXPECT_NE(first, second);
    EXPECT_EQ(Numbers(ListContestEntries('j')), (std::vector<std::int32_t>{first, second}));
}

TEST_F(ContestStoreTest, EntriesOfAnotherCodeAreNeverInTheRangeOfJ) {
    const std::string high(25, '\xFF');
    Add('i', high);
    Add('i', "");
    const std::int32_t b = Add('j', "Bravo");
    const std::int32_t a = Add('j', "Alpha");
    const std::int32_t last = Add('j', high);
    const std::int32_t empty = Add('j', "");
    Add('k', "");
    Add('k', "Alpha");
    EXPECT_EQ(Numbers(ListContestEntries('j')), (std::vector<std::int32_t>{empty, a, b, last}));
    EXPECT_TRUE(ListContestEntries('x').empty());

    const KeyRange range = ContestRange('j');
    ContestEntry other;
    other.SetName(high);
    for (char code : {'i', 'k'}) {
        other.SetCode(code);
        EXPECT_FALSE(range.Contains(ContestKeyOf(other.bytes(), kByCodeName))) << code;
    }
    other.SetCode('j');
    EXPECT_TRUE(range.Contains(ContestKeyOf(other.bytes(), kByCodeName)));
}

TEST_F(ContestStoreTest, DeletingTheHighestNumberAndAddingAgainGivesTheSameNumber) {
    Add('j', "Eins");
    const std::int32_t highest = Add('j', "Zwei");
    ASSERT_EQ(ContestFile()->Find(kByNumber, store::IntToKey(highest)), 0);
    ASSERT_EQ(ContestFile()->Delete(0), 0);
    ASSERT_EQ(ExtraFile()->Find(1, store::IntToKey(highest)), 0);
    ContestExtra stale = SelectedExtra();
    stale.SetPointSum(1, 999);  // left behind by the deleted entry
    SetSelectedExtra(stale);
    ASSERT_EQ(ExtraFile()->Update(), 0);

    EXPECT_EQ(Add('j', "Drei"), highest);
    ASSERT_EQ(LoadExtra(), 0);
    EXPECT_EQ(SelectedExtra().PointSum(1), 0) << "nothing of the old entry shows up";
    EXPECT_EQ(ExtraFile()->RecordCount(), 2);
    EXPECT_EQ(Add('k', "Vier"), highest + 1) << "numbers run across all contest codes";
}

TEST_F(ContestStoreTest, LoadExtraRecreatesALostExtraRecordEmpty) {
    ContestExtra extra;
    extra.SetQsoCount(1, 42);
    extra.SetLogVoidDupes(true);
    ContestEntry entry;
    entry.SetCode('j');
    std::int32_t number = 0;
    ASSERT_EQ(AddContestEntry(entry, extra, number), 0);
    ASSERT_EQ(ExtraFile()->Find(1, store::IntToKey(number)), 0);
    ASSERT_EQ(ExtraFile()->Delete(0), 0);

    ContestFile()->Find(kByNumber, store::IntToKey(number));
    ASSERT_EQ(LoadExtra(), 0);
    EXPECT_EQ(SelectedExtra().Number(), number);
    EXPECT_EQ(SelectedExtra().QsoCount(1), 0);
    EXPECT_FALSE(SelectedExtra().LogVoidDupes());
    ExtraFile()->ClearRecord();
    EXPECT_EQ(ExtraFile()->Find(1, store::IntToKey(number)), 0) << "stored, not only in the buffer";
    EXPECT_EQ(ExtraFile()->RecordCount(), 1);
}

TEST_F(ContestStoreTest, ListingKeepsTheSelectedEntryWithItsUnsavedChanges) {
    const std::int32_t first = Add('j', "Eins");
    Add('j', "Zwei");
    ASSERT_EQ(ContestFile()->Find(kByNumber, store::IntToKey(first)), 0);
    ContestEntry changed = SelectedEntry();
    changed.SetCall("DL9XYZ");
    SetSelectedEntry(changed);
    EXPECT_EQ(ListContestEntries('j').size(), 2u);
    EXPECT_EQ(SelectedEntry(), changed);
    ASSERT_EQ(ContestFile()->Update(), 0) << "the selected record is still the current one ";
    ContestFile()->Find(kByNumber, store::IntToKey(first));
    EXPECT_EQ(SelectedEntry().Call(), "DL9XYZ");
}

TEST(ContestKeys, DateKeySortsEntriesWithoutDateFirstAndByDateWithinACode) {
    ContestEntry none, early, late;
    for (ContestEntry* e : {&none, &early, &late}) e->SetCode('j');
    early.SetStartDate(100);
    late.SetStartDate(0x01020304);
    EXPECT_EQ(ContestKeyOf(late.bytes(), kByCodeDate), std::string("j\x01\x02\x03\x04"));
    EXPECT_LT(store::CompareKeys(ContestKeyOf(none.bytes(), kByCodeDate),
                                 ContestKeyOf(early.bytes(), kByCodeDate)),
              0);
    EXPECT_LT(store::CompareKeys(ContestKeyOf(early.bytes(), kByCodeDate),
                                 ContestKeyOf(late.bytes(), kByCodeDate)),
              0);
    late.SetName("Abc");
    EXPECT_EQ(ContestKeyOf(late.bytes(), kByName), "Abc" + std::string(22, ' '));
    EXPECT_EQ(ContestKeyOf(late.bytes(), kByCodeName), "jAbc" + std::string(22, ' '));
    EXPECT_EQ(ContestKeyOf(late.bytes(), kByKeyChar4), std::string(1, '\0'));
    EXPECT_EQ(ContestKeyOf(late.bytes(), 6), "");
}

}  // namespace
}  // namespace mss::contest

#include "contest/EntryListTexts.h"

#include <gtest/gtest.h>

#include "radio/DateTime.h"
#include "radio/ProgramValues.h"

namespace mss::contest {
namespace {

ContestEntry Entry(std::string_view name, std::int32_t number, std::int32_t start,
                   std::int32_t end) {
    ContestEntry entry;
    entry.SetName(name);
    entry.SetNumber(number);
    entry.SetStartDate(start);
    entry.SetEndDate(end);
    return entry;
}

const std::int32_t kAug12 = radio::DayNumber(12, 8, 2026);
const std::int32_t kAug13 = radio::DayNumber(13, 8, 2026);
const std::string kNoDate(13, ' ');

TEST(EntryListTextsTest, RowsOfEveryOrderPutTheirColumnsInFrontOfTheName) {
    struct Case {
        ContestEntry entry;
        int keyNr;
        std::string row;
    };
    const ContestEntry sprint = Entry("Sprint 2026", 7, kAug12, kAug13);
    const ContestEntry undated = Entry("Ohne Datum", 12345, 0, -1);
    const ContestEntry full = Entry("ABCDEFGHIJKLMNOPQRSTUVWXY", 1, kAug12, 0);
    const Case cases[] = {
        {sprint, 1, " Sprint 2026 ;12.08.2026   ;13.08.2026   "},
        {sprint, 5, " Sprint 2026 ;12.08.2026   ;13.08.2026   "},
        {sprint, 2, " 12.08.2026   ;Sprint 2026 ;13.08.2026   "},
        {sprint, 3, "      7 ;12.08.2026   ;Sprint 2026 ;13.08.2026   "},
        {undated, 1, " Ohne Datum ;" + kNoDate + ";" + kNoDate},
        {undated, 2, " " + kNoDate + ";Ohne Datum ;" + kNoDate},
        {undated, 3, "  12345 ;" + kNoDate + ";Ohne Datum ;" + kNoDate},
        // A name of the full 25 characters is never cut.
        {full, 1, " ABCDEFGHIJKLMNOPQRSTUVWXY ;12.08.2026   ;" + kNoDate},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EntryRowText(c.entry, c.keyNr), c.row) << c.entry.Name() << " key " << c.keyNr;
}

TEST(EntryListTextsTest, HeadingsLineUpWithTheRowsInBothLanguages) {
    radio::ResetProgramValues();
    const std::string tail(200, ' ');
    const std::string name = " Name" + std::string(21, ' ');
    EXPECT_EQ(EntryHeaderText(1), " " + name + ";Datum (von)  ;Datum (bis)  " + tail);
    EXPECT_EQ(EntryHeaderText(2), " Datum (von)  ;" + name + ";Datum (bis)  " + tail);
    EXPECT_EQ(EntryHeaderText(3), " Nr     ;Datum (von)  ;" + name + ";Datum (bis)  " + tail);
    // Every column of a heading is as wide as the same column of a row.
    const ContestEntry sprint = Entry("ABCDEFGHIJKLMNOPQRSTUVWXY", 999999, kAug12, kAug13);
    for (int keyNr : {1, 2, 3}) {
        const std::string row = EntryRowText(sprint, keyNr);
        const std::string header = EntryHeaderText(keyNr).substr(0, row.size());
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (row[i] == ';') {
                EXPECT_EQ(header[i], ';') << "key " << keyNr << " at " << i;
            }
        }
    }
    radio::Program().LanguageGerman = 0;
    EXPECT_EQ(EntryHeaderText(1), " " + name + ";Date (from)  ; Date (to)   " + tail);
    EXPECT_EQ(EntrySortCaptions(), (std::vector<std::string>{"Name", "Date"}));
    radio::ResetProgramValues();
    EXPECT_EQ(EntrySortCaptions(), (std::vector<std::string>{"Name", "Datum"}));
    EXPECT_EQ(EntrySortKey(0), 1);
    EXPECT_EQ(EntrySortKey(1), 2);
}

}  // namespace
}  // namespace mss::contest

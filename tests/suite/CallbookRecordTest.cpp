// The fields the contest log reads from the callbook and the call file lie
// where the files' own keys read them, and every other byte is carried.
#include "suite/CallbookRecord.h"

#include <gtest/gtest.h>

namespace mss::suite {
namespace {

TEST(CallbookRecordTest, FieldsLieUnderTheKeysThatIndexThem) {
    CallbookRecord book;
    book.SetCall("DL1ABC");
    book.Set(CallField::Club1, "1234");
    book.Set(CallField::Club2, "567");
    book.Set(CallField::Name, "Hans Meier");
    book.Set(CallField::Ldk, "ABC");
    const struct {
        int key;
        std::string text;
    } bookKeys[] = {
        {1, "DL1ABC    "},         {3, "1234  "}, {2, "567   "}, {5, "Hans Meier          "},
        {7, "ABC     DL1ABC    "},
    };
    for (const auto& k : bookKeys) EXPECT_EQ(CallbookKey(book.bytes(), k.key), k.text) << k.key;

    CallHistoryRecord file;
    file.SetCall("OE1XYZ");
    file.Set(CallField::Club1, "12");
    file.Set(CallField::Club2, "34");
    file.Set(CallField::Name, "Franz");
    const struct {
        int key;
        std::string text;
    } fileKeys[] = {{1, "OE1XYZ    "}, {2, "12   "}, {3, "34   "}, {4, "Franz     "}};
    for (const auto& k : fileKeys) EXPECT_EQ(CallHistoryKey(file.bytes(), k.key), k.text) << k.key;
}

TEST(CallbookRecordTest, FieldsDoNotOverlapAndOtherBytesAreCarried) {
    std::array<std::uint8_t, CallbookRecord::kSize> bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(0x41 + i % 7);
    CallbookRecord book(bytes);
    const CallField fields[] = {CallField::Club1,  CallField::Club2, CallField::Name,
                                CallField::Member, CallField::Dok,   CallField::Locator,
                                CallField::Ldk,    CallField::Qth};
    for (CallField f : fields) book.Set(f, "X");
    for (CallField f : fields) EXPECT_EQ(book.Get(f), "X");
    // The suite's own bytes between the fields stay as read.
    for (std::size_t at : {15u, 36u, 90u, 107u, 240u, 330u})
        EXPECT_EQ(book.bytes()[at], bytes[at]) << at;
    CallHistoryRecord file;
    EXPECT_EQ(file.Get(CallField::Qth), "");
    file.Set(CallField::Qth, "Wien");
    EXPECT_EQ(file.bytes(), CallHistoryRecord().bytes());
}

}  // namespace
}  // namespace mss::suite

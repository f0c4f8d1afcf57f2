#include "radio/TypedDateTime.h"

#include <gtest/gtest.h>

namespace mss::radio {
namespace {

TEST(TypedDateTimeTest, ShortDatesAreCompletedWithTheCurrentYearAndCentury) {
    const std::pair<const char*, const char*> cases[] = {
        {"1208", "12.08.2026"},
        {"12.08", "12.08.2026"},
        {"12.08.", "12.08.2026"},
        {"1.8.", "01.08.2026"},
        {"12.8.12", "12.08.2012"},
        {"120812", "12.08.2012"},
        {"12.08.49", "12.08.2049"},
        {"12.08.50", "12.08.1950"},
        {"12082013", "12.08.2013"},
        {" 12.08.2012 ", "12.08.2012"},
        {"12.08.2012", "12.08.2012"},
        // Nothing a short form explains stays as typed.
        {"", ""},
        {"abc", "abc"},
        {"123", "123"},
        {"1.2.3.4", "1.2.3.4"},
        {"123.08", "123.08"},
        {"12.x8", "12.x8"},
    };
    for (const auto& [typed, completed] : cases)
        EXPECT_EQ(CompleteTypedDate(typed, 2026), completed) << typed;
}

TEST(TypedDateTimeTest, ShortTimesAreCompletedToHoursAndMinutes) {
    const std::pair<const char*, const char*> cases[] = {
        {"1234", "12:34"},  {"123", "01:23"},   {"1.23", "01:23"},  {"1:23", "01:23"},
        {"12.34", "12:34"}, {"12:34", "12:34"}, {"7", "07:00"},     {"12", "12:00"},
        {"", ""},           {"ab", "ab"},       {"12345", "12345"},
    };
    for (const auto& [typed, completed] : cases)
        EXPECT_EQ(CompleteTypedTime(typed), completed) << typed;
}

}  // namespace
}  // namespace mss::radio

// Short dates and times as operators type them, completed to the full text
// the contact entry and the contest setup read.
#include <gtest/gtest.h>

#include "log/PanelFill.h"

namespace mss::log {
namespace {

TEST(PanelCompletionTest, ShortDatesGetTheCurrentYearAndCentury) {
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
        // Nothing a short form explains stays as typed (and then reads as no date).
        {"", ""},
        {"abc", "abc"},
        {"1.2.3.4", "1.2.3.4"},
        {"12.x8", "12.x8"},
    };
    for (const auto& [typed, completed] : cases)
        EXPECT_EQ(CompleteDate(typed, 2026), completed) << typed;
}

TEST(PanelCompletionTest, ShortTimesBecomeHoursAndMinutes) {
    const std::pair<const char*, const char*> cases[] = {
        {"1234", "12:34"}, {"123", "01:23"},   {"1.23", "01:23"},
        {"1:23", "01:23"}, {"12.34", "12:34"}, {"12:34", "12:34"},
        {"", ""},          {"ab", "ab"},       {"12345", "12345"},
    };
    for (const auto& [typed, completed] : cases) EXPECT_EQ(CompleteTime(typed), completed) << typed;
}

}  // namespace
}  // namespace mss::log

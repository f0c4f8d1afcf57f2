// Dates as day numbers, times as seconds since midnight, their texts by
// picture, and today and now in local time and UTC.
//
// A picture is a template such as "dd.mm.yyyy": in dates "d" day, "m" month,
// "y" year, "n" month name, "w" weekday name; in times "h" hour, "m" minute,
// "s" second. A lower-case letter pads numbers with "0", an upper-case one
// with blanks and upper-cases names. Every other character is copied; the
// date separator is "/" and the time separator ":", so those stay as they are.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mss::radio {

// Day 0 is 1 January 1600 (Gregorian); valid years are 1600 to 3999.
inline constexpr std::int32_t kNoDate = -1;
// Seconds since midnight, 0 up to but not including 86400.
inline constexpr std::int32_t kNoTime = -1;
inline constexpr std::int32_t kSecondsPerDay = 86400;

// The fixed pictures of the program.
inline constexpr std::string_view DateFormat = "dd.mm.yyyy";
inline constexpr std::string_view TimeFormat = "hh:mm";

struct CalendarDate {
    int day = 0;
    int month = 0;
    int year = 0;
    bool operator==(const CalendarDate&) const = default;
};

// Years below 100: 00-39 are 2000-2039, 40-99 are 1940-1999.
int WidenYear(int year);
bool IsLeapYear(int year);

// The day number of a date, or kNoDate when the date does not exist or lies
// outside 1600-3999. Two-digit years are widened first.
std::int32_t DayNumber(int day, int month, int year);
// The inverse of DayNumber; any negative day number gives 0, 0, 0.
CalendarDate DayMonthYear(std::int32_t dayNumber);

// The picture is cut to 40 characters; kNoDate (or any negative number)
// blanks every picture letter.
std::string DateToText(std::string_view picture, std::int32_t dayNumber);
std::string TimeToText(std::string_view picture, std::int32_t seconds);

// kNoDate unless the text matches the picture character for character and
// names an existing date.
std::int32_t TextToDate(std::string_view picture, std::string_view text);
// kNoTime for a field that is empty, not a number or out of range. A text
// of another length than the picture reads as midnight.
std::int32_t TextToTime(std::string_view picture, std::string_view text);

// The computer's local clock.
std::int32_t TodayLocal();
std::int32_t NowLocal();
// The local clock shifted by the program-wide ClockOffset.
std::int32_t TodayUtc();
std::int32_t NowUtc();

std::string TodayText(std::string_view picture);
std::string NowText(std::string_view picture);
std::string TodayUtcText(std::string_view picture);
std::string NowUtcText(std::string_view picture);

}  // namespace mss::radio

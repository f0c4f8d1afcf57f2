#include "radio/DateTime.h"

#include "platform/Clock.h"
#include "radio/ProgramValues.h"
#include "radio/Text.h"

#include <algorithm>
#include <array>
#include <optional>

namespace mss::radio {

namespace {

constexpr std::size_t kMaxPicture = 40;

constexpr std::array<std::string_view, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<std::string_view, 7> kWeekdayNames = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
// 1 January 1600 was a Saturday.
constexpr int kWeekdayOfDayZero = 6;

bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
char ToLowerAscii(char c) {
    return IsUpper(c) ? static_cast<char>(c - 'A' + 'a') : c;
}

struct Run {
    std::size_t start;
    std::size_t length;
};

// The first run of a picture letter: the first lower-case occurrence, else
// the first upper-case one, together with the same letter (either case)
// that follows it.
std::optional<Run> FindRun(std::string_view picture, char lower) {
    std::size_t start = picture.find(lower);
    if (start == std::string_view::npos) start = picture.find(static_cast<char>(lower - 'a' + 'A'));
    if (start == std::string_view::npos) return std::nullopt;
    std::size_t end = start + 1;
    while (end < picture.size() && ToLowerAscii(picture[end]) == lower) ++end;
    return Run{start, end - start};
}

// Fills the run of a letter with the last characters of a number
// right-aligned in 40 characters; blanks become "0" under lower-case letters.
void FillNumber(std::string& buffer, char lower, long value) {
    const auto run = FindRun(buffer, lower);
    if (!run) return;
    const std::string number = PadLeft(std::to_string(value), kMaxPicture);
    const std::size_t from = number.size() - run->length;
    for (std::size_t i = 0; i < run->length; ++i) {
        char& slot = buffer[run->start + i];
        const char c = number[from + i];
        slot = (c == ' ' && !IsUpper(slot)) ? '0' : c;
    }
}

// Fills the run of a letter with a name cut or padded to the run; upper case
// under upper-case letters.
void FillName(std::string& buffer, char lower, std::string_view name) {
    const auto run = FindRun(buffer, lower);
    if (!run) return;
    const std::string fitted = Fit(name, static_cast<int>(run->length));
    for (std::size_t i = 0; i < run->length; ++i) {
        char& slot = buffer[run->start + i];
        const char c = fitted[i];
        slot = IsUpper(slot) ? UpperText(std::string_view(&c, 1))[0] : c;
    }
}

void BlankLetters(std::string& buffer, std::string_view letters) {
    for (char& c : buffer) {
        if (letters.find(ToLowerAscii(c)) != std::string_view::npos) c = ' ';
    }
}

// A text field at the positions of a run: blanks dropped, then trimmed.
std::string ReadField(std::string_view text, const Run& run) {
    std::string field;
    for (std::size_t i = 0; i < run.length; ++i) {
        if (text[run.start + i] != ' ') field += text[run.start + i];
    }
    return Trim(field);
}

// A whole decimal number, or nothing. Saturates far beyond any valid field
// so that a long run of digits cannot overflow.
std::optional<int> ParseNumber(std::string_view field) {
    if (field.empty()) return std::nullopt;
    long value = 0;
    for (char c : field) {
        if (c < '0' || c > '9') return std::nullopt;
        value = std::min(value * 10 + (c - '0'), 1'000'000'000L);
    }
    return static_cast<int>(value);
}

// A numeric field of a picture: its default when the letter is absent or
// the text does not match the picture's length; nothing when it is bad.
std::optional<int> NumberField(std::string_view picture, std::string_view text, char lower,
                               int fallback) {
    const auto run = FindRun(picture, lower);
    if (!run || picture.size() != text.size()) return fallback;
    return ParseNumber(ReadField(text, *run));
}

// The month of an "n" run, 1-12, or 0 when the field names no month.
int MonthFromName(std::string_view text, const Run& run) {
    const int width = static_cast<int>(run.length);
    const std::string field = Fit(UpperText(ReadField(text, run)), width);
    for (std::size_t i = 0; i < kMonthNames.size(); ++i) {
        if (Fit(UpperText(kMonthNames[i]), width) == field) return static_cast<int>(i) + 1;
    }
    return 0;
}

int DaysInMonth(int month, int year) {
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

platform::CivilTime LocalClock() {
    return platform::CurrentClock().Local();
}

std::int32_t SecondsOf(const platform::CivilTime& t) {
    return t.hour * 3600 + t.minute * 60 + t.second;
}

}  // namespace

int WidenYear(int year) {
    if (year < 0 || year >= 100) return year;
    return 1900 + year < 1940 ? 2000 + year : 1900 + year;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

std::int32_t DayNumber(int day, int month, int year) {
    year = WidenYear(year);
    if (month < 1 || month > 12 || year < 1600 || year > 3999) return kNoDate;
    if (day < 1 || day > DaysInMonth(month, year)) return kNoDate;
    if (year == 1600 && month < 3) return month == 1 ? day - 1 : day + 30;
    const int y = year - 1600 - (month < 3 ? 1 : 0);
    const int monthDays = (153 * month - 457 + (month < 3 ? 1836 : 0)) / 5;
    return (y / 100) * 146097 / 4 + (y % 100) * 1461 / 4 + monthDays + day + 59;
}

CalendarDate DayMonthYear(std::int32_t dayNumber) {
    if (dayNumber < 0) return {};
    if (dayNumber < 31) return {dayNumber + 1, 1, 1600};
    if (dayNumber < 60) return {dayNumber - 30, 2, 1600};
    // Count from 1 March 1600, the start of a 400-year cycle whose years
    // run March to February, so that the leap day comes last.
    const int z = dayNumber - 60;
    const int era = z / 146097;
    const int dayOfEra = z - era * 146097;
    const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int monthIndex = (5 * dayOfYear + 2) / 153;  // 0 = March
    const int day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    const int month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    const int year = 1600 + era * 400 + yearOfEra + (month <= 2 ? 1 : 0);
    return {day, month, year};
}

std::string DateToText(std::string_view picture, std::int32_t dayNumber) {
    std::string buffer(picture.substr(0, kMaxPicture));
    if (dayNumber < 0) {
        BlankLetters(buffer, "dmynw");
        return buffer;
    }
    const CalendarDate date = DayMonthYear(dayNumber);
    FillNumber(buffer, 'm', date.month);
    FillNumber(buffer, 'd', date.day);
    FillNumber(buffer, 'y', date.year);
    FillName(buffer, 'n', kMonthNames[date.month - 1]);
    FillName(buffer, 'w', kWeekdayNames[(dayNumber % 7 + kWeekdayOfDayZero) % 7]);
    return buffer;
}

std::string TimeToText(std::string_view picture, std::int32_t seconds) {
    std::string buffer(picture.substr(0, kMaxPicture));
    if (seconds < 0) {
        BlankLetters(buffer, "hms");
        return buffer;
    }
    FillNumber(buffer, 'h', seconds / 3600);
    FillNumber(buffer, 'm', seconds / 60 % 60);
    FillNumber(buffer, 's', seconds % 60);
    return buffer;
}

std::int32_t TextToDate(std::string_view picture, std::string_view text) {
    picture = picture.substr(0, kMaxPicture);
    text = text.substr(0, kMaxPicture);
    std::optional<int> month;
    if (const auto nameRun = FindRun(picture, 'n')) {
        month = picture.size() == text.size() ? MonthFromName(text, *nameRun) : 0;
    } else {
        month = NumberField(picture, text, 'm', 0);
    }
    const auto day = NumberField(picture, text, 'd', 1);
    const auto year = NumberField(picture, text, 'y', 0);
    if (!month || !day || !year) return kNoDate;
    return DayNumber(*day, *month, *year);
}

std::int32_t TextToTime(std::string_view picture, std::string_view text) {
    picture = picture.substr(0, kMaxPicture);
    text = text.substr(0, kMaxPicture);
    const auto hours = NumberField(picture, text, 'h', 0);
    const auto minutes = NumberField(picture, text, 'm', 0);
    const auto seconds = NumberField(picture, text, 's', 0);
    if (!hours || !minutes || !seconds) return kNoTime;
    if (*hours > 23 || *minutes > 60 || *seconds > 60) return kNoTime;
    return (*hours * 3600 + *minutes * 60 + *seconds) % kSecondsPerDay;
}

std::int32_t TodayLocal() {
    const auto now = LocalClock();
    return DayNumber(now.day, now.month, now.year);
}

std::int32_t NowLocal() {
    return SecondsOf(LocalClock());
}

std::int32_t TodayUtc() {
    const auto now = LocalClock();
    const std::int32_t today = DayNumber(now.day, now.month, now.year);
    if (today == kNoDate) return kNoDate;
    const int hour = now.hour + Program().ClockOffset;
    if (hour < 0) return today - 1;
    if (hour >= 24) return today + 1;
    return today;
}

std::int32_t NowUtc() {
    const std::int32_t local = NowLocal();
    const std::int32_t offset = Program().ClockOffset;
    if (offset >= 0) return (local + offset % 24 * 3600) % kSecondsPerDay;
    // offset % 24 keeps the sign of a negative offset.
    const std::int32_t shifted = local + offset % 24 * 3600;
    return shifted < 0 ? shifted + kSecondsPerDay : shifted;
}

std::string TodayText(std::string_view picture) {
    return DateToText(picture, TodayLocal());
}
std::string NowText(std::string_view picture) {
    return TimeToText(picture, NowLocal());
}
std::string TodayUtcText(std::string_view picture) {
    return DateToText(picture, TodayUtc());
}
std::string NowUtcText(std::string_view picture) {
    return TimeToText(picture, NowUtc());
}

}  // namespace mss::radio

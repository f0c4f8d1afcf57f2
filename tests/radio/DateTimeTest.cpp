#include "radio/DateTime.h"

#include "platform/Clock.h"
#include "radio/ProgramValues.h"

#include <gtest/gtest.h>

#include <random>

namespace mss::radio {
namespace {

const std::int32_t k5March2012 = DayNumber(5, 3, 2012);

TEST(DateTimeTest, DayNumbersStartOnTheFirstOfJanuary1600) {
    EXPECT_EQ(DayNumber(1, 1, 1600), 0);
    EXPECT_EQ(DayNumber(31, 1, 1600), 30);
    EXPECT_EQ(DayNumber(1, 2, 1600), 31);
    EXPECT_EQ(DayNumber(29, 2, 1600), 59);
    EXPECT_EQ(DayNumber(1, 3, 1600), 60);
    EXPECT_EQ(DayNumber(1, 1, 1601), 366);
    EXPECT_EQ(DayNumber(1, 1, 2000), 146097);  // one 400-year cycle
    EXPECT_EQ(DayNumber(31, 12, 3999), 876581);
}

TEST(DateTimeTest, DayNumberRefusesDatesThatDoNotExist) {
    EXPECT_EQ(DayNumber(29, 2, 1900), kNoDate);
    EXPECT_NE(DayNumber(29, 2, 2000), kNoDate);
    EXPECT_NE(DayNumber(29, 2, 2012), kNoDate);
    EXPECT_EQ(DayNumber(29, 2, 2011), kNoDate);
    EXPECT_EQ(DayNumber(31, 4, 2012), kNoDate);
    EXPECT_EQ(DayNumber(0, 1, 2012), kNoDate);
    EXPECT_EQ(DayNumber(32, 1, 2012), kNoDate);
    EXPECT_EQ(DayNumber(1, 0, 2012), kNoDate);
    EXPECT_EQ(DayNumber(1, 13, 2012), kNoDate);
    EXPECT_EQ(DayNumber(31, 12, 1599), kNoDate);
    EXPECT_EQ(DayNumber(1, 1, 4000), kNoDate);
    EXPECT_EQ(DayNumber(1, 1, -5), kNoDate);
}

TEST(DateTimeTest, TwoDigitYearsAreWidenedAroundNineteenForty) {
    EXPECT_EQ(DayNumber(1, 1, 0), DayNumber(1, 1, 2000));
    EXPECT_EQ(DayNumber(1, 1, 39), DayNumber(1, 1, 2039));
    EXPECT_EQ(DayNumber(1, 1, 40), DayNumber(1, 1, 1940));
    EXPECT_EQ(DayNumber(1, 1, 99), DayNumber(1, 1, 1999));
    EXPECT_EQ(WidenYear(100), 100);
}

TEST(DateTimeTest, NoDateHasNoDayMonthOrYear) {
    EXPECT_EQ(DayMonthYear(kNoDate), (CalendarDate{0, 0, 0}));
    EXPECT_EQ(DayMonthYear(-1000), (CalendarDate{0, 0, 0}));
    EXPECT_EQ(DayMonthYear(0), (CalendarDate{1, 1, 1600}));
}

TEST(DateTimeTest, EveryDayFrom1600To3999RoundTripsThroughNumberAndText) {
    std::int32_t expected = 0;
    for (int year = 1600; year <= 3999; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= 31; ++day) {
                const std::int32_t n = DayNumber(day, month, year);
                if (n == kNoDate) continue;
                ASSERT_EQ(n, expected) << day << "." << month << "." << year;
                ASSERT_EQ(DayMonthYear(n), (CalendarDate{day, month, year})) << n;
                ASSERT_EQ(TextToDate(DateFormat, DateToText(DateFormat, n)), n) << n;
                ++expected;
            }
        }
    }
    EXPECT_EQ(expected, 876582);
}

TEST(DateTimeTest, DatePicturesFillNumbersAndNames) {
    EXPECT_EQ(DateToText("dd.mm.yyyy", k5March2012), "05.03.2012");
    EXPECT_EQ(DateToText("ddmmyy", k5March2012), "050312");
    EXPECT_EQ(DateToText("yymmdd", k5March2012), "120305");
    EXPECT_EQ(DateToText("DD.MM.YY", k5March2012), " 5. 3.12");
    EXPECT_EQ(DateToText("yyyy/mm/dd", k5March2012), "2012/03/05");
    EXPECT_EQ(DateToText("yyyyy", k5March2012), "02012");
    EXPECT_EQ(DateToText("YYYYY", k5March2012), " 2012");
    EXPECT_EQ(DateToText("nnn", k5March2012), "Mar");
    EXPECT_EQ(DateToText("NNN", k5March2012), "MAR");
    EXPECT_EQ(DateToText("nnnnnnn", k5March2012), "March  ");
    EXPECT_EQ(DateToText("www, dd", k5March2012), "Mon, 05");
    EXPECT_EQ(DateToText("WWWWWWWWW", DayNumber(9, 12, 2026)), "WEDNESDAY");
    EXPECT_EQ(DateToText("www", 0), "Sat");  // 1 January 1600
    EXPECT_EQ(DateToText("www", DayNumber(1, 1, 2000)), "Sat");
}

TEST(DateTimeTest, OnlyTheFirstRunOfALetterIsFilled) {
    EXPECT_EQ(DateToText("dd-dd", k5March2012), "05-dd");
    // The lower-case letter wins over an earlier upper-case one.
    EXPECT_EQ(DateToText("D/d", k5March2012), "D/5");
    // A short run takes the last digits.
    EXPECT_EQ(DateToText("d", DayNumber(25, 12, 2012)), "5");
    EXPECT_EQ(DateToText("y", k5March2012), "2");
}

TEST(DateTimeTest, NoDateBlanksEveryPictureLetter) {
    EXPECT_EQ(DateToText("dd.mm.yyyy", kNoDate), "  .  .    ");
    EXPECT_EQ(DateToText("Www, DD. NNN yy", kNoDate), "   ,   .       ");
    EXPECT_EQ(DateToText("yyyy/mm/dd", kNoDate), "    /  /  ");
}

TEST(DateTimeTest, PicturesAreCutToFortyCharacters) {
    const std::string longPicture = std::string(38, '-') + "dd.mm";
    EXPECT_EQ(DateToText(longPicture, k5March2012), std::string(38, '-') + "05");
    EXPECT_EQ(TimeToText(std::string(45, 'x'), 0), std::string(40, 'x'));
}

TEST(DateTimeTest, TimePicturesFillHoursMinutesAndSeconds) {
    const std::int32_t t = 18 * 3600 + 7 * 60 + 30;
    EXPECT_EQ(TimeToText("hhmm", t), "1807");
    EXPECT_EQ(TimeToText("hh:mm:ss", t), "18:07:30");
    EXPECT_EQ(TimeToText("HH:MM", 3660), " 1: 1");
    EXPECT_EQ(TimeToText(TimeFormat, 0), "00:00");
    EXPECT_EQ(TimeToText("hh:mm:ss", kSecondsPerDay - 1), "23:59:59");
    EXPECT_EQ(TimeToText("hh:mm", kNoTime), "  :  ");
    EXPECT_EQ(TimeToText("HH:MM:SS Z", kNoTime), "  :  :   Z");
}

TEST(DateTimeTest, TextToDateReadsOnlyTextsAsLongAsThePicture) {
    EXPECT_EQ(TextToDate("dd.mm.yyyy", "05.03.2012"), k5March2012);
    EXPECT_EQ(TextToDate("dd.mm.yyyy", "5.3.2012"), kNoDate);
    EXPECT_EQ(TextToDate("dd.mm.yy", "05.03.12"), k5March2012);
    EXPECT_EQ(TextToDate("dd.mm.yy", "05.03.45"), DayNumber(5, 3, 1945));
    EXPECT_EQ(TextToDate("dd.mm.yyyy", " 5. 3.2012"), k5March2012);
    EXPECT_EQ(TextToDate("dd.mm.yyyy", "05.03.2012 "), kNoDate);
    EXPECT_EQ(TextToDate("dd.mm.yyyy", ""), kNoDate);
}

TEST(DateTimeTest, TextToDateRefusesBadFields) {
    EXPECT_EQ(TextToDate("dd.mm.yyyy", "31.02.2012"), kNoDate);
    EXPECT_EQ(TextToDate("dd.mm.yyyy", "ab.03.2012"), kNoDate);
    EXPECT_EQ(TextToDate("dd.mm.yyyy", "  .03.2012"), kNoDate);
    EXPECT_EQ(TextToDate("dd.mm.yyyy", "-5.03.2012"), kNoDate);
    EXPECT_EQ(TextToDate("dd.mm.yyyy", "05.03.1599"), kNoDate);
    EXPECT_EQ(TextToDate("dd.mm.yyyyyyyyyyyyyyyy", "05.03.9999999999992012"), kNoDate);
}

TEST(DateTimeTest, MissingPictureLettersTakeTheirDefaults) {
    EXPECT_EQ(TextToDate("dd.mm", "05.03"), DayNumber(5, 3, 2000));
    EXPECT_EQ(TextToDate("mm/yyyy", "03/2012"), DayNumber(1, 3, 2012));
    // Without a month the date does not exist.
    EXPECT_EQ(TextToDate("dd.yyyy", "05.2012"), kNoDate);
}

TEST(DateTimeTest, MonthNamesAreReadWhateverTheirCase) {
    EXPECT_EQ(TextToDate("dd nnn yyyy", "05 MAR 2012"), k5March2012);
    EXPECT_EQ(TextToDate("dd nnn yyyy", "05 mar 2012"), k5March2012);
    EXPECT_EQ(TextToDate("nnnnnnnnn yyyy", "March     2012"), DayNumber(1, 3, 2012));
    EXPECT_EQ(TextToDate("dd nnn yyyy", "05 XYZ 2012"), kNoDate);
    EXPECT_EQ(TextToDate("dd nnn yyyy", "05 MAR 12"), kNoDate);
}

TEST(DateTimeTest, TextToTimeReadsHoursMinutesAndSeconds) {
    EXPECT_EQ(TextToTime("hh:mm", "18:07"), 65220);
    EXPECT_EQ(TextToTime("hh:mm:ss", "18:07:30"), 65250);
    EXPECT_EQ(TextToTime("hhmm", "0000"), 0);
    EXPECT_EQ(TextToTime("hh:mm", " 8: 7"), 8 * 3600 + 7 * 60);
    // Sixty minutes or seconds are accepted and carried; the day wraps.
    EXPECT_EQ(TextToTime("hh:mm", "10:60"), 11 * 3600);
    EXPECT_EQ(TextToTime("hh:mm:ss", "23:59:60"), 0);
}

TEST(DateTimeTest, TextToTimeOfTheWrongLengthIsMidnight) {
    EXPECT_EQ(TextToTime("hh:mm", "18:7"), 0);
    EXPECT_EQ(TextToTime("hh:mm", ""), 0);
    EXPECT_EQ(TextToTime("hh:mm", "18:070"), 0);
}

TEST(DateTimeTest, TextToTimeRefusesBadFields) {
    EXPECT_EQ(TextToTime("hh:mm", "24:00"), kNoTime);
    EXPECT_EQ(TextToTime("hh:mm", "12:61"), kNoTime);
    EXPECT_EQ(TextToTime("hh:mm:ss", "12:00:61"), kNoTime);
    EXPECT_EQ(TextToTime("hh:mm", "ab:cd"), kNoTime);
    EXPECT_EQ(TextToTime("hh:mm", "  :  "), kNoTime);
    EXPECT_EQ(TextToTime("hh:mm", "1+:00"), kNoTime);
}

TEST(DateTimeTest, AnyTextGivesAValidNumberOrNoneAndNeverCrashes) {
    const std::int32_t lastDay = DayNumber(31, 12, 3999);
    const std::string alphabet = "0123456789012345 .:/-+dmynwhsDMYNWHS\t\xE4\xFC\x80\xFF";
    const std::string pictures[] = {"dd.mm.yyyy", "dd.mm.yy", "nnn yyyy", "ddmmyy", "hh:mm",
                                    "hh:mm:ss",   "HHMM",     "",         "x"};
    std::mt19937 random(4500);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 48);
    auto randomText = [&] {
        std::string s;
        for (int n = length(random); n > 0; --n) s += alphabet[pick(random)];
        return s;
    };
    for (int round = 0; round < 4000; ++round) {
        const std::string text = randomText();
        const std::string randomPicture = randomText();
        for (const std::string& picture : {pictures[round % 9], randomPicture}) {
            const std::int32_t date = TextToDate(picture, text);
            EXPECT_TRUE(date == kNoDate || (date >= 0 && date <= lastDay)) << date;
            const std::int32_t time = TextToTime(picture, text);
            EXPECT_TRUE(time == kNoTime || (time >= 0 && time < kSecondsPerDay)) << time;
            EXPECT_LE(DateToText(picture, date).size(), 40u);
            EXPECT_LE(TimeToText(picture, time).size(), 40u);
        }
    }
}

class ClockedDateTimeTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetProgramValues(); }
    void TearDown() override { ResetProgramValues(); }
    void SetLocal(platform::CivilTime t) { clock_.SetLocal(t); }

    platform::FakeClock clock_{{2012, 3, 6, 1, 30, 0}, {-60, false}};
    platform::ScopedClock guard_{clock_};
};

TEST_F(ClockedDateTimeTest, LocalTodayAndNowComeFromTheComputersClock) {
    EXPECT_EQ(TodayLocal(), DayNumber(6, 3, 2012));
    EXPECT_EQ(NowLocal(), 5400);
    EXPECT_EQ(TodayText(DateFormat), "06.03.2012");
    EXPECT_EQ(NowText(TimeFormat), "01:30");
}

TEST_F(ClockedDateTimeTest, NegativeClockOffsetCanGoBackToYesterday) {
    Program().ClockOffset = -2;
    EXPECT_EQ(TodayUtc(), DayNumber(5, 3, 2012));
    EXPECT_EQ(NowUtc(), 23 * 3600 + 30 * 60);
    EXPECT_EQ(TodayUtcText(DateFormat), "05.03.2012");
    EXPECT_EQ(NowUtcText(TimeFormat), "23:30");
}

TEST_F(ClockedDateTimeTest, PositiveClockOffsetCanGoOnToTomorrow) {
    Program().ClockOffset = 1;
    SetLocal({2012, 3, 5, 23, 10, 0});
    EXPECT_EQ(TodayUtc(), DayNumber(6, 3, 2012));
    EXPECT_EQ(NowUtc(), 600);
    SetLocal({2012, 12, 31, 23, 59, 59});
    EXPECT_EQ(TodayUtc(), DayNumber(1, 1, 2013));
}

TEST_F(ClockedDateTimeTest, ClockOffsetStaysOnTheSameDayWhenItCan) {
    Program().ClockOffset = -2;
    SetLocal({2012, 3, 6, 2, 0, 0});
    EXPECT_EQ(TodayUtc(), DayNumber(6, 3, 2012));
    EXPECT_EQ(NowUtc(), 0);
    Program().ClockOffset = 0;
    EXPECT_EQ(TodayUtc(), TodayLocal());
    EXPECT_EQ(NowUtc(), NowLocal());
}

TEST_F(ClockedDateTimeTest, OffsetsOfADayOrMoreShiftTheTimeModuloADay) {
    Program().ClockOffset = -26;
    SetLocal({2012, 3, 6, 12, 0, 0});
    EXPECT_EQ(NowUtc(), 10 * 3600);
    EXPECT_EQ(TodayUtc(), DayNumber(5, 3, 2012));
    Program().ClockOffset = 25;
    EXPECT_EQ(NowUtc(), 13 * 3600);
    EXPECT_EQ(TodayUtc(), DayNumber(7, 3, 2012));
}

}  // namespace
}  // namespace mss::radio

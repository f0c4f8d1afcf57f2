// The rate, distance and score figures of a sprint log saved through the
// entry form's steps: every count adds up to the log's own totals.
#include <map>
#include <numeric>

#include "LogTestSupport.h"
#include "log/LogStatistics.h"

namespace mss::log::test {
namespace {

class LogStatisticsTest : public ContestLogTest {};

struct Worked {
    const char* call;
    const char* locator;  // "" for none
    const char* mode;
    int day;  // after the sprint's first day
    int zeit;
};

// An evening and a night across midnight, with an empty hour (02 UTC).
const Worked kLog[] = {
    {"DL1AAA", "JO31NK", "FSK441", 0, Hms(21, 5)},
    {"OK1BBB", "JN79FX", "CW", 0, Hms(21, 20)},
    {"SP2CCC", "JO94AA", "FSK441", 0, Hms(21, 40)},
    {"G4DDD", "IO91WM", "FSK441", 0, Hms(21, 59, 59)},
    {"OH1EEE", "KP20LE", "SSB", 0, Hms(22, 0)},
    {"F6FFF", "JN18CS", "CW", 0, Hms(22, 30)},
    {"EA3GGG", "JN11CK", "FSK441", 0, Hms(23, 10)},
    {"I2HHH", "JN45FM", "FSK441", 0, Hms(23, 55)},
    {"SM5III", "JO89XI", "CW", 1, Hms(0, 10)},
    {"YU1JJJ", "KN04FR", "FSK441", 1, Hms(0, 12)},
    {"HA5KKK", "JN97LN", "SSB", 1, Hms(0, 40)},
    {"ES5LLL", "KO38IG", "FSK441", 1, Hms(1, 1)},
    {"DL2MMM", "", "CW", 1, Hms(1, 30)},
    {"LZ1NNN", "KN22TQ", "FSK441", 1, Hms(3, 0)},
    {"GM4OOO", "IO85JW", "CW", 1, Hms(3, 59)},
};

TEST_F(LogStatisticsTest, CountsAddUpToTheLogsTotalsHourByHourAndStepByStep) {
    std::map<int, int> hours;  // hour since the first day's midnight
    std::map<int, int> steps;
    std::int64_t kmSum = 0;
    int withLocator = 0;
    std::string longest;
    int longestKm = -1;
    for (const Worked& w : kLog) {
        QsoRecord contact = Contact(w.call, 'k', w.mode, w.zeit, w.locator);
        contact.SetDatum(kSprintDay + w.day);
        TakeLocator(contact, w.locator);
        ASSERT_TRUE(Save(contact)) << w.call;
        hours[w.day * 24 + w.zeit / 3600] += 1;
        if (*w.locator == 0) continue;
        const int km = radio::QrbKm(w.locator);
        steps[km / 100] += 1;
        kmSum += km;
        ++withLocator;
        if (km > longestKm) {
            longestKm = km;
            longest = w.call;
        }
    }
    // A band change, a void contact and one without date count as the totals count them.
    Put(BandChange('k', 'l', Hms(4, 0)));
    QsoRecord undated = Contact("PA3PPP", 'k', "CW", -1, "JO22");
    TakeLocator(undated, "JO22");
    undated.SetDatum(-1);
    Put(undated);
    QsoRecord voided = Contact("ON4QQQ", 'k', "CW", Hms(3, 30), "JO20");
    voided.SetDatum(kSprintDay + 1);
    voided.SetVoid(1);
    TakeLocator(voided, "JO20");
    Put(voided);
    Recount(session_, true);  // as opening the log does: the points of every record

    const LogStatistics s = ComputeLogStatistics(ReadLogRecords(*session_.log));

    EXPECT_EQ(s.contacts, ContactSum(session_.totals));
    EXPECT_EQ(s.contacts, 17);
    EXPECT_EQ(s.points, PointSum(session_.totals));
    EXPECT_EQ(s.undated, 1);
    EXPECT_EQ(s.withoutLocator, 1);
    ASSERT_EQ(s.hours.size(), 7u) << "21 UTC to 03 UTC, the empty 02 UTC included";
    hours[24 + 3] += 1;  // the void contact
    for (std::size_t i = 0; i < s.hours.size(); ++i) {
        const LogInstant start = s.hours[i].start;
        EXPECT_EQ(start % 3600, 0);
        const int hour = static_cast<int>((start - LogInstant{kSprintDay} * 86400) / 3600);
        EXPECT_EQ(hour, 21 + static_cast<int>(i));
        EXPECT_EQ(s.hours[i].contacts, hours[hour]) << hour;
    }
    const auto hourSum = std::accumulate(s.hours.begin(), s.hours.end(), 0,
                                         [](int n, const HourCount& h) { return n + h.contacts; });
    EXPECT_EQ(hourSum + s.undated, s.contacts);
    const auto hourPoints =
        std::accumulate(s.hours.begin(), s.hours.end(), std::int64_t{0},
                        [](std::int64_t n, const HourCount& h) { return n + h.points; });
    EXPECT_EQ(hourPoints + radio::QrbKm("JO22"), s.points)
        << "only the undated contact's points are in no hour";
    ASSERT_TRUE(s.bestHour);
    EXPECT_EQ(*s.bestHour, 0u) << "21 UTC has four contacts, 00 and 03 UTC three";

    steps[radio::QrbKm("JO22") / 100] += 1;
    steps[radio::QrbKm("JO20") / 100] += 1;
    int stepSum = 0;
    for (std::size_t i = 0; i < s.distanceSteps.size(); ++i) {
        EXPECT_EQ(s.distanceSteps[i], steps[static_cast<int>(i)]) << i * 100 << " km";
        stepSum += s.distanceSteps[i];
    }
    EXPECT_EQ(stepSum + s.withoutLocator, s.contacts);
    EXPECT_EQ(s.stations.size(), static_cast<std::size_t>(stepSum));
    ASSERT_TRUE(s.longest);
    EXPECT_EQ(s.longest->call, longest);
    EXPECT_EQ(s.longest->km, longestKm);
    kmSum += radio::QrbKm("JO22") + radio::QrbKm("JO20");
    EXPECT_DOUBLE_EQ(s.averageKm, static_cast<double>(kmSum) / (withLocator + 2));

    ASSERT_EQ(s.runningScore.size(), 16u);
    for (std::size_t i = 1; i < s.runningScore.size(); ++i) {
        EXPECT_LE(s.runningScore[i - 1].at, s.runningScore[i].at);
        EXPECT_LE(s.runningScore[i - 1].score, s.runningScore[i].score);
    }
    EXPECT_EQ(s.runningScore.back().score, s.points - radio::QrbKm("JO22"));
}

TEST_F(LogStatisticsTest, AnEmptyLogHasNoHoursNoBestAndNoLongest) {
    Put(BandChange('k', 'l', Hms(4, 0)));
    const LogStatistics s = ComputeLogStatistics(ReadLogRecords(*session_.log));
    EXPECT_EQ(s.contacts, 0);
    EXPECT_TRUE(s.hours.empty());
    EXPECT_FALSE(s.bestHour);
    EXPECT_FALSE(s.longest);
    EXPECT_EQ(s.averageKm, 0);
}

}  // namespace
}  // namespace mss::log::test

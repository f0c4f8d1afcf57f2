#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace mss::platform {
namespace {

TEST(ClockTest, InstalledFakeClockIsUsedUntilItsGuardEnds) {
    const Clock* system = &CurrentClock();
    FakeClock fake({2012, 8, 12, 14, 0, 0}, {-120, true});
    {
        ScopedClock guard(fake);
        EXPECT_EQ(&CurrentClock(), &fake);
        EXPECT_EQ(CurrentClock().Local(), (CivilTime{2012, 8, 12, 14, 0, 0}));
        FakeClock inner({2000, 1, 1, 0, 0, 0});
        {
            ScopedClock nested(inner);
            EXPECT_EQ(&CurrentClock(), &inner);
        }
        EXPECT_EQ(&CurrentClock(), &fake);
    }
    EXPECT_EQ(&CurrentClock(), system);
}

TEST(ClockTest, FakeUtcFollowsFromLocalTimeAndBias) {
    FakeClock summer({2012, 3, 6, 1, 30, 15}, {-120, true});
    EXPECT_EQ(summer.Utc(), (CivilTime{2012, 3, 5, 23, 30, 15}));

    FakeClock newYork({2012, 12, 31, 22, 0, 0}, {300, false});
    EXPECT_EQ(newYork.Utc(), (CivilTime{2013, 1, 1, 3, 0, 0}));

    FakeClock leap({2012, 2, 29, 23, 59, 59}, {0, false});
    EXPECT_EQ(leap.Utc(), leap.Local());
    leap.SetZone({60, false});
    EXPECT_EQ(leap.Utc(), (CivilTime{2012, 3, 1, 0, 59, 59}));
}

TEST(ClockTest, UtcOffsetIsTruncatedToWholeHours) {
    EXPECT_EQ(UtcOffsetHours({-120, true}), -2);
    EXPECT_EQ(UtcOffsetHours({-60, false}), -1);
    EXPECT_EQ(UtcOffsetHours({-90, false}), -1);
    EXPECT_EQ(UtcOffsetHours({-330, false}), -5);
    EXPECT_EQ(UtcOffsetHours({330, false}), 5);
    EXPECT_EQ(UtcOffsetHours({59, false}), 0);
    EXPECT_EQ(UtcOffsetHours({0, false}), 0);
}

// Runs the system clock under a given time zone and restores the old one.
class SystemZone {
  public:
    explicit SystemZone(const char* zone) {
        if (const char* old = std::getenv("TZ")) old_ = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~SystemZone() {
        if (old_) {
            setenv("TZ", old_->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }

  private:
    std::optional<std::string> old_;
};

int MinutesOfDay(const CivilTime& t) {
    return t.hour * 60 + t.minute;
}

TEST(ClockTest, SystemClockReportsTheZoneItsLocalTimeUses) {
    SystemZone zone("CET-1CEST,M3.5.0,M10.5.0/3");
    const Clock& clock = CurrentClock();
    const TimeZoneState state = clock.Zone();
    EXPECT_EQ(state.biasMinutes, state.daylightSaving ? -120 : -60);

    const CivilTime local = clock.Local();
    const CivilTime utc = clock.Utc();
    EXPECT_GE(local.year, 2020);
    // Local minus UTC is minus the bias, modulo a day (and a minute that may
    // turn between the two readings).
    const int difference = ((MinutesOfDay(local) - MinutesOfDay(utc)) % 1440 + 1440) % 1440;
    const int expected = (-state.biasMinutes + 1440) % 1440;
    EXPECT_LE(std::abs(difference - expected), 1);
}

TEST(ClockTest, SystemClockInUtcHasNoBias) {
    SystemZone zone("UTC0");
    EXPECT_EQ(CurrentClock().Zone(), (TimeZoneState{0, false}));
}

}  // namespace
}  // namespace mss::platform

// The computer's clock and time zone behind one seam: the program reads the
// system clock, a test installs a FakeClock for as long as its guard lives.
#pragma once

#include "platform/ScopedInstall.h"

namespace mss::platform {

// A calendar date and wall-clock time, fields as people write them
// (month 1-12, day 1-31).
struct CivilTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const CivilTime&) const = default;
};

// The time-zone state in force: UTC minus local time in minutes (the
// daylight-saving bias while daylight saving is in force, else the standard
// one), so Central European Summer Time gives -120.
struct TimeZoneState {
    int biasMinutes = 0;
    bool daylightSaving = false;
    bool operator==(const TimeZoneState&) const = default;
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual CivilTime Local() const = 0;
    virtual CivilTime Utc() const = 0;
    virtual TimeZoneState Zone() const = 0;
};

// The installed clock, or the system clock when none is installed.
const Clock& CurrentClock();
using ScopedClock = ScopedInstall<const Clock>;

// UTC minus local time in whole hours, truncated toward zero.
int UtcOffsetHours(const TimeZoneState& zone);

// A clock that stands still at the time it is given; UTC follows from the
// local time and the bias.
class FakeClock : public Clock {
  public:
    explicit FakeClock(CivilTime local, TimeZoneState zone = {}) : local_(local), zone_(zone) {}
    CivilTime Local() const override { return local_; }
    CivilTime Utc() const override;
    TimeZoneState Zone() const override { return zone_; }

    void SetLocal(CivilTime local) { local_ = local; }
    void SetZone(TimeZoneState zone) { zone_ = zone; }

  private:
    CivilTime local_;
    TimeZoneState zone_;
};

}  // namespace mss::platform

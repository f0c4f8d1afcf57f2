#include "platform/Clock.h"

#include <ctime>

namespace mss::platform {

namespace {

CivilTime FromTm(const std::tm& tm) {
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

class SystemClock : public Clock {
  public:
    CivilTime Local() const override {
        std::tm tm{};
        const std::time_t now = std::time(nullptr);
        localtime_r(&now, &tm);
        return FromTm(tm);
    }
    CivilTime Utc() const override {
        std::tm tm{};
        const std::time_t now = std::time(nullptr);
        gmtime_r(&now, &tm);
        return FromTm(tm);
    }
    TimeZoneState Zone() const override {
        std::tm tm{};
        const std::time_t now = std::time(nullptr);
        localtime_r(&now, &tm);
        // tm_gmtoff is local minus UTC in seconds and already includes
        // daylight saving.
        return {static_cast<int>(-tm.tm_gmtoff / 60), tm.tm_isdst > 0};
    }
};

}  // namespace

const Clock& CurrentClock() {
    static const SystemClock system;
    const Clock* installed = ScopedClock::Installed();
    return installed ? *installed : system;
}

int UtcOffsetHours(const TimeZoneState& zone) {
    return zone.biasMinutes / 60;
}

CivilTime FakeClock::Utc() const {
    // Let the C library normalise the shifted fields; timegm treats them as UTC.
    std::tm tm{};
    tm.tm_year = local_.year - 1900;
    tm.tm_mon = local_.month - 1;
    tm.tm_mday = local_.day;
    tm.tm_hour = local_.hour;
    tm.tm_min = local_.minute + zone_.biasMinutes;
    tm.tm_sec = local_.second;
    const std::time_t t = timegm(&tm);
    std::tm utc{};
    gmtime_r(&t, &utc);
    return FromTm(utc);
}

}  // namespace mss::platform

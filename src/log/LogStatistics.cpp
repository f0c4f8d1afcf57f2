#include "log/LogStatistics.h"

#include <algorithm>

#include "radio/Locator.h"

namespace mss::log {

namespace {

constexpr LogInstant kSecondsPerHour = 3600;
constexpr LogInstant kSecondsPerDay = 86400;

std::optional<LogInstant> InstantOf(const QsoRecord& r) {
    if (r.Datum() < 0 || r.Zeit() < 0 || r.Zeit() >= kSecondsPerDay) return std::nullopt;
    return LogInstant{r.Datum()} * kSecondsPerDay + r.Zeit();
}

struct DatedContact {
    LogInstant at;
    std::int64_t points;
};

void CountHours(LogStatistics& s, std::vector<DatedContact> dated) {
    if (dated.empty()) return;
    std::stable_sort(dated.begin(), dated.end(),
                     [](const DatedContact& a, const DatedContact& b) { return a.at < b.at; });
    const LogInstant first = dated.front().at / kSecondsPerHour;
    const LogInstant last = dated.back().at / kSecondsPerHour;
    for (LogInstant hour = first; hour <= last; ++hour) s.hours.push_back({hour * kSecondsPerHour});
    std::int64_t score = 0;
    for (const DatedContact& c : dated) {
        HourCount& hour = s.hours[static_cast<std::size_t>(c.at / kSecondsPerHour - first)];
        hour.contacts += 1;
        hour.points += c.points;
        score += c.points;
        s.runningScore.push_back({c.at, score});
    }
    const auto best = std::max_element(
        s.hours.begin(), s.hours.end(),
        [](const HourCount& a, const HourCount& b) { return a.contacts < b.contacts; });
    s.bestHour = static_cast<std::size_t>(best - s.hours.begin());
}

}  // namespace

LogStatistics ComputeLogStatistics(const std::vector<QsoRecord>& records) {
    LogStatistics s;
    std::vector<DatedContact> dated;
    std::int64_t kmSum = 0;
    for (const QsoRecord& r : records) {
        // Counted as the totals count: no markers, no records without a band.
        if (r.IsBandChange() || r.Band() == 0) continue;
        s.contacts += 1;
        s.points += r.Punkte();
        if (const std::optional<LogInstant> at = InstantOf(r)) {
            dated.push_back({*at, r.Punkte()});
        } else {
            s.undated += 1;
        }
        const std::string locator = r.Locator();
        if (!radio::LocatorToCoordinates(locator)) {
            s.withoutLocator += 1;
            continue;
        }
        WorkedStation station{r.Call(), locator, r.Mode(), std::max(r.Qrb(), 0)};
        const auto step = static_cast<std::size_t>(station.km / kDistanceStepKm);
        if (s.distanceSteps.size() <= step) s.distanceSteps.resize(step + 1);
        s.distanceSteps[step] += 1;
        kmSum += station.km;
        if (!s.longest || station.km > s.longest->km) s.longest = station;
        s.stations.push_back(std::move(station));
    }
    if (!s.stations.empty()) {
        s.averageKm = static_cast<double>(kmSum) / static_cast<double>(s.stations.size());
    }
    CountHours(s, std::move(dated));
    return s;
}

}  // namespace mss::log

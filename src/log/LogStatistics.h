// What the map and the rate view show of a contest log: the worked stations
// with their locators, the contacts and points hour by hour (UTC), the
// distances in 100 km steps, the running score, and the figures an operator
// asks for after a contest. Counted from the log's records as the totals are
// (band-change markers are no contacts, a void contact scores nothing), so
// every count adds up to the log's totals.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "log/QsoRecord.h"

namespace mss::log {

struct WorkedStation {
    std::string call;
    std::string locator;
    std::string mode;
    std::int32_t km = 0;  // the stored distance, as scored
};

// Seconds since midnight UTC of day 0 (1 January 1600).
using LogInstant = std::int64_t;

struct HourCount {
    LogInstant start = 0;  // a full UTC hour
    std::int32_t contacts = 0;
    std::int64_t points = 0;
};

struct ScoreStep {
    LogInstant at = 0;
    std::int64_t score = 0;  // after the contacts up to `at`
};

struct LogStatistics {
    std::int32_t contacts = 0;
    std::int64_t points = 0;
    // The contacts with a locator, in log order: the points of the map.
    std::vector<WorkedStation> stations;
    // Every UTC hour from the first contact's to the last one's, empty
    // hours included.
    std::vector<HourCount> hours;
    std::int32_t undated = 0;  // contacts without date or time: in no hour
    // [i]: contacts with a locator from i*100 km up to below (i+1)*100 km.
    std::vector<std::int32_t> distanceSteps;
    std::int32_t withoutLocator = 0;  // in no step
    // The score after each dated contact, in time order.
    std::vector<ScoreStep> runningScore;
    std::optional<std::size_t> bestHour;   // into `hours`: the first with the most contacts
    std::optional<WorkedStation> longest;  // the first of the longest distance
    double averageKm = 0;                  // over the contacts with a locator
};

constexpr std::int32_t kDistanceStepKm = 100;

// The statistics of a log's records (in Nummer order, as ReadLogRecords
// gives them).
LogStatistics ComputeLogStatistics(const std::vector<QsoRecord>& records);

}  // namespace mss::log

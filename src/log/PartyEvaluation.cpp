#include "log/PartyEvaluation.h"

#include <algorithm>

#include "log/ContestLog.h"
#include "log/Exchange.h"
#include "log/LogKeys.h"
#include "radio/AsciiChar.h"

namespace mss::log {

namespace {

// The bar an exchange's age falls into.
int AgeIndex(std::string_view age, int step) {
    if (age == "XX") return 1;
    int value = 0;
    for (char c : age) {
        if (c == ' ') continue;
        if (!radio::IsAsciiDigit(c)) return 0;
        value = value * 10 + (c - '0');
    }
    if (value > 89) return 90;
    return step > 1 ? value - value % step : value;
}

}  // namespace

PartyCounts CountPartyAges(store::TFileblockObject& log, int step) {
    PartyCounts counts{};
    const BufferGuard guard(log);
    for (int level = log.First(kByTime); level == 0; level = log.Next(kByTime)) {
        const QsoRecord r = BufferRecord(log);
        if (r.IsBandChange() || r.Punkte() == 0) continue;
        const std::string text = RcvdExchangeOf(r);
        const std::string age = text.size() > 3 ? text.substr(3, 2) : std::string();
        ++counts[static_cast<std::size_t>(AgeIndex(age, step))];
    }
    return counts;
}

std::int32_t PartyScale(const PartyCounts& counts) {
    const std::int32_t most = *std::ranges::max_element(counts);
    if (most == 0) return 0;
    const std::int32_t top = std::max(most, 10);
    return (top + 9) / 10 * 10;
}

}  // namespace mss::log

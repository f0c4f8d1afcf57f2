#include "log/RunningNumbers.h"

#include "log/ContestLog.h"
#include "log/LogKeys.h"
#include "radio/Modi.h"

namespace mss::log {

namespace {

// The first record at or after `from` in a descending key; its number + 1
// when it still belongs to `group`, else 1.
template <class Number>
std::int32_t AfterHighest(store::TFileblockObject& log, int keyNr, const std::string& from,
                          Number number, auto belongs) {
    if (log.Search(keyNr, from) != 0) return 1;
    const QsoRecord r = BufferRecord(log);
    return belongs(r) ? number(r) + 1 : 1;
}

}  // namespace

RunningNumbers NextNumbers(store::TFileblockObject& log, char band, std::string_view mode) {
    BufferGuard guard(log);
    RunningNumbers next;
    if (log.Last(kByLfdNr) == 0) next.lfdNr = BufferRecord(log).LfdNr() + 1;
    const std::string b(1, band);
    auto sameBand = [band](const QsoRecord& r) { return r.Band() == band; };
    next.bandNr = AfterHighest(
        log, kByBandNrDown, b, [](const QsoRecord& r) { return r.BandNr(); }, sameBand);
    next.bandSeq = AfterHighest(
        log, kByBandSeqDown, b, [](const QsoRecord& r) { return r.BandSeq(); }, sameBand);
    next.modeNr = AfterHighest(
        log, kByModeNrDown, std::string(1, radio::ModeClass(mode)),
        [](const QsoRecord& r) { return static_cast<std::int32_t>(r.ModeNr()); },
        [mode](const QsoRecord& r) { return r.Mode() == mode; });
    return next;
}

}  // namespace mss::log

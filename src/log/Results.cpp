#include "log/Results.h"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

#include "log/ContestLog.h"
#include "log/Multipliers.h"
#include "log/Recount.h"

namespace mss::log {

namespace {

constexpr int kExtraColumns = 3;

// What one pass over a band (or the whole log) counts.
struct Figures {
    std::int32_t contacts = 0;
    std::int32_t multipliers = 0;
    std::array<std::int32_t, kExtraColumns> columns{};  // distinct values per extra column
};

// Moves the bar every 10 records; it wraps at its maximum.
class PassCounter {
  public:
    explicit PassCounter(PassProgress& progress) : progress_(progress) {}
    void Count() {
        if (++count_ % 10 == 0) progress_.Advance(count_ % kResultsProgressMaximum);
    }

  private:
    PassProgress& progress_;
    std::int32_t count_ = 0;
};

std::int16_t Narrow(std::int32_t value) {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(
        value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

// The bands of the contest, band index 1 first, up to the end of the list.
std::vector<char> ContestBands(const contest::ContestDefinition& d) {
    std::vector<char> bands;
    for (char band : d.Bands) {
        if (band == 0) break;
        bands.push_back(band);
    }
    return bands;
}

// Counts the records of `band` (every record when `band` is 0): contacts,
// void ones included, and the distinct multipliers by the recount's rules.
Figures Count(LogSession& s, const std::vector<QsoRecord>& log, char band, PassCounter& counter) {
    std::vector<QsoRecord> walked;
    for (const QsoRecord& r : log) {
        if (band != 0 && r.Band() != band) continue;
        counter.Count();
        walked.push_back(r);
    }
    Figures figures;
    figures.contacts = static_cast<std::int32_t>(
        std::ranges::count_if(walked, [](const QsoRecord& r) { return !r.IsBandChange(); }));
    MultiplierTables tables;
    const char tableBand = band != 0 ? band : s.definition.Bands.front();
    figures.multipliers = BuildMultiplierTables(s, walked, tableBand, tables);
    for (int column = 0; column < kExtraColumns; ++column) {
        const std::string& caption = s.definition.MultNames[static_cast<std::size_t>(column)];
        for (int k = 0; k < kMultKindCount; ++k) {
            const auto kind = static_cast<MultKind>(k);
            if (CaptionNamesKind(kind, caption))
                figures.columns[static_cast<std::size_t>(column)] +=
                    static_cast<std::int32_t>(tables.Table(kind).size());
        }
    }
    return figures;
}

std::int32_t PointsOfBand(const LogSession& s, char band) {
    return s.totals.points[static_cast<unsigned char>(band)];
}

void WriteIntoExtra(LogSession& s, const std::vector<QsoRecord>& log, contest::ContestExtra& x,
                    PassCounter& counter) {
    const std::vector<char> bands = ContestBands(s.definition);
    x.ClearTotals();
    for (std::size_t i = 0; i < bands.size() && i < contest::ContestExtra::kBandIndexes; ++i)
        x.SetPointSum(static_cast<int>(i) + 1, PointsOfBand(s, bands[i]));
    const bool wholeLog = s.definition.MultMode == 1;
    if (wholeLog) {
        const Figures all = Count(s, log, 0, counter);
        x.SetMultCount(1, all.multipliers);
        x.SetMult1Count(1, Narrow(all.columns[0]));
        x.SetMult2Count(1, Narrow(all.columns[1]));
        x.SetMult3Count(1, Narrow(all.columns[2]));
    }
    for (std::size_t i = 0; i < bands.size() && i < contest::ContestExtra::kBandIndexes; ++i) {
        const int index = static_cast<int>(i) + 1;
        if (!wholeLog && (bands[i] < 'a' || bands[i] > 'z')) continue;
        const Figures band = Count(s, log, bands[i], counter);
        x.SetQsoCount(index, band.contacts);
        if (wholeLog) continue;
        x.SetMultCount(index, band.multipliers);
        x.SetMult1Count(index, Narrow(band.columns[0]));
        x.SetMult2Count(index, Narrow(band.columns[1]));
        x.SetMult3Count(index, Narrow(band.columns[2]));
    }
}

// The entry keeps seven band indexes and no count of the third column.
void WriteIntoEntry(LogSession& s, const std::vector<QsoRecord>& log, contest::ContestEntry& e,
                    PassCounter& counter) {
    const std::vector<char> bands = ContestBands(s.definition);
    e.ClearTotals();
    const std::size_t indexes =
        std::min(bands.size(), static_cast<std::size_t>(contest::ContestEntry::kBandIndexes));
    for (std::size_t i = 0; i < indexes; ++i)
        e.SetPointSum(static_cast<int>(i) + 1, PointsOfBand(s, bands[i]));
    const bool wholeLog = s.definition.MultMode == 1;
    if (wholeLog) {
        const Figures all = Count(s, log, 0, counter);
        e.SetMultCount(1, Narrow(all.multipliers));
        e.SetMult1Count(1, Narrow(all.columns[0]));
        e.SetMult2Count(1, Narrow(all.columns[1]));
    }
    for (std::size_t i = 0; i < indexes; ++i) {
        const int index = static_cast<int>(i) + 1;
        const Figures band = Count(s, log, bands[i], counter);
        e.SetQsoCount(index, Narrow(band.contacts));
        if (wholeLog) continue;
        e.SetMultCount(index, Narrow(band.multipliers));
        e.SetMult1Count(index, Narrow(band.columns[0]));
        e.SetMult2Count(index, Narrow(band.columns[1]));
    }
}

}  // namespace

void WriteResults(LogSession& s, contest::ContestEntry& entry, contest::ContestExtra& extra,
                  PassProgress& progress) {
    if (s.log == nullptr) return;
    const std::vector<QsoRecord> log = ReadLogRecords(*s.log);
    progress.Start(kResultsProgressMaximum);
    PassCounter counter(progress);
    if (entry.TotalsInExtra())
        WriteIntoExtra(s, log, extra, counter);
    else
        WriteIntoEntry(s, log, entry, counter);
    progress.Finish();
}

}  // namespace mss::log

#include "log/Recount.h"

#include <vector>

#include "log/BatchedFlush.h"
#include "log/ContestLog.h"
#include "log/LogKeys.h"
#include "log/Multipliers.h"
#include "log/Points.h"
#include "store/KeyCodec.h"

namespace mss::log {

namespace {

bool AnyKindInForce(const contest::ContestDefinition& d) {
    for (int k = 0; k < kMultKindCount; ++k)
        if (KindInForce(d, static_cast<MultKind>(k))) return true;
    return false;
}

void RecountPoints(LogSession& s, const std::vector<QsoRecord>& records) {
    LogTotals& t = s.totals;
    t.points.fill(0);
    t.contacts.fill(0);
    t.nextContact = 1;
    // A new own locator or rule rewrites the points of the whole log.
    BatchedFlush flush(*s.log);
    for (const QsoRecord& r : records) {
        if (r.IsBandChange()) {
            t.lastBand = r.QsyBand();
            continue;
        }
        const char band = r.Band();
        if (band == 0) continue;
        t.lastBand = band;
        const auto points = static_cast<std::uint16_t>(PointsOf(s, r));
        if (points != r.Punkte() && s.log->Find(kByNummer, store::IntToKey(r.Nummer())) == 0) {
            QsoRecord updated = BufferRecord(*s.log);
            updated.SetPunkte(points);
            SetBufferRecord(*s.log, updated);
            if (s.log->Update() == 0) (void)flush.Written();
        }
        const auto index = static_cast<unsigned char>(band);
        t.points[index] += points;
        t.contacts[index] += 1;
        t.nextContact += 1;
    }
}

void RecountBandMultipliers(LogSession& s, const std::vector<QsoRecord>& records) {
    LogTotals& t = s.totals;
    t.multipliers.fill(0);
    MultiplierTables scratch;
    const auto& bands = s.definition.Bands;
    if (s.definition.MultMode == 1) {
        t.multipliers[1] = BuildMultiplierTables(s, records, bands.front(), scratch);
        return;
    }
    for (char band : bands) {
        if (band == 0) break;
        if (band < 'a' || band > 'z') continue;
        t.multipliers[static_cast<unsigned char>(band)] =
            BuildMultiplierTables(s, records, band, scratch);
    }
}

}  // namespace

std::vector<QsoRecord> ReadLogRecords(store::TFileblockObject& log) {
    std::vector<QsoRecord> records;
    BufferGuard guard(log);
    for (int level = log.First(kByNummer); level == 0; level = log.Next(kByNummer))
        records.push_back(BufferRecord(log));
    return records;
}

std::int32_t BuildMultiplierTables(LogSession& s, const std::vector<QsoRecord>& records, char band,
                                   MultiplierTables& tables) {
    tables.Clear();
    const bool perBandCount = s.definition.MultMode != 1;
    std::int32_t count = 0;
    for (const QsoRecord& r : records) {
        if (r.IsBandChange() || r.Void() != 0 || !ClubContact(s, r)) continue;
        for (int k = 0; k < kMultKindCount; ++k) {
            const auto kind = static_cast<MultKind>(k);
            if (!KindInForce(s.definition, kind)) continue;
            const MultScope scope = ScopeOf(s, kind);
            if (scope != MultScope::kWholeLog && r.Band() != band) continue;
            if (!EarlierCounts(s, kind, r, true)) continue;
            const std::string value = MultiplierValue(s, kind, r);
            if (value.empty()) continue;
            const std::string mode = scope == MultScope::kPerBandAndMode ? r.Mode() : std::string();
            MultTable& table = tables.Table(kind);
            const bool alwaysNew = s.Code() == 'L' && kind == MultKind::kDok;
            if (!alwaysNew && table.Find(value, mode) != nullptr) continue;
            table.Insert(value, mode, MultState::kSaved);
            if (scope != MultScope::kWholeLog || !perBandCount || r.Band() == band)
                count += MultiplierWeight(s, kind, value);
        }
    }
    return count;
}

void Recount(LogSession& s, bool full) {
    if (s.log == nullptr) return;
    BufferGuard guard(*s.log);
    const bool multipliers = AnyKindInForce(s.definition);
    std::vector<QsoRecord> records;
    if (full || multipliers) records = ReadLogRecords(*s.log);
    if (full) {
        RecountPoints(s, records);
        if (multipliers)
            RecountBandMultipliers(s, records);
        else
            s.totals.multipliers.fill(0);
    }
    s.multipliers.Clear();
    s.totals.multCount = multipliers ? BuildMultiplierTables(s, records, s.band, s.multipliers) : 0;
    // The accumulator and the contact count always follow the current band.
    const auto index = static_cast<unsigned char>(s.band);
    s.totals.bandPoints = s.totals.points[index];
    s.totals.points[0] = s.totals.contacts[index];
}

}  // namespace mss::log

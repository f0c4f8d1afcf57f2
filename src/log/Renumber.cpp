#include "log/Renumber.h"

#include <algorithm>
#include <array>
#include <cerrno>

#include "log/ContestLog.h"
#include "log/LogKeys.h"
#include "log/Multipliers.h"
#include "platform/Messages.h"
#include "radio/Modi.h"
#include "radio/ProgramValues.h"
#include "store/Filer.h"
#include "store/Rebuild.h"

namespace mss::log {

namespace {

constexpr std::int32_t kProgressStep = 10;

bool IsSerialLog(const contest::ContestDefinition& d) {
    return std::ranges::find(d.SentKinds, contest::kKindNumber) != d.SentKinds.end();
}

bool Moved(int error) {
    return error == 0;
}

// Puts the complete renumbered files in the place of the log's. The log's
// index goes first: until the new data file is in place the old data file
// stands alone and its index is rebuilt from it, so no moment leaves a data
// file beside an index that does not belong to it.
bool ReplaceLogFiles(const std::string& renumberedBase, const std::string& logBase) {
    platform::FileSystem& fs = store::StoreFileSystem();
    const store::RebuildFileNames from = store::RebuildNames(renumberedBase);
    const store::RebuildFileNames to = store::RebuildNames(logBase);
    const int deleted = fs.Delete(to.index);
    if (deleted != 0 && deleted != ENOENT) return false;
    return Moved(fs.Rename(from.data, to.data)) && Moved(fs.Rename(from.index, to.index));
}

// The numbers a renumbered contact counts up.
class Counters {
  public:
    std::int32_t NextInBand(char band) { return ++band_[static_cast<unsigned char>(band)]; }
    std::uint16_t NextInClass(std::string_view mode) {
        return ++class_[static_cast<unsigned char>(radio::ModeClass(mode))];
    }

  private:
    std::array<std::int32_t, 256> band_{};
    std::array<std::uint16_t, 256> class_{};
};

// Copies the contacts of `log` into `target` with their new numbers and
// markers; false when the store refused a record.
bool BuildRenumbered(LogSession& s, store::TFileblockObject& log, store::TFileblockObject& target,
                     RenumberProgress& progress) {
    const bool serial = IsSerialLog(s.definition);
    const int walkKey = serial ? kByNummer : kByTime;
    Counters counters;
    std::int32_t position = 0;
    int level = log.First(walkKey);
    for (; level == 0; level = log.Next(walkKey)) {
        QsoRecord r = BufferRecord(log);
        if (r.IsBandChange()) continue;
        ++position;
        const std::int32_t oldNummer = r.Nummer();
        EvaluateMultipliers(s, r);
        CommitMultipliers(s);
        r.SetNummer(0);
        r.SetLfdNr(serial ? oldNummer : position);
        const std::int32_t inBand = counters.NextInBand(r.Band());
        r.SetBandSeq(inBand);
        r.SetBandNr(inBand);
        r.SetModeNr(counters.NextInClass(r.Mode()));
        SetBufferRecord(target, r);
        if (target.Add() != 0) return false;
        if (serial) {
            QsoRecord added = BufferRecord(target);
            added.SetNummer(oldNummer);
            SetBufferRecord(target, added);
            if (target.Update() != 0) return false;
        }
        if (position % kProgressStep == 0) progress.Advance(position);
    }
    return level == 1;
}

// Runs `s` against another log for the length of a scope.
class LogSwap {
  public:
    LogSwap(LogSession& s, store::TFileblockObject& log) : s_(s), saved_(s.log) { s.log = &log; }
    ~LogSwap() { s_.log = saved_; }
    LogSwap(const LogSwap&) = delete;
    LogSwap& operator=(const LogSwap&) = delete;

  private:
    LogSession& s_;
    store::TFileblockObject* saved_;
};

RenumberResult Fail(RenumberResult result, RenumberProgress& progress) {
    progress.Finish();
    platform::CurrentMessages().Information(result == RenumberResult::kBuildFailed
                                                ? "Fehler beim Aufbau der tempor\xE4ren Datenbank"
                                                : "Fehler beim Neuaufbau der Datenbank");
    return result;
}

void ClearMarkerFields(QsoRecord& r) {
    r.SetPrefix("");
    r.SetContinent("");
    r.SetPrefix2("");
    r.SetDok("");
    r.SetDokExt("");
    r.SetLocator("");
    r.SetCall2("");
    r.SetDistrict("");
}

}  // namespace

std::string RenumberedLogName(std::string_view logName) {
    std::string name(logName);
    if (name.size() > 3) name[3] = 'N';
    return name;
}

RenumberResult Renumber(LogSession& s, RenumberProgress& progress) {
    store::TFileblockObject& log = *s.log;
    // The contact in the making survives; no record of the old log stays current.
    struct KeepBuffer {
        store::TFileblockObject& log;
        QsoRecord saved = BufferRecord(log);
        ~KeepBuffer() { SetBufferRecord(log, saved); }
    } keep{log};
    const std::int32_t total = log.RecordCount();
    if (IsSerialLog(s.definition) && total == 0) {
        (void)log.Erase();
        return RenumberResult::kDone;
    }
    progress.Start(total);
    // The renumbered log is one bulk add: with all its index pages in the
    // cache each is written once, at the close.
    const store::ScopedPageBuffers bulkCache(store::BulkPageBuffersFor(kLogKeyCount, total));
    const std::string targetName = RenumberedLogName(log.LogicalName());
    store::SharedDefinition definition = ContestLogDefinition(targetName);
    const std::string& logFile = log.FileName();
    definition.object.fileName = logFile.substr(0, logFile.rfind('/') + 1) + targetName;
    definition.autoFlush = false;
    store::TFileblockObject* target = store::OpenShared(definition);
    if (target == nullptr) return Fail(RenumberResult::kBuildFailed, progress);
    s.multipliers.Clear();
    s.totals.multCount = 0;
    s.totals.multipliers.fill(0);
    // The files are made at once, so that even an empty log has some to replace.
    bool built = target->Erase() == 0 && target->EnsureOpen() == 0;
    if (built) {
        LogSwap swap(s, *target);
        built = BuildRenumbered(s, log, *target, progress);
    }
    // Closing writes the renumbered files out completely and commits them.
    if (!built || target->CloseFiles() != store::kOk) {
        (void)target->Erase();
        store::CloseShared(target);
        return Fail(RenumberResult::kBuildFailed, progress);
    }
    const std::string targetFile = target->FileName();
    store::CloseShared(target);
    if (log.CloseFiles() != store::kOk || !ReplaceLogFiles(targetFile, logFile))
        return Fail(RenumberResult::kReplaceFailed, progress);
    progress.Finish();
    return RenumberResult::kDone;
}

bool FinishInterruptedRenumber(std::int32_t entryNumber) {
    const std::string logFile = radio::Program().RunDir + LogFileName(entryNumber);
    const std::string renumberedFile =
        radio::Program().RunDir + RenumberedLogName(LogFileName(entryNumber));
    platform::FileSystem& fs = store::StoreFileSystem();
    const store::RebuildFileNames log = store::RebuildNames(logFile);
    const store::RebuildFileNames renumbered = store::RebuildNames(renumberedFile);
    if (!fs.Exists(log.index)) {
        // The log's index is deleted only once the renumbered files are
        // complete: whatever of them is left belongs in the log's place.
        if (fs.Exists(renumbered.data) && !Moved(fs.Rename(renumbered.data, log.data)))
            return false;
        if (fs.Exists(renumbered.index) && !Moved(fs.Rename(renumbered.index, log.index)))
            return false;
        return true;
    }
    // A renumbered log that was still being built: the log itself is whole.
    for (const std::string& path : {renumbered.data, renumbered.index}) {
        const int error = fs.Delete(path);
        if (error != 0 && error != ENOENT) return false;
    }
    return true;
}

void PrepareOpenedLog(LogSession& s, RenumberProgress& progress) {
    store::TFileblockObject& log = *s.log;
    {
        BufferGuard guard(log);
        for (int level = log.First(kByTime); level == 0; level = log.Next(kByTime)) {
            QsoRecord r = BufferRecord(log);
            if (!r.IsBandChange()) continue;
            ClearMarkerFields(r);
            SetBufferRecord(log, r);
            (void)log.Update();
        }
    }
    bool renumber = true;
    {
        BufferGuard guard(log);
        if (log.Last(kByMultiCol1) == 0) {
            const QsoRecord last = BufferRecord(log);
            renumber = last.MultiCol1().empty() || last.MultiCol2().empty();
        }
    }
    if (renumber) (void)Renumber(s, progress);
}

}  // namespace mss::log

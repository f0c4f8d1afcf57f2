// Renumbering the open contest log: Nummer, LfdNr, BandNr, BandSeq, ModeNr
// and the new-multiplier markers are given again in the order of the log,
// and band-change markers are dropped. The renumbered log is built beside
// the old one and takes its place only when it is complete and on disk, so a
// crash at any moment leaves either log whole; an interrupted replacement is
// finished the next time the log is opened.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "log/LogSession.h"
#include "log/PassProgress.h"

namespace mss::log {

// The progress window of the pass shows "Neunummerierung"; its bar runs over
// the log's record count.
using RenumberProgress = PassProgress;

enum class RenumberResult {
    kDone,
    kBuildFailed,    // "Fehler beim Aufbau der temporären Datenbank": the log is unchanged
    kReplaceFailed,  // "Fehler beim Neuaufbau der Datenbank"
};

// The pass over the session's log. A log whose sent exchange carries the
// overall serial number (kind 7) keeps every contact's Nummer, and LfdNr
// becomes that Nummer; otherwise contacts are numbered 1, 2, 3 ... in
// chronological order. The per-band and per-mode-class numbers count anew,
// and the multipliers are evaluated again against the contacts before.
RenumberResult Renumber(LogSession& session, RenumberProgress& progress);

// The name the renumbered log of a log is built under ("QVLN0012" for "QVLK0012").
std::string RenumberedLogName(std::string_view logName);

// Completes the replacement of the log of `entryNumber` by its renumbered
// twin when a crash interrupted it, or removes a twin that was never
// completed. Needs the record store initialised and the log not open. False
// when a file could not be moved.
bool FinishInterruptedRenumber(std::int32_t entryNumber);

// The steps when the log form opens a log: band-change markers lose every
// field a multiplier search looks at, and a log whose multiplier markers are
// not set (or that is empty) is renumbered.
void PrepareOpenedLog(LogSession& session, RenumberProgress& progress);

}  // namespace mss::log

// Opening and closing the log of a contest entry with everything a session
// reads (entry, extra record, suite files, lookups, start band and mode), and
// writing the entry back with its results: what the log form does when it
// opens and closes, and what the command line does around an import.
#pragma once

#include <cstdint>
#include <optional>

#include "contest/ContestDefinition.h"
#include "contest/ContestExtra.h"
#include "log/ContactEntry.h"
#include "log/LogSession.h"
#include "log/PassProgress.h"

namespace mss::log {

// Reads entry `entryNumber` from the open contest store and fills its
// contest definition; the catalogue's marks of the entry (where it keeps
// its totals) are stored. nullopt when the entry cannot be read.
std::optional<contest::ContestDefinition> EntryDefinition(std::int32_t entryNumber);

// Opens the log of `entryNumber` and the suite's callbook, call file and
// prefix table into `session` (whose definition is set), with the entry,
// its extra record, the lookups, member lists and the start band and mode.
// False when the entry, its extra record or its log cannot be opened.
bool OpenLogSession(std::int32_t entryNumber, LogSession& session, EntryState& state,
                    contest::ContestExtra& extra);

// The steps after opening: the log prepared (renumbered when it must be)
// and the totals recounted.
void PrepareLogSession(LogSession& session, PassProgress& progress);

// Writes the session's entry and `extra` to the contest store.
bool StoreSessionEntry(const LogSession& session, const contest::ContestExtra& extra);

// Closing: the entry is stored, the results are written into it and stored
// again, and the log is renumbered. False when anything could not be
// written; nothing is closed then.
bool WriteBackSession(LogSession& session, contest::ContestExtra& extra, PassProgress& results,
                      PassProgress& renumbering);

// Lets go of the log and the suite files the session opened.
void CloseLogSession();

}  // namespace mss::log

// Storing and deleting a contest entry with everything that belongs to it:
// the entry in QVKK, its extra record in QVKZ, its log and its station
// description file. Answers are ErrorLevel() values or outcomes the caller
// checks; nothing here talks to the operator.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "contest/ContestEntry.h"
#include "contest/ContestExtra.h"

namespace mss::contest {

// Adds a new entry (QVKK numbers it, the extra record gets the number) or
// updates an existing one found by its Number; a missing extra record is
// added. `entry` and `extra` carry the number afterwards. Both stay in the
// record buffers. Answers ErrorLevel(); a failure of the entry stores no
// extra record.
int StoreEntry(bool isNew, ContestEntry& entry, ContestExtra& extra);

enum class DeleteOutcome {
    Deleted,
    LogNotErased,  // nothing deleted: the log's files would be left behind
    StoreError,    // the log is gone; the records could not all be removed
};

// Erases the entry's log through `eraseLog`, then its extra record, the
// entry itself, and its station description and notes files in `runDir`.
DeleteOutcome DeleteEntry(std::int32_t number,
                          const std::function<bool(std::int32_t number)>& eraseLog,
                          const std::string& runDir);

}  // namespace mss::contest

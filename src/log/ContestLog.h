// The contest log file of a contest entry as the program opens it: one log
// open at a time, shared by every part of the contest log through one
// fileblock object and its record buffer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "log/QsoRecord.h"
#include "store/FileblockObject.h"

namespace mss::log {

// How a log-shaped fileblock of that name is opened: 216-byte records, the
// 27 keys, the key builder, key 4 numbering Nummer, flushing after each write.
// The files live in the program's run directory.
store::SharedDefinition ContestLogDefinition(std::string_view name);

// Opens, or creates when missing, the log of contest entry `entryNumber`,
// first finishing a renumbering that an earlier run left unfinished. A log
// that the last run left open (it ended without closing it) has its indexes
// checked, and rebuilt when damaged. False when the store refuses. Opening
// the log that is already open only counts one more user.
bool OpenContestLog(std::int32_t entryNumber);
// One user less; the last one closes the log.
void CloseContestLog();
// The open log, or nullptr.
store::TFileblockObject* OpenLog();

enum class LogCheck { kSound, kRebuilt, kFailed };
// Checks the indexes of the open log against its records (order, counts) and
// rebuilds them when damaged; afterwards there may be no current record.
LogCheck CheckContestLog();
// The entry number of the open log; 0 when none is open.
std::int32_t OpenLogNumber();

// The log's record buffer as a contact, and back.
QsoRecord BufferRecord(const store::TFileblockObject& log);
void SetBufferRecord(store::TFileblockObject& log, const QsoRecord& record);

// Adds the contact (Nummer is filled by the store). When the add fails the
// time moves on by one second and the add is tried again, at most 10 more
// times. Answers the ErrorLevel of the last try; on success `contact` holds
// the stored record.
int AddContact(store::TFileblockObject& log, QsoRecord& contact);

// Restores the log's record buffer and its current record when a search
// that borrowed them is done, so that an Update afterwards still goes to the
// record it was meant for.
class BufferGuard {
  public:
    explicit BufferGuard(store::TFileblockObject& log);
    ~BufferGuard();
    BufferGuard(const BufferGuard&) = delete;
    BufferGuard& operator=(const BufferGuard&) = delete;

  private:
    store::TFileblockObject& log_;
    QsoRecord saved_;
    store::SavedPosition position_;
};

// Visits the records whose key `keyNr` begins with `prefix`, in key order,
// until `visit` answers false. The buffer is left holding the last record read.
template <class Visit>
void ScanKey(store::TFileblockObject& log, int keyNr, std::string_view prefix, Visit visit) {
    for (int level = log.Search(keyNr, prefix); level == 0; level = log.Next(keyNr)) {
        const QsoRecord record = BufferRecord(log);
        if (log.BuildKey(keyNr).compare(0, prefix.size(), prefix) != 0) return;
        if (!visit(record)) return;
    }
}

}  // namespace mss::log

// Walks over the open contest log in a key's order for the writers, telling
// the normal end of the log from a read failure.
#pragma once

#include <string_view>

#include "log/ContestLog.h"
#include "output/WriteStatus.h"
#include "store/FileblockObject.h"

namespace mss::output {

// Visits every record in the order of key `keyNr`.
template <class Visit>
WriteStatus WalkLog(store::TFileblockObject& log, int keyNr, Visit visit) {
    int level = log.First(keyNr);
    for (; level == 0; level = log.Next(keyNr)) visit(log::BufferRecord(log));
    return {level == 1 ? 0 : kLogReadFailed};
}

// Visits the records whose key `keyNr` begins with `prefix`, in key order.
template <class Visit>
WriteStatus WalkLogFrom(store::TFileblockObject& log, int keyNr, std::string_view prefix,
                        Visit visit) {
    int level = log.Search(keyNr, prefix);
    for (; level == 0; level = log.Next(keyNr)) {
        if (log.BuildKey(keyNr).compare(0, prefix.size(), prefix) != 0) return {};
        visit(log::BufferRecord(log));
    }
    return {level == 1 ? 0 : kLogReadFailed};
}

}  // namespace mss::output

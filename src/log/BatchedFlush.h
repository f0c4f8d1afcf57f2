// Flushing the contest log in batches during a long pass that adds many
// contacts (an ADIF import, a recount that rewrites points): three ordered
// syncs after every add would cost about a millisecond a contact. A crash
// keeps every contact up to the last flush; the rest is added again by
// running the pass again, since duplicates are skipped.
#pragma once

#include <chrono>
#include <cstdint>

#include "store/FileblockObject.h"

namespace mss::log {

class BatchedFlush {
  public:
    static constexpr std::int32_t kBatch = 500;
    static constexpr std::chrono::milliseconds kInterval{1000};

    // Turns the log's flush after every write off until Finish.
    explicit BatchedFlush(store::TFileblockObject& log);
    // Finishes when the caller did not.
    ~BatchedFlush();
    BatchedFlush(const BatchedFlush&) = delete;
    BatchedFlush& operator=(const BatchedFlush&) = delete;

    // One more write; flushes once kBatch writes or kInterval have passed
    // since the last flush. False when that flush failed.
    bool Written();
    // Flushes what is left and restores the log's flushing as it was. False
    // when the flush failed.
    bool Finish();

  private:
    bool Flush();

    store::TFileblockObject& log_;
    bool wasAutoFlush_;
    bool finished_ = false;
    std::int32_t pending_ = 0;
    std::chrono::steady_clock::time_point lastFlush_;
};

}  // namespace mss::log

#include "log/BatchedFlush.h"

namespace mss::log {

BatchedFlush::BatchedFlush(store::TFileblockObject& log)
    : log_(log), wasAutoFlush_(log.AutoFlush()), lastFlush_(std::chrono::steady_clock::now()) {
    (void)log_.SetAutoFlush(false);
}

BatchedFlush::~BatchedFlush() {
    (void)Finish();
}

bool BatchedFlush::Written() {
    ++pending_;
    if (pending_ < kBatch && std::chrono::steady_clock::now() - lastFlush_ < kInterval) return true;
    return Flush();
}

bool BatchedFlush::Finish() {
    if (finished_) return true;
    finished_ = true;
    const bool flushed = Flush();
    (void)log_.SetAutoFlush(wasAutoFlush_);
    return flushed;
}

bool BatchedFlush::Flush() {
    lastFlush_ = std::chrono::steady_clock::now();
    if (pending_ == 0) return true;
    pending_ = 0;
    // Closing writes the files out with the store's ordered syncs and leaves
    // them clean; the next call on the log opens them again.
    return log_.CloseFiles() == store::kOk;
}

}  // namespace mss::log

// The record browser's vertical scroll bar without counting entries: its
// maximum from the record count, the thumb position of an entry from the
// index's position estimate, and the entry under a dragged thumb.
#pragma once

#include <cstdint>
#include <optional>

#include "ui/KxBrowRange.h"

namespace mss::store {
class TFileblockObject;
}

namespace mss::ui {

// RecordCount - 1 (0 for an empty file), 247 when that would exceed 3000.
std::int32_t ScrollMaximum(std::int32_t recordCount);

// How much the estimate's scale is stretched beyond the maximum so that the
// first and last entries reach the ends of the bar; at least 2.
std::int32_t ScrollEnlargement(std::int32_t maximum, std::int32_t entryCount);

class BrowScroll {
  public:
    BrowScroll(store::TFileblockObject& object, int keyNr) : object_(object), keyNr_(keyNr) {}

    // Reads the record and entry counts afresh; call before a series of
    // positions.
    void Measure();
    std::int32_t Maximum() const { return maximum_; }

    // Thumb position 0 ... Maximum() of an entry.
    std::int32_t ThumbOf(const BrowEntry& entry);
    // The entry whose thumb position is nearest p (0 < p < Maximum()).
    std::optional<BrowEntry> EntryAt(std::int32_t p);

  private:
    store::TFileblockObject& object_;
    int keyNr_;
    std::int32_t maximum_ = 0;
    std::int32_t entryCount_ = 0;
};

}  // namespace mss::ui

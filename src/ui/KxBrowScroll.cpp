#include "ui/KxBrowScroll.h"

#include <algorithm>
#include <cstdlib>

#include "store/FileblockObject.h"

namespace mss::ui {
namespace {

constexpr std::int32_t kLargeFile = 3000;
constexpr std::int32_t kLargeFileMaximum = 247;
constexpr int kMaxBisectionSteps = 64;

// M div (M div d), or 2 when M is below d.
std::int32_t Stretch(std::int32_t m, std::int32_t d) {
    return m < d ? 2 : m / (m / d);
}

}  // namespace

std::int32_t ScrollMaximum(std::int32_t recordCount) {
    const std::int32_t maximum = std::max(recordCount - 1, 0);
    return maximum > kLargeFile ? kLargeFileMaximum : maximum;
}

std::int32_t ScrollEnlargement(std::int32_t m, std::int32_t c) {
    const std::int32_t ratio = c > 0 ? m / c : 0;
    std::int32_t e = 2;
    if (ratio > 33)
        e = 4 * m;
    else if (ratio >= 26)
        e = 2 * m;
    else if (ratio >= 21)
        e = m;
    else if (ratio >= 11)
        e = Stretch(m, 50);
    else if (ratio >= 5)
        e = Stretch(m, 25);
    else if (ratio >= 3)
        e = Stretch(m, 10);
    else if (ratio == 2)
        e = Stretch(m, 8);
    else if (ratio == 1)
        e = Stretch(m, 4);
    return std::max(e, 2);
}

void BrowScroll::Measure() {
    maximum_ = ScrollMaximum(std::max(object_.RecordCount(), 0));
    entryCount_ = std::max(object_.EntryCount(keyNr_), 0);
}

std::int32_t BrowScroll::ThumbOf(const BrowEntry& entry) {
    if (entryCount_ <= 1 || maximum_ == 0) return 0;
    const std::int32_t e = ScrollEnlargement(maximum_, entryCount_);
    std::int32_t position = 0;
    if (object_.EntryPosition(keyNr_, entry.ref, entry.key, maximum_ + (e & ~1), position) != 0)
        return 0;
    return std::clamp(position - e / 2, 0, maximum_);
}

std::optional<BrowEntry> BrowScroll::EntryAt(std::int32_t p) {
    std::optional<BrowEntry> best;
    std::int32_t bestDistance = 0;
    std::int32_t low = 0;
    std::int32_t high = maximum_;
    std::int32_t guess = maximum_ / 2;
    for (int step = 0; step < kMaxBisectionSteps; ++step) {
        BrowEntry entry;
        if (object_.EntryAtPosition(keyNr_, guess, maximum_, entry.ref, entry.key) != 0) break;
        const std::int32_t thumb = ThumbOf(entry);
        const std::int32_t distance = std::abs(thumb - p);
        if (!best || distance < bestDistance) {
            best = entry;
            bestDistance = distance;
        }
        if (thumb == p) break;
        (thumb < p ? low : high) = guess;
        const std::int32_t next = low + (high - low) / 2;
        if (next == guess) break;
        guess = next;
    }
    return best;
}

}  // namespace mss::ui

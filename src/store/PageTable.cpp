#include "store/PageTable.h"

#include <bit>
#include <utility>

namespace mss::store {

std::size_t PageTable::Home(const PageOwner& owner) const {
    // The page numbers of one key are dense; mixing spreads them over the table.
    std::uint64_t h = (std::uint64_t{owner.fileblock} << 40) ^
                      (std::uint64_t(static_cast<std::uint32_t>(owner.key)) << 32) ^
                      static_cast<std::uint32_t>(owner.page);
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    return static_cast<std::size_t>(h) & (slots_.size() - 1);
}

std::size_t PageTable::SlotOf(const PageOwner& owner) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = Home(owner);
    while (slots_[i].buffer != -1 && !(slots_[i].owner == owner)) i = (i + 1) & mask;
    return i;
}

void PageTable::Reserve(int entries) {
    const std::size_t wanted = std::bit_ceil(static_cast<std::size_t>(entries) * 2 + 2);
    if (wanted <= slots_.size()) return;
    std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(wanted));
    for (const Slot& slot : old)
        if (slot.buffer != -1) slots_[SlotOf(slot.owner)] = slot;
}

int PageTable::Find(const PageOwner& owner) const {
    if (count_ == 0) return -1;
    return slots_[SlotOf(owner)].buffer;
}

void PageTable::Insert(const PageOwner& owner, int buffer) {
    Reserve(count_ + 1);
    slots_[SlotOf(owner)] = {owner, buffer};
    ++count_;
}

void PageTable::Erase(const PageOwner& owner) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t hole = SlotOf(owner);
    slots_[hole].buffer = -1;
    --count_;
    // Shift later members of the probe run back, so that no lookup stops
    // early at the hole.
    for (std::size_t i = (hole + 1) & mask; slots_[i].buffer != -1; i = (i + 1) & mask) {
        const std::size_t home = Home(slots_[i].owner);
        // Movable when its home does not lie cyclically in (hole, i].
        if (((i - home) & mask) >= ((i - hole) & mask)) {
            slots_[hole] = slots_[i];
            slots_[i].buffer = -1;
            hole = i;
        }
    }
}

}  // namespace mss::store

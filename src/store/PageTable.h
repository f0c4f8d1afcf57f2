// Which cache buffer holds a page: an open-addressing table with linear
// probing, so that a lookup usually costs one memory access where a node-based
// map costs two or three. The cache asks it for every page an operation
// touches, which makes it the hottest lookup of the engine.
#pragma once

#include <cstdint>
#include <vector>

namespace mss::store {

struct PageOwner {
    std::uint32_t fileblock = 0;
    int key = 0;
    std::int32_t page = 0;
    friend bool operator==(const PageOwner&, const PageOwner&) = default;
};

class PageTable {
  public:
    // Room for at least entries owners without a rehash; existing entries stay.
    void Reserve(int entries);
    // The buffer of owner, or -1.
    int Find(const PageOwner& owner) const;
    // Owner must not be present.
    void Insert(const PageOwner& owner, int buffer);
    // Owner must be present.
    void Erase(const PageOwner& owner);

  private:
    struct Slot {
        PageOwner owner;
        int buffer = -1;  // -1: empty
    };
    std::size_t Home(const PageOwner& owner) const;
    std::size_t SlotOf(const PageOwner& owner) const;  // its slot or the empty slot ending the probe

    std::vector<Slot> slots_;  // a power of two long, at most half full
    int count_ = 0;
};

}  // namespace mss::store

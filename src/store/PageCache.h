// The engine's pool of index page buffers, shared by all open fileblocks and
// ordered by last use. Pages are held expanded (fixed-size items) so that an
// item is reached by index; a pinned buffer is never chosen for reuse, which
// lets an operation hold the few pages it works on at once.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "store/FileFormat.h"
#include "store/PageTable.h"

namespace mss::store {

struct PageItem {
    std::int32_t ref = 0;
    std::int32_t right = 0;  // page of the keys between this item and the next one
    std::uint8_t len = 0;
    std::array<char, kMaxKeyLength> key{};

    std::string_view Key() const { return {key.data(), len}; }
};

struct Page {
    int count = 0;
    std::int32_t left = 0;  // page of the keys below the first item, 0 in a leaf
    bool ordered = false;   // its entries were checked against each other since it was read
    std::array<PageItem, kPageCapacity> items;  // items[0 .. count - 1]

    bool IsLeaf() const { return left == 0; }
    // The child between position i and i + 1 (0 = before the first item).
    std::int32_t ChildAt(int i) const { return i == 0 ? left : items[i - 1].right; }
};

class PageCache {
  public:
    // Allocates up to count buffers one by one; Size() tells how many it got.
    explicit PageCache(int count);
    PageCache(const PageCache&) = delete;
    PageCache& operator=(const PageCache&) = delete;

    int Size() const { return static_cast<int>(pages_.size()); }
    // Adds buffers one by one up to count (as many as memory gives).
    void Grow(int count);
    // Drops the buffer with the highest number, which must be free (Release).
    void DropLast();

    // The buffer holding owner's page, or -1.
    int Find(const PageOwner& owner) const;
    // The least recently used buffer that is not pinned, or -1.
    int Victim() const;
    // Gives buffer b to a new owner (clean, most recently used).
    void Assign(int b, const PageOwner& owner);
    // Frees buffer b; it becomes the first choice for reuse.
    void Release(int b);
    void Touch(int b);

    Page& PageOf(int b) { return *pages_[b]; }
    const PageOwner& OwnerOf(int b) const { return meta_[b].owner; }
    bool InUse(int b) const { return meta_[b].inUse; }
    bool IsDirty(int b) const { return meta_[b].dirty; }
    void SetDirty(int b, bool dirty) {
        Meta& meta = meta_[b];
        if (dirty && !meta.listed) {
            dirtyList_.push_back(b);
            meta.listed = true;
        }
        meta.dirty = dirty;
    }
    void Pin(int b) { ++meta_[b].pins; }
    void Unpin(int b) { --meta_[b].pins; }

    // Buffers owned by a fileblock, for close.
    std::vector<int> BuffersOf(std::uint32_t fileblock) const;
    // Its dirty buffers, for flush: found without looking at every buffer,
    // so that a flush after one change costs as little with a large cache.
    std::vector<int> DirtyBuffersOf(std::uint32_t fileblock);

  private:
    // What the cache knows of a buffer, kept apart from the page bytes so
    // that the recency list and the lookups walk a compact array instead of
    // touching a cold line of every 4 KB buffer.
    struct Meta {
        PageOwner owner;
        bool inUse = false;
        bool dirty = false;
        bool listed = false;  // in dirtyList_
        int pins = 0;
        int prev = -1;  // towards the most recently used end
        int next = -1;
    };

    void Unlink(int b);
    void LinkFront(int b);
    void LinkBack(int b);

    std::vector<std::unique_ptr<Page>> pages_;
    std::vector<Meta> meta_;  // parallel to pages_
    PageTable index_;
    // Every dirty buffer, and some that were cleaned since (dropped lazily).
    std::vector<int> dirtyList_;
    int head_ = -1;  // most recently used
    int tail_ = -1;  // least recently used
};

// Keeps a cache buffer pinned while an operation works on its page.
class PageRef {
  public:
    PageRef() = default;
    PageRef(PageCache* cache, int buffer) : cache_(cache), buffer_(buffer) { cache_->Pin(buffer_); }
    PageRef(PageRef&& other) noexcept { *this = std::move(other); }
    PageRef& operator=(PageRef&& other) noexcept {
        if (this != &other) {
            Reset();
            cache_ = other.cache_;
            buffer_ = other.buffer_;
            other.cache_ = nullptr;
        }
        return *this;
    }
    ~PageRef() { Reset(); }

    Page& operator*() const { return cache_->PageOf(buffer_); }
    Page* operator->() const { return &cache_->PageOf(buffer_); }
    void MarkDirty() const { cache_->SetDirty(buffer_, true); }
    std::int32_t Number() const { return cache_->OwnerOf(buffer_).page; }

    void Reset() {
        if (cache_) cache_->Unpin(buffer_);
        cache_ = nullptr;
    }

  private:
    PageCache* cache_ = nullptr;
    int buffer_ = -1;
};

}  // namespace mss::store

#include "store/PageCache.h"

#include <algorithm>
#include <new>

namespace mss::store {

PageCache::PageCache(int count) {
    Grow(count);
}

void PageCache::Grow(int count) {
    // Entries of dropped buffers must not stand for the new ones.
    std::erase_if(dirtyList_, [&](int b) { return b >= Size(); });
    index_.Reserve(count);
    for (int i = Size(); i < count; ++i) {
        std::unique_ptr<Page> page(new (std::nothrow) Page);
        if (!page) break;  // the caller decides whether what we got is enough
        pages_.push_back(std::move(page));
        meta_.emplace_back();
        LinkBack(i);
    }
}

void PageCache::DropLast() {
    const int b = Size() - 1;
    Unlink(b);
    pages_.pop_back();
    meta_.pop_back();
    if (dirtyList_.size() > 0 && dirtyList_.back() == b) dirtyList_.pop_back();
    // Anything else listed of a dropped buffer is cleaned away by the next
    // DirtyBuffersOf, which checks the number first.
}

int PageCache::Find(const PageOwner& owner) const {
    return index_.Find(owner);
}

int PageCache::Victim() const {
    for (int b = tail_; b != -1; b = meta_[b].prev)
        if (meta_[b].pins == 0) return b;
    return -1;
}

void PageCache::Assign(int b, const PageOwner& owner) {
    Meta& meta = meta_[b];
    if (meta.inUse) index_.Erase(meta.owner);
    meta.owner = owner;
    meta.inUse = true;
    meta.dirty = false;
    index_.Insert(owner, b);
    Touch(b);
}

void PageCache::Release(int b) {
    Meta& meta = meta_[b];
    if (meta.inUse) index_.Erase(meta.owner);
    meta.inUse = false;
    meta.dirty = false;
    Unlink(b);
    LinkBack(b);
}

void PageCache::Touch(int b) {
    if (head_ == b) return;
    Unlink(b);
    LinkFront(b);
}

std::vector<int> PageCache::BuffersOf(std::uint32_t fileblock) const {
    std::vector<int> result;
    for (int b = 0; b < Size(); ++b)
        if (meta_[b].inUse && meta_[b].owner.fileblock == fileblock) result.push_back(b);
    return result;
}

std::vector<int> PageCache::DirtyBuffersOf(std::uint32_t fileblock) {
    std::vector<int> result;
    std::erase_if(dirtyList_, [&](int b) {
        if (b >= Size()) return true;  // dropped since it was listed
        Meta& meta = meta_[b];
        if (!meta.dirty) {
            meta.listed = false;
            return true;
        }
        if (meta.owner.fileblock == fileblock) result.push_back(b);
        return false;
    });
    return result;
}

void PageCache::Unlink(int b) {
    Meta& meta = meta_[b];
    if (meta.prev != -1) meta_[meta.prev].next = meta.next;
    if (meta.next != -1) meta_[meta.next].prev = meta.prev;
    if (head_ == b) head_ = meta.next;
    if (tail_ == b) tail_ = meta.prev;
    meta.prev = meta.next = -1;
}

void PageCache::LinkFront(int b) {
    meta_[b].next = head_;
    if (head_ != -1) meta_[head_].prev = b;
    head_ = b;
    if (tail_ == -1) tail_ = b;
}

void PageCache::LinkBack(int b) {
    meta_[b].prev = tail_;
    if (tail_ != -1) meta_[tail_].next = b;
    tail_ = b;
    if (head_ == -1) head_ = b;
}

}  // namespace mss::store

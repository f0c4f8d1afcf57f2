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
    for (int i = Size(); i < count; ++i) {
        std::unique_ptr<Buffer> buffer(new (std::nothrow) Buffer);
        if (!buffer) break;  // the caller decides whether what we got is enough
        buffers_.push_back(std::move(buffer));
        LinkBack(i);
    }
}

void PageCache::DropLast() {
    const int b = Size() - 1;
    Unlink(b);
    buffers_.pop_back();
    if (dirtyList_.size() > 0 && dirtyList_.back() == b) dirtyList_.pop_back();
    // Anything else listed of a dropped buffer is cleaned away by the next
    // DirtyBuffersOf, which checks the number first.
}

int PageCache::Find(const PageOwner& owner) const {
    auto it = index_.find(owner);
    return it == index_.end() ? -1 : it->second;
}

int PageCache::Victim() const {
    for (int b = tail_; b != -1; b = buffers_[b]->prev)
        if (buffers_[b]->pins == 0) return b;
    return -1;
}

void PageCache::Assign(int b, const PageOwner& owner) {
    Buffer& buffer = *buffers_[b];
    if (buffer.inUse) index_.erase(buffer.owner);
    buffer.owner = owner;
    buffer.inUse = true;
    buffer.dirty = false;
    index_[owner] = b;
    Touch(b);
}

void PageCache::Release(int b) {
    Buffer& buffer = *buffers_[b];
    if (buffer.inUse) index_.erase(buffer.owner);
    buffer.inUse = false;
    buffer.dirty = false;
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
    for (const auto& [owner, b] : index_)
        if (owner.fileblock == fileblock) result.push_back(b);
    return result;
}

std::vector<int> PageCache::DirtyBuffersOf(std::uint32_t fileblock) {
    std::vector<int> result;
    std::erase_if(dirtyList_, [&](int b) {
        if (b >= Size()) return true;  // dropped since it was listed
        Buffer& buffer = *buffers_[b];
        if (!buffer.dirty) {
            buffer.listed = false;
            return true;
        }
        if (buffer.owner.fileblock == fileblock) result.push_back(b);
        return false;
    });
    return result;
}

void PageCache::Unlink(int b) {
    Buffer& buffer = *buffers_[b];
    if (buffer.prev != -1) buffers_[buffer.prev]->next = buffer.next;
    if (buffer.next != -1) buffers_[buffer.next]->prev = buffer.prev;
    if (head_ == b) head_ = buffer.next;
    if (tail_ == b) tail_ = buffer.prev;
    buffer.prev = buffer.next = -1;
}

void PageCache::LinkFront(int b) {
    buffers_[b]->next = head_;
    if (head_ != -1) buffers_[head_]->prev = b;
    head_ = b;
    if (tail_ == -1) tail_ = b;
}

void PageCache::LinkBack(int b) {
    buffers_[b]->prev = tail_;
    if (tail_ != -1) buffers_[tail_]->next = b;
    tail_ = b;
    if (head_ == -1) head_ = b;
}

}  // namespace mss::store

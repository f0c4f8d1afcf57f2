#include "store/IndexPages.h"

#include <algorithm>
#include <unordered_set>

#include "store/IndexTree.h"

namespace mss::store::detail {
namespace {

std::int64_t PageOffset(const Descriptor& d, const KeyState& key, std::int32_t page) {
    return std::int64_t{page} * d.rowSize + key.slotOffset;
}

EngineCode WritePage(Descriptor& d, int k, std::int32_t pageNo, const Page& page) {
    KeyState& key = d.Key(k);
    const int itemSize = key.keyLen + kItemOverhead;
    thread_local std::vector<std::uint8_t> bytes;
    bytes.resize(static_cast<std::size_t>(kPageHeaderSize + page.count * itemSize));
    EncodeFixed16(&bytes[0], static_cast<std::uint16_t>(page.count));
    EncodeFixed32(&bytes[2], page.left);
    for (int i = 0; i < page.count; ++i) {
        const PageItem& item = page.items[i];
        std::uint8_t* p = &bytes[static_cast<std::size_t>(kPageHeaderSize + i * itemSize)];
        EncodeFixed32(p, item.ref);
        EncodeFixed32(p + 4, item.right);
        p[8] = item.len;
        std::copy_n(item.key.begin(), item.len, p + 9);
        // The bytes after the key mean nothing; zeros keep the file reproducible.
        std::fill(p + 9 + item.len, p + itemSize, 0);
    }
    return WriteIndex(d, PageOffset(d, key, pageNo), bytes);
}

// Spreads a packed page into the buffer, checking every field against the
// key's layout and each DataRef against the data file; anything out of range
// means the file is damaged. The order of the entries is left to
// GetOrderedPage.
EngineCode ExpandPage(const KeyState& key, std::int32_t slotCount, std::int32_t pageNo,
                      std::span<const std::uint8_t> bytes, Page& page) {
    const int itemSize = key.keyLen + kItemOverhead;
    const std::int32_t pageCount = key.header.pageCount;
    auto validChild = [&](std::int32_t child) {
        return child >= 0 && child <= pageCount && child != pageNo;
    };
    page.count = DecodeFixed16(&bytes[0]);
    page.left = DecodeFixed32(&bytes[2]);
    if (page.count > key.pageCap || !validChild(page.left)) return kShortRead;
    for (int i = 0; i < page.count; ++i) {
        const std::uint8_t* p = &bytes[static_cast<std::size_t>(kPageHeaderSize + i * itemSize)];
        PageItem& item = page.items[i];
        item.ref = DecodeFixed32(p);
        item.right = DecodeFixed32(p + 4);
        item.len = p[8];
        // A leaf has no children at all, an inner page a child everywhere.
        if (item.len > key.keyLen || !validChild(item.right) ||
            (item.right == 0) != (page.left == 0) || item.ref < 1 || item.ref > slotCount)
            return kShortRead;
        std::copy_n(p + 9, item.len, item.key.begin());
    }
    page.ordered = false;
    return kOk;
}

// A buffer free for a new page: the least recently used one, written back first.
EngineCode TakeBuffer(int& buffer) {
    PageCache& cache = *Engine().cache;
    buffer = cache.Victim();
    if (buffer < 0) return kTooFewPageBuffers;
    if (cache.InUse(buffer) && cache.IsDirty(buffer)) {
        const PageOwner owner = cache.OwnerOf(buffer);
        auto it = Engine().open.find(owner.fileblock);
        if (it != Engine().open.end()) {
            if (EngineCode code =
                    WritePage(*it->second, owner.key, owner.page, cache.PageOf(buffer)))
                return code;
        }
    }
    cache.Release(buffer);
    return kOk;
}

// No child pointer of the tree may lead to a free page. Only the inner pages
// hold child pointers, so a look at them (and at one leaf, to know that the
// level below is the last) suffices: a few pages per thousand entries.
EngineCode CheckTreeAgainst(Descriptor& d, int k, const std::unordered_set<std::int32_t>& free) {
    const std::int32_t root = d.Key(k).header.root;
    if (root == 0) return kOk;
    if (free.contains(root)) return kFreeChainDamaged;
    std::vector<std::int32_t> level{root};
    for (int depth = 1; !level.empty(); ++depth) {
        if (depth > kMaxDepth) return kShortRead;
        std::vector<std::int32_t> below;
        for (std::int32_t pageNo : level) {
            PageRef page;
            if (EngineCode code = GetPage(d, k, pageNo, page)) return code;
            if (page->IsLeaf()) return kOk;
            for (int i = 0; i <= page->count; ++i) {
                if (free.contains(page->ChildAt(i))) return kFreeChainDamaged;
                below.push_back(page->ChildAt(i));
            }
        }
        level = std::move(below);
    }
    return kOk;
}

}  // namespace

// Walks the key's page free chain once: every link in range, no page twice,
// exactly FreeCount pages, none of them in the tree. A loop or a live page in
// the chain is 10170.
EngineCode CheckFreeChain(Descriptor& d, int k) {
    KeyState& key = d.Key(k);
    if (key.freeChainChecked) return kOk;
    std::unordered_set<std::int32_t> seen;
    std::int32_t page = key.header.firstFree;
    for (std::int32_t n = 0; n < key.header.freeCount; ++n) {
        if (page < 1 || page > key.header.pageCount || !seen.insert(page).second ||
            Engine().cache->Find({d.id, k, page}) >= 0)
            return kFreeChainDamaged;
        std::array<std::uint8_t, 4> link{};
        if (EngineCode code = ReadExact(*d.index, PageOffset(d, key, page), link)) return code;
        page = DecodeFixed32(link.data());
    }
    if (page != -1) return kFreeChainDamaged;
    if (!seen.empty())
        if (EngineCode code = CheckTreeAgainst(d, k, seen)) return code;
    key.freeChainChecked = true;
    return kOk;
}

namespace {

EngineCode TakeFreePage(Descriptor& d, int k, std::int32_t& pageNo) {
    KeyState& key = d.Key(k);
    if (EngineCode code = CheckFreeChain(d, k)) return code;
    pageNo = key.header.firstFree;
    if (pageNo < 1 || pageNo > key.header.pageCount || key.header.freeCount < 1)
        return kFreeChainDamaged;
    std::array<std::uint8_t, 4> bytes{};
    if (EngineCode code = ReadExact(*d.index, PageOffset(d, key, pageNo), bytes)) return code;
    std::int32_t link = DecodeFixed32(bytes.data());
    if (link == 0 || link > key.header.pageCount || link < -1 || link == pageNo)
        return kFreeChainDamaged;
    key.header.firstFree = link;
    --key.header.freeCount;
    return kOk;
}

EngineCode AppendPage(Descriptor& d, int k, std::int32_t& pageNo) {
    KeyState& key = d.Key(k);
    if (key.header.pageCount == INT32_MAX) return kShortWrite;
    pageNo = key.header.pageCount + 1;
    if (pageNo > d.rowCount) {
        // The file grows by whole zero-filled rows.
        if (EngineCode code = GrowIndex(d, (std::int64_t{d.rowCount} + 2) * d.rowSize)) return code;
        ++d.rowCount;
    }
    key.header.pageCount = pageNo;
    return kOk;
}

}  // namespace

EngineCode GetPage(Descriptor& d, int k, std::int32_t page, PageRef& out) {
    KeyState& key = d.Key(k);
    PageCache& cache = *Engine().cache;
    if (page < 1 || page > key.header.pageCount) return kShortRead;
    const PageOwner owner{d.id, k, page};
    int buffer = cache.Find(owner);
    if (buffer >= 0) {
        cache.Touch(buffer);
        out = PageRef(&cache, buffer);
        return kOk;
    }
    if (EngineCode code = TakeBuffer(buffer)) return code;
    thread_local std::vector<std::uint8_t> bytes;
    bytes.resize(static_cast<std::size_t>(key.header.pageBytes));
    if (EngineCode code = ReadExact(*d.index, PageOffset(d, key, page), bytes)) return code;
    if (EngineCode code = ExpandPage(key, d.header.slotCount, page, bytes, cache.PageOf(buffer)))
        return code;
    cache.Assign(buffer, owner);
    out = PageRef(&cache, buffer);
    return kOk;
}

EngineCode GetOrderedPage(Descriptor& d, int k, std::int32_t page, PageRef& out) {
    if (EngineCode code = GetPage(d, k, page, out)) return code;
    if (out->ordered) return kOk;
    // A search never finds an entry that sorts out of its place, so a walk
    // or a change must not trust the page before this.
    for (int i = 1; i < out->count; ++i) {
        const PageItem& item = out->items[i];
        if (CompareEntry(d.Key(k), item.Key(), item.ref, out->items[i - 1]) <= 0) return kShortRead;
    }
    out->ordered = true;
    return kOk;
}

EngineCode AllocatePage(Descriptor& d, int k, PageRef& out) {
    KeyState& key = d.Key(k);
    PageCache& cache = *Engine().cache;
    int buffer = -1;
    if (EngineCode code = TakeBuffer(buffer)) return code;
    std::int32_t pageNo = 0;
    EngineCode code =
        key.header.firstFree != -1 ? TakeFreePage(d, k, pageNo) : AppendPage(d, k, pageNo);
    if (code) return code;
    key.headerDirty = true;
    Page& page = cache.PageOf(buffer);
    page.count = 0;
    page.left = 0;
    page.ordered = true;
    cache.Assign(buffer, {d.id, k, pageNo});
    cache.SetDirty(buffer, true);
    out = PageRef(&cache, buffer);
    return kOk;
}

EngineCode FreePage(Descriptor& d, int k, std::int32_t page) {
    KeyState& key = d.Key(k);
    PageCache& cache = *Engine().cache;
    if (int buffer = cache.Find({d.id, k, page}); buffer >= 0) cache.Release(buffer);
    std::array<std::uint8_t, 4> link{};
    EncodeFixed32(link.data(), key.header.firstFree);
    if (EngineCode code = WriteIndex(d, PageOffset(d, key, page), link)) return code;
    key.header.firstFree = page;
    ++key.header.freeCount;
    key.headerDirty = true;
    return kOk;
}

EngineCode WritePages(Descriptor& d, bool release) {
    PageCache& cache = *Engine().cache;
    EngineCode first = kOk;
    std::vector<int> buffers = release ? cache.BuffersOf(d.id) : cache.DirtyBuffersOf(d.id);
    // In file order, so the writes go out sequentially.
    std::sort(buffers.begin(), buffers.end(), [&](int a, int b) {
        const PageOwner& x = cache.OwnerOf(a);
        const PageOwner& y = cache.OwnerOf(b);
        return x.page != y.page ? x.page < y.page : x.key < y.key;
    });
    for (int buffer : buffers) {
        if (cache.IsDirty(buffer)) {
            const PageOwner owner = cache.OwnerOf(buffer);
            EngineCode code = WritePage(d, owner.key, owner.page, cache.PageOf(buffer));
            if (code && !first) first = code;
            if (!code) cache.SetDirty(buffer, false);
        }
        if (release) cache.Release(buffer);
    }
    return first;
}

EngineCode ShrinkCache(int count) {
    PageCache& cache = *Engine().cache;
    EngineCode first = kOk;
    while (cache.Size() > count) {
        const int b = cache.Size() - 1;
        if (cache.InUse(b) && cache.IsDirty(b)) {
            const PageOwner owner = cache.OwnerOf(b);
            auto it = Engine().open.find(owner.fileblock);
            if (it != Engine().open.end()) {
                Descriptor& d = *it->second;
                EngineCode code = WritePage(d, owner.key, owner.page, cache.PageOf(b));
                // The page is gone with its buffer: the index must be rebuilt.
                if (code) d.needsRebuild = true;
                if (code && !first) first = code;
            }
        }
        cache.Release(b);
        cache.DropLast();
    }
    return first;
}

void DropPages(Descriptor& d) {
    PageCache& cache = *Engine().cache;
    for (int buffer : cache.BuffersOf(d.id)) cache.Release(buffer);
}

}  // namespace mss::store::detail

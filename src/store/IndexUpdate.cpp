// Insertion and deletion in an index: balancing into a neighbour before
// splitting, borrowing from a neighbour before merging.
#include <algorithm>
#include <vector>

#include "store/IndexPages.h"
#include "store/IndexTree.h"

namespace mss::store::detail {
namespace {

PageItem MakeItem(RecordRef ref, std::string_view key) {
    PageItem item;
    item.ref = ref;
    item.len = static_cast<std::uint8_t>(key.size());
    std::copy(key.begin(), key.end(), item.key.begin());
    return item;
}

void InsertAt(Page& page, int pos, const PageItem& item) {
    std::move_backward(page.items.begin() + pos, page.items.begin() + page.count,
                       page.items.begin() + page.count + 1);
    page.items[pos] = item;
    ++page.count;
}

void RemoveAt(Page& page, int pos) {
    std::move(page.items.begin() + pos + 1, page.items.begin() + page.count,
              page.items.begin() + pos);
    --page.count;
}

// Two neighbouring pages under one parent item (the separator).
struct Siblings {
    PageRef left;
    PageRef right;
    int separator = 0;  // 0-based item of the parent between them
    bool pageIsLeft = false;
};

// The page at child index c of the parent and its right neighbour, or its
// left one when it is the last child.
EngineCode PairWithNeighbour(Descriptor& d, int k, const Page& parent, int c, PageRef page,
                             Siblings& pair) {
    if (parent.count == 0 || c > parent.count) return kShortRead;
    const bool hasRight = c < parent.count;
    const std::int32_t neighbour = hasRight ? parent.items[c].right : parent.ChildAt(c - 1);
    if (neighbour == page.Number()) return kShortRead;
    PageRef other;
    if (EngineCode code = GetOrderedPage(d, k, neighbour, other)) return code;
    pair.pageIsLeft = hasRight;
    pair.separator = hasRight ? c : c - 1;
    pair.left = hasRight ? std::move(page) : std::move(other);
    pair.right = hasRight ? std::move(other) : std::move(page);
    return kOk;
}

// Left items, the separator (carrying the right page's left child) and the
// right items, in key order.
std::vector<PageItem> Sequence(const Page& parent, const Siblings& pair) {
    const Page& left = *pair.left;
    const Page& right = *pair.right;
    std::vector<PageItem> seq;
    seq.reserve(static_cast<std::size_t>(left.count + right.count + 2));  // room for a new item
    seq.assign(left.items.begin(), left.items.begin() + left.count);
    PageItem separator = parent.items[pair.separator];
    separator.right = right.left;
    seq.push_back(separator);
    seq.insert(seq.end(), right.items.begin(), right.items.begin() + right.count);
    return seq;
}

// Spreads the sequence over the pair: leftCount items left, the next one up
// as the new separator, the rest right.
EngineCode Redistribute(const KeyState& key, Page& parent, Siblings& pair,
                        const std::vector<PageItem>& seq, int leftCount) {
    const int rightCount = static_cast<int>(seq.size()) - 1 - leftCount;
    if (leftCount < 0 || rightCount < 0 || leftCount > key.pageCap || rightCount > key.pageCap)
        return kShortRead;
    Page& left = *pair.left;
    Page& right = *pair.right;
    std::copy_n(seq.begin(), leftCount, left.items.begin());
    left.count = leftCount;
    PageItem separator = seq[static_cast<std::size_t>(leftCount)];
    right.left = separator.right;
    separator.right = pair.right.Number();
    parent.items[pair.separator] = separator;
    std::copy(seq.begin() + leftCount + 1, seq.end(), right.items.begin());
    right.count = rightCount;
    pair.left.MarkDirty();
    pair.right.MarkDirty();
    return kOk;
}

// A full page under a parent: shares the new item with a neighbour that has
// room. balanced tells whether it did.
EngineCode Balance(Descriptor& d, int k, PageRef& parent, int c, PageRef& page, int pos,
                   const PageItem& item, bool& balanced) {
    const KeyState& key = d.Key(k);
    balanced = false;
    Siblings pair;
    if (EngineCode code = PairWithNeighbour(d, k, *parent, c, std::move(page), pair)) return code;
    const PageRef& neighbour = pair.pageIsLeft ? pair.right : pair.left;
    if (neighbour->count >= key.pageCap) {
        page = std::move(pair.pageIsLeft ? pair.left : pair.right);
        return kOk;
    }
    std::vector<PageItem> seq = Sequence(*parent, pair);
    const int offset = pair.pageIsLeft ? 0 : pair.left->count + 1;
    seq.insert(seq.begin() + offset + pos, item);
    // The page that overflowed keeps the odd item.
    const int items = static_cast<int>(seq.size()) - 1;
    const int leftCount = pair.pageIsLeft ? (items + 1) / 2 : items / 2;
    if (EngineCode code = Redistribute(key, *parent, pair, seq, leftCount)) return code;
    parent.MarkDirty();
    balanced = true;
    return kOk;
}

// Splits a full page around the new item; up is the item handed to the parent.
EngineCode Split(Descriptor& d, int k, PageRef& page, int pos, const PageItem& item, PageItem& up) {
    const int cap = d.Key(k).pageCap;
    std::vector<PageItem> seq(page->items.begin(), page->items.begin() + page->count);
    seq.insert(seq.begin() + pos, item);
    PageRef fresh;
    if (EngineCode code = AllocatePage(d, k, fresh)) return code;
    const int half = cap / 2;
    std::copy_n(seq.begin(), half, page->items.begin());
    page->count = half;
    up = seq[static_cast<std::size_t>(half)];
    fresh->left = up.right;
    up.right = fresh.Number();
    std::copy(seq.begin() + half + 1, seq.end(), fresh->items.begin());
    fresh->count = static_cast<int>(seq.size()) - half - 1;
    page.MarkDirty();
    fresh.MarkDirty();
    return kOk;
}

EngineCode NewRoot(Descriptor& d, int k, std::int32_t oldRoot, const PageItem& item) {
    PageRef root;
    if (EngineCode code = AllocatePage(d, k, root)) return code;
    root->left = oldRoot;
    root->count = 0;
    InsertAt(*root, 0, item);
    root.MarkDirty();
    d.Key(k).header.root = root.Number();
    return kOk;
}

// A page with fewer than PageCap / 2 items borrows from a neighbour, or is
// merged with it and the separator into one page.
EngineCode FixUnderflow(Descriptor& d, int k, PageRef& parent, int c, PageRef page) {
    const KeyState& key = d.Key(k);
    Siblings pair;
    if (EngineCode code = PairWithNeighbour(d, k, *parent, c, std::move(page), pair)) return code;
    const Page& neighbour = pair.pageIsLeft ? *pair.right : *pair.left;
    const int m = (neighbour.count - key.pageCap / 2 + 1) / 2;
    std::vector<PageItem> seq = Sequence(*parent, pair);
    parent.MarkDirty();
    if (m > 0) {
        const int leftCount = pair.pageIsLeft ? pair.left->count + m : pair.left->count - m;
        return Redistribute(key, *parent, pair, seq, leftCount);
    }
    if (static_cast<int>(seq.size()) > key.pageCap) return kShortRead;
    std::copy(seq.begin(), seq.end(), pair.left->items.begin());
    pair.left->count = static_cast<int>(seq.size());
    pair.left.MarkDirty();
    RemoveAt(*parent, pair.separator);
    const std::int32_t emptied = pair.right.Number();
    pair.right.Reset();
    return FreePage(d, k, emptied);
}

// Replaces the item at (page, index) by its predecessor, the last item of
// the right-most leaf to its left, and extends the path down to that leaf.
EngineCode TakePredecessor(Descriptor& d, int k, Path& path, PageRef& found) {
    PathLevel& level = path.Deepest();
    const int index = level.index;
    --level.index;  // the path goes on into the subtree left of the item
    std::int32_t child = found->ChildAt(index - 1);
    PageRef leaf;
    bool reachedLeaf = false;
    while (child != 0) {
        if (EngineCode code = GetOrderedPage(d, k, child, leaf)) return code;
        if (EngineCode code = path.Push(child, leaf->count)) return code;
        child = leaf->ChildAt(leaf->count);
        reachedLeaf = true;
    }
    if (!reachedLeaf || leaf->count == 0) return kShortRead;
    const PageItem& predecessor = leaf->items[leaf->count - 1];
    PageItem& item = found->items[index - 1];
    item.ref = predecessor.ref;
    item.len = predecessor.len;
    item.key = predecessor.key;
    found.MarkDirty();
    RemoveAt(*leaf, leaf->count - 1);
    leaf.MarkDirty();
    return kOk;
}

}  // namespace

EngineCode InsertEntry(Descriptor& d, int k, std::string_view key, RecordRef ref) {
    KeyState& ks = d.Key(k);
    if (ks.header.entryCount >= INT32_MAX) return kShortRead;  // cannot count one more
    PageItem item = MakeItem(ref, key);
    Path path;
    bool found = false;
    // The plain search drops trailing levels; this one needs the whole way down.
    for (std::int32_t pageNo = ks.header.root; pageNo != 0;) {
        PageRef page;
        if (EngineCode code = GetOrderedPage(d, k, pageNo, page)) return code;
        PageSearch s = SearchPage(ks, *page, key, ref);
        if (s.found) found = true;
        if (found) break;
        if (EngineCode code = path.Push(pageNo, s.index)) return code;
        pageNo = page->ChildAt(s.index);
    }
    if (found) return kEntryExists;
    if (path.depth == 0) {
        if (EngineCode code = NewRoot(d, k, 0, item)) return code;
    }
    for (int level = path.depth - 1; level >= 0; --level) {
        PageRef page;
        if (EngineCode code = GetOrderedPage(d, k, path.levels[level].page, page)) return code;
        const int pos = path.levels[level].index;
        if (pos > page->count) return kShortRead;
        if (page->count < ks.pageCap) {
            InsertAt(*page, pos, item);
            page.MarkDirty();
            break;
        }
        if (level > 0) {
            PageRef parent;
            if (EngineCode code = GetOrderedPage(d, k, path.levels[level - 1].page, parent))
                return code;
            bool balanced = false;
            if (EngineCode code =
                    Balance(d, k, parent, path.levels[level - 1].index, page, pos, item, balanced))
                return code;
            if (balanced) break;
        }
        if (EngineCode code = Split(d, k, page, pos, item, item)) return code;
        if (level == 0)
            if (EngineCode code = NewRoot(d, k, page.Number(), item)) return code;
    }
    ++ks.header.entryCount;
    ks.headerDirty = true;
    return kOk;
}

EngineCode RemoveEntry(Descriptor& d, int k, std::string_view key, RecordRef ref) {
    KeyState& ks = d.Key(k);
    Path path;
    bool found = false;
    for (std::int32_t pageNo = ks.header.root; pageNo != 0 && !found;) {
        PageRef page;
        if (EngineCode code = GetOrderedPage(d, k, pageNo, page)) return code;
        PageSearch s = SearchPage(ks, *page, key, ref);
        if (EngineCode code = path.Push(pageNo, s.index)) return code;
        found = s.found;
        pageNo = page->ChildAt(s.index);
    }
    if (!found) return kEntryNotFound;
    {
        PageRef page;
        if (EngineCode code = GetOrderedPage(d, k, path.Deepest().page, page)) return code;
        if (page->IsLeaf()) {
            RemoveAt(*page, path.Deepest().index - 1);
            page.MarkDirty();
        } else if (EngineCode code = TakePredecessor(d, k, path, page)) {
            return code;
        }
    }
    for (int level = path.depth - 1; level >= 1; --level) {
        PageRef page;
        if (EngineCode code = GetOrderedPage(d, k, path.levels[level].page, page)) return code;
        if (page->count >= ks.pageCap / 2) break;
        PageRef parent;
        if (EngineCode code = GetOrderedPage(d, k, path.levels[level - 1].page, parent))
            return code;
        if (EngineCode code =
                FixUnderflow(d, k, parent, path.levels[level - 1].index, std::move(page)))
            return code;
    }
    PageRef root;
    if (EngineCode code = GetOrderedPage(d, k, ks.header.root, root)) return code;
    if (root->count == 0) {
        const std::int32_t emptied = root.Number();
        ks.header.root = root->left;
        root.Reset();
        if (EngineCode code = FreePage(d, k, emptied)) return code;
    }
    --ks.header.entryCount;
    ks.headerDirty = true;
    return kOk;
}

}  // namespace mss::store::detail

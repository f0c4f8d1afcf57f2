// Searching an index and stepping through it along the path of pages.
#include <algorithm>

#include "store/IndexPages.h"
#include "store/IndexTree.h"

namespace mss::store::detail {
namespace {

// A copy of the entry the path stands on, taken before a step moves the path.
struct Standing {
    bool set = false;
    PageItem item;
};

EngineCode StandingOf(Descriptor& d, int k, const Path& path, Standing& out) {
    out.set = false;
    if (path.depth == 0) return kOk;
    const PathLevel& level = path.levels[path.depth - 1];
    PageRef page;
    if (EngineCode code = GetPage(d, k, level.page, page)) return code;
    if (level.index < 1 || level.index > page->count) return kOk;
    out.item = page->items[level.index - 1];
    out.set = true;
    return kOk;
}

// The step's result must lie beyond where it started (direction +1 or -1).
EngineCode Follows(const KeyState& key, const Standing& from, const KeyEntry& to, int direction) {
    if (!from.set) return kOk;
    return CompareEntry(key, to.key, to.ref, from.item) * direction > 0 ? kOk : kShortRead;
}

}  // namespace

int CompareEntry(const KeyState& key, std::string_view sought, RecordRef ref,
                 const PageItem& item) {
    int c = CompareKeys(sought, item.Key());
    if (c != 0 || !key.AllowDups()) return c;
    return ref < item.ref ? -1 : (ref > item.ref ? 1 : 0);
}

bool StandsOn(Descriptor& d, int k, const Path& path, std::string_view key, RecordRef ref) {
    Standing at;
    return StandingOf(d, k, path, at) == kOk && at.set &&
           CompareEntry(d.Key(k), key, ref, at.item) == 0;
}

PageSearch SearchPage(const KeyState& key, const Page& page, std::string_view sought,
                      RecordRef ref) {
    int lo = 1;
    int hi = page.count;
    int mid = 0;
    while (hi >= lo) {
        mid = (lo + hi) / 2;
        int c = CompareEntry(key, sought, ref, page.items[mid - 1]);
        if (c <= 0) hi = mid - 1;
        if (c >= 0) lo = mid + 1;
    }
    if (lo - hi >= 2) return {true, mid};
    return {false, hi};
}

EngineCode ExactSearch(Descriptor& d, int k, std::string_view sought, RecordRef ref, Path& path,
                       bool& found) {
    path.depth = 0;
    found = false;
    for (std::int32_t pageNo = d.Key(k).header.root; pageNo != 0;) {
        PageRef page;
        if (EngineCode code = GetPage(d, k, pageNo, page)) return code;
        PageSearch s = SearchPage(d.Key(k), *page, sought, ref);
        if (EngineCode code = path.Push(pageNo, s.index)) return code;
        if (s.found) {
            found = true;
            return kOk;
        }
        pageNo = page->ChildAt(s.index);
    }
    while (path.depth > 0 && path.Deepest().index == 0) --path.depth;
    return kOk;
}

EngineCode EntryAt(Descriptor& d, int k, const Path& path, KeyEntry& entry) {
    const PathLevel& level = path.levels[path.depth - 1];
    PageRef page;
    if (EngineCode code = GetPage(d, k, level.page, page)) return code;
    if (level.index < 1 || level.index > page->count) return kShortRead;
    const PageItem& item = page->items[level.index - 1];
    entry.ref = item.ref;
    entry.key.assign(item.Key());
    return kOk;
}

EngineCode StepNext(Descriptor& d, int k, Path& path, KeyEntry& entry) {
    Standing from;
    if (EngineCode code = StandingOf(d, k, path, from)) return code;
    std::int32_t child = d.Key(k).header.root;
    if (path.depth > 0) {
        PageRef page;
        if (EngineCode code = GetOrderedPage(d, k, path.Deepest().page, page)) return code;
        child = path.Deepest().index <= page->count ? page->ChildAt(path.Deepest().index) : 0;
    }
    while (child != 0) {
        PageRef page;
        if (EngineCode code = GetOrderedPage(d, k, child, page)) return code;
        if (EngineCode code = path.Push(child, 0)) return code;
        child = page->left;
    }
    while (path.depth > 0) {
        PageRef page;
        if (EngineCode code = GetOrderedPage(d, k, path.Deepest().page, page)) return code;
        if (path.Deepest().index < page->count) {
            ++path.Deepest().index;
            if (EngineCode code = EntryAt(d, k, path, entry)) return code;
            return Follows(d.Key(k), from, entry, 1);
        }
        if (path.depth == 1) break;
        --path.depth;
    }
    path.depth = 0;
    return kEndOfIndex;
}

EngineCode StepPrev(Descriptor& d, int k, Path& path, KeyEntry& entry) {
    Standing from;
    if (EngineCode code = StandingOf(d, k, path, from)) return code;
    std::int32_t child = d.Key(k).header.root;
    if (path.depth > 0) {
        child = 0;
        if (path.Deepest().index > 0) {
            PageRef page;
            if (EngineCode code = GetOrderedPage(d, k, path.Deepest().page, page)) return code;
            int index = std::min(--path.Deepest().index, page->count);
            child = page->ChildAt(index);
        }
    }
    while (child != 0) {
        PageRef page;
        if (EngineCode code = GetOrderedPage(d, k, child, page)) return code;
        if (EngineCode code = path.Push(child, page->count)) return code;
        child = page->ChildAt(page->count);
    }
    while (path.depth > 1 && path.Deepest().index == 0) --path.depth;
    if (path.depth > 0 && path.Deepest().index != 0) {
        if (EngineCode code = EntryAt(d, k, path, entry)) return code;
        return Follows(d.Key(k), from, entry, -1);
    }
    path.depth = 0;
    return kBeginningOfIndex;
}

}  // namespace mss::store::detail

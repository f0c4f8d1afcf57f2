// Searching an index and stepping through it along the path of pages.
#include <algorithm>

#include "store/IndexPages.h"
#include "store/IndexTree.h"

namespace mss::store::detail {
namespace {

int CompareEntry(const KeyState& key, std::string_view sought, RecordRef ref,
                 const PageItem& item) {
    int c = CompareKeys(sought, item.Key());
    if (c != 0 || !key.AllowDups()) return c;
    return ref < item.ref ? -1 : (ref > item.ref ? 1 : 0);
}

}  // namespace

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
    std::int32_t child = d.Key(k).header.root;
    if (path.depth > 0) {
        PageRef page;
        if (EngineCode code = GetPage(d, k, path.Deepest().page, page)) return code;
        child = path.Deepest().index <= page->count ? page->ChildAt(path.Deepest().index) : 0;
    }
    while (child != 0) {
        PageRef page;
        if (EngineCode code = GetPage(d, k, child, page)) return code;
        if (EngineCode code = path.Push(child, 0)) return code;
        child = page->left;
    }
    while (path.depth > 0) {
        PageRef page;
        if (EngineCode code = GetPage(d, k, path.Deepest().page, page)) return code;
        if (path.Deepest().index < page->count) {
            ++path.Deepest().index;
            return EntryAt(d, k, path, entry);
        }
        if (path.depth == 1) break;
        --path.depth;
    }
    path.depth = 0;
    return kEndOfIndex;
}

EngineCode StepPrev(Descriptor& d, int k, Path& path, KeyEntry& entry) {
    std::int32_t child = d.Key(k).header.root;
    if (path.depth > 0) {
        child = 0;
        if (path.Deepest().index > 0) {
            PageRef page;
            if (EngineCode code = GetPage(d, k, path.Deepest().page, page)) return code;
            int index = std::min(--path.Deepest().index, page->count);
            child = page->ChildAt(index);
        }
    }
    while (child != 0) {
        PageRef page;
        if (EngineCode code = GetPage(d, k, child, page)) return code;
        if (EngineCode code = path.Push(child, page->count)) return code;
        child = page->ChildAt(page->count);
    }
    while (path.depth > 1 && path.Deepest().index == 0) --path.depth;
    if (path.depth > 0 && path.Deepest().index != 0) return EntryAt(d, k, path, entry);
    path.depth = 0;
    return kBeginningOfIndex;
}

}  // namespace mss::store::detail

// Internal to the engine: the B-tree algorithms on one key of an open
// fileblock (search with a path, steps, insertion with sibling balancing,
// deletion with borrowing and merging).
#pragma once

#include "store/EngineState.h"
#include "store/FbIndex.h"

namespace mss::store::detail {

struct PageSearch {
    bool found = false;
    int index = 0;  // the matching item (1-based), or the number of items below
};

// The order of (sought, ref) against an item: by key, then (on an index
// with duplicates) by reference.
int CompareEntry(const KeyState& key, std::string_view sought, RecordRef ref, const PageItem& item);

// Binary search of (key, ref) in a page; ref counts only on an index with duplicates.
PageSearch SearchPage(const KeyState& key, const Page& page, std::string_view sought,
                      RecordRef ref);

// Descends from the root; the path ends at the matching entry or, failing
// that, at the greatest entry below (depth 0 if none).
EngineCode ExactSearch(Descriptor& d, int k, std::string_view sought, RecordRef ref, Path& path,
                       bool& found);
// The entry the path's deepest level designates.
EngineCode EntryAt(Descriptor& d, int k, const Path& path, KeyEntry& entry);
// True when the path stands on an entry equal to (key, ref) in the index's order.
bool StandsOn(Descriptor& d, int k, const Path& path, std::string_view key, RecordRef ref);
// One step along the index. An entry that does not follow the one the path
// stood on is damage (10070): a walk reports it instead of leaving entries out.
EngineCode StepNext(Descriptor& d, int k, Path& path, KeyEntry& entry);
EngineCode StepPrev(Descriptor& d, int k, Path& path, KeyEntry& entry);

EngineCode InsertEntry(Descriptor& d, int k, std::string_view key, RecordRef ref);
EngineCode RemoveEntry(Descriptor& d, int k, std::string_view key, RecordRef ref);

}  // namespace mss::store::detail

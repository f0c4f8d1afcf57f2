// Internal to the engine: index pages between the cache and the index file
// (checked reading, packed writing), page allocation and the page free chain.
#pragma once

#include "store/EngineState.h"

namespace mss::store::detail {

// Page number p of key k, read through the cache; a page number or contents
// that cannot be right is 10070.
EngineCode GetPage(Descriptor& d, int k, std::int32_t page, PageRef& out);
// Checks the key's page free chain once per open (10170 when it is damaged
// or leads into the tree), so that no change reuses a live page.
EngineCode CheckFreeChain(Descriptor& d, int k);
// Page p for a walk or a change: as GetPage, with its entries checked against
// each other once after each read (10070 when one does not follow the one
// before). A plain search skips the check, which costs a comparison an entry.
EngineCode GetOrderedPage(Descriptor& d, int k, std::int32_t page, PageRef& out);
// A new empty page (dirty), from the key's free chain or appended.
EngineCode AllocatePage(Descriptor& d, int k, PageRef& out);
// Puts a page on the key's free chain; its buffer is dropped.
EngineCode FreePage(Descriptor& d, int k, std::int32_t page);
// Writes the fileblock's dirty pages; with release its buffers are freed too.
EngineCode WritePages(Descriptor& d, bool release);
// Drops buffers from the top until count are left, writing dirty pages
// first; a page that cannot be written leaves its fileblock to be rebuilt.
EngineCode ShrinkCache(int count);
// Frees the fileblock's buffers without writing them.
void DropPages(Descriptor& d);

}  // namespace mss::store::detail

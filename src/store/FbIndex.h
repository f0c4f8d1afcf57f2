// Key operations of the fileblock engine: each key number of a fileblock is a
// B-tree index from key strings (at most 50 bytes, compared bytewise
// unsigned, shorter first) to record references. Every operation answers its
// result code and keeps it in the engine's error state (Filer.h); the codes
// 10200 ... 10299 mean "not found" or "no further entry".
//
// Each key of an open fileblock has a position that the steps move. It is set
// by FindKey, SearchKey, FindKeyAndRef, SearchKeyNearest, NextKey, PrevKey and
// ClearKey. After AddKey or DeleteKey on that key the next step first finds
// its place again from the entry the caller passes, which must be the one the
// previous call returned.
#pragma once

#include <string>
#include <string_view>

#include "store/Filer.h"
#include "store/KeyCodec.h"

namespace mss::store {

// One index entry: its key string and the record it refers to.
struct KeyEntry {
    RecordRef ref = 0;
    std::string key;
    friend bool operator==(const KeyEntry&, const KeyEntry&) = default;
};

// 10125 key longer than the index's key length; 10230 entry already present.
[[nodiscard]] EngineCode AddKey(Fileblock fb, int keyNr, RecordRef ref, std::string_view key);
// 10220 no such entry (on an index with duplicates the reference must match too).
[[nodiscard]] EngineCode DeleteKey(Fileblock fb, int keyNr, RecordRef ref, std::string_view key);

// The entry with exactly this key (the smallest reference among duplicates); 10200.
[[nodiscard]] EngineCode FindKey(Fileblock fb, int keyNr, std::string_view key, RecordRef& ref);
// The first entry whose key is not below key; 10210.
[[nodiscard]] EngineCode SearchKey(Fileblock fb, int keyNr, std::string_view key, KeyEntry& found);
// The entry (key, ref); if absent, direction > 0 gives the next greater one
// (10250), direction < 0 the next smaller one (10260), direction 0 fails (10270).
[[nodiscard]] EngineCode FindKeyAndRef(Fileblock fb, int keyNr, std::string_view key, RecordRef ref,
                                       int direction, KeyEntry& found);
// FindKeyAndRef upwards, falling back to the last entry (10260 when empty).
[[nodiscard]] EngineCode SearchKeyNearest(Fileblock fb, int keyNr, std::string_view key,
                                          RecordRef ref, KeyEntry& found);
// Step from the entry last returned (passed in entry) to the next / previous
// one (returned in entry). 10250 / 10260 at the end; the step after that
// starts again at the first / last entry.
[[nodiscard]] EngineCode NextKey(Fileblock fb, int keyNr, KeyEntry& entry);
[[nodiscard]] EngineCode PrevKey(Fileblock fb, int keyNr, KeyEntry& entry);
// Puts the position before the first (and after the last) entry.
[[nodiscard]] EngineCode ClearKey(Fileblock fb, int keyNr);

// With ref 0 any entry with this key; otherwise, on an index with duplicates,
// the exact pair. Leaves the position alone.
[[nodiscard]] EngineCode KeyExists(Fileblock fb, int keyNr, RecordRef ref, std::string_view key,
                                   bool& exists);
[[nodiscard]] EngineCode CountKeys(Fileblock fb, int keyNr, std::int32_t& count);
// Walks the whole index without moving its position: every entry must follow
// the one before and name a slot of the data file, and there must be exactly
// EntryCount of them (10070 when not); the page free chain must stay out of
// the tree (10170). entries tells how many were met.
[[nodiscard]] EngineCode CheckKeyEntries(Fileblock fb, int keyNr, std::int32_t& entries);

// Estimates, from the first two tree levels, where an entry lies on a scale of
// 0 ... scale (for scroll bars), and the inverse. They leave the position alone.
[[nodiscard]] EngineCode KeyPosition(Fileblock fb, int keyNr, std::string_view key, RecordRef ref,
                                     std::int32_t scale, std::int32_t& position);
[[nodiscard]] EngineCode KeyAtPosition(Fileblock fb, int keyNr, std::int32_t position,
                                       std::int32_t scale, KeyEntry& entry);

}  // namespace mss::store

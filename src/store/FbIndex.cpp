// The key operations: argument checks, the key's position, and the rules for
// what each search reports.
#include "store/FbIndex.h"

#include "store/IndexPages.h"
#include "store/IndexTree.h"

namespace mss::store {

using detail::Descriptor;
using detail::Finish;
using detail::KeyState;
using detail::Path;

namespace {

bool IsNotFound(EngineCode code) {
    return code == kOk || (code >= 10200 && code <= 10299);
}

// A change that failed for any other reason than its own result code may have
// left the tree half-changed.
EngineCode NoteDamage(Descriptor& d, EngineCode code) {
    if (code != kOk && !IsNotFound(code) && code != kKeyTooLong) d.needsRebuild = true;
    return code;
}

EngineCode CheckKeyLength(std::string_view key) {
    return key.size() > static_cast<std::size_t>(kMaxKeyLength) ? kKeyTooLong : kOk;
}

EngineCode BeginKeyWrite(Fileblock fb, int keyNr, Descriptor*& d) {
    if (EngineCode code = detail::BeginKey(fb, keyNr, d)) return code;
    return d->readOnly ? kReadOnly : kOk;
}

// The entry at or after (key, 0): on an index without duplicates the key
// alone decides; with duplicates (key, 0) never matches, so step once.
EngineCode FirstNotBelow(Descriptor& d, int k, std::string_view key, Path& path, KeyEntry& found) {
    bool exact = false;
    if (EngineCode code = detail::ExactSearch(d, k, key, 0, path, exact)) return code;
    if (exact) return detail::EntryAt(d, k, path, found);
    return detail::StepNext(d, k, path, found);
}

EngineCode FindAndRef(Descriptor& d, int k, std::string_view key, RecordRef ref, int direction,
                      KeyEntry& found) {
    KeyState& ks = d.Key(k);
    // A walk finds its position where the last step left it: no search, and
    // the next step goes on from that very place, so that it can tell an entry
    // out of order from the end of the index.
    const bool standing = ks.pathValid && detail::StandsOn(d, k, ks.path, key, ref);
    ks.pathValid = true;
    if (standing) return detail::EntryAt(d, k, ks.path, found);
    bool exact = false;
    if (EngineCode code = detail::ExactSearch(d, k, key, ref, ks.path, exact)) return code;
    if (exact) return detail::EntryAt(d, k, ks.path, found);
    if (direction > 0) return detail::StepNext(d, k, ks.path, found);
    if (direction == 0) return kExactEntryNotFound;
    if (ks.path.depth == 0) return kBeginningOfIndex;
    return detail::EntryAt(d, k, ks.path, found);
}

}  // namespace

EngineCode AddKey(Fileblock fb, int keyNr, RecordRef ref, std::string_view key) {
    Descriptor* d = nullptr;
    if (EngineCode code = BeginKeyWrite(fb, keyNr, d)) return Finish(code);
    if (key.size() > static_cast<std::size_t>(d->Key(keyNr).keyLen)) return Finish(kKeyTooLong);
    if (EngineCode code = detail::MarkModified(*d)) return Finish(code);
    d->Key(keyNr).pathValid = false;
    // A free chain that leads into the tree would let a split overwrite a
    // live page: refuse the change before anything is touched.
    if (EngineCode code = detail::CheckFreeChain(*d, keyNr)) return Finish(NoteDamage(*d, code));
    return Finish(NoteDamage(*d, detail::InsertEntry(*d, keyNr, key, ref)));
}

EngineCode DeleteKey(Fileblock fb, int keyNr, RecordRef ref, std::string_view key) {
    Descriptor* d = nullptr;
    if (EngineCode code = BeginKeyWrite(fb, keyNr, d)) return Finish(code);
    if (EngineCode code = CheckKeyLength(key)) return Finish(code);
    if (EngineCode code = detail::MarkModified(*d)) return Finish(code);
    d->Key(keyNr).pathValid = false;
    if (EngineCode code = detail::CheckFreeChain(*d, keyNr)) return Finish(NoteDamage(*d, code));
    return Finish(NoteDamage(*d, detail::RemoveEntry(*d, keyNr, key, ref)));
}

EngineCode FindKey(Fileblock fb, int keyNr, std::string_view key, RecordRef& ref) {
    Descriptor* d = nullptr;
    if (EngineCode code = detail::BeginKey(fb, keyNr, d)) return Finish(code);
    if (EngineCode code = CheckKeyLength(key)) return Finish(code);
    KeyState& ks = d->Key(keyNr);
    ks.pathValid = true;
    KeyEntry found;
    EngineCode code = FirstNotBelow(*d, keyNr, key, ks.path, found);
    if (!code && CompareKeys(found.key, key) != 0) code = kKeyNotFound;
    if (code && IsNotFound(code)) code = kKeyNotFound;
    if (!code) ref = found.ref;
    return Finish(code);
}

EngineCode SearchKey(Fileblock fb, int keyNr, std::string_view key, KeyEntry& found) {
    Descriptor* d = nullptr;
    if (EngineCode code = detail::BeginKey(fb, keyNr, d)) return Finish(code);
    if (EngineCode code = CheckKeyLength(key)) return Finish(code);
    KeyState& ks = d->Key(keyNr);
    ks.pathValid = true;
    EngineCode code = FirstNotBelow(*d, keyNr, key, ks.path, found);
    return Finish(code && IsNotFound(code) ? kNoKeyNotBelow : code);
}

EngineCode FindKeyAndRef(Fileblock fb, int keyNr, std::string_view key, RecordRef ref,
                         int direction, KeyEntry& found) {
    Descriptor* d = nullptr;
    if (EngineCode code = detail::BeginKey(fb, keyNr, d)) return Finish(code);
    if (EngineCode code = CheckKeyLength(key)) return Finish(code);
    return Finish(FindAndRef(*d, keyNr, key, ref, direction, found));
}

EngineCode SearchKeyNearest(Fileblock fb, int keyNr, std::string_view key, RecordRef ref,
                            KeyEntry& found) {
    Descriptor* d = nullptr;
    if (EngineCode code = detail::BeginKey(fb, keyNr, d)) return Finish(code);
    if (EngineCode code = CheckKeyLength(key)) return Finish(code);
    EngineCode code = FindAndRef(*d, keyNr, key, ref, 1, found);
    if (code == kEndOfIndex) {
        KeyState& ks = d->Key(keyNr);
        ks.path.depth = 0;
        code = detail::StepPrev(*d, keyNr, ks.path, found);
    }
    return Finish(code);
}

EngineCode NextKey(Fileblock fb, int keyNr, KeyEntry& entry) {
    Descriptor* d = nullptr;
    if (EngineCode code = detail::BeginKey(fb, keyNr, d)) return Finish(code);
    KeyState& ks = d->Key(keyNr);
    if (ks.path.depth > 0 && !ks.pathValid) {
        // The index changed since the position was set: find the place again.
        if (EngineCode code = CheckKeyLength(entry.key)) return Finish(code);
        bool exact = false;
        if (EngineCode code = detail::ExactSearch(*d, keyNr, entry.key, entry.ref, ks.path, exact))
            return Finish(code);
    }
    ks.pathValid = true;
    return Finish(detail::StepNext(*d, keyNr, ks.path, entry));
}

EngineCode PrevKey(Fileblock fb, int keyNr, KeyEntry& entry) {
    Descriptor* d = nullptr;
    if (EngineCode code = detail::BeginKey(fb, keyNr, d)) return Finish(code);
    KeyState& ks = d->Key(keyNr);
    if (ks.path.depth > 0 && !ks.pathValid) {
        if (EngineCode code = CheckKeyLength(entry.key)) return Finish(code);
        bool exact = false;
        if (EngineCode code = detail::ExactSearch(*d, keyNr, entry.key, entry.ref, ks.path, exact))
            return Finish(code);
        ks.pathValid = true;
        // Gone: the path already ends at the greatest entry below it.
        if (!exact) {
            if (ks.path.depth == 0) return Finish(kBeginningOfIndex);
            return Finish(detail::EntryAt(*d, keyNr, ks.path, entry));
        }
    }
    ks.pathValid = true;
    return Finish(detail::StepPrev(*d, keyNr, ks.path, entry));
}

EngineCode ClearKey(Fileblock fb, int keyNr) {
    Descriptor* d = nullptr;
    if (EngineCode code = detail::BeginKey(fb, keyNr, d)) return Finish(code);
    d->Key(keyNr).path.depth = 0;
    d->Key(keyNr).pathValid = true;
    return Finish(kOk);
}

EngineCode KeyExists(Fileblock fb, int keyNr, RecordRef ref, std::string_view key, bool& exists) {
    Descriptor* d = nullptr;
    if (EngineCode code = detail::BeginKey(fb, keyNr, d)) return Finish(code);
    if (EngineCode code = CheckKeyLength(key)) return Finish(code);
    Path path;  // a search of its own: the key's position stays
    exists = false;
    EngineCode code = kOk;
    if (ref != 0 && d->Key(keyNr).AllowDups()) {
        code = detail::ExactSearch(*d, keyNr, key, ref, path, exists);
    } else {
        KeyEntry found;
        code = FirstNotBelow(*d, keyNr, key, path, found);
        exists = code == kOk && CompareKeys(found.key, key) == 0;
        if (IsNotFound(code)) code = kOk;
    }
    return Finish(code);
}

EngineCode CheckKeyEntries(Fileblock fb, int keyNr, std::int32_t& entries) {
    Descriptor* d = nullptr;
    if (EngineCode code = detail::BeginKey(fb, keyNr, d)) return Finish(code);
    if (EngineCode code = detail::CheckFreeChain(*d, keyNr)) return Finish(code);
    const std::int32_t counted = d->Key(keyNr).header.entryCount;
    Path path;  // a walk of its own: the key's position stays
    KeyEntry entry;
    EngineCode code = kOk;
    // Each step checks its entry against the one before; a walk that rises
    // strictly cannot go round, and stops once it has more than counted.
    for (entries = 0; entries <= counted; ++entries)
        if ((code = detail::StepNext(*d, keyNr, path, entry)) != kOk) break;
    if (code == kOk) return Finish(kShortRead);  // more entries than counted
    if (code == kEndOfIndex) code = entries == counted ? kOk : kShortRead;
    return Finish(code);
}

EngineCode CountKeys(Fileblock fb, int keyNr, std::int32_t& count) {
    Descriptor* d = nullptr;
    if (EngineCode code = detail::BeginKey(fb, keyNr, d)) return Finish(code);
    count = d->Key(keyNr).header.entryCount;
    return Finish(kOk);
}

}  // namespace mss::store

// Reading through an object: by key, by reference, step by step in key or
// slot order, and back to a saved position.
#include <algorithm>
#include <limits>

#include "store/FileFormat.h"
#include "store/FileblockObject.h"
#include "store/FileblockObjectLayer.h"

namespace mss::store {

namespace {

bool NotFound(EngineCode code) {
    return code != kOk && ErrorClass(code) == 1;
}

// The order of entries in an index: by key, then (with duplicates) by reference.
int CompareEntries(const ObjectKey& key, const KeyEntry& a, const KeyEntry& b) {
    const int c = CompareKeys(a.key, b.key);
    if (c != 0 || !key.allowDups) return c;
    return a.ref < b.ref ? -1 : (a.ref > b.ref ? 1 : 0);
}

}  // namespace

bool TFileblockObject::ReadInto(RecordRef ref, int keyNr, const std::string* indexKey) {
    std::fill(readImage_.begin(), readImage_.end(), 0);
    std::int32_t length = 0;
    EngineCode code;
    if (varRecords_) {
        const auto limit =
            std::min<std::size_t>(static_cast<std::size_t>(varReadLimit_), readImage_.size());
        const auto out = std::span<std::uint8_t>(readImage_).first(limit);
        code = Retry([&] { return GetVarRecord(fileblock_, ref, out, length); });
        varReadLimit_ = 65520;
    } else {
        code = Retry([&] { return GetRecord(fileblock_, ref, readImage_); });
    }
    // Everything but the delete mark could be read: the record counts as live.
    if (code == kReadExceptDeleteMark) code = kOk;
    if (code) {
        Fail(code, 0, ref);
        return false;
    }
    if (indexKey) {
        // An index entry must lead to a live record that builds the same key;
        // anything else is a damaged index or record, never a record to hand
        // out (a walk going on from the record's own key could run in circles).
        if (DecodeFixed32(readImage_.data()) != 0 || KeyOf(readImage_, keyNr) != *indexKey) {
            Fail(kShortRead, keyNr, ref);
            return false;
        }
    } else if (DecodeFixed32(readImage_.data()) != 0) {
        Fail(objerr::kRecordDeleted, 0, ref);
        return false;
    }
    buffer_ = readImage_;
    snapshot_ = readImage_;
    if (varRecords_) varLength_ = length;
    currentRef_ = ref;
    snapshotRef_ = ref;
    return true;
}

bool TFileblockObject::ReadKeyed(EngineCode code, int keyNr, const KeyEntry& entry) {
    if (code) {
        Fail(code, keyNr);
        return false;
    }
    if (!ReadInto(entry.ref, keyNr, &entry.key)) return false;
    lastKeyNr_ = keyNr;
    return true;
}

int TFileblockObject::Find(int keyNr, std::string_view key) {
    return Run(routine::kFind, [&] {
        if (!ValidKey(keyNr)) return;
        KeyEntry entry{0, std::string(key)};
        const EngineCode code = Retry([&] { return FindKey(fileblock_, keyNr, key, entry.ref); });
        ReadKeyed(code, keyNr, entry);
    });
}

int TFileblockObject::Search(int keyNr, std::string_view key) {
    return Run(routine::kSearch, [&] {
        if (!ValidKey(keyNr)) return;
        KeyEntry entry;
        const EngineCode code = Retry([&] { return SearchKey(fileblock_, keyNr, key, entry); });
        ReadKeyed(code, keyNr, entry);
    });
}

bool TFileblockObject::ReadEnd(int keyNr, bool last) {
    KeyEntry entry;
    EngineCode code;
    if (last) {
        code = Retry([&] { return ClearKey(fileblock_, keyNr); });
        if (!code) code = Retry([&] { return PrevKey(fileblock_, keyNr, entry); });
    } else {
        code = Retry([&] { return SearchKeyNearest(fileblock_, keyNr, "", 0, entry); });
    }
    if (!ReadKeyed(code, keyNr, entry)) return false;
    walk_ = {keyNr, !last, entry, 1, true};
    return true;
}

int TFileblockObject::First(int keyNr) {
    return Run(routine::kFirst, [&] {
        if (ValidKey(keyNr)) ReadEnd(keyNr, false);
    });
}

int TFileblockObject::Last(int keyNr) {
    return Run(routine::kLast, [&] {
        if (ValidKey(keyNr)) ReadEnd(keyNr, true);
    });
}

EngineCode TFileblockObject::StepFrom(int keyNr, KeyEntry& entry, bool forward) {
    // Positioned afresh each time: another object, the handle ring or a change
    // of the index may have moved the engine's position since the last read.
    // Where it still stands on the entry, the engine steps on from there.
    const KeyEntry from = entry;
    const bool goesOn = GoesOn(keyNr, from, forward);
    KeyEntry at;
    EngineCode code =
        Retry([&] { return FindKeyAndRef(fileblock_, keyNr, from.key, from.ref, 0, at); });
    const bool onEntry = code == kOk;
    if (onEntry) {
        entry = at;
        code = Retry([&] {
            return forward ? NextKey(fileblock_, keyNr, entry) : PrevKey(fileblock_, keyNr, entry);
        });
    } else if (NotFound(code)) {
        // Nothing changed since the walk handed this entry out, so a search
        // that cannot find it went astray in a damaged tree.
        if (goesOn) return kShortRead;
        // The entry is gone: its neighbour in that direction is the answer.
        code = Retry([&] {
            return FindKeyAndRef(fileblock_, keyNr, from.key, from.ref, forward ? 1 : -1, entry);
        });
    }
    if (code == kEndOfIndex || code == kBeginningOfIndex) return CheckWalkEnd(keyNr, goesOn, code);
    if (code) return code;
    return CheckWalk(keyNr, onEntry ? at : from, onEntry, entry, forward);
}

bool TFileblockObject::GoesOn(int keyNr, const KeyEntry& from, bool forward) const {
    return walk_.keyNr == keyNr && walk_.forward == forward && walk_.last == from;
}

// A walk from one end to the other meets every entry the index counts: fewer
// means entries were passed by (or the count is wrong), damage either way.
EngineCode TFileblockObject::CheckWalkEnd(int keyNr, bool goesOn, EngineCode end) {
    if (!goesOn || !walk_.fromEnd) return end;
    std::int32_t count = 0;
    if (EngineCode code = Retry([&] { return CountKeys(fileblock_, keyNr, count); })) return code;
    return walk_.entries == count ? end : kShortRead;
}

// A step must go on in key order, and a walk in one direction can meet no
// more entries than the index holds: anything else is a damaged index,
// reported instead of being followed round and round.
EngineCode TFileblockObject::CheckWalk(int keyNr, const KeyEntry& from, bool fromIsEntry,
                                       const KeyEntry& to, bool forward) {
    const int order = CompareEntries(Key(keyNr), to, from);
    if (forward ? order <= 0 : order >= 0) return kShortRead;
    Walk& walk = walk_;
    const bool goesOn = GoesOn(keyNr, from, forward);
    walk.entries = (goesOn ? walk.entries : (fromIsEntry ? 1 : 0)) + 1;
    walk.fromEnd = goesOn && walk.fromEnd;
    walk.keyNr = keyNr;
    walk.forward = forward;
    walk.last = to;
    std::int32_t count = 0;
    if (EngineCode code = Retry([&] { return CountKeys(fileblock_, keyNr, count); })) return code;
    return walk.entries > count ? kShortRead : kOk;
}

bool TFileblockObject::Step(int keyNr, bool forward) {
    if (snapshotRef_ <= 0) {
        Fail(objerr::kNoCurrentRecord, keyNr);
        return false;
    }
    KeyEntry entry{snapshotRef_, KeyOf(snapshot_, keyNr)};
    const EngineCode code = StepFrom(keyNr, entry, forward);
    return ReadKeyed(code, keyNr, entry);
}

int TFileblockObject::Next(int keyNr) {
    return Run(routine::kNext, [&] {
        if (ValidKey(keyNr)) Step(keyNr, true);
    });
}

int TFileblockObject::Prev(int keyNr) {
    return Run(routine::kPrev, [&] {
        if (ValidKey(keyNr)) Step(keyNr, false);
    });
}

int TFileblockObject::Read(RecordRef ref) {
    return Run(routine::kRead, [&] { ReadInto(ref); });
}

// ---------------------------------------------------------------------------
// Slot order.

RecordRef TFileblockObject::LiveSlot(RecordRef from, bool forward) {
    std::int32_t slots = 0;
    if (EngineCode code = Retry([&] { return CountSlots(fileblock_, slots); })) {
        Fail(code);
        return -1;
    }
    for (RecordRef ref = forward ? std::max(from, 1) : std::min(from, slots - 1);
         ref >= 1 && ref < slots; ref += forward ? 1 : -1) {
        std::int32_t mark = 0;
        if (EngineCode code = Retry([&] { return GetDeleteMark(fileblock_, ref, mark); })) {
            Fail(code, 0, ref);
            return -1;
        }
        if (mark == 0) return ref;
    }
    return 0;
}

bool TFileblockObject::ReadLiveSlot(RecordRef from, bool forward, EngineCode notFound) {
    const RecordRef ref = LiveSlot(from, forward);
    if (ref < 0) return false;
    if (ref == 0) {
        Fail(notFound, 0, 0, 0, 1);
        return false;
    }
    return ReadInto(ref);
}

bool TFileblockObject::MoveAfterDelete(int mode, RecordRef deletedRef,
                                       const std::string& deletedKey) {
    const int keyNr = lastKeyNr_;
    if (mode == 0) return true;
    if (keyNr == 0) {
        switch (mode) {
            case 1:
                return ReadLiveSlot(std::numeric_limits<std::int32_t>::max(), false,
                                    objerr::kNoFurtherSlot);
            case 2:
                return ReadLiveSlot(1, true, objerr::kNoFurtherSlot);
            case 3:
                return ReadLiveSlot(deletedRef + 1, true, objerr::kNoFurtherSlot);
            default:
                return ReadLiveSlot(deletedRef - 1, false, objerr::kNoFurtherSlot);
        }
    }
    if (mode == 1 || mode == 2) return ReadEnd(keyNr, mode == 1);
    KeyEntry entry{deletedRef, deletedKey};
    const EngineCode code = StepFrom(keyNr, entry, mode == 3);
    return ReadKeyed(code, keyNr, entry);
}

// ---------------------------------------------------------------------------
// The index alone.

int TFileblockObject::NextEntry(int keyNr, RecordRef& ref, std::string& key) {
    return Run(routine::kNextEntry, [&] {
        if (!ValidKey(keyNr)) return;
        KeyEntry entry{ref, key};
        if (EngineCode code = StepFrom(keyNr, entry, true)) return Fail(code, keyNr);
        ref = entry.ref;
        key = entry.key;
    });
}

int TFileblockObject::PrevEntry(int keyNr, RecordRef& ref, std::string& key) {
    return Run(routine::kPrevEntry, [&] {
        if (!ValidKey(keyNr)) return;
        KeyEntry entry{ref, key};
        if (EngineCode code = StepFrom(keyNr, entry, false)) return Fail(code, keyNr);
        ref = entry.ref;
        key = entry.key;
    });
}

int TFileblockObject::FindEntry(int keyNr, RecordRef& ref, std::string& key, int direction) {
    return Run(routine::kFindEntry, [&] {
        if (!ValidKey(keyNr)) return;
        KeyEntry found;
        if (EngineCode code =
                Retry([&] { return FindKeyAndRef(fileblock_, keyNr, key, ref, direction, found); }))
            return Fail(code, keyNr);
        ref = found.ref;
        key = found.key;
    });
}

int TFileblockObject::EntryPosition(int keyNr, RecordRef ref, std::string_view key,
                                    std::int32_t scale, std::int32_t& position) {
    return Run(routine::kEntryPosition, [&] {
        if (!ValidKey(keyNr)) return;
        if (EngineCode code =
                Retry([&] { return KeyPosition(fileblock_, keyNr, key, ref, scale, position); }))
            Fail(code, keyNr);
    });
}

int TFileblockObject::EntryAtPosition(int keyNr, std::int32_t position, std::int32_t scale,
                                      RecordRef& ref, std::string& key) {
    return Run(routine::kEntryAtPosition, [&] {
        if (!ValidKey(keyNr)) return;
        KeyEntry entry;
        if (EngineCode code =
                Retry([&] { return KeyAtPosition(fileblock_, keyNr, position, scale, entry); }))
            return Fail(code, keyNr);
        ref = entry.ref;
        key = entry.key;
    });
}

// ---------------------------------------------------------------------------
// Saved positions and counts.

SavedPosition TFileblockObject::SavePosition(int keyNr) {
    SavedPosition position;
    Run(routine::kSavePosition, [&] {
        if (keyNr != 0 && !ValidKey(keyNr)) return;
        position.keyNr = keyNr;
        position.ref = snapshotRef_;
        position.object = this;
        if (keyNr != 0 && snapshotRef_ > 0) position.key = KeyOf(snapshot_, keyNr);
    });
    return position;
}

bool TFileblockObject::GotoSlot(RecordRef ref, int mode) {
    // Directions to try in turn: +1 the slot itself or above, -1 itself or below.
    static constexpr int kTries[5][2] = {{0, 0}, {1, -1}, {1, 0}, {-1, 1}, {-1, 0}};
    if (mode == 0) {
        const RecordRef found = LiveSlot(ref, true);
        if (found < 0) return false;
        if (found != ref) {
            Fail(objerr::kPositionNotFound, 0, ref);
            return false;
        }
        return ReadInto(ref);
    }
    for (int direction : kTries[mode]) {
        if (direction == 0) break;
        const RecordRef found = LiveSlot(ref, direction > 0);
        if (found < 0) return false;
        if (found > 0) return ReadInto(found);
    }
    Fail(objerr::kPositionNotFound, 0, ref);
    return false;
}

bool TFileblockObject::GotoKey(const SavedPosition& position, int mode) {
    static constexpr int kTries[5][2] = {{0, 2}, {1, -1}, {1, 2}, {-1, 1}, {-1, 2}};
    for (int direction : kTries[mode]) {
        if (direction == 2) break;
        KeyEntry entry;
        const EngineCode code = Retry([&] {
            return FindKeyAndRef(fileblock_, position.keyNr, position.key, position.ref, direction,
                                 entry);
        });
        if (code == kOk) return ReadKeyed(code, position.keyNr, entry);
        if (!NotFound(code)) {
            Fail(code, position.keyNr);
            return false;
        }
    }
    Fail(objerr::kPositionNotFound, position.keyNr, position.ref);
    return false;
}

int TFileblockObject::GotoPosition(const SavedPosition& position, int mode) {
    return Run(routine::kGotoPosition, [&] {
        if (position.object != this) return Fail(objerr::kBadPosition);
        if (mode < 0 || mode > 4) return Fail(objerr::kBadPosition);
        if (position.ref <= 0) return ForgetCurrent();
        if (position.keyNr == 0) {
            GotoSlot(position.ref, mode);
        } else if (ValidKey(position.keyNr)) {
            GotoKey(position, mode);
        }
    });
}

std::int32_t TFileblockObject::RecordCount() {
    std::int32_t count = -1;
    Run(routine::kRecordCount, [&] {
        EngineCode code;
        if (!varRecords_) {
            code = Retry([&] { return CountUsedRecords(fileblock_, count); });
        } else if (KeyCount() > 0) {
            // The engine counts slots, and a long record takes several.
            code = Retry([&] { return CountKeys(fileblock_, 1, count); });
        } else {
            count = 0;
            for (RecordRef ref = LiveSlot(1, true); ref > 0; ref = LiveSlot(ref + 1, true)) ++count;
            code = kOk;
            if (ErrorLevel() != 0) return;
        }
        if (code) {
            count = -1;
            Fail(code);
        }
    });
    return ErrorLevel() != 0 ? -1 : count;
}

std::int32_t TFileblockObject::EntryCount(int keyNr) {
    std::int32_t count = -1;
    Run(routine::kEntryCount, [&] {
        if (!ValidKey(keyNr)) return;
        if (EngineCode code = Retry([&] { return CountKeys(fileblock_, keyNr, count); })) {
            count = -1;
            Fail(code, keyNr);
        }
    });
    return count;
}

}  // namespace mss::store

// Adding, updating and deleting records through an object: every index is
// kept consistent with the data file, and a failure undoes what was done.
#include <algorithm>
#include <limits>

#include "store/FileFormat.h"
#include "store/FileblockObject.h"
#include "store/FileblockObjectLayer.h"

namespace mss::store {

namespace {

std::int32_t DeleteMarkOf(std::span<const std::uint8_t> record) {
    return DecodeFixed32(record.data());
}

}  // namespace

std::string BuildKeyWith(const KeyBuilder& builder, std::span<const std::uint8_t> record,
                         int keyNr) {
    std::string key = builder ? builder(record, keyNr) : std::string();
    if (key.size() > static_cast<std::size_t>(kMaxKeyLength)) key.resize(kMaxKeyLength);
    return key;
}

std::string TFileblockObject::KeyOf(std::span<const std::uint8_t> record, int keyNr) const {
    return BuildKeyWith(keyBuilder_, record, keyNr);
}

void TFileblockObject::ForgetCurrent() {
    currentRef_ = -1;
    snapshotRef_ = -1;
}

bool TFileblockObject::AssignAutoNumbers() {
    for (int k = 1; k <= KeyCount(); ++k) {
        const int field = Key(k).autoNumberField;
        if (field < 0) continue;
        const std::string key = KeyOf(buffer_, k);
        if (key.size() < static_cast<std::size_t>(kIntKeyLength)) {
            Fail(objerr::kAutoNumberOverflow, k);
            return false;
        }
        const std::string prefix = key.substr(0, key.size() - kIntKeyLength);
        // Above every key that starts with the prefix (an integer key never
        // starts with 0xFF), yet no longer than the index takes.
        std::string ceiling = prefix;
        ceiling.resize(
            std::max<std::size_t>(static_cast<std::size_t>(Key(k).keyLen), prefix.size() + 1),
            '\xFF');
        KeyEntry found;
        const EngineCode code = Retry([&] {
            return FindKeyAndRef(fileblock_, k, ceiling, std::numeric_limits<std::int32_t>::max(),
                                 -1, found);
        });
        if (code != kOk && ErrorClass(code) != 1) {
            Fail(code, k);
            return false;
        }
        std::int32_t value = 1;
        if (code == kOk && found.key.starts_with(prefix)) {
            const std::int32_t highest =
                KeyToInt(std::string_view(found.key).substr(prefix.size()));
            if (found.key.size() != prefix.size() + kIntKeyLength ||
                highest == std::numeric_limits<std::int32_t>::max()) {
                Fail(objerr::kAutoNumberOverflow, k);
                return false;
            }
            value = std::max(highest + 1, 1);
        }
        EncodeFixed32(buffer_.data() + field, value);
    }
    return true;
}

bool TFileblockObject::StoreRecord(RecordRef& ref) {
    EngineCode code;
    if (varRecords_) {
        if (varLength_ <= 0) {
            Fail(objerr::kVarLengthZero);
            return false;
        }
        const auto record = std::span<const std::uint8_t>(buffer_).first(
            std::min<std::size_t>(static_cast<std::size_t>(varLength_), buffer_.size()));
        code = Retry([&] { return AddVarRecord(fileblock_, record, ref); });
    } else {
        code = Retry([&] { return AddRecord(fileblock_, buffer_, ref); });
    }
    if (code) Fail(code);
    return code == kOk;
}

bool TFileblockObject::RemoveRecord(RecordRef ref) {
    const EngineCode code = Retry([&] {
        return varRecords_ ? DeleteVarRecord(fileblock_, ref) : DeleteRecord(fileblock_, ref);
    });
    if (code) Fail(code, 0, ref);
    return code == kOk;
}

bool TFileblockObject::RemoveKeys(std::span<const std::uint8_t> record, RecordRef ref, int upTo) {
    for (int k = 1; k <= upTo; ++k) {
        const std::string key = KeyOf(record, k);
        const EngineCode code = Retry([&] { return DeleteKey(fileblock_, k, ref, key); });
        if (code == kEntryNotFound) {
            Errors().NoteMissingEntry();
        } else if (code) {
            Fail(code, k, ref);
            return false;
        }
    }
    return true;
}

bool TFileblockObject::AddKeys(RecordRef ref) {
    for (int k = 1; k <= KeyCount(); ++k) {
        const std::string key = KeyOf(buffer_, k);
        const EngineCode code = Retry([&] { return AddKey(fileblock_, k, ref, key); });
        if (code) {
            Fail(code, k, ref);
            RemoveKeys(buffer_, ref, k - 1);
            return false;
        }
    }
    return true;
}

int TFileblockObject::Add() {
    return Run(routine::kAdd, [&] {
        walk_ = {};  // the entry counts change
        if (DeleteMarkOf(buffer_) != 0) return Fail(objerr::kAddDeleteMark);
        if (!AssignAutoNumbers()) return;
        RecordRef ref = 0;
        if (!StoreRecord(ref)) return;
        currentRef_ = ref;
        if (!AddKeys(ref)) {
            // A refused key (a duplicate) leaves nothing stored.
            RemoveRecord(ref);
            ForgetCurrent();
            if (autoFlush_) Flush();
            return;
        }
        snapshot_ = buffer_;
        snapshotRef_ = ref;
        if (autoFlush_) Flush();
    });
}

void TFileblockObject::UndoKeyChanges(const std::vector<int>& changed) {
    for (int k : changed) {
        const std::string oldKey = KeyOf(snapshot_, k);
        const std::string newKey = KeyOf(buffer_, k);
        EngineCode code = Retry([&] { return AddKey(fileblock_, k, currentRef_, oldKey); });
        if (code == kEntryExists) code = kOk;
        if (!code) code = Retry([&] { return DeleteKey(fileblock_, k, currentRef_, newKey); });
        if (code == kEntryNotFound) {
            Fail(objerr::kUndoKeysNotFound, k, currentRef_);
        } else if (code) {
            Fail(objerr::kUndoKeyFailed, k, currentRef_);
        }
    }
}

bool TFileblockObject::ChangeKeys(std::vector<int>& changed) {
    for (int k = 1; k <= KeyCount(); ++k) {
        const std::string newKey = KeyOf(buffer_, k);
        const std::string oldKey = KeyOf(snapshot_, k);
        if (newKey == oldKey) continue;
        EngineCode code = Retry([&] { return AddKey(fileblock_, k, currentRef_, newKey); });
        if (code) {
            Fail(code, k, currentRef_);
            UndoKeyChanges(changed);
            return false;
        }
        code = Retry([&] { return DeleteKey(fileblock_, k, currentRef_, oldKey); });
        if (code == kEntryNotFound) {
            Errors().NoteMissingEntry();
        } else if (code) {
            Fail(code, k, currentRef_);
            changed.push_back(k);
            UndoKeyChanges(changed);
            return false;
        }
        changed.push_back(k);
    }
    return true;
}

int TFileblockObject::Update() {
    return Run(routine::kUpdate, [&] {
        walk_ = {};
        if (currentRef_ <= 0) return Fail(objerr::kUpdateNoCurrent);
        if (DeleteMarkOf(buffer_) != 0) return Fail(objerr::kUpdateDeleteMark);
        if (buffer_ == snapshot_ && snapshotRef_ == currentRef_) return;
        std::vector<int> changed;
        if (!ChangeKeys(changed)) return;
        EngineCode code;
        if (varRecords_) {
            const auto record = std::span<const std::uint8_t>(buffer_).first(std::min<std::size_t>(
                static_cast<std::size_t>(std::max(varLength_, 0)), buffer_.size()));
            code = Retry([&] { return PutVarRecord(fileblock_, currentRef_, record); });
        } else {
            code = Retry([&] { return PutRecord(fileblock_, currentRef_, buffer_); });
        }
        if (code) {
            Fail(code, 0, currentRef_);
            UndoKeyChanges(changed);
            return;
        }
        snapshot_ = buffer_;
        snapshotRef_ = currentRef_;
        if (autoFlush_) Flush();
    });
}

int TFileblockObject::Delete(int mode) {
    return Run(routine::kDelete, [&] {
        walk_ = {};
        if (buffer_ != snapshot_ || currentRef_ != snapshotRef_)
            return Fail(objerr::kDeleteChanged);
        if (currentRef_ <= 0) return Fail(objerr::kDeleteNoCurrent);
        if (mode != 0 && lastKeyNr_ != 0 && !ValidKey(lastKeyNr_, objerr::kBadMoveKey)) return;
        const RecordRef ref = currentRef_;
        if (!RemoveKeys(snapshot_, ref, KeyCount())) return;
        if (!RemoveRecord(ref)) return;
        const std::vector<std::uint8_t> deleted = snapshot_;
        ForgetCurrent();
        // The deletion is made durable before moving on; the move only reads.
        if (autoFlush_ && !Flush()) return;
        const std::string deletedKey = lastKeyNr_ != 0 ? KeyOf(deleted, lastKeyNr_) : "";
        MoveAfterDelete(mode, ref, deletedKey);
    });
}

}  // namespace mss::store

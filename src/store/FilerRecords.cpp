// Fixed-length records, counts and the (inert) lock operations.
#include <algorithm>
#include <unordered_set>

#include "store/DataSlots.h"

namespace mss::store {
namespace detail {
namespace {

// Walks the data file's free chain once before the first reuse after an open:
// every link in range, no slot twice, exactly FreeCount slots. Anything else
// (a loop, a live slot in the chain) is 10170, before a live record is reused.
EngineCode CheckFreeChain(Descriptor& d) {
    std::unordered_set<std::int32_t> seen;
    std::int32_t slot = d.header.firstFree;
    for (std::int32_t n = 0; n < d.header.freeCount; ++n) {
        if (slot < 1 || slot > d.header.slotCount || !seen.insert(slot).second)
            return kFreeChainDamaged;
        std::array<std::uint8_t, 4> link{};
        if (EngineCode code = ReadExact(*d.data, SlotOffset(d, slot), link)) return code;
        slot = DecodeFixed32(link.data());
    }
    if (slot != -1) return kFreeChainDamaged;
    d.freeChainChecked = true;
    return kOk;
}

EngineCode TakeFreeSlot(Descriptor& d, RecordRef& slot) {
    if (!d.freeChainChecked)
        if (EngineCode code = CheckFreeChain(d)) return code;
    slot = d.header.firstFree;
    if (slot < 1 || slot > d.header.slotCount || d.header.freeCount < 1) return kFreeChainDamaged;
    std::array<std::uint8_t, 4> bytes{};
    if (EngineCode code = ReadExact(*d.data, SlotOffset(d, slot), bytes)) return code;
    std::int32_t link = DecodeFixed32(bytes.data());
    if (link == 0 || link > d.header.slotCount || link < -1 || link == slot)
        return kFreeChainDamaged;
    d.header.firstFree = link;
    --d.header.freeCount;
    return kOk;
}

}  // namespace

EngineCode AddSlot(Descriptor& d, std::span<const std::uint8_t> record, RecordRef& ref) {
    if (EngineCode code = MarkModified(d)) return code;
    const DataHeader saved = d.header;
    RecordRef slot = 0;
    const bool appended = d.header.firstFree == -1;
    if (appended) {
        // CountSlots answers SlotCount + 1, which must stay an int32.
        if (d.header.slotCount >= INT32_MAX - 1) return kShortWrite;
        slot = ++d.header.slotCount;
    } else if (EngineCode code = TakeFreeSlot(d, slot)) {
        d.header = saved;
        // Refused again at every start otherwise: the reorganisation drops the chain.
        if (code == kFreeChainDamaged) d.needsRebuild = true;
        return code;
    }
    const auto recLen = static_cast<std::size_t>(d.header.recLen);
    thread_local std::vector<std::uint8_t> image;
    image.assign(recLen, 0);
    std::copy_n(record.begin(), std::min(record.size(), recLen), image.begin());
    // The delete mark of a reused slot goes last: a write that fails part-way
    // leaves it marked free with its chain link intact, never a half-written
    // record that a rebuild would take for a live one. An appended slot has
    // no mark to keep (unwritten bytes read as zero), so one write does.
    const std::span<const std::uint8_t> bytes(image);
    const std::int64_t offset = SlotOffset(d, slot);
    EngineCode code = kOk;
    if (appended) {
        code = WriteData(d, offset, bytes);
    } else {
        code = WriteData(d, offset + kDeleteMarkSize, bytes.subspan(kDeleteMarkSize));
        if (!code) code = WriteData(d, offset, bytes.first(kDeleteMarkSize));
    }
    if (code) {
        d.header = saved;  // the slot goes back to the chain or the end
        return code;
    }
    ref = slot;
    return kOk;
}

EngineCode FreeSlot(Descriptor& d, RecordRef ref) {
    if (ref < 1 || ref > d.header.slotCount) return kReferenceOutOfRange;
    if (EngineCode code = MarkModified(d)) return code;
    std::array<std::uint8_t, 4> link{};
    EncodeFixed32(link.data(), d.header.firstFree);
    if (EngineCode code = WriteData(d, SlotOffset(d, ref), link)) return code;
    d.header.firstFree = ref;
    ++d.header.freeCount;
    return kOk;
}

}  // namespace detail

using detail::Begin;
using detail::BeginWrite;
using detail::Descriptor;
using detail::Finish;

EngineCode AddRecord(Fileblock fb, std::span<const std::uint8_t> record, RecordRef& ref) {
    Descriptor* d = nullptr;
    if (EngineCode code = BeginWrite(fb, d)) return Finish(code);
    return Finish(detail::AddSlot(*d, record, ref));
}

EngineCode DeleteRecord(Fileblock fb, RecordRef ref) {
    Descriptor* d = nullptr;
    if (EngineCode code = BeginWrite(fb, d)) return Finish(code);
    return Finish(detail::FreeSlot(*d, ref));
}

EngineCode GetRecord(Fileblock fb, RecordRef ref, std::span<std::uint8_t> out) {
    Descriptor* d = nullptr;
    if (EngineCode code = Begin(fb, d)) return Finish(code);
    if (ref < 0) return Finish(kShortRead);
    std::span<std::uint8_t> target = out.first(std::min(out.size(), std::size_t(d->header.recLen)));
    const std::int64_t offset = detail::SlotOffset(*d, ref);
    EngineCode code = detail::ReadExact(*d->data, offset, target);
    // A slot that cannot be read whole may still be read past its delete mark.
    if (code == kOsFailure && target.size() > 4 &&
        detail::ReadExact(*d->data, offset + 4, target.subspan(4)) == kOk)
        code = kReadExceptDeleteMark;
    return Finish(code);
}

EngineCode PutRecord(Fileblock fb, RecordRef ref, std::span<const std::uint8_t> record) {
    Descriptor* d = nullptr;
    if (EngineCode code = BeginWrite(fb, d)) return Finish(code);
    if (ref <= 0) return Finish(kWriteToReferenceZero);
    // A slot beyond SlotCount would be written outside the file's bookkeeping.
    if (ref > d->header.slotCount) return Finish(kReferenceOutOfRange);
    const auto recLen = static_cast<std::size_t>(d->header.recLen);
    if (record.size() >= recLen)
        return Finish(detail::WriteData(*d, detail::SlotOffset(*d, ref), record.first(recLen)));
    std::vector<std::uint8_t> padded(recLen, 0);
    std::copy(record.begin(), record.end(), padded.begin());
    return Finish(detail::WriteData(*d, detail::SlotOffset(*d, ref), padded));
}

EngineCode GetDeleteMark(Fileblock fb, RecordRef ref, std::int32_t& mark) {
    Descriptor* d = nullptr;
    if (EngineCode code = Begin(fb, d)) return Finish(code);
    if (ref < 0) return Finish(kShortRead);
    std::array<std::uint8_t, 4> bytes{};
    if (EngineCode code = detail::ReadExact(*d->data, detail::SlotOffset(*d, ref), bytes))
        return Finish(code);
    mark = DecodeFixed32(bytes.data());
    return Finish(kOk);
}

EngineCode CountUsedRecords(Fileblock fb, std::int32_t& count) {
    Descriptor* d = nullptr;
    if (EngineCode code = Begin(fb, d)) return Finish(code);
    count = d->header.slotCount - d->header.freeCount;
    return Finish(kOk);
}

EngineCode CountSlots(Fileblock fb, std::int32_t& count) {
    Descriptor* d = nullptr;
    if (EngineCode code = Begin(fb, d)) return Finish(code);
    count = d->header.slotCount + 1;
    return Finish(kOk);
}

EngineCode RecordLength(Fileblock fb, std::int32_t& recLen) {
    Descriptor* d = nullptr;
    if (EngineCode code = Begin(fb, d)) return Finish(code);
    recLen = d->header.recLen;
    return Finish(kOk);
}

EngineCode FileblockKeyCount(Fileblock fb, int& keyCount) {
    Descriptor* d = nullptr;
    if (EngineCode code = Begin(fb, d)) return Finish(code);
    keyCount = static_cast<int>(d->keys.size());
    return Finish(kOk);
}

EngineCode GetKeyDefinition(Fileblock fb, int keyNr, KeyDefinition& definition) {
    Descriptor* d = nullptr;
    if (EngineCode code = detail::BeginKey(fb, keyNr, d)) return Finish(code);
    definition = {d->Key(keyNr).keyLen, d->Key(keyNr).AllowDups()};
    return Finish(kOk);
}

// Locks: one user, so there is nothing to lock; the fileblock is still checked.
namespace {
EngineCode ValidateOnly(Fileblock fb) {
    Descriptor* d = nullptr;
    return Finish(Begin(fb, d));
}
}  // namespace

EngineCode LockRecord(Fileblock fb, RecordRef) {
    return ValidateOnly(fb);
}
EngineCode UnlockRecord(Fileblock fb, RecordRef) {
    return ValidateOnly(fb);
}
EngineCode LockFileblock(Fileblock fb) {
    return ValidateOnly(fb);
}
EngineCode UnlockFileblock(Fileblock fb) {
    return ValidateOnly(fb);
}
EngineCode LockAllFileblocks() {
    return Finish(Begin());
}
EngineCode UnlockAllFileblocks() {
    return Finish(Begin());
}

EngineCode IsRecordLocked(Fileblock fb, RecordRef, bool& locked) {
    locked = false;
    return ValidateOnly(fb);
}

EngineCode IsFileblockLocked(Fileblock fb, bool& locked) {
    locked = false;
    return ValidateOnly(fb);
}

}  // namespace mss::store

#include "store/FileblockCheck.h"

#include <cerrno>
#include <vector>

#include "store/FbIndex.h"
#include "store/Filer.h"

namespace mss::store {

namespace {

FileblockCheck Damaged(EngineCode code, std::string detail) {
    return {CheckState::kDamaged, code, 0, std::move(detail)};
}

// The live slots (delete mark 0) among slots 1 ... count.
EngineCode LiveSlots(Fileblock fb, std::int32_t slots, std::vector<bool>& live) {
    live.assign(static_cast<std::size_t>(slots) + 1, false);
    for (RecordRef ref = 1; ref <= slots; ++ref) {
        std::int32_t mark = 0;
        if (EngineCode code = GetDeleteMark(fb, ref, mark)) return code;
        live[static_cast<std::size_t>(ref)] = mark == 0;
    }
    return kOk;
}

EngineCode ReadRecord(Fileblock fb, RecordRef ref, bool varRecords,
                      std::vector<std::uint8_t>& record) {
    if (!varRecords) return GetRecord(fb, ref, record);
    std::int32_t length = 0;
    EngineCode code = GetVarRecord(fb, ref, record, length);
    if (code == kOk) record.resize(static_cast<std::size_t>(length));
    return code;
}

// Walks index keyNr: entries of live records that carry their key.
std::string CheckIndex(Fileblock fb, int keyNr, const std::vector<bool>& live, bool varRecords,
                       std::int32_t bufferSize, const KeyBuilder& builder, std::int32_t& entries) {
    const std::string name = "index " + std::to_string(keyNr) + ": ";
    if (ClearKey(fb, keyNr) != kOk) return name + "unreadable";
    const auto slots = static_cast<std::int32_t>(live.size()) - 1;
    KeyEntry entry;
    std::vector<std::uint8_t> record;
    for (entries = 0;; ++entries) {
        const EngineCode code = NextKey(fb, keyNr, entry);
        if (code == kEndOfIndex) return {};
        if (code != kOk) return name + "unreadable (" + std::to_string(code) + ")";
        if (entries > slots) return name + "more entries than records";
        if (entry.ref < 1 || entry.ref > slots || !live[static_cast<std::size_t>(entry.ref)])
            return name + "entry for a record that does not exist";
        record.assign(static_cast<std::size_t>(bufferSize), 0);
        if (ReadRecord(fb, entry.ref, varRecords, record) != kOk)
            return name + "record " + std::to_string(entry.ref) + " unreadable";
        if (BuildKeyWith(builder, record, keyNr) != entry.key)
            return name + "entry does not match record " + std::to_string(entry.ref);
    }
}

}  // namespace

FileblockCheck CheckFileblock(std::string_view baseName, bool varRecords, std::int32_t bufferSize,
                              const KeyBuilder& builder) {
    ClearEngineDiagnostic();
    Fileblock fb;
    if (EngineCode code = OpenFileblock(baseName, true, fb)) {
        const int os = LastOsFailure().osError;
        if (code == kOsFailure && (os == EWOULDBLOCK || os == EAGAIN))
            return {CheckState::kLocked, code, 0, "in use by another program"};
        return Damaged(code, "cannot be opened (" + std::to_string(code) + ")");
    }
    FileblockCheck result;
    std::int32_t slots = 0, used = 0, recLen = 0;
    int keyCount = 0;
    std::vector<bool> live;
    EngineCode code = CountSlots(fb, slots);
    if (code == kOk) code = CountUsedRecords(fb, used);
    if (code == kOk) code = RecordLength(fb, recLen);
    if (code == kOk) code = FileblockKeyCount(fb, keyCount);
    if (code == kOk) code = LiveSlots(fb, --slots, live);
    if (code != kOk) {
        (void)CloseFileblock(fb);
        return Damaged(code, "data file unreadable (" + std::to_string(code) + ")");
    }
    std::int32_t liveCount = 0;
    for (bool l : live) liveCount += l ? 1 : 0;
    result.records = liveCount;
    // Records of several slots leave their later slots marked.
    if (!varRecords && liveCount != used)
        result = Damaged(kFreeChainDamaged, "free slots disagree with the header");
    for (int k = 1; k <= keyCount && result.state == CheckState::kSound; ++k) {
        std::int32_t entries = 0;
        std::string fault =
            CheckIndex(fb, k, live, varRecords, std::max(bufferSize, recLen), builder, entries);
        if (fault.empty() && !varRecords && entries != liveCount)
            fault = "index " + std::to_string(k) + ": " + std::to_string(entries) +
                    " entries for " + std::to_string(liveCount) + " records";
        if (!fault.empty()) result = Damaged(kOk, fault);
    }
    result.records = liveCount;
    (void)CloseFileblock(fb);
    return result;
}

}  // namespace mss::store

// The structural check of an open fileblock through its object: cheap enough
// to run whenever a file cannot be trusted (after a run that ended without
// closing it, or when the operator asks), and mended by the rebuild.
#include "store/FbIndex.h"
#include "store/FileblockObject.h"
#include "store/FileblockObjectLayer.h"

namespace mss::store {

namespace {

bool IsIndexDamage(EngineCode code) {
    return code == kShortRead || code == kFreeChainDamaged;
}

}  // namespace

// Each index once, in order: its entries, each against the one before, then
// their number against EntryCount and (for fixed records) the live records.
EngineCode TFileblockObject::IndexDamage(int& keyNr) {
    std::int32_t live = -1;
    if (!varRecords_)
        if (EngineCode code = Retry([&] { return CountUsedRecords(fileblock_, live); }))
            return code;
    for (keyNr = 1; keyNr <= KeyCount(); ++keyNr) {
        std::int32_t entries = 0;
        if (EngineCode code = Retry([&] { return CheckKeyEntries(fileblock_, keyNr, entries); }))
            return code;
        if (live >= 0 && entries != live) return kShortRead;
    }
    keyNr = 0;
    return kOk;
}

int TFileblockObject::CheckIndexes(bool& rebuilt) {
    rebuilt = false;
    return Run(routine::kCheckIndexes, [&] {
        int keyNr = 0;
        const EngineCode code = IndexDamage(keyNr);
        if (code == kOk) return;
        if (!IsIndexDamage(code)) return Fail(code, keyNr);
        if (!Ask(question::kRebuild)) return Fail(code, keyNr, 0, 3, 4);
        (void)detail::CloseEveryObject();
        ForgetCurrent();
        lastKeyNr_ = 0;
        walk_ = {};
        rebuilt = Rebuild() && PhysicalOpen();
    });
}

}  // namespace mss::store

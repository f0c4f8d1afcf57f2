// The object layer and its files: the retry rule, opening within the handle
// limit, automatic creation of missing files and rebuild of damaged indexes.
#include <chrono>
#include <random>
#include <thread>

#include "store/FileFormat.h"
#include "store/FileblockObject.h"
#include "store/FileblockObjectLayer.h"
#include "store/Rebuild.h"

namespace mss::store {

using detail::Layer;

namespace {

constexpr int kNoRetryLimit = 65535;
constexpr EngineCode kDriveNotReady = 10110;
constexpr EngineCode kLockRecordFailed = 10335;
constexpr EngineCode kLockFileblockFailed = 10330;
constexpr EngineCode kLockAllFailed = 10332;
// A rebuild that does not make the fileblock open cleanly is not repeated forever.
constexpr int kMaxRebuilds = 2;

int QuestionTypeOf(EngineCode code) {
    switch (code) {
        case kPathNotFound:
            return question::kPathNotFound;
        case kDriveNotReady:
            return question::kDriveNotReady;
        case kLockRecordFailed:
            return question::kLockRecordFailed;
        case kLockFileblockFailed:
        case kLockAllFailed:
            return question::kLockFileblockFailed;
        default:
            return question::kLocked;
    }
}

void SleepBeforeRetry(int maxMilliseconds) {
    static std::minstd_rand random(std::random_device{}());
    std::uniform_int_distribution<int> pause(1, maxMilliseconds);
    std::this_thread::sleep_for(std::chrono::milliseconds(pause(random)));
}

}  // namespace

void TFileblockObject::Fail(EngineCode code, int keyNr, RecordRef ref, int position, int level) {
    ErrorEntry entry;
    entry.level = level;
    entry.code = code;
    entry.keyNr = keyNr;
    entry.ref = ref;
    entry.innerRoutine = Errors().CallRoutine();
    entry.position = position;
    if (code < 0x3000) {
        const EngineDiagnostic os = LastOsFailure();
        entry.osError = os.osError;
        entry.fileOp = os.op;
    }
    entry.object = this;
    Errors().Record(entry);
}

bool TFileblockObject::ValidKey(int keyNr, EngineCode code) {
    if (keyNr >= 1 && keyNr <= KeyCount()) return true;
    Fail(code, keyNr);
    return false;
}

bool TFileblockObject::Ask(int type) {
    return question_ && question_(logicalName_, type);
}

EngineCode TFileblockObject::Retry(const std::function<EngineCode()>& call, bool startNearLimit) {
    const int limit = retryLimit_;
    int counter = startNearLimit ? limit - limit / 8 : 0;
    for (;;) {
        ClearEngineDiagnostic();
        const EngineCode code = call();
        if (code == kOk || ErrorClass(code) != 2) return code;
        const int type = QuestionTypeOf(code);
        if (type == question::kPathNotFound || type == question::kDriveNotReady)
            counter = limit;
        else if (limit != kNoRetryLimit)
            ++counter;
        if (counter >= limit) {
            // No object of this program holds locks, so the question is always asked.
            if (!Ask(type)) return code;
            counter = 0;
            continue;
        }
        SleepBeforeRetry(counter <= limit / 2 ? 90 : 30);
    }
}

EngineCode TFileblockObject::DefinitionError() const {
    if (recLen_ <= kMinRecordLength) return objerr::kBadRecordLength;
    for (const ObjectKey& key : keys_)
        if (!key.defined) return objerr::kKeyNotDefined;
    return kOk;
}

EngineCode TFileblockObject::CloseFiles() {
    if (!open_) return kOk;
    const EngineCode code = CloseFileblock(fileblock_);
    Layer().ring.Remove(this);
    open_ = false;
    fileblock_ = {};
    return code;
}

bool TFileblockObject::PhysicalOpen() {
    detail::ObjectLayer& layer = Layer();
    if (open_) {
        layer.ring.Touch(this);
        return true;
    }
    if (EngineCode code = DefinitionError()) {
        Fail(code);
        return false;
    }
    const int need = keys_.empty() ? 1 : 2;
    while (!layer.ring.Fits(need)) {
        TFileblockObject* victim = layer.ring.LeastRecent();
        if (victim == nullptr) {
            Fail(objerr::kNotEnoughHandles);
            return false;
        }
        if (EngineCode code = victim->CloseFiles()) {
            victim->Fail(code);
            return false;
        }
    }
    if (!OpenWithRecovery()) return false;
    walk_ = {};  // the files may have been replaced while they were closed
    layer.ring.Enter(this, need);
    return true;
}

EngineCode TFileblockObject::OpenAndCompare() {
    Fileblock fb;
    EngineCode code = Retry([&] { return OpenFileblock(fileName_, /*readOnly=*/false, fb); },
                            /*startNearLimit=*/true);
    if (code) return code;
    std::int32_t recLen = 0;
    int keyCount = 0;
    code = RecordLength(fb, recLen);
    if (!code) code = FileblockKeyCount(fb, keyCount);
    if (!code && recLen != recLen_) code = objerr::kRecordLengthDiffers;
    if (!code && keyCount != KeyCount()) code = objerr::kKeyLayoutDiffers;
    for (int k = 1; !code && k <= keyCount; ++k) {
        KeyDefinition onDisk;
        code = GetKeyDefinition(fb, k, onDisk);
        if (!code && (onDisk.keyLen != Key(k).keyLen || onDisk.allowDups != Key(k).allowDups))
            code = objerr::kKeyLayoutDiffers;
    }
    if (code) {
        if (CloseFileblock(fb)) return objerr::kCompareCloseFailed;
        return code;
    }
    fileblock_ = fb;
    open_ = true;
    return kOk;
}

bool TFileblockObject::Rebuild() {
    std::int32_t setAside = 0;
    const EngineCode code = RebuildFileblock(*this, &setAside);
    // Told even when the run failed later: those records are only in the dump.
    if (setAside > 0) Errors().RecordsSetAside(*this, setAside, RebuildNames(fileName_).message);
    if (code) {
        Fail(code);
        return false;
    }
    return true;
}

namespace {

// Open results that mean the files cannot be trusted as they are: the
// fileblock was not closed, or a header does not fit the files or the
// program's definition. A rebuild mends them from the records.
bool NeedsRebuild(EngineCode code) {
    switch (code) {
        case kNotClosedProperly:
        case kHeaderTooManyKeys:
        case kKeyLengthNotWhole:
        case kKeyLengthOutOfRange:
        case kPageCapacityTooLarge:
        case objerr::kKeyLayoutDiffers:
            return true;
        default:
            return false;
    }
}

}  // namespace

bool TFileblockObject::OpenWithRecovery() {
    for (int rebuilds = 0;;) {
        const EngineCode code = OpenAndCompare();
        if (code == kOk) return true;
        bool rebuild = NeedsRebuild(code);
        if (code == kFileNotFound && ReorganisationPending(StoreFileSystem(), fileName_)) {
            // The data file is missing because a reorganisation was cut short:
            // creating it empty would hide the saved records.
            rebuild = true;
        }
        if (rebuild) {
            if (rebuilds == kMaxRebuilds) {
                Fail(code);
                return false;
            }
            if (!Ask(question::kRebuild)) {
                Fail(code, 0, 0, 3, 4);
                return false;
            }
            (void)detail::CloseEveryObject();
            if (!Rebuild()) return false;
            ++rebuilds;
            continue;
        }
        if (code == kFileNotFound) {
            if (!createIfMissing_) {
                Fail(objerr::kMissingNoCreate);
                return false;
            }
            if (!Ask(question::kCreateMissing)) {
                Fail(objerr::kCreateDeclined);
                return false;
            }
            std::vector<KeyDefinition> definitions;
            for (const ObjectKey& key : keys_) definitions.push_back({key.keyLen, key.allowDups});
            if (EngineCode created =
                    Retry([&] { return CreateFileblock(fileName_, recLen_, definitions); })) {
                Fail(created);
                return false;
            }
            continue;
        }
        Fail(code);
        return false;
    }
}

bool TFileblockObject::Flush() {
    if (EngineCode code = Retry([&] { return FlushFileblock(fileblock_); })) {
        Fail(code);
        return false;
    }
    return true;
}

int TFileblockObject::Erase() {
    return Run(routine::kErase, [&] {
        if (EngineCode code = DefinitionError()) return Fail(code);
        if (EngineCode code = CloseFiles()) return Fail(code);
        ForgetCurrent();
        lastKeyNr_ = 0;
        if (EngineCode code = Retry([&] { return DeleteFileblock(fileName_); })) Fail(code);
    });
}

int TFileblockObject::EnsureOpen() {
    return Run(routine::kEnsureOpen, [] {});
}

int TFileblockObject::LockFileblock() {
    return Run(routine::kLockFileblock, [&] {
        if (EngineCode code =
                Retry([&] { return store::LockFileblock(fileblock_); }, /*startNearLimit=*/true))
            Fail(code);
    });
}

int TFileblockObject::UnlockFileblock() {
    return Run(routine::kUnlockFileblock, [&] {
        if (EngineCode code =
                Retry([&] { return store::UnlockFileblock(fileblock_); }, /*startNearLimit=*/true))
            Fail(code);
    });
}

}  // namespace mss::store

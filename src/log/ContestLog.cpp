#include "log/ContestLog.h"

#include <algorithm>
#include <memory>

#include "platform/File.h"

#include "log/LogKeys.h"
#include "log/Renumber.h"
#include "radio/DateTime.h"
#include "radio/ProgramValues.h"

namespace mss::log {

namespace {

constexpr int kNummerField = 4;
constexpr int kAddRetries = 10;

struct OpenState {
    store::TFileblockObject* log = nullptr;
    std::int32_t number = 0;
    int users = 0;
};

OpenState& Open() {
    static OpenState state;
    return state;
}

// Present while a run has the log open: found at the next opening, it
// tells that the run before ended without closing the log.
std::string OpenMarkOf(std::int32_t entryNumber) {
    return radio::Program().RunDir + LogFileName(entryNumber) + ".RUN";
}

void SetOpenMark(std::int32_t entryNumber) {
    std::unique_ptr<platform::File> mark;
    if (store::StoreFileSystem().Open(OpenMarkOf(entryNumber), platform::OpenMode::Create, mark))
        return;  // without the mark only the check after a crash is lost
    // Durable, so that a power cut still leads to the check.
    (void)mark->Sync();
    (void)mark->Close();
}

std::string LogKeyOf(std::span<const std::uint8_t> bytes, int keyNr) {
    if (bytes.size() < QsoRecord::kSize) return {};
    return BuildKey(QsoRecord(bytes.first<QsoRecord::kSize>()), keyNr);
}

}  // namespace

store::SharedDefinition ContestLogDefinition(std::string_view name) {
    store::SharedDefinition d;
    d.object.logicalName = std::string(name);
    d.object.fileName = radio::Program().RunDir + std::string(name);
    d.object.recLen = static_cast<std::int32_t>(QsoRecord::kSize);
    d.object.keyCount = kLogKeyCount;
    d.object.keyBuilder = LogKeyOf;
    d.keys.assign(kLogKeyDefinitions.begin(), kLogKeyDefinitions.end());
    d.autoNumbers = {{kByNummer, kNummerField}};
    d.autoFlush = true;
    return d;
}

bool OpenContestLog(std::int32_t entryNumber) {
    OpenState& state = Open();
    if (state.log != nullptr) {
        if (state.number != entryNumber) return false;
        ++state.users;
        return true;
    }
    const std::string name = LogFileName(entryNumber);
    if (store::FindByName(name) == nullptr && !FinishInterruptedRenumber(entryNumber)) return false;
    store::TFileblockObject* log = store::OpenShared(ContestLogDefinition(name));
    if (log == nullptr) return false;
    // Touch the files now, so that a refusal shows at opening.
    bool rebuilt = false;
    const bool leftOpen = store::StoreFileSystem().Exists(OpenMarkOf(entryNumber));
    if (log->EnsureOpen() != 0 || (leftOpen && log->CheckIndexes(rebuilt) != 0)) {
        store::CloseShared(log);
        return false;
    }
    SetOpenMark(entryNumber);
    state = {log, entryNumber, 1};
    return true;
}

void CloseContestLog() {
    OpenState& state = Open();
    if (state.log == nullptr) return;
    if (--state.users > 0) return;
    store::CloseShared(state.log);
    (void)store::StoreFileSystem().Delete(OpenMarkOf(state.number));
    state = {};
}

LogCheck CheckContestLog() {
    store::TFileblockObject* log = OpenLog();
    bool rebuilt = false;
    if (log == nullptr || log->CheckIndexes(rebuilt) != 0) return LogCheck::kFailed;
    return rebuilt ? LogCheck::kRebuilt : LogCheck::kSound;
}

store::TFileblockObject* OpenLog() {
    return Open().log;
}

std::int32_t OpenLogNumber() {
    return Open().number;
}

QsoRecord BufferRecord(const store::TFileblockObject& log) {
    return QsoRecord(log.RecordBuffer().first<QsoRecord::kSize>());
}

void SetBufferRecord(store::TFileblockObject& log, const QsoRecord& record) {
    std::ranges::copy(record.bytes(), log.RecordBuffer().begin());
}

BufferGuard::BufferGuard(store::TFileblockObject& log)
    : log_(log), saved_(BufferRecord(log)), position_(log.SavePosition(0)) {}

BufferGuard::~BufferGuard() {
    if (position_.ref > 0 && log_.CurrentRef() != position_.ref)
        (void)log_.GotoPosition(position_, 0);
    SetBufferRecord(log_, saved_);
}

int AddContact(store::TFileblockObject& log, QsoRecord& contact) {
    int level = 0;
    for (int attempt = 0; attempt <= kAddRetries; ++attempt) {
        if (attempt > 0) contact.SetZeit((contact.Zeit() + 1) % radio::kSecondsPerDay);
        SetBufferRecord(log, contact);
        level = log.Add();
        if (level == 0) {
            contact = BufferRecord(log);
            return 0;
        }
        if (level > 1) return level;
    }
    return level;
}

}  // namespace mss::log

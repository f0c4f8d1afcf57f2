#include "store/ErrorRegister.h"

namespace mss::store {

namespace {

std::unique_ptr<ErrorRegister>& Installed() {
    static std::unique_ptr<ErrorRegister> errorRegister = std::make_unique<ErrorRegister>();
    return errorRegister;
}

}  // namespace

void ErrorRegister::Clear(int routine, const TFileblockObject* callObject) {
    entries_.clear();
    level_ = 0;
    callRoutine_ = routine;
    callObject_ = callObject;
    missingEntry_ = false;
}

void ErrorRegister::Record(ErrorEntry entry) {
    if (entry.level == 0) entry.level = ErrorClass(entry.code);
    if (entry.routine == 0) entry.routine = callRoutine_;
    if (static_cast<int>(entries_.size()) == kMaxEntries) {
        // A call that keeps failing must not grow the register without end.
        ErrorEntry overflow;
        overflow.code = kRegisterOverflow;
        overflow.level = ErrorClass(kRegisterOverflow);
        overflow.routine = callRoutine_;
        overflow.object = entry.object;
        entries_.clear();
        entries_.push_back(overflow);
        level_ = overflow.level;
        return;
    }
    entries_.push_back(entry);
    if (entry.level > level_) level_ = entry.level;
}

const ErrorEntry* ErrorRegister::Worst() const {
    const ErrorEntry* worst = nullptr;
    for (const ErrorEntry& e : entries_)
        if (worst == nullptr || e.level > worst->level) worst = &e;
    return worst;
}

ErrorRegister& Errors() {
    return *Installed();
}

void InstallErrorRegister(std::unique_ptr<ErrorRegister> errorRegister) {
    Installed() = errorRegister ? std::move(errorRegister) : std::make_unique<ErrorRegister>();
}

int ErrorLevel() {
    return Errors().Level();
}

}  // namespace mss::store

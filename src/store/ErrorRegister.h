// The process-wide error register of the object layer: the entries of the
// call that is running (at most four), the ErrorLevel every caller checks, and
// the report hook that runs when a fatal error ends the program.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "store/EngineError.h"
#include "store/Filer.h"

namespace mss::store {

class TFileblockObject;

struct ErrorEntry {
    int level = 0;  // 0 = the code's ErrorClass
    EngineCode code = kOk;
    int keyNr = 0;
    RecordRef ref = 0;
    int routine = 0;       // the operation called
    int innerRoutine = 0;  // the routine running when the error arose
    int position = 0;      // where in that routine
    int osError = 0;
    FileOp fileOp = FileOp::None;
    const TFileblockObject* object = nullptr;
};

class ErrorRegister {
  public:
    static constexpr int kMaxEntries = 4;
    static constexpr EngineCode kRegisterOverflow = 28730;

    virtual ~ErrorRegister() = default;

    // Starts a call: forgets the previous call's entries.
    void Clear(int routine, const TFileblockObject* callObject);
    void Record(ErrorEntry entry);
    // The highest level among the entries; 0 when there are none.
    int Level() const { return level_; }
    const std::vector<ErrorEntry>& Entries() const { return entries_; }
    // The entry with the highest level (the first of equals), or nullptr.
    const ErrorEntry* Worst() const;

    int CallRoutine() const { return callRoutine_; }
    const TFileblockObject* CallObject() const { return callObject_; }
    // Set when an index entry that was to be deleted was already missing.
    bool MissingEntry() const { return missingEntry_; }
    void NoteMissingEntry() { missingEntry_ = true; }

    void SetLogFileName(std::string name) { logFileName_ = std::move(name); }
    const std::string& LogFileName() const { return logFileName_; }

    // Runs when the program ends after a fatal error, before any fileblock is
    // closed by the layer. This register reports nothing.
    virtual void Report() {}
    // A rebuild took count records out of the object's file into the dump
    // file (records that collided on an index without duplicates). This
    // register tells nobody.
    virtual void RecordsSetAside(const TFileblockObject& /*object*/, std::int32_t /*count*/,
                                 const std::string& /*dumpFile*/) {}

  private:
    std::vector<ErrorEntry> entries_;
    int level_ = 0;
    int callRoutine_ = 0;
    const TFileblockObject* callObject_ = nullptr;
    bool missingEntry_ = false;
    std::string logFileName_;
};

// The installed register (a plain one until the program installs its own).
ErrorRegister& Errors();
// Installs a register; nullptr puts the plain one back.
void InstallErrorRegister(std::unique_ptr<ErrorRegister> errorRegister);

// 0 success; 1 not found or end; 2 locked or declined; above 2 fatal.
int ErrorLevel();

}  // namespace mss::store

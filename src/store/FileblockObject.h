// Fileblock objects: the only way the program reaches its fileblocks. An object
// holds the record buffer the application fills and reads, the key
// definitions and the key builder; it keeps every index consistent with the
// records, numbers records automatically, remembers the current record, opens
// its files on demand within the handle limit, creates missing files and
// rebuilds damaged indexes by itself, and reports through ErrorLevel().
//
// Every operation clears the error register first and answers ErrorLevel()
// (0 success, 1 not found or end, 2 locked or declined, above 2 fatal). A fatal
// error runs the installed register's report, closes every object's files and
// then calls the halt hook the program installed (see SetFatalHalt).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/File.h"
#include "store/ErrorRegister.h"
#include "store/FbIndex.h"
#include "store/Filer.h"
#include "store/Progress.h"

namespace mss::store {

// Builds key keyNr of a record; the empty string for a key it does not know.
using KeyBuilder = std::function<std::string(std::span<const std::uint8_t> record, int keyNr)>;
// The builder's key, cut to the longest key an index takes (50 bytes).
std::string BuildKeyWith(const KeyBuilder& builder, std::span<const std::uint8_t> record,
                         int keyNr);
// Asks whether to retry or continue; true = yes. The types are listed in
// namespace question.
using QuestionCallback = std::function<bool(std::string_view logicalName, int type)>;

namespace question {
inline constexpr int kLocked = 1;
inline constexpr int kLockRecordFailed = 2;
inline constexpr int kLockFileblockFailed = 3;
inline constexpr int kRecordDeleted = 4;
inline constexpr int kRebuild = 5;
inline constexpr int kCreateMissing = 6;
inline constexpr int kDriveNotReady = 7;
inline constexpr int kPathNotFound = 8;
}  // namespace question

// The arguments of TFileblockObject::Create (save and network mode are never
// used by this program and are not offered).
struct ObjectDefinition {
    std::string logicalName;  // up to 40 characters, unique
    std::string fileName;     // base name with path, up to 192 characters
    bool varRecords = false;
    bool createIfMissing = true;
    std::int32_t recLen = 0;      // section length for variable-length records
    int keyCount = 0;             // 0 ... 110
    std::int32_t bufferSize = 0;  // 0 = recLen; the longest record when variable
    KeyBuilder keyBuilder;
    int retryLimit = 32;
};

struct ObjectKey {
    bool defined = false;
    int keyLen = 0;
    bool allowDups = false;
    int autoNumberField = -1;  // offset of the int32 numbered on Add, -1 = none
};

class TFileblockObject;

// A place in an index or in slot order (keyNr 0) to come back to.
struct SavedPosition {
    int keyNr = 0;
    RecordRef ref = -1;
    std::string key;
    const TFileblockObject* object = nullptr;
};

// Routine codes, recorded in the error register and printed in the error log.
namespace routine {
inline constexpr int kInitFiles = 38, kCreate = 39, kCloseAllFiles = 68, kExitFiles = 96,
                     kFindByName = 101;
inline constexpr int kDestroy = 4136, kDefineKey = 4137, kSetAutoNumber = 4138, kClearRecord = 4148,
                     kCurrentRef = 4158, kBuildKey = 4159, kSavePosition = 4166,
                     kSetQuestion = 4169, kGetQuestion = 4170, kSetVarReadLimit = 4171,
                     kErase = 4178, kRecordBuffer = 4186, kSetProgressHook = 4198,
                     kSetAutoFlush = 4204;
inline constexpr int kLockFileblock = 8196, kUnlockFileblock = 8197, kEnsureOpen = 8217,
                     kCheckIndexes = 8218;
inline constexpr int kNextEntry = 12318, kPrevEntry = 12319, kFindEntry = 12322,
                     kRecordCount = 12342, kEntryPosition = 12399, kEntryAtPosition = 12400,
                     kEntryCount = 12411;
inline constexpr int kUpdate = 16391, kRead = 16392, kNext = 16393, kPrev = 16394, kDelete = 16397,
                     kAdd = 16398, kSearch = 16400, kFind = 16402, kFirst = 16411, kLast = 16412,
                     kGotoPosition = 16455;
}  // namespace routine

// The object layer's own codes.
namespace objerr {
inline constexpr EngineCode kRecordDeleted = 12289, kMissingNoCreate = 12323,
                            kCreateDeclined = 12328, kPositionNotFound = 12351,
                            kNoFurtherSlot = 12357, kNoSuchObject = 12364, kRebuildReadOnly = 16478;
inline constexpr EngineCode kCompareCloseFailed = 24590, kRecordLengthDiffers = 24591,
                            kAutoNumberOverflow = 24592, kEnginePageBuffers = 24603,
                            kEngineInit = 24604, kRingAllocation = 24605, kNotEnoughHandles = 24606,
                            kNotAnObject = 24607, kNoMemory = 24609, kUndoKeyFailed = 24642,
                            kKeyLayoutDiffers = 24653;
inline constexpr EngineCode kNotInitialised = 28675, kEmptyFileName = 28677,
                            kBadRecordLength = 28682, kTooManyKeys = 28683, kKeyTooLong = 28685,
                            kAddDeleteMark = 28689, kUndoKeysNotFound = 28690,
                            kUpdateNoCurrent = 28691, kUpdateDeleteMark = 28692,
                            kDeleteNoCurrent = 28694, kHandleLimitTooSmall = 28698,
                            kBadKeyNumber = 28709, kKeyNotDefined = 28710, kFieldOutside = 28711,
                            kBadMoveKey = 28714, kNoCurrentRecord = 28715, kKeyLengthZero = 28717,
                            kBufferSizeDiffers = 28718, kAutoNumberNoKey = 28721,
                            kObjectsLeft = 28724, kVersionMismatch = 28725,
                            kKeyNotEndingInField = 28726, kNoKeyBuilder = 28727, kNameInUse = 28728,
                            kBadPosition = 28736, kBadReadLimit = 28739, kVarLengthZero = 28743,
                            kAlreadyInitialised = 28744, kDeleteChanged = 28752,
                            kSectionNotBelowBuffer = 28754, kEmptyName = 28761, kNestedCall = 28770;
}  // namespace objerr

class TFileblockObject {
  public:
    // Builds an object (files are not touched until its first use). Answers
    // nullptr and records the error when the definition is refused.
    static std::unique_ptr<TFileblockObject> Create(const ObjectDefinition& definition);
    // Destroy: closes the files if open and leaves the list of objects.
    ~TFileblockObject();
    TFileblockObject(const TFileblockObject&) = delete;
    TFileblockObject& operator=(const TFileblockObject&) = delete;

    // Definition.
    int DefineKey(int keyNr, int keyLen, bool allowDups);
    int SetAutoNumber(int keyNr, int field);
    int SetAutoFlush(bool on);
    int SetVarReadLimit(std::int32_t limit);
    int SetQuestion(int retryLimit, QuestionCallback callback);
    QuestionCallback GetQuestion() const { return question_; }
    int SetProgressHook(ProgressHook hook);

    // The record buffer and the current record.
    std::span<std::uint8_t> RecordBuffer() { return buffer_; }
    std::span<const std::uint8_t> RecordBuffer() const { return buffer_; }
    RecordRef CurrentRef() const;
    // Length of the variable-length record in the buffer.
    std::int32_t VarLength() const { return varLength_; }
    void SetVarLength(std::int32_t length) { varLength_ = length; }
    std::string BuildKey(int keyNr);
    int ClearRecord();

    // Changing operations.
    int Add();
    int Update();
    // mode: 0 no move, 1 last, 2 first, 3 next, 4 previous (in the order of the
    // last index used, or in slot order when none was used).
    int Delete(int mode);

    // Reading operations.
    int Find(int keyNr, std::string_view key);
    int Search(int keyNr, std::string_view key);
    int First(int keyNr);
    int Last(int keyNr);
    int Next(int keyNr);
    int Prev(int keyNr);
    int Read(RecordRef ref);

    // The index alone, without reading records.
    int NextEntry(int keyNr, RecordRef& ref, std::string& key);
    int PrevEntry(int keyNr, RecordRef& ref, std::string& key);
    int FindEntry(int keyNr, RecordRef& ref, std::string& key, int direction);
    int EntryPosition(int keyNr, RecordRef ref, std::string_view key, std::int32_t scale,
                      std::int32_t& position);
    int EntryAtPosition(int keyNr, std::int32_t position, std::int32_t scale, RecordRef& ref,
                        std::string& key);

    SavedPosition SavePosition(int keyNr);
    // mode: 0 exact; 1 it or next, else previous; 2 it or next; 3 it or
    // previous, else next; 4 it or previous.
    int GotoPosition(const SavedPosition& position, int mode);

    std::int32_t RecordCount();
    std::int32_t EntryCount(int keyNr);
    int Erase();
    int LockFileblock();
    int UnlockFileblock();
    int EnsureOpen();
    // Walks every index once: entries in order, each naming a slot of the data
    // file, as many as EntryCount and the live records. Damage is answered
    // with the rebuild question; rebuilt tells whether the fileblock was
    // rebuilt, after which there is no current record.
    int CheckIndexes(bool& rebuilt);

    // The definition, for the rebuild and the error log.
    const std::string& LogicalName() const { return logicalName_; }
    const std::string& FileName() const { return fileName_; }
    std::int32_t RecLen() const { return recLen_; }
    bool VarRecords() const { return varRecords_; }
    int KeyCount() const { return static_cast<int>(keys_.size()); }
    const ObjectKey& Key(int keyNr) const { return keys_[static_cast<std::size_t>(keyNr - 1)]; }
    const KeyBuilder& Builder() const { return keyBuilder_; }
    const ProgressHook& Hook() const { return progressHook_; }
    bool AutoFlush() const { return autoFlush_; }
    bool FilesOpen() const { return open_; }
    int LastKeyNr() const { return lastKeyNr_; }

    // Users sharing this object besides the first (the opening pattern).
    int UseCount() const { return useCount_; }
    void AddUser() { ++useCount_; }
    void RemoveUser() { --useCount_; }

    // Physically closes the files (the object stays usable); used by the
    // handle ring and CloseAllFiles. Answers the engine's code.
    EngineCode CloseFiles();

  private:
    explicit TFileblockObject(const ObjectDefinition& definition);

    template <class Body>
    int Run(int routineCode, Body body);
    void Fail(EngineCode code, int keyNr = 0, RecordRef ref = 0, int position = 0, int level = 0);
    EngineCode Retry(const std::function<EngineCode()>& call, bool startNearLimit = false);
    bool Ask(int type);
    EngineCode DefinitionError() const;

    // Files.
    bool PhysicalOpen();
    bool OpenWithRecovery();
    EngineCode OpenAndCompare();
    bool Rebuild();
    // The first damage of the indexes (10070, 10170) and the key it is in.
    EngineCode IndexDamage(int& keyNr);

    // Records and keys.
    std::string KeyOf(std::span<const std::uint8_t> record, int keyNr) const;
    // With indexKey the record was reached through key keyNr and must fit it.
    bool ReadInto(RecordRef ref, int keyNr = 0, const std::string* indexKey = nullptr);
    bool ReadKeyed(EngineCode code, int keyNr, const KeyEntry& entry);
    bool AssignAutoNumbers();
    bool AddKeys(RecordRef ref);
    bool RemoveKeys(std::span<const std::uint8_t> record, RecordRef ref, int upTo);
    bool ChangeKeys(std::vector<int>& changed);
    void UndoKeyChanges(const std::vector<int>& changed);
    bool StoreRecord(RecordRef& ref);
    bool RemoveRecord(RecordRef ref);
    bool Flush();
    bool ReadEnd(int keyNr, bool last);
    EngineCode StepFrom(int keyNr, KeyEntry& entry, bool forward);
    EngineCode CheckWalk(int keyNr, const KeyEntry& from, bool fromIsEntry, const KeyEntry& to,
                         bool forward);
    bool GoesOn(int keyNr, const KeyEntry& from, bool forward) const;
    EngineCode CheckWalkEnd(int keyNr, bool goesOn, EngineCode end);
    bool Step(int keyNr, bool forward);
    // The nearest live slot from "from" on in that direction; 0 none, -1 error.
    RecordRef LiveSlot(RecordRef from, bool forward);
    bool ReadLiveSlot(RecordRef from, bool forward, EngineCode notFound);
    bool MoveAfterDelete(int mode, RecordRef deletedRef, const std::string& deletedKey);
    bool GotoSlot(RecordRef ref, int mode);
    bool GotoKey(const SavedPosition& position, int mode);
    bool ValidKey(int keyNr, EngineCode code = objerr::kBadKeyNumber);
    void ForgetCurrent();

    std::string logicalName_;
    std::string fileName_;
    bool varRecords_ = false;
    bool createIfMissing_ = true;
    std::int32_t recLen_ = 0;
    std::vector<ObjectKey> keys_;
    std::vector<std::uint8_t> buffer_;
    std::vector<std::uint8_t> snapshot_;
    std::vector<std::uint8_t> readImage_;
    std::int32_t varLength_ = 0;
    std::int32_t varReadLimit_ = 65520;
    RecordRef currentRef_ = -1;
    RecordRef snapshotRef_ = -1;
    int lastKeyNr_ = 0;
    KeyBuilder keyBuilder_;
    QuestionCallback question_;
    int retryLimit_ = 32;
    bool autoFlush_ = false;
    ProgressHook progressHook_;
    int useCount_ = 0;
    Fileblock fileblock_{};
    bool open_ = false;
    // The run of steps in one direction that the last step belonged to.
    struct Walk {
        int keyNr = 0;
        bool forward = true;
        KeyEntry last;
        std::int32_t entries = 0;  // distinct entries met, the start included
        bool fromEnd = false;      // began at the first (or last) entry
    };
    Walk walk_;
};

// Process-wide operations. InitFiles(0, PageBuffersFor(the largest key count),
// 32) is this program's call (see Filer.h); the
// file system defaults to the platform's.
int InitFiles(int net, int pageBuffers, int handleLimit,
              std::shared_ptr<platform::FileSystem> fileSystem = nullptr);
int ExitFiles();
int CloseAllFiles();
TFileblockObject* FindByName(std::string_view name);
void SetDefaultQuestion(QuestionCallback callback);
bool FilesInitialised();
// The file system the layer and its engine use (valid between InitFiles and ExitFiles).
platform::FileSystem& StoreFileSystem();
// Whether object is an existing object.
bool IsValidObject(const TFileblockObject* object);
// The upper-casing rule of logical names.
std::string UpperName(std::string_view name);

// What ends the program after a fatal error, called after the report has run
// and every object's files have been closed. Without one (tests) the failing
// call simply returns its ErrorLevel.
void SetFatalHalt(std::function<void()> halt);

// The opening pattern: the shared object of that logical name with one more
// user, or a new object built from the definition, its keys (key-number
// order), auto-number fields and auto-flush. nullptr when ErrorLevel() is not 0.
struct SharedDefinition {
    ObjectDefinition object;
    std::vector<KeyDefinition> keys;
    std::vector<std::pair<int, int>> autoNumbers;  // (keyNr, field offset)
    bool autoFlush = false;
    ProgressHook progressHook;
};
TFileblockObject* OpenShared(const SharedDefinition& definition);
// The same sequence for an object of the caller's own (not shared).
std::unique_ptr<TFileblockObject> CreateDefined(const SharedDefinition& definition);
// One user less; the last one destroys the object. object becomes nullptr.
void CloseShared(TFileblockObject*& object);

}  // namespace mss::store

#include "store/FileblockObject.h"

#include <algorithm>

#include "store/EngineState.h"
#include "store/FileFormat.h"
#include "store/FileblockObjectLayer.h"
#include "store/Rebuild.h"

namespace mss::store {

namespace detail {

ObjectLayer& Layer() {
    static ObjectLayer layer;
    return layer;
}

EngineCode CloseEveryObject() {
    EngineCode first = kOk;
    while (TFileblockObject* object = Layer().ring.LeastRecent()) {
        EngineCode code = object->CloseFiles();
        if (!first) first = code;
    }
    return first;
}

TFileblockObject* LookUp(std::string_view name) {
    const std::string upper = UpperName(name);
    for (TFileblockObject* object : Layer().objects)
        if (UpperName(object->LogicalName()) == upper) return object;
    return nullptr;
}

CallScope::CallScope(int routine, const TFileblockObject* object) {
    ObjectLayer& layer = Layer();
    if (layer.busy) {
        // An operation started from a callback of a running one.
        nested_ = true;
        ErrorEntry entry;
        entry.code = objerr::kNestedCall;
        entry.routine = routine;
        entry.object = object;
        Errors().Record(entry);
        return;
    }
    layer.busy = true;
    Errors().Clear(routine, object);
}

CallScope::~CallScope() {
    if (!nested_ && !ended_) Layer().busy = false;
}

int CallScope::End() {
    ended_ = true;
    if (!nested_) Layer().busy = false;
    const int level = ErrorLevel();
    if (level > 2) EndAfterFatalError();
    return level;
}

void EndAfterFatalError() {
    ObjectLayer& layer = Layer();
    if (layer.inFatalPath) return;
    layer.inFatalPath = true;
    Errors().Report();  // before any fileblock is closed
    (void)CloseEveryObject();
    layer.inFatalPath = false;
    if (layer.halt) layer.halt();
}

}  // namespace detail

using detail::CallScope;
using detail::Layer;

namespace {

// Without the program's own callback: rebuild and create silently, decline
// everything else (a headless run must never wait for an answer).
bool DefaultQuestion(std::string_view, int type) {
    return type == question::kRebuild || type == question::kCreateMissing;
}

EngineCode MapInitEngineError(EngineCode code) {
    return code == kTooFewPageBuffers || code == kTooFewBuffersRequested
               ? objerr::kEnginePageBuffers
               : objerr::kEngineInit;
}

void RecordFree(EngineCode code) {
    ErrorEntry entry;
    entry.code = code;
    Errors().Record(entry);
}

}  // namespace

std::string UpperName(std::string_view name) {
    std::string upper(name);
    for (char& c : upper) {
        auto b = static_cast<unsigned char>(c);
        if (b >= 'a' && b <= 'z')
            b = static_cast<unsigned char>(b - 'a' + 'A');
        else if (b == 0x81)
            b = 0x9A;
        else if (b == 0x84)
            b = 0x8E;
        else if (b == 0x94)
            b = 0x99;
        c = static_cast<char>(b);
    }
    return upper;
}

int InitFiles(int /*net: no network support*/, int pageBuffers, int handleLimit,
              std::shared_ptr<platform::FileSystem> fileSystem) {
    CallScope call(routine::kInitFiles, nullptr);
    if (call.Nested()) return call.End();
    detail::ObjectLayer& layer = Layer();
    if (layer.initialised) {
        RecordFree(objerr::kAlreadyInitialised);
    } else if (handleLimit <= 6) {
        RecordFree(objerr::kHandleLimitTooSmall);
    } else {
        if (!fileSystem) fileSystem = platform::DefaultFileSystem();
        int obtained = 0;
        if (EngineCode code = InitEngine(pageBuffers, obtained, fileSystem)) {
            RecordFree(MapInitEngineError(code));
        } else {
            layer.fileSystem = std::move(fileSystem);
            layer.ring.Reset(handleLimit);
            if (!layer.defaultQuestion) layer.defaultQuestion = DefaultQuestion;
            layer.initialised = true;
        }
    }
    return call.End();
}

int ExitFiles() {
    CallScope call(routine::kExitFiles, nullptr);
    if (call.Nested()) return call.End();
    detail::ObjectLayer& layer = Layer();
    if (!layer.initialised) {
        RecordFree(objerr::kNotInitialised);
    } else if (!layer.objects.empty()) {
        RecordFree(objerr::kObjectsLeft);
    } else {
        if (EngineCode code = ExitEngine()) RecordFree(code);
        layer.ring.Reset(0);
        layer.fileSystem.reset();
        layer.initialised = false;
    }
    return call.End();
}

int CloseAllFiles() {
    CallScope call(routine::kCloseAllFiles, nullptr);
    if (call.Nested()) return call.End();
    if (!Layer().initialised)
        RecordFree(objerr::kNotInitialised);
    else if (EngineCode code = detail::CloseEveryObject())
        RecordFree(code);
    return call.End();
}

TFileblockObject* FindByName(std::string_view name) {
    CallScope call(routine::kFindByName, nullptr);
    if (call.Nested()) {
        call.End();
        return nullptr;
    }
    TFileblockObject* found = nullptr;
    if (!Layer().initialised) {
        RecordFree(objerr::kNotInitialised);
    } else {
        found = detail::LookUp(name);
        if (!found) RecordFree(objerr::kNoSuchObject);
    }
    call.End();
    return found;
}

void SetDefaultQuestion(QuestionCallback callback) {
    Layer().defaultQuestion = callback ? std::move(callback) : QuestionCallback(DefaultQuestion);
}

bool FilesInitialised() {
    return Layer().initialised;
}

platform::FileSystem& StoreFileSystem() {
    return *Layer().fileSystem;
}

bool IsValidObject(const TFileblockObject* object) {
    const auto& objects = Layer().objects;
    return object != nullptr && std::find(objects.begin(), objects.end(), object) != objects.end();
}

void SetFatalHalt(std::function<void()> halt) {
    Layer().halt = std::move(halt);
}

// ---------------------------------------------------------------------------
// Creating and destroying objects.

namespace {

// An empty data file beside an "ALT" file is what an interrupted copy of the
// suite's other programs leaves: the "ALT" file holds the data.
void RecoverFromAlt(platform::FileSystem& fs, const std::string& fileName) {
    const RebuildFileNames names = RebuildNames(fileName);
    const std::string alt = detail::WithExtension(names.data, "ALT");
    if (!fs.Exists(names.data) || !fs.Exists(alt)) return;
    std::unique_ptr<platform::File> file;
    std::int64_t size = -1;
    if (fs.Open(names.data, platform::OpenMode::ReadOnly, file) != 0) return;
    const int sizeError = file->Size(size);
    file->Close();
    if (sizeError != 0 || size != 0) return;
    if (fs.Delete(names.data) != 0) return;
    if (fs.Rename(alt, names.data) != 0) return;
    (void)fs.Delete(names.index);
}

EngineCode ValidateDefinition(const ObjectDefinition& d) {
    if (d.logicalName.empty()) return objerr::kEmptyName;
    if (detail::LookUp(d.logicalName)) return objerr::kNameInUse;
    if (d.fileName.empty()) return objerr::kEmptyFileName;
    if (d.recLen <= 20) return objerr::kBadRecordLength;
    if (d.keyCount < 0 || d.keyCount > kMaxKeys) return objerr::kTooManyKeys;
    if (d.keyCount > 0 && !d.keyBuilder) return objerr::kNoKeyBuilder;
    const std::int32_t bufferSize = d.bufferSize == 0 ? d.recLen : d.bufferSize;
    if (d.varRecords && d.recLen >= bufferSize) return objerr::kSectionNotBelowBuffer;
    if (!d.varRecords && bufferSize != d.recLen) return objerr::kBufferSizeDiffers;
    return kOk;
}

}  // namespace

TFileblockObject::TFileblockObject(const ObjectDefinition& d)
    : logicalName_(d.logicalName.substr(0, 40)),
      fileName_(d.fileName.substr(0, 192)),
      varRecords_(d.varRecords),
      createIfMissing_(d.createIfMissing),
      recLen_(d.recLen),
      keys_(static_cast<std::size_t>(d.keyCount)),
      buffer_(static_cast<std::size_t>(d.bufferSize == 0 ? d.recLen : d.bufferSize)),
      snapshot_(buffer_.size()),
      readImage_(buffer_.size()),
      keyBuilder_(d.keyBuilder),
      question_(Layer().defaultQuestion),
      retryLimit_(d.retryLimit) {}

std::unique_ptr<TFileblockObject> TFileblockObject::Create(const ObjectDefinition& definition) {
    CallScope call(routine::kCreate, nullptr);
    std::unique_ptr<TFileblockObject> object;
    if (!call.Nested()) {
        if (!Layer().initialised) {
            RecordFree(objerr::kNotInitialised);
        } else if (EngineCode code = ValidateDefinition(definition)) {
            RecordFree(code);
        } else {
            RecoverFromAlt(StoreFileSystem(), definition.fileName);
            object.reset(new TFileblockObject(definition));
            Layer().objects.push_back(object.get());
        }
    }
    call.End();
    return object;
}

TFileblockObject::~TFileblockObject() {
    // An object whose files are closed goes without a call of its own, so the
    // register keeps the error of an open sequence that gave it up.
    if (open_) {
        Run(routine::kDestroy, [&] {
            if (EngineCode code = CloseFiles()) Fail(code);
        });
    }
    auto& objects = Layer().objects;
    objects.erase(std::remove(objects.begin(), objects.end(), this), objects.end());
}

// ---------------------------------------------------------------------------
// Definition.

int TFileblockObject::DefineKey(int keyNr, int keyLen, bool allowDups) {
    return Run(routine::kDefineKey, [&] {
        if (!ValidKey(keyNr)) return;
        if (keyLen > kMaxKeyLength) return Fail(objerr::kKeyTooLong, keyNr);
        if (keyLen <= 0) return Fail(objerr::kKeyLengthZero, keyNr);
        ObjectKey& key = keys_[static_cast<std::size_t>(keyNr - 1)];
        key.defined = true;
        key.keyLen = keyLen;
        key.allowDups = allowDups;
    });
}

int TFileblockObject::SetAutoNumber(int keyNr, int field) {
    return Run(routine::kSetAutoNumber, [&] {
        if (!ValidKey(keyNr)) return;
        ObjectKey& key = keys_[static_cast<std::size_t>(keyNr - 1)];
        if (!key.defined) return Fail(objerr::kAutoNumberNoKey, keyNr);
        if (field < 0 || static_cast<std::size_t>(field) + 4 > buffer_.size())
            return Fail(objerr::kFieldOutside, keyNr);
        const std::string built = KeyOf(buffer_, keyNr);
        const std::string tail = IntToKey(DecodeFixed32(buffer_.data() + field));
        if (!built.ends_with(tail)) return Fail(objerr::kKeyNotEndingInField, keyNr);
        key.autoNumberField = field;
    });
}

int TFileblockObject::SetAutoFlush(bool on) {
    return Run(routine::kSetAutoFlush, [&] { autoFlush_ = on; });
}

int TFileblockObject::SetVarReadLimit(std::int32_t limit) {
    return Run(routine::kSetVarReadLimit, [&] {
        if (limit < 4) return Fail(objerr::kBadReadLimit);
        varReadLimit_ = limit;
    });
}

int TFileblockObject::SetQuestion(int retryLimit, QuestionCallback callback) {
    return Run(routine::kSetQuestion, [&] {
        retryLimit_ = retryLimit;
        question_ = std::move(callback);
    });
}

int TFileblockObject::SetProgressHook(ProgressHook hook) {
    return Run(routine::kSetProgressHook, [&] { progressHook_ = std::move(hook); });
}

RecordRef TFileblockObject::CurrentRef() const {
    return ErrorLevel() != 0 ? -1 : currentRef_;
}

std::string TFileblockObject::BuildKey(int keyNr) {
    std::string key;
    Run(routine::kBuildKey, [&] {
        if (ValidKey(keyNr)) key = KeyOf(buffer_, keyNr);
    });
    return key;
}

int TFileblockObject::ClearRecord() {
    return Run(routine::kClearRecord, [&] { std::fill(buffer_.begin(), buffer_.end(), 0); });
}

// ---------------------------------------------------------------------------
// The opening pattern.

namespace {

// The objects opened through OpenShared. Created after the layer's state, so
// it is destroyed before it.
std::vector<std::unique_ptr<TFileblockObject>>& SharedObjects() {
    static std::vector<std::unique_ptr<TFileblockObject>> shared;
    return shared;
}

}  // namespace

TFileblockObject* OpenShared(const SharedDefinition& definition) {
    if (TFileblockObject* shared = detail::LookUp(definition.object.logicalName)) {
        CallScope call(routine::kFindByName, shared);
        if (!call.Nested()) shared->AddUser();
        return call.End() == 0 ? shared : nullptr;
    }
    auto& sharedObjects = SharedObjects();
    std::unique_ptr<TFileblockObject> object = CreateDefined(definition);
    if (!object) return nullptr;
    sharedObjects.push_back(std::move(object));
    return sharedObjects.back().get();
}

std::unique_ptr<TFileblockObject> CreateDefined(const SharedDefinition& definition) {
    std::unique_ptr<TFileblockObject> object = TFileblockObject::Create(definition.object);
    if (!object) return nullptr;
    bool ok = true;
    for (std::size_t k = 0; ok && k < definition.keys.size(); ++k)
        ok = object->DefineKey(static_cast<int>(k + 1), definition.keys[k].keyLen,
                               definition.keys[k].allowDups) == 0;
    for (std::size_t i = 0; ok && i < definition.autoNumbers.size(); ++i)
        ok = object->SetAutoNumber(definition.autoNumbers[i].first,
                                   definition.autoNumbers[i].second) == 0;
    if (ok && definition.autoFlush) ok = object->SetAutoFlush(true) == 0;
    if (ok && definition.progressHook) ok = object->SetProgressHook(definition.progressHook) == 0;
    if (!ok) return nullptr;  // the object goes again; the register keeps the error
    return object;
}

void CloseShared(TFileblockObject*& object) {
    if (object == nullptr) return;
    if (object->UseCount() > 0) {
        object->RemoveUser();
    } else {
        auto& shared = SharedObjects();
        std::erase_if(shared, [object](const auto& owned) { return owned.get() == object; });
    }
    object = nullptr;
}

}  // namespace mss::store

// Internal to the object layer: its process-wide state (objects, handle ring,
// file system, default question, halt hook) and the scope every operation
// runs in (nesting check, clearing the register, the fatal path at its end).
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "store/FileblockObject.h"
#include "store/HandleRing.h"

namespace mss::store::detail {

struct ObjectLayer {
    bool initialised = false;
    std::shared_ptr<platform::FileSystem> fileSystem;
    HandleRing ring;
    std::vector<TFileblockObject*> objects;
    QuestionCallback defaultQuestion;
    std::function<void()> halt;
    bool busy = false;
    bool inFatalPath = false;
};

ObjectLayer& Layer();

// Closes the files of every object (no register handling).
EngineCode CloseEveryObject();
// The object of that logical name, or nullptr.
TFileblockObject* LookUp(std::string_view name);

class CallScope {
  public:
    CallScope(int routine, const TFileblockObject* object);
    ~CallScope();
    CallScope(const CallScope&) = delete;
    CallScope& operator=(const CallScope&) = delete;

    bool Nested() const { return nested_; }
    // Ends the call: a fatal level runs the report, closes every object's
    // files and halts the program (when a halt is installed). Answers the level.
    int End();

  private:
    bool nested_ = false;
    bool ended_ = false;
};

// The fatal path (report, close, halt); also used for failures outside calls.
void EndAfterFatalError();

}  // namespace mss::store::detail

namespace mss::store {

// Every object operation runs its body inside a call scope; from routine code
// 8192 on the object's files are opened first.
template <class Body>
int TFileblockObject::Run(int routineCode, Body body) {
    detail::CallScope call(routineCode, this);
    if (call.Nested()) return call.End();
    if (routineCode >= 8192 && !detail::Layer().initialised)
        Fail(objerr::kNotInitialised);
    else if (routineCode < 8192 || PhysicalOpen())
        body();
    return call.End();
}

}  // namespace mss::store

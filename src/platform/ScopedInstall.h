// A process-wide slot for one implementation of a platform seam: the program
// installs the real one at start, a test installs its double, and the guard
// puts back whatever was there before.
#pragma once

namespace mss::platform {

template <class Interface>
class ScopedInstall {
  public:
    explicit ScopedInstall(Interface& implementation) : previous_(Slot()) {
        Slot() = &implementation;
    }
    ~ScopedInstall() { Slot() = previous_; }
    ScopedInstall(const ScopedInstall&) = delete;
    ScopedInstall& operator=(const ScopedInstall&) = delete;

    // The installed implementation, or nullptr.
    static Interface* Installed() { return Slot(); }

  private:
    static Interface*& Slot() {
        static Interface* slot = nullptr;
        return slot;
    }
    Interface* previous_;
};

}  // namespace mss::platform

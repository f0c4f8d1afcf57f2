// The radio's frequency as the log form polls it: a small seam, so that the
// form runs against the radio through Hamlib and against a fake in tests.
// Reading a radio is an input device of the computer, like the clock, which
// is why it lives here and not in the radio library of bands and locators.
#pragma once

#include <string>

namespace mss::platform {

enum class RigError {
    None,
    NoSuchModel,  // the library knows no radio of that model number
    BadSetting,   // the library refused the port or the speed
    OpenFailed,   // the port could not be opened or the radio did not answer
    ReadFailed,
    SetFailed,
};

struct RigStatus {
    RigError Error = RigError::None;
    std::string Text;  // the library's own explanation, for the operator
    bool Ok() const { return Error == RigError::None; }
};

struct RigFrequency {
    RigStatus Status;
    double Hz = 0;
};

class Rig {
  public:
    virtual ~Rig() = default;
    // The frequency of the current VFO.
    virtual RigFrequency ReadFrequency() = 0;
    virtual RigStatus SetFrequency(double hz) = 0;
};

}  // namespace mss::platform

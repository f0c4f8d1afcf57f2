// A radio reached through the Hamlib library (Debian libhamlib-dev): opened
// by model number, port and speed, and closed when the object goes. Model 1
// is Hamlib's dummy radio; model 2 ("NET rigctl") shares a radio with other
// programs through rigctld, the port then being "host:port".
#pragma once

#include <memory>
#include <string>

#include "platform/Rig.h"

struct s_rig;  // Hamlib's RIG, kept out of every includer

namespace mss::platform {

struct RigSettings {
    int Model = 0;     // Hamlib model number; 0 = no radio configured: nothing to open
    std::string Port;  // serial device, or host:port; empty = the model's default
    int Speed = 0;     // serial speed in baud; 0 = the model's default
};

class HamlibRig;

struct RigOpening {
    std::unique_ptr<HamlibRig> Rig;  // null unless Status is Ok
    RigStatus Status;
};

class HamlibRig final : public Rig {
  public:
    static RigOpening Open(const RigSettings& settings);
    ~HamlibRig() override;
    HamlibRig(const HamlibRig&) = delete;
    HamlibRig& operator=(const HamlibRig&) = delete;

    RigFrequency ReadFrequency() override;
    RigStatus SetFrequency(double hz) override;

  private:
    explicit HamlibRig(s_rig* rig) : rig_(rig) {}
    s_rig* rig_;
};

}  // namespace mss::platform

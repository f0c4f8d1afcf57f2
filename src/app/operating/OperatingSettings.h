// The operator's settings for operating with other programs: where the
// contacts of WSJT-X and MSHV arrive (UDP port, multicast group) and which
// radio gives the frequency (Hamlib model, port, speed). They belong to the
// operator's account, not to the suite's shared records, whose layouts other
// programs read.
#pragma once

#include <QString>
#include <cstdint>

#include "platform/HamlibRig.h"
#include "radio/SuperCheckPartial.h"

namespace mss::app {

inline constexpr std::uint16_t kWsjtxDefaultPort = 2237;

struct OperatingSettings {
    bool listen = true;  // contacts of the digital-mode programs are taken
    std::uint16_t udpPort = kWsjtxDefaultPort;
    QString multicastGroup;  // empty: the programs send to this computer directly
    platform::RigSettings rig;
    QString scpFile;  // the super check partial list; a newer one may be downloaded
};

OperatingSettings LoadOperatingSettings();
void SaveOperatingSettings(const OperatingSettings& settings);

// Why the settings cannot be used, or empty: a port outside 1 to 65535, a
// group that is not a multicast address, a negative model or speed.
QString OperatingSettingsError(const OperatingSettings& settings, int typedPort);

}  // namespace mss::app

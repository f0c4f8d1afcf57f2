#include "platform/HamlibRig.h"

#include <hamlib/rig.h>

namespace mss::platform {

namespace {

RigStatus Failure(RigError error, int code) {
    return {error, rigerror(code)};
}

// Frees a radio that rig_init gave, whether or not it was opened.
struct RigCleanup {
    void operator()(RIG* rig) const { rig_cleanup(rig); }
};

int SetConf(RIG* rig, const char* name, const std::string& value) {
    return rig_set_conf(rig, rig_token_lookup(rig, name), value.c_str());
}

}  // namespace

RigOpening HamlibRig::Open(const RigSettings& settings) {
    // Hamlib reports on stderr unless told not to; errors come back as values.
    rig_set_debug(RIG_DEBUG_NONE);
    std::unique_ptr<RIG, RigCleanup> rig(rig_init(settings.Model));
    if (!rig)
        return {nullptr, {RigError::NoSuchModel, "Hamlib model " + std::to_string(settings.Model)}};
    if (!settings.Port.empty()) {
        if (const int rc = SetConf(rig.get(), "rig_pathname", settings.Port); rc != RIG_OK) {
            return {nullptr, Failure(RigError::BadSetting, rc)};
        }
    }
    if (settings.Speed > 0) {
        const int rc = SetConf(rig.get(), "serial_speed", std::to_string(settings.Speed));
        if (rc != RIG_OK) return {nullptr, Failure(RigError::BadSetting, rc)};
    }
    if (const int rc = rig_open(rig.get()); rc != RIG_OK) {
        return {nullptr, Failure(RigError::OpenFailed, rc)};
    }
    return {std::unique_ptr<HamlibRig>(new HamlibRig(rig.release())), {}};
}

HamlibRig::~HamlibRig() {
    rig_close(rig_);
    rig_cleanup(rig_);
}

RigFrequency HamlibRig::ReadFrequency() {
    freq_t hz = 0;
    if (const int rc = rig_get_freq(rig_, RIG_VFO_CURR, &hz); rc != RIG_OK) {
        return {Failure(RigError::ReadFailed, rc), 0};
    }
    return {{}, hz};
}

RigStatus HamlibRig::SetFrequency(double hz) {
    if (const int rc = rig_set_freq(rig_, RIG_VFO_CURR, hz); rc != RIG_OK) {
        return Failure(RigError::SetFailed, rc);
    }
    return {};
}

}  // namespace mss::platform

#include "platform/HamlibModels.h"

#include <hamlib/rig.h>

#include <algorithm>

namespace mss::platform {

namespace {

int Collect(const rig_caps* caps, rig_ptr_t data) {
    auto* models = static_cast<std::vector<RigModel>*>(data);
    models->push_back(
        {static_cast<int>(caps->rig_model), std::string(caps->mfg_name) + " " + caps->model_name});
    return 1;  // go on
}

}  // namespace

std::vector<RigModel> HamlibModels() {
    rig_set_debug(RIG_DEBUG_NONE);
    rig_load_all_backends();
    std::vector<RigModel> models;
    rig_list_foreach(Collect, &models);
    std::ranges::sort(models, {}, &RigModel::Model);
    return models;
}

}  // namespace mss::platform

// The radios Hamlib knows, for the operator to choose one by name.
#pragma once

#include <string>
#include <vector>

namespace mss::platform {

struct RigModel {
    int Model = 0;
    std::string Name;  // maker and model, e.g. "Icom IC-9700"
};

// Every model of the library, by number.
std::vector<RigModel> HamlibModels();

}  // namespace mss::platform

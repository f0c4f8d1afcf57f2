// The STF entry file: the tagged header, one upper-case line per contact and
// "EndQSOList", written by the QSO list writer as its output kind 2.
#pragma once

#include <memory>

#include "output/QsoList.h"

namespace mss::output {

std::unique_ptr<QsoListLayout> MakeStfLayout();

}  // namespace mss::output

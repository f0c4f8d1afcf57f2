// The "check" command: every fileblock of the data directory checked
// against its data file and, with --repair, the damaged ones rebuilt
// through the store's rebuild.
#pragma once

#include "app/cli/CommandArguments.h"

namespace mss::app {

CommandSyntax CheckSyntax();
int RunCheck(const ParsedArguments& args);

}  // namespace mss::app

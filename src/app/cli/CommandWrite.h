// The "write" command: one output of the output menu into a file, through
// the menu's writers; printed lists go to a PDF file. The target is written
// under a temporary name in its folder and renamed only when complete.
#pragma once

#include "app/cli/CommandArguments.h"

namespace mss::app {

CommandSyntax WriteSyntax();
int RunWrite(const ParsedArguments& args);

}  // namespace mss::app

// The "import-adif" command: an ADIF file into the log of an entry through
// the import the log form's import dialog runs, with the counts on standard
// output and every refused record on standard error.
#pragma once

#include "app/cli/CommandArguments.h"

namespace mss::app {

CommandSyntax ImportAdifSyntax();
int RunImportAdif(const ParsedArguments& args);

}  // namespace mss::app

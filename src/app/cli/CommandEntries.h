// The commands over the contest entries: "entry new" (the setup dialog's
// checks and save), "entry list" (the main window's list with the
// evaluation) and "score" (the setup dialog's evaluation).
#pragma once

#include "app/cli/CommandArguments.h"

namespace mss::app {

CommandSyntax EntryNewSyntax();
CommandSyntax EntryListSyntax();
CommandSyntax ScoreSyntax();

int RunEntryNew(const ParsedArguments& args);
int RunEntryList(const ParsedArguments& args);
int RunScore(const ParsedArguments& args);

}  // namespace mss::app

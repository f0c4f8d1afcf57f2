// The outputs a contest offers, as the command line names them: the enabled
// items of the output menu, each with its short name ("sum", "paper-all" ...)
// and, for a file, its extension. Derived from the menu's own items, so the
// menu and the command line always offer the same outputs.
#pragma once

#include <string>
#include <vector>

#include "contest/ContestDefinition.h"
#include "output/Outputs.h"

namespace mss::output {

struct OutputItem {
    bool onPaper = false;
    bool picture = false;                     // the PNG picture of the log: neither paper nor text
    FileOutput file = FileOutput::ElogCover;  // when not on paper
    PaperOutput paper = PaperOutput::Cover;   // when on paper
    std::string caption;                      // as the menu shows it
    std::string extension;                    // file outputs: ".SUM" ...
    std::string name;                         // short name: "sum", "paper-all" ...
};

// The enabled items of the output menu, in menu order.
std::vector<OutputItem> OfferedOutputs(const contest::ContestDefinition& definition);

}  // namespace mss::output

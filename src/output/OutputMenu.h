// The outputs the output menu offers for a contest: every item in menu
// order with its caption, whether the contest enables it, whether it goes to
// paper or to a file, and the file's extension. The menu and the command
// line both read it, so both offer the same outputs.
#pragma once

#include <string>
#include <vector>

#include "contest/ContestDefinition.h"
#include "output/Outputs.h"

namespace mss::output {

struct OutputItem {
    bool onPaper = false;
    FileOutput file = FileOutput::ElogCover;  // when not on paper
    PaperOutput paper = PaperOutput::Cover;   // when on paper
    std::string caption;                      // as the menu shows it
    std::string extension;                    // file outputs: ".SUM" ...
    std::string name;                         // short name: "sum", "paper-qso" ...
    bool enabled = false;
};

// Every item of the menu in order (separators left out); a disabled STF or
// EDI item loses its "(empfohlen)".
std::vector<OutputItem> OutputMenuItems(const contest::ContestDefinition& definition);

// The enabled items only, in menu order.
std::vector<OutputItem> OfferedOutputs(const contest::ContestDefinition& definition);

}  // namespace mss::output

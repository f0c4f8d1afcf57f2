#include "output/OfferedOutputs.h"

#include "output/OutputMenu.h"

namespace mss::output {

namespace {

std::string FileName(FileOutput kind) {
    switch (kind) {
        case FileOutput::ElogCover:
            return "sum";
        case FileOutput::ElogQsoList:
            return "all";
        case FileOutput::Stf:
            return "stf";
        case FileOutput::Adif:
            return "adif";
        case FileOutput::Cabrillo:
            return "cab";
        case FileOutput::ElogBandList:
            return "bnd";
        case FileOutput::ElogTotal:
            return "txt";
        case FileOutput::Csv:
            return "csv";
        case FileOutput::ElogMultList:
            return "multi";
        case FileOutput::Edi:
            return "edi";
    }
    return {};
}

std::string PaperName(PaperOutput kind) {
    switch (kind) {
        case PaperOutput::Cover:
            return "paper-sum";
        case PaperOutput::MultList:
            return "paper-multi";
        case PaperOutput::BandList:
            return "paper-bnd";
        case PaperOutput::QsoList:
            return "paper-all";
    }
    return {};
}

}  // namespace

std::vector<OutputItem> OfferedOutputs(const contest::ContestDefinition& definition) {
    std::vector<OutputItem> items;
    for (const OutputMenuItem& entry : OutputMenuItems(definition)) {
        if (entry.kind == 0 || !entry.enabled) continue;
        OutputItem item;
        item.caption = entry.caption;
        item.onPaper = IsPaperKind(entry.kind);
        if (entry.kind == kPictureKind) {
            item.picture = true;
            item.extension = ".PNG";
            item.name = "map";
        } else if (item.onPaper) {
            item.paper = static_cast<PaperOutput>(entry.kind);
            item.name = PaperName(item.paper);
        } else {
            item.file = static_cast<FileOutput>(entry.kind);
            item.extension = std::string(TextsOf(item.file).extension);
            item.name = FileName(item.file);
        }
        items.push_back(std::move(item));
    }
    return items;
}

}  // namespace mss::output

#include "output/OutputMenu.h"

#include <algorithm>

namespace mss::output {

namespace {

// The element of OutputFormats that enables an item; 0: always enabled.
struct ItemRow {
    bool onPaper;
    int kind;
    const char* caption;
    const char* extension;
    const char* name;
    int format;
};

constexpr ItemRow kItems[] = {
    {false, int(FileOutput::Stf), "STF-Datei (empfohlen)", ".STF", "stf", contest::kOutStf},
    {false, int(FileOutput::Edi), "EDI-Datei (empfohlen)", ".EDI", "edi", contest::kOutEdi},
    {false, int(FileOutput::ElogTotal), "E-Log Gesamtdatei", ".TXT", "txt", 0},
    {false, int(FileOutput::ElogCover), "E-Log Deckblatt", ".SUM", "sum", contest::kOutElogCover},
    {false, int(FileOutput::ElogQsoList), "E-Log QSO-Liste", ".ALL", "all",
     contest::kOutElogQsoList},
    {false, int(FileOutput::ElogBandList), "E-Log Band-Liste", ".BND", "bnd",
     contest::kOutElogBandList},
    {false, int(FileOutput::ElogMultList), "E-Log Multi-Checkliste", "-multi.txt", "multi",
     contest::kOutElogMultList},
    {false, int(FileOutput::Cabrillo), "Cabrillo-Datei", ".CAB", "cab", contest::kOutCabrillo},
    {false, int(FileOutput::Adif), "ADIF- Exportdatei der QSO-Liste", ".ADI", "adif",
     contest::kOutAdif},
    {false, int(FileOutput::Csv), "CSV- Exportdatei der QSO-Liste", ".CSV", "csv", 0},
    {true, int(PaperOutput::Cover), "Papierlog - Deckblatt", "", "paper-sum",
     contest::kOutPaperCover},
    {true, int(PaperOutput::QsoList), "Papierlog - QSO-Liste", "", "paper-all",
     contest::kOutPaperQsoList},
    {true, int(PaperOutput::BandList), "Papierlog - Band-Liste", "", "paper-bnd",
     contest::kOutPaperBandList},
    {true, int(PaperOutput::MultList), "Papierlog - Multi-Checkliste", "", "paper-multi",
     contest::kOutPaperMultList},
};

}  // namespace

std::vector<OutputItem> OutputMenuItems(const contest::ContestDefinition& definition) {
    std::vector<OutputItem> items;
    for (const ItemRow& row : kItems) {
        OutputItem item;
        item.onPaper = row.onPaper;
        if (row.onPaper)
            item.paper = static_cast<PaperOutput>(row.kind);
        else
            item.file = static_cast<FileOutput>(row.kind);
        item.caption = row.caption;
        item.extension = row.extension;
        item.name = row.name;
        item.enabled =
            row.format == 0 || definition.OutputFormats.test(static_cast<std::size_t>(row.format));
        const std::string recommended = " (empfohlen)";
        if (!item.enabled && item.caption.ends_with(recommended))
            item.caption.resize(item.caption.size() - recommended.size());
        items.push_back(std::move(item));
    }
    return items;
}

std::vector<OutputItem> OfferedOutputs(const contest::ContestDefinition& definition) {
    std::vector<OutputItem> items = OutputMenuItems(definition);
    std::erase_if(items, [](const OutputItem& item) { return !item.enabled; });
    return items;
}

}  // namespace mss::output

#include "output/OutputMenu.h"

#include <cstring>
#include <functional>

#include "log/ContestLog.h"
#include "radio/Text.h"

namespace mss::output {

namespace {

using contest::ContestDefinition;

struct MenuRow {
    int kind;
    std::string_view caption;
    std::string_view disabledCaption;  // empty: the same caption
    int format;                        // OutputFormats element; 0 always enabled
};

// Kind 0 is a separator.
constexpr MenuRow kMenu[] = {
    {9, "STF-Datei (empfohlen)", "STF-Datei", contest::kOutStf},
    {16, "EDI-Datei (empfohlen)", "EDI-Datei", contest::kOutEdi},
    {0, "", "", 0},
    {13, "E-Log Gesamtdatei", "", 0},
    {7, "E-Log Deckblatt", "", contest::kOutElogCover},
    {8, "E-Log QSO-Liste", "", contest::kOutElogQsoList},
    {12, "E-Log Band-Liste", "", contest::kOutElogBandList},
    {15, "E-Log Multi-Checkliste", "", contest::kOutElogMultList},
    {11, "Cabrillo-Datei", "", contest::kOutCabrillo},
    {0, "", "", 0},
    {10, "ADIF- Exportdatei der QSO-Liste", "", contest::kOutAdif},
    {14, "CSV- Exportdatei der QSO-Liste", "", 0},
    {kPictureKind, "Karte und Statistik (PNG)", "", 0},
    {0, "", "", 0},
    {1, "Papierlog - Deckblatt", "", contest::kOutPaperCover},
    {5, "Papierlog - QSO-Liste", "", contest::kOutPaperQsoList},
    {4, "Papierlog - Band-Liste", "", contest::kOutPaperBandList},
    {3, "Papierlog - Multi-Checkliste", "", contest::kOutPaperMultList},
};

struct FileRow {
    FileOutput kind;
    FileKindTexts texts;
};

constexpr FileRow kFiles[] = {
    {FileOutput::ElogCover, {".SUM", "E-Log - Deckblattdatei ", "E-Log Deckblatt (*.SUM)"}},
    {FileOutput::ElogQsoList, {".ALL", "E-Log - Listendatei ", "E-Log Liste (*.ALL)"}},
    {FileOutput::ElogBandList, {".BND", "E-Log - Bandlistendatei ", "E-Log Bandliste (*.BND)"}},
    {FileOutput::ElogMultList,
     {"-multi.txt", "E-Log - Multi-Checkliste ", "E-Log Multicheckliste (*.txt)"}},
    {FileOutput::ElogTotal, {".TXT", "E-Log - Gesamtdatei ", "E-Log Gesamtdatei (*.TXT)"}},
    {FileOutput::Stf, {".STF", "STF - Listendatei ", "STF-Liste (*.STF)"}},
    {FileOutput::Adif, {".ADI", "ADIF - Listendatei ", "ADIF-Liste (*.ADI)"}},
    {FileOutput::Csv, {".CSV", "CSV - Listendatei ", "CSV-Liste (*.CSV)"}},
    {FileOutput::Cabrillo, {".CAB", "Cabrillo - Datei ", "Cabrillo-Datei (*.CAB)"}},
    {FileOutput::Edi, {".EDI", "EDI - Datei ", "EDI-Datei (*.EDI)"}},
};

std::string CallPart(std::string_view ownCall) {
    std::string call(ownCall);
    for (char& c : call) {
        if (c == '/') c = '_';
    }
    return call;
}

std::string CategoryPart(std::string_view shortText) {
    std::string part;
    for (const char c : shortText) {
        if (c == ':') continue;
        part += c == '.' ? '-' : (c == '/' || c == '\\' || c == ',') ? '_' : c;
    }
    return part;
}

}  // namespace

std::vector<OutputMenuItem> OutputMenuItems(const ContestDefinition& def) {
    std::vector<OutputMenuItem> items;
    for (const MenuRow& row : kMenu) {
        OutputMenuItem item{row.kind, std::string(row.caption), row.kind != 0};
        if (row.format != 0)
            item.enabled = def.OutputFormats.test(static_cast<std::size_t>(row.format));
        if (!item.enabled && !row.disabledCaption.empty()) item.caption = row.disabledCaption;
        items.push_back(std::move(item));
    }
    return items;
}

bool IsPaperKind(int kind) {
    return kind == 1 || kind == 3 || kind == 4 || kind == 5;
}

std::string PictureFileName(std::string_view ownCall) {
    return CallPart(ownCall) + "-Karte.PNG";
}

bool IsFileKind(int kind) {
    for (const FileRow& row : kFiles) {
        if (static_cast<int>(row.kind) == kind) return true;
    }
    return false;
}

FileKindTexts TextsOf(FileOutput kind) {
    for (const FileRow& row : kFiles) {
        if (row.kind == kind) return row.texts;
    }
    return {};
}

std::string FileNameBase(std::string_view ownCall, std::string_view entryName) {
    std::string base = radio::Trim(ownCall);
    if (base.empty()) base = radio::Trim(entryName);
    base.erase(0, base.find_first_not_of('.'));
    return base.empty() ? "Contest" : base;
}

std::string DefaultFileName(FileOutput kind, const ContestDefinition& def, int category,
                            std::string_view ownCall) {
    std::string name = CallPart(ownCall);
    if (category > 0 && category <= static_cast<int>(def.Categories.size()) &&
        kind != FileOutput::Cabrillo) {
        const std::string& shortText =
            def.Categories[static_cast<std::size_t>(category - 1)].ShortText;
        if (!shortText.empty()) name += "-" + CategoryPart(shortText);
    }
    return name + std::string(TextsOf(kind).extension);
}

std::string SaveNotice(FileOutput kind, std::string_view ownCall) {
    const FileKindTexts texts = TextsOf(kind);
    return "Geben Sie im folgenden Dialog an, wohin die " + std::string(texts.notice) +
           CallPart(ownCall) + std::string(texts.extension) + " gespeichert werden soll.";
}

std::string DefaultSuffix(FileOutput kind) {
    const std::string_view ext = TextsOf(kind).extension;
    const std::size_t dot = ext.rfind('.');
    return std::string(dot == std::string_view::npos ? ext : ext.substr(dot + 1));
}

std::string ScratchPathOf(const std::string& target) {
    return target + ".part";
}

namespace {

// Writes through the scratch file beside `target` and renames it over the
// target only when `write`, which closes the file, succeeded; otherwise the
// scratch file goes and the target stays as it was.
WriteStatus WriteThroughScratch(platform::FileSystem& fs, const std::string& target,
                                const std::function<WriteStatus(TextTarget&)>& write) {
    const std::string scratch = ScratchPathOf(target);
    std::unique_ptr<TextTarget> file;
    WriteStatus status = CreateTextFile(fs, scratch, file);
    if (status.Ok()) status = write(*file);
    file.reset();
    if (status.Ok()) status = {fs.Rename(scratch, target)};
    if (!status.Ok()) (void)fs.Delete(scratch);
    return status;
}

}  // namespace

WriteStatus WriteOutputFileAt(platform::FileSystem& fs, FileOutput kind, const std::string& target,
                              const OutputJob& job) {
    return WriteThroughScratch(
        fs, target, [&](TextTarget& file) { return WriteOutputFile(kind, file, job); });
}

WriteStatus ReplaceFileBytes(platform::FileSystem& fs, const std::string& target,
                             std::string_view bytes) {
    return WriteThroughScratch(fs, target, [&](TextTarget& file) {
        const WriteStatus written = file.Write(bytes);
        const WriteStatus closed = file.Close();
        return written.Ok() ? closed : written;
    });
}

std::optional<WriteStatus> ProduceOutputFile(platform::FileSystem& fs, FileOutput kind,
                                             const std::string& target, OutputJob job) {
    if (!log::OpenContestLog(job.entry.Number())) return std::nullopt;
    job.log = log::OpenLog();
    const WriteStatus status = WriteOutputFileAt(fs, kind, target, job);
    log::CloseContestLog();
    return status;
}

std::string OutcomeText(FileOutput kind, const std::string& target, WriteStatus status) {
    if (status.Ok()) {
        return kind == FileOutput::ElogCover ? std::string()
                                             : "Datei " + target + " wurde erstellt.";
    }
    // The operator chose not to write it: nothing to report.
    if (status.error == kEdiStationDeclined) return {};
    std::string why;
    switch (status.error) {
        case kEdiDatesMissing:
            why =
                "Im Contest fehlt das Start- oder Enddatum; es wird f\xFCr die EDI-Datei "
                "gebraucht.";
            break;
        case kLogReadFailed:
            why = "Das Contest-Logbuch konnte nicht gelesen werden.";
            break;
        case kKindNotWritten:
            why = "Diese Ausgabe gibt es in diesem Programm nicht.";
            break;
        case kPrinterFailed:
            why = "Der Drucker hat den Auftrag abgelehnt.";
            break;
        default:
            why = std::strerror(status.error);
    }
    return "Die Datei " + target + " konnte nicht erstellt werden. " + why;
}

}  // namespace mss::output

#include "app/cli/CommandWrite.h"

#include <unistd.h>
#include <QGuiApplication>
#include <QPdfWriter>
#include <algorithm>
#include <cstring>
#include <filesystem>

#include "app/cli/CommandOutput.h"
#include "app/cli/CommandStatus.h"
#include "app/cli/CommandStore.h"
#include "log/ContestLog.h"
#include "log/LogStatistics.h"
#include "log/Recount.h"
#include "output/OfferedOutputs.h"
#include "output/StationTexts.h"
#include "output/picture/LogPicture.h"
#include "platform/Cp1252.h"
#include "platform/File.h"
#include "platform/qt/QtPrinterCanvas.h"
#include "platform/qt/QtText.h"
#include "radio/ProgramValues.h"
#include "radio/Text.h"

namespace mss::app {

namespace {

std::string OfferedNames(const std::vector<output::OutputItem>& items) {
    std::string names;
    for (const output::OutputItem& item : items) names += (names.empty() ? "" : ", ") + item.name;
    return names;
}

// A name beside the target in its folder, so the rename stays on one file system.
std::string TemporaryName(const std::string& target) {
    const std::filesystem::path path(target);
    return (path.parent_path() /
            ("." + path.filename().string() + ".tmp" + std::to_string(::getpid())))
        .string();
}

// The point size of the printed list in "Courier New".
int PaperPointSize(output::PaperOutput kind, const contest::ContestEntry& entry) {
    if (kind == output::PaperOutput::MultList) return 10;
    const bool small =
        kind == output::PaperOutput::BandList || kind == output::PaperOutput::QsoList;
    return small && entry.Category() == 4 ? 8 : 9;
}

output::WriteStatus WriteFile(const output::OutputItem& item, const std::string& path,
                              const output::OutputJob& job) {
    platform::FileSystem& fs = *platform::DefaultFileSystem();
    std::unique_ptr<output::TextTarget> target;
    if (output::WriteStatus created = output::CreateTextFile(fs, path, target); !created.Ok())
        return created;
    return output::WriteOutputFile(item.file, *target, job);
}

// Qt's painter needs fonts; the offscreen platform gives them without a display.
std::unique_ptr<QGuiApplication> OffscreenGui() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tarvolt-mssprint";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

output::WriteStatus PrintToPdf(const output::OutputItem& item, const std::string& path,
                               const output::OutputJob& job) {
    const std::unique_ptr<QGuiApplication> application = OffscreenGui();
    // Qt's PDF writer has the printer's PDF defaults (A4, 1200 dpi, 10 mm
    // margins), so the file matches what the output menu prints to PDF.
    QPdfWriter pdf(platform::QtText(path));
    platform::QtPrinterCanvas canvas(pdf, QStringLiteral("Courier New"),
                                     PaperPointSize(item.paper, job.entry));
    if (!canvas.IsActive()) return {output::kPrinterFailed};
    const output::WriteStatus written =
        output::PrintOutput(item.paper, canvas, output::StandardPrintLayout(canvas), job);
    const bool finished = canvas.Finish();
    if (!written.Ok()) return written;
    return {finished ? 0 : output::kPrinterFailed};
}

output::WriteStatus DrawPicture(const std::string& path, const output::OutputJob& job) {
    const std::unique_ptr<QGuiApplication> application = OffscreenGui();
    const log::LogStatistics statistics = log::ComputeLogStatistics(log::ReadLogRecords(*job.log));
    const output::MapScene scene{job.entry.Locator(), job.entry.Call(), {}};
    return {output::WriteLogPicture(path, scene, statistics) ? 0 : output::kPictureFailed};
}

output::WriteStatus WriteItem(const output::OutputItem& item, const std::string& target,
                              const output::OutputJob& job) {
    const std::string temporary = TemporaryName(target);
    platform::FileSystem& fs = *platform::DefaultFileSystem();
    output::WriteStatus status = item.picture   ? DrawPicture(temporary, job)
                                 : item.onPaper ? PrintToPdf(item, temporary, job)
                                                : WriteFile(item, temporary, job);
    if (status.Ok()) status = {fs.Rename(temporary, target)};
    if (!status.Ok()) (void)fs.Delete(temporary);
    return status;
}

std::string StatusText(output::WriteStatus status) {
    switch (status.error) {
        case output::kPrinterFailed:
            return "the PDF file could not be written";
        case output::kLogReadFailed:
            return "the contest log could not be read to its end";
        case output::kPictureFailed:
            return "the PNG file could not be written";
        case output::kKindNotWritten:
            return "this output has no writer";
    }
    return std::strerror(status.error);
}

}  // namespace

CommandSyntax WriteSyntax() {
    return MakeSyntax(
        "write", "--entry N --kind KIND --out FILE",
        "Writes one output of the output menu for the entry. KIND is one the contest\n"
        "offers: for this contest txt (E-Log Gesamtdatei), sum, all, bnd, adif, csv,\n"
        "map (the map of the worked stations and the rate, a PNG file) and the printed\n"
        "lists paper-sum and paper-all, which are written as PDF files.",
        {{"--entry", true, true}, {"--kind", true, true}, {"--out", true, true}});
}

int RunWrite(const ParsedArguments& args) {
    const std::optional<int> number = EntryOption(args);
    if (!number) return kExitUsage;
    const std::string out = args.PathOf(args.Value("--out"));
    if (out.empty()) {
        PrintError("--out needs a file name");
        return kExitUsage;
    }
    CommandStore files;
    if (!files.OpenAll()) return kExitFailed;
    std::optional<StoredEntry> stored = ReadStoredEntry(*number);
    if (!stored) return kExitFailed;
    const std::vector<output::OutputItem> offered = output::OfferedOutputs(stored->definition);
    const std::string kind = radio::LowerText(args.Value("--kind"));
    const auto item = std::find_if(offered.begin(), offered.end(),
                                   [&](const output::OutputItem& i) { return i.name == kind; });
    if (item == offered.end()) {
        PrintError("the contest offers no output \"" + args.Value("--kind") +
                   "\"; it offers: " + OfferedNames(offered));
        return kExitUsage;
    }
    // The writers read the station values program-wide, as the setup dialog left them.
    radio::Program().OwnCall = stored->entry.Call();
    radio::Program().OwnLocator = stored->entry.Locator();
    if (!log::OpenContestLog(*number)) {
        PrintError("the log of entry " + std::to_string(*number) + " cannot be opened");
        return kExitFailed;
    }
    output::OutputJob job;
    job.definition = stored->definition;
    job.entry = stored->entry;
    job.extra = stored->extra;
    job.log = log::OpenLog();
    job.address = output::StationAddress();
    const output::WriteStatus status = WriteItem(*item, out, job);
    log::CloseContestLog();
    if (!status.Ok()) {
        PrintError(out + ": " + StatusText(status));
        return kExitFailed;
    }
    PrintLine("Datei " + platform::Utf8ToCp1252(out) + " wurde erstellt.");
    return kExitOk;
}

}  // namespace mss::app

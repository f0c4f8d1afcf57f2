#include "app/setup/OutputMenu.h"

#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QPrinter>

#include "app/setup/EingContestStd.h"
#include "app/setup/PrintSetup.h"
#include "app/setup/Tuhfteilnehmer.h"
#include "app/setup/Twagdatei.h"
#include "contest/ContestStore.h"
#include "log/ContestLog.h"
#include "log/LogStatistics.h"
#include "log/Recount.h"
#include "output/OutputMenu.h"
#include "output/StationTexts.h"
#include "output/picture/LogPicture.h"
#include "platform/Messages.h"
#include "platform/qt/QtPrinterCanvas.h"
#include "platform/qt/QtText.h"
#include "radio/ProgramValues.h"

namespace mss::app {

namespace {

using output::WriteStatus;

class QtSaveFileDialog : public SaveFileDialog {
  public:
    std::optional<std::string> Ask(QWidget* parent, const std::string& filter,
                                   const std::string& fileName,
                                   const std::string& suffix) override {
        QFileDialog dialog(parent);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilter(platform::QtText(filter));
        dialog.setDefaultSuffix(platform::QtText(suffix));
        dialog.selectFile(platform::QtText(fileName));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return std::nullopt;
        }
        return QFile::encodeName(dialog.selectedFiles().front()).toStdString();
    }
};

output::OutputJob JobOf(const contest::ContestEntry& entry,
                        const contest::ContestDefinition& definition) {
    output::OutputJob job;
    job.definition = definition;
    job.entry = entry;
    job.extra = contest::SelectedExtra();
    job.address = output::StationAddress();
    return job;
}

void TellLogNotOpened() {
    platform::CurrentMessages().Information(
        "Das Contest-Logbuch kann nicht ge\xF6"
        "ffnet werden.");
}

// The font size of a printed list.
int PointSizeOf(int kind, const contest::ContestEntry& entry) {
    if (kind == 3) return 10;
    if ((kind == 4 || kind == 5) && entry.Category() == 4) return 8;
    return 9;
}

void RunPaper(QWidget& parent, int kind, const output::OutputJob& prepared) {
    QPrinter printer(QPrinter::HighResolution);
    if (!CurrentPrintSetupDialog().Ask(&parent, printer)) return;
    if (!log::OpenContestLog(prepared.entry.Number())) return TellLogNotOpened();
    output::OutputJob job = prepared;
    job.log = log::OpenLog();
    platform::QtPrinterCanvas canvas(printer, "Courier New", PointSizeOf(kind, job.entry));
    WriteStatus status{output::kPrinterFailed};
    if (canvas.IsActive()) {
        status = output::PrintOutput(static_cast<output::PaperOutput>(kind), canvas,
                                     output::StandardPrintLayout(canvas), job);
        const bool finished = canvas.Finish() && printer.printerState() != QPrinter::Error;
        if (!finished && status.Ok()) status = {output::kPrinterFailed};
    }
    log::CloseContestLog();
    if (!status.Ok()) {
        platform::CurrentMessages().Information("Der Ausdruck ist fehlgeschlagen.");
    }
}

// The E-Log lists and the STF file are shown for review after writing.
bool Reviewed(output::FileOutput kind) {
    using output::FileOutput;
    return kind == FileOutput::ElogCover || kind == FileOutput::ElogQsoList ||
           kind == FileOutput::Stf || kind == FileOutput::ElogBandList;
}

void RunFile(QWidget& parent, output::FileOutput kind, const output::OutputJob& job) {
    const std::string call = output::FileNameBase(radio::Program().OwnCall, job.entry.Name());
    const std::string name =
        output::DefaultFileName(kind, job.definition, job.entry.Category(), call);
    platform::CurrentMessages().Information(output::SaveNotice(kind, call));
    const output::FileKindTexts texts = output::TextsOf(kind);
    const std::optional<std::string> target = CurrentSaveFileDialog().Ask(
        &parent, std::string(texts.filter), name, output::DefaultSuffix(kind));
    if (!target) return;  // cancelled: nothing is written
    // The EDI writer asks for its station values over this window, unless
    // a dialog is installed already.
    QtEdiStationDialog stationDialog(&parent);
    std::optional<output::ScopedEdiStationDialog> installStation;
    if (!output::ScopedEdiStationDialog::Installed()) installStation.emplace(stationDialog);
    const std::optional<WriteStatus> status =
        output::ProduceOutputFile(*platform::DefaultFileSystem(), kind, *target, job);
    if (!status) return TellLogNotOpened();
    if (const std::string text = output::OutcomeText(kind, *target, *status); !text.empty()) {
        platform::CurrentMessages().Information(text);
    }
    if (status->Ok() && Reviewed(kind)) {
        Twagdatei editor(*target, &parent);
        editor.exec();
    }
}

// The map and the rates of the log as one PNG picture.
void RunPicture(QWidget& parent, const contest::ContestEntry& entry) {
    const std::optional<std::string> target =
        CurrentSaveFileDialog().Ask(&parent, "Karte und Statistik (*.PNG)",
                                    output::PictureFileName(radio::Program().OwnCall), "PNG");
    if (!target) return;
    if (!log::OpenContestLog(entry.Number())) return TellLogNotOpened();
    const log::LogStatistics statistics =
        log::ComputeLogStatistics(log::ReadLogRecords(*log::OpenLog()));
    log::CloseContestLog();
    const output::MapScene scene{radio::Program().OwnLocator, radio::Program().OwnCall, {}};
    platform::CurrentMessages().Information(output::WriteLogPicture(*target, scene, statistics)
                                                ? "Datei " + *target + " wurde erstellt."
                                                : "Die Datei " + *target +
                                                      " konnte nicht erstellt werden.");
}

}  // namespace

SaveFileDialog& CurrentSaveFileDialog() {
    static QtSaveFileDialog qt;
    SaveFileDialog* installed = ScopedSaveFileDialog::Installed();
    return installed ? *installed : qt;
}

void RunOutput(QWidget& parent, int kind, const contest::ContestEntry& entry,
               const contest::ContestDefinition& definition) {
    if (kind == output::kPictureKind) return RunPicture(parent, entry);
    const output::OutputJob job = JobOf(entry, definition);
    if (output::IsPaperKind(kind)) return RunPaper(parent, kind, job);
    if (output::IsFileKind(kind)) RunFile(parent, static_cast<output::FileOutput>(kind), job);
}

void ShowOutputMenu(QWidget& dialog) {
    auto* setup = qobject_cast<TEingContestStd*>(&dialog);
    if (!setup) return;
    QMenu menu(&dialog);
    menu.setObjectName("OutputMenu");
    for (const output::OutputMenuItem& item : output::OutputMenuItems(setup->Definition())) {
        if (item.kind == 0) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(platform::QtText(item.caption));
        action->setEnabled(item.enabled);
        action->setData(item.kind);
    }
    QWidget* button = dialog.findChild<QWidget*>("btnDruck");
    const QPoint at = button ? button->mapToGlobal(QPoint(0, 0)) : dialog.mapToGlobal(QPoint());
    QAction* chosen = menu.exec(at);
    if (chosen) RunOutput(dialog, chosen->data().toInt(), setup->Entry(), setup->Definition());
}

}  // namespace mss::app

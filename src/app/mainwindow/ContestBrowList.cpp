// The list of contest entries in the main window and the operations on the
// selected entry: new entry, setup and start, the contest log, deletion.
#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include "app/mainwindow/ContestBrow.h"
#include "contest/ContestStore.h"
#include "contest/EntryLifecycle.h"
#include "contest/EntryListTexts.h"
#include "log/ContestLog.h"
#include "platform/Messages.h"
#include "radio/DateTime.h"
#include "radio/ProgramValues.h"
#include "ui/KxBrow.h"

namespace mss::app {

namespace {

constexpr char kLogNotErased[] =
    "Das Log dieses Eintrags konnte nicht gel\xF6scht werden. Der Eintrag bleibt erhalten.";
constexpr char kNotAllDeleted[] = "Der Eintrag konnte nicht vollst\xE4ndig gel\xF6scht werden.";
constexpr char kVersionAdvice[] =
    "Bitte pr\xFC"
    "fen Sie vor dem Contest, ob es eine neuere Version des Programms gibt: "
    "Regeln und Auswertung \xE4ndern sich gelegentlich.";
constexpr char kVersionAdviceEnglish[] =
    "Please check for a newer version of the program before the contest: rules and "
    "evaluation change from time to time.";

std::string Cut(std::string text, std::size_t width) {
    if (text.size() > width) text.resize(width);
    return text;
}

// The log's files go with the entry; a log that cannot be opened is left alone.
bool EraseEntryLog(std::int32_t number) {
    if (!log::OpenContestLog(number)) return false;
    const int level = log::OpenLog()->Erase();
    log::CloseContestLog();
    return level == 0;
}

}  // namespace

void TContestBrow::ConnectListEvents() {
    ui::BrowEvents& events = Brow_->Events();
    events.OnBuildRow = [this](ui::RowRec& RR) { BrowBuildRow(RR); };
    events.OnSetHeaderFooter = [this] { BrowSetHeaderFooter(); };
    events.OnInitSortList = [this] { BrowInitSortList(); };
    events.OnSortList2Key = [this](int i, std::string& LKey, std::string& HKey) {
        return BrowSortList2Key(i, LKey, HKey);
    };
    events.OnBrowEnter = [this] { BrowBrowDoppelKlick(); };
    events.OnBrowDoppelKlick = [this] { BrowBrowDoppelKlick(); };
    connect(this, &TContestBrow::NewRequested, this, &TContestBrow::NewEntry);
    connect(this, &TContestBrow::StartRequested, this, &TContestBrow::OpenEntry);
    connect(this, &TContestBrow::DeleteRequested, this, &TContestBrow::DeleteEntry);
}

void TContestBrow::BrowBuildRow(ui::RowRec& RR) {
    RR.Line = contest::EntryRowText(contest::SelectedEntry(), Brow_->SortKeyNr());
}

void TContestBrow::BrowSetHeaderFooter() {
    Brow_->SetHeaderFooter(contest::EntryHeaderText(Brow_->SortKeyNr()), "\xFE");
}

void TContestBrow::BrowInitSortList() {
    Brow_->ClearSortList();
    for (const std::string& caption : contest::EntrySortCaptions()) Brow_->AddSortEntry(caption);
}

int TContestBrow::BrowSortList2Key(int i, std::string& LKey, std::string& HKey) {
    LKey = HKey = std::string(1, contestCode_);
    return contest::EntrySortKey(i);
}

void TContestBrow::BrowBrowDoppelKlick() {
    contest::LoadExtra();
    btnAendernHo3_->click();
}

void TContestBrow::SetUpList() {
    store::TFileblockObject* entries = contest::ContestFile();
    const std::string range(1, contestCode_);
    if (entries == nullptr || !Brow_->Init(entries, contest::kByCodeName, range, range, false))
        return;
    if (entries->Last(contest::kByCodeName) == 0) PositionOnSelected();
    Brow_->setFocus();
}

void TContestBrow::PositionOnSelected() {
    store::TFileblockObject* entries = contest::ContestFile();
    if (entries == nullptr || Brow_->SortKeyNr() == 0) return;
    Brow_->GotoKey(entries->BuildKey(Brow_->SortKeyNr()), entries->CurrentRef());
}

bool TContestBrow::RunSetupDialog(SetupMode mode, bool afterContest) {
    if (Closing()) return false;
    contest::ContestEntry selected = contest::SelectedEntry();
    FillContestDefinition(selected);
    contest::SetSelectedEntry(selected);
    SetupHooks hooks;
    hooks.fillDefinition = [this](contest::ContestEntry& entry) {
        FillContestDefinition(entry);
        return *definition_;
    };
    hooks.outputMenu = hooks_.outputMenu;
    hooks.rules = hooks_.rules;
    TEingContestStd dialog(mode, afterContest, contestCode_, std::move(hooks), this);
    return dialog.exec() == kSetupStartContest && !Closing();
}

void TContestBrow::NewEntry() {
    if (Closing()) return;
    contest::ContestEntry today;
    today.SetStartDate(radio::TodayLocal());
    contest::SetSelectedEntry(today);
    platform::CurrentMessages().Information(
        radio::Bilingual(kVersionAdvice, kVersionAdviceEnglish));
    const bool start = RunSetupDialog(SetupMode::NewEntry, false);
    PositionOnSelected();
    if (!start) return;
    const bool ran = StartContest();
    ShowCall();
    if (ran) RunSetupDialog(SetupMode::Edit, true);
}

void TContestBrow::OpenEntry() {
    if (Closing() || !Brow_->CheckCurrent()) return;
    contest::LoadExtra();
    const bool start = RunSetupDialog(SetupMode::Edit, false);
    PositionOnSelected();
    ShowCall();
    if (!start) return;
    if (StartContest()) RunSetupDialog(SetupMode::Edit, true);
}

bool TContestBrow::StartContest() {
    if (Closing() || !Brow_->CheckCurrent()) return false;
    contest::LoadExtra();
    const contest::ContestDefinition copy = *definition_;
    const std::int32_t number = contest::SelectedEntry().Number();
    // A log that did not open has changed nothing worth writing back.
    if (!hooks_.runLog || !hooks_.runLog(*this, number, copy)) return false;
    // The log has changed totals and column widths in the shared buffers.
    contest::ContestEntry entry = contest::SelectedEntry();
    contest::ContestExtra extra = contest::SelectedExtra();
    if (entry.Number() == number) contest::StoreEntry(false, entry, extra);
    Brow_->Refresh();
    return true;
}

void TContestBrow::DeleteEntry() {
    if (Closing() || !Brow_->CheckCurrent()) return;
    contest::LoadExtra();
    const contest::ContestEntry entry = contest::SelectedEntry();
    const std::string question = Cut(Cut("Eintrag " + entry.Name(), 33) + " l\xF6schen?", 42);
    if (!platform::CurrentMessages().Question(question)) return;
    const contest::DeleteOutcome outcome =
        contest::DeleteEntry(entry.Number(), EraseEntryLog, radio::Program().RunDir);
    if (outcome == contest::DeleteOutcome::LogNotErased)
        platform::CurrentMessages().Information(kLogNotErased);
    if (outcome == contest::DeleteOutcome::StoreError)
        platform::CurrentMessages().Information(kNotAllDeleted);
    PositionOnSelected();
}

void TContestBrow::RequestClose() {
    closing_ = true;
    CloseWhenDialogsAreGone();
}

// A modal dialog runs its own event loop; the window may only close (and
// its files with it) once every such loop has returned. Each dialog is
// closed as its own close box would: the log form writes its entry back.
void TContestBrow::CloseWhenDialogsAreGone() {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->close();
        QTimer::singleShot(10, this, &TContestBrow::CloseWhenDialogsAreGone);
        return;
    }
    close();
}

}  // namespace mss::app

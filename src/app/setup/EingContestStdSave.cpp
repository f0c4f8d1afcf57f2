// The input checks and the save of the contest setup dialog, and the
// completion of typed dates and times.
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "app/setup/EingContestStd.h"
#include "app/logform/WarningColour.h"
#include "contest/EntryLifecycle.h"
#include "contest/EntrySetup.h"
#include "contest/SetupTaking.h"
#include "contest/StationFile.h"
#include "contest/StationSettings.h"
#include "log/PanelFill.h"
#include "platform/Messages.h"
#include "platform/qt/QtText.h"
#include "radio/DateTime.h"
#include "radio/ProgramValues.h"
#include "radio/Text.h"
#include "ui/KxEdit.h"

namespace mss::app {

namespace {

std::string Text(const QLineEdit* edit) {
    return platform::Cp1252Text(edit->text());
}

char FirstChar(const QLineEdit* edit) {
    const std::string text = radio::Trim(Text(edit));
    return text.empty() ? '\0' : text.front();
}

}  // namespace

bool TEingContestStd::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<ui::TkxEdit*>(watched);
    const std::array<ui::TkxEdit*, 4> fields{eDatumvon_, eDatumbis_, eZeitvon_, eZeitbis_};
    const auto at = std::find(fields.begin(), fields.end(), edit);
    if (edit != nullptr && at != fields.end()) {
        if (event->type() == QEvent::FocusIn) enteredTexts_[at - fields.begin()] = edit->text();
        if (event->type() == QEvent::FocusOut) DateTimeLeft(*edit);
    }
    return QDialog::eventFilter(watched, event);
}

void TEingContestStd::CompleteDateTime(ui::TkxEdit& edit) {
    const std::string typed = Text(&edit);
    if (radio::Trim(typed).empty()) return;
    const bool date = &edit == eDatumvon_ || &edit == eDatumbis_;
    const std::string completed =
        date ? log::CompleteDate(typed, radio::DayMonthYear(radio::TodayLocal()).year)
             : log::CompleteTime(typed);
    if (completed != typed) edit.setText(platform::QtText(completed));
}

void TEingContestStd::DateTimeLeft(ui::TkxEdit& edit) {
    CompleteDateTime(edit);
    const std::array<std::pair<ui::TkxEdit*, std::uint8_t>, 4> bits{{
        {eDatumvon_, contest::ContestEntry::kEditedStartDate},
        {eDatumbis_, contest::ContestEntry::kEditedEndDate},
        {eZeitvon_, contest::ContestEntry::kEditedStartTime},
        {eZeitbis_, contest::ContestEntry::kEditedEndTime},
    }};
    for (std::size_t i = 0; i < bits.size(); ++i)
        if (bits[i].first == &edit && edit.text() != enteredTexts_[i])
            entry_.SetEditedMask(entry_.EditedMask() | bits[i].second);
}

contest::SetupInput TEingContestStd::Input() const {
    contest::SetupInput in;
    in.name = Text(eName_);
    in.postcode = Text(ePLZ_);
    in.town = Text(eOrt_);
    in.street = Text(eStrasse_);
    in.country = Text(eLand_);
    in.ownName = Text(ecname_);
    in.locator = Text(eLoc_);
    in.district = Text(eDOK_);
    in.call = Text(eCall_);
    in.swl = Text(eSWL_);
    in.startDate = Text(eDatumvon_);
    in.endDate = Text(eDatumbis_);
    in.startTime = Text(eZeitvon_);
    in.endTime = Text(eZeitbis_);
    in.station = platform::Cp1252Text(memogroupzusatz3_->toPlainText());
    in.afterContest = afterContest_;
    in.clockChoiceOpen = rZeitOrt_->isEnabled() && rZeitUTC_->isEnabled() &&
                         !rZeitOrt_->isChecked() && !rZeitUTC_->isChecked();
    in.categoryMissing = eteilnahmeart_->isEnabled() && categories_->checkedId() < 0;
    return in;
}

QWidget* TEingContestStd::FieldWidget(contest::SetupField field) const {
    using F = contest::SetupField;
    switch (field) {
        case F::Name:
            return eName_;
        case F::Postcode:
            return ePLZ_;
        case F::Town:
            return eOrt_;
        case F::Street:
            return eStrasse_;
        case F::Country:
            return eLand_;
        case F::OwnName:
            return ecname_;
        case F::Locator:
            return eLoc_;
        case F::Dok:
            return eDOK_;
        case F::Call:
            return eCall_;
        case F::Swl:
            return eSWL_;
        case F::StartDate:
            return eDatumvon_;
        case F::EndDate:
            return eDatumbis_;
        case F::StartTime:
            return eZeitvon_;
        case F::EndTime:
            return eZeitbis_;
        case F::ClockGroup:
            return clockGroup_;
        case F::CategoryGroup:
            return eteilnahmeart_;
        case F::Station:
            return memogroupzusatz3_;
    }
    return nullptr;
}

void TEingContestStd::MarkProblem(contest::SetupField field) {
    QWidget* widget = FieldWidget(field);
    MarkWarning(*widget);
    widget->setFocus();
}

bool TEingContestStd::PassChecks(Sender sender) {
    for (const contest::SetupProblem& problem :
         contest::SetupProblems(Input(), definition_, code_)) {
        if (sender == Sender::None) {
            if (!problem.goesOnSilently) continue;
            platform::CurrentMessages().Information(problem.message);
            FieldWidget(problem.field)->setFocus();
            continue;
        }
        if (problem.question && platform::CurrentMessages().Question(problem.message)) continue;
        MarkProblem(problem.field);
        if (!problem.question) platform::CurrentMessages().Information(problem.message);
        FieldWidget(problem.field)->setFocus();
        return false;
    }
    return true;
}

// Enter saves without leaving the field the operator is in: that field is
// left here first, so the checks read completed dates and times and a hand
// edit counts as one.
void TEingContestStd::CompleteDatesAndTimes() {
    const std::array<ui::TkxEdit*, 4> fields{eDatumvon_, eDatumbis_, eZeitvon_, eZeitbis_};
    for (ui::TkxEdit* edit : fields)
        if (edit->hasFocus()) DateTimeLeft(*edit);
    for (ui::TkxEdit* edit : fields) CompleteDateTime(*edit);
}

void TEingContestStd::TakeFields() {
    contest::TakeSetupInput(Input(), definition_, code_, entry_);
    entry_.SetTimeAuto(ezeitauto_->isChecked());
    entry_.SetDateAuto(edatumauto_->isChecked());
    entry_.SetBandAuto(eBandauto_->isChecked());
    entry_.SetRstRcvdFree(!eaktrstr_->isChecked());
    entry_.SetRstSentFree(!eaktrsts_->isChecked());
    entry_.SetQslSend(FirstChar(eQSLw_));
    entry_.SetQslRcvd(FirstChar(eqslr_));
    if (categories_->checkedId() >= 0)
        entry_.SetCategory(static_cast<std::uint8_t>(categories_->checkedId() + 1));
    radio::Program().ClockOffset = rZeitUTC_->isChecked() ? 0 : definition_.UtcOffsetHours;
    entry_.SetStartSsb(modeButtons_[contest::kModeSsb]->isChecked());
    entry_.SetStartFm(modeButtons_[contest::kModeFm]->isChecked());
    entry_.SetStartPr(modeButtons_[contest::kModePr]->isChecked());
    extra_.SetRstNotLocked(crstsnichtsperren_->isChecked());
    extra_.SetLogVoidDupes(cdoppelqso_->isChecked());
}

bool TEingContestStd::StoreSettingsAndEntry(Sender sender) {
    contest::StationSettings station;
    station.operatorName = radio::Program().OwnName;
    station.postcodeTown = Text(ePLZ_) + " " + Text(eOrt_);
    station.street = Text(eStrasse_);
    station.country = Text(eLand_);
    station.dok = station.ldk = contest::WithoutBlanks(Text(eDOK_));
    station.locator = radio::Program().OwnLocator;
    contest::WriteStationSettings(station, contest::SettingsUseLdk(definition_, code_));
    if (sender == Sender::Print &&
        (station.operatorName.empty() || station.street.empty() || Text(ePLZ_).empty()))
        platform::CurrentMessages().Information("Die Adress-Angaben sind nicht vollst\xE4ndig.");

    if (contest::StoreEntry(IsNewEntry(), entry_, extra_) != 0) {
        platform::CurrentMessages().Information(
            "Fehler bei Dateneingabe. Datensatz evtl. schon vorhanden.");
        return false;
    }
    mode_ = SetupMode::Edit;
    const std::string memo = platform::Cp1252Text(memogroupzusatz3_->toPlainText());
    if (code_ == 'j' && !radio::Trim(memo).empty() &&
        !contest::WriteStationFile(
            contest::StationFileName(radio::Program().RunDir, entry_.Number()), memo))
        platform::CurrentMessages().Information(
            "Die Beschreibung der Station konnte nicht gespeichert werden.");
    return true;
}

bool TEingContestStd::btnOKClick(Sender sender) {
    CompleteDatesAndTimes();
    if (!PassChecks(sender)) return false;
    TakeFields();
    if (!StoreSettingsAndEntry(sender)) return false;
    RefillDefinition();
    ShowBandRows();
    ShowEvaluation();
    if (sender == Sender::Start) done(kSetupStartContest);
    if (sender == Sender::Close) done(kSetupClosed);
    return true;
}

void TEingContestStd::btnStartClick() {
    btnOKClick(Sender::Start);
}

void TEingContestStd::btnBeendenClick() {
    btnOKClick(Sender::Close);
}

// The output menu works on the saved entry, so it opens only after a save that held.
void TEingContestStd::btnDruckClick() {
    if (!btnOKClick(Sender::Print)) return;
    // Contest '5' knows its points only once its log has been closed.
    if (code_ == '5' && lpunktetotal_->text() == QStringLiteral("0 Punkte")) {
        platform::CurrentMessages().Information(
            "Es werden 0 Punkte angezeigt. Um die korrekte Punktzahl zu erhalten, mu\xDF der "
            "Contest einmal gestartet und dann wieder geschlossen werden.");
    }
    if (hooks_.outputMenu) hooks_.outputMenu(*this);
}

}  // namespace mss::app

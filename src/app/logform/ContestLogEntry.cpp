// The log form's handlers of the contact in the making: saving, leaving the
// call field, band and mode choice, the QSL flag, the clock, and editing and
// deleting saved contacts.
#include <QLabel>
#include <QListWidget>

#include "app/listwindows/BandLogBrow.h"
#include "app/logform/ContestLogStd.h"
#include "app/listwindows/FortschrittAusgabe.h"
#include "app/logform/LogEditDialog.h"
#include "app/logform/LogEntryPanel.h"
#include "log/ContestLog.h"
#include "log/EditContact.h"
#include "log/EntryActions.h"
#include "log/LogKeys.h"
#include "log/Results.h"
#include "platform/Messages.h"
#include "platform/qt/QtText.h"
#include "radio/DateTime.h"
#include "store/KeyCodec.h"
#include "ui/KxEdit.h"

namespace mss::app {

void TContestLogStd::Save() {
    const log::SaveResult result = log::SaveContact(session_, state_, panelEingabe_->Values());
    switch (result.status) {
        case log::SaveStatus::kRefused:
            return;
        case log::SaveStatus::kAddFailed:
            // The contact stays in the panel; nothing was counted.
            platform::CurrentMessages().Information(result.reason);
            return;
        case log::SaveStatus::kUpdateFailed:
            platform::CurrentMessages().Information(result.reason);
            break;
        case log::SaveStatus::kSaved:
            break;
    }
    ShowSaved(result.stored);
    NewContact();
}

void TContestLogStd::ShowSaved(const log::QsoRecord& stored) {
    RefreshScore();
    Brow_->ShowRecord(stored, session_.log->CurrentRef());
    emit LogChanged();
}

void TContestLogStd::LeaveCall() {
    log::PanelValues values = panelEingabe_->Values();
    if (log::LeaveCallField(session_, state_, values)) {
        NewContact();
        return;
    }
    {
        const Busy busy(busy_);
        panelEingabe_->Show(values, session_.mode, session_.band);
    }
    const int locatorField = [this] {
        for (int i = 0; i < 3; ++i)
            if (session_.definition.RcvdKinds[static_cast<std::size_t>(i)] ==
                contest::kKindLocator6)
                return i + 2;
        return 0;
    }();
    if (locatorField != 0) {
        const std::string locator =
            platform::Cp1252Text(panelEingabe_->ReceivedExchangeEdit(locatorField)->text());
        const std::optional<double> beam = log::BeamHeading(locator);
        panelEingabe_->ShowBeam(beam ? "Beam " + QString::number(*beam, 'f', 1).toStdString()
                                     : std::string());
    }
}

void TContestLogStd::ShowChoice(QListWidget* list, QLabel* at, const std::string& current) {
    choiceReturn_ = focusWidget();
    const bool bands = list == listband_;
    int currentRow = 0;
    for (int row = 0; row < list->count(); ++row) {
        const bool match =
            bands ? session_.definition.Bands[static_cast<std::size_t>(row)] == current[0]
                  : platform::Cp1252Text(list->item(row)->text()) == current;
        if (match) currentRow = row;
    }
    if (list->count() == 2) {
        list->setCurrentRow(1 - currentRow);
        ChoiceTaken(list);
        return;
    }
    list->setCurrentRow(currentRow);
    list->move(at->mapTo(this, QPoint(0, at->height())));
    list->resize(120, 18 * std::min(list->count(), 8) + 4);
    list->show();
    list->raise();
    list->setFocus();
}

void TContestLogStd::ChoiceTaken(QListWidget* list) {
    const int row = list->currentRow();
    list->hide();
    if (row >= 0) {
        if (list == listband_)
            TakeBand(session_.definition.Bands[static_cast<std::size_t>(row)]);
        else
            TakeMode(platform::Cp1252Text(list->item(row)->text()));
    }
    if (choiceReturn_ != nullptr) choiceReturn_->setFocus();
}

void TContestLogStd::TakeBand(char band) {
    (void)log::FillRecordFromPanel(session_, panelEingabe_->Values(), state_.contact);
    log::ChangeBand(session_, state_, band);
    Brow_->BandChanged();
    ShowContact();
    RefreshScore();
}

void TContestLogStd::TakeMode(const std::string& mode) {
    (void)log::FillRecordFromPanel(session_, panelEingabe_->Values(), state_.contact);
    log::ChangeMode(session_, state_, layout_, mode,
                    platform::Cp1252Text(panelEingabe_->emode->text()));
    panelEingabe_->ApplyLayout(layout_, session_);
    ShowContact();
    RefreshScore();
}

void TContestLogStd::ToggleQsl() {
    state_.contact.SetQslSend(log::ToggledQsl(state_.contact.QslSend()));
    panelEingabe_->ShowQsl(log::QslLabel(state_.contact.QslSend()));
}

void TContestLogStd::ClockTick() {
    if (busy_ || closed_) return;
    const bool callEmpty =
        panelEingabe_ == nullptr || panelEingabe_->eCall->text().trimmed().isEmpty();
    const log::ClockChanges changes =
        log::ClockStep(session_, state_, radio::TodayUtc(), radio::NowUtc(), callEmpty);
    if (panelEingabe_ == nullptr) return;
    if (changes.band) {
        Brow_->BandChanged();
        ShowContact();
        RefreshScore();
    } else {
        // Each automatic value writes only its own edit: a date typed beside
        // the automatic time (or the reverse) stays as typed.
        const log::PanelValues values = log::PanelOf(state_.contact, session_);
        if (changes.datum) panelEingabe_->ShowDatum(values.datum);
        if (changes.zeit) panelEingabe_->ShowZeit(values.zeit);
    }
}

void TContestLogStd::EditCurrent() {
    if (!Brow_->CheckCurrent()) return;
    EditRecord(log::BufferRecord(*session_.log));
}

void TContestLogStd::EditRecord(const log::QsoRecord& record) {
    if (record.IsBandChange()) return;
    Teingabecontstd2 dialog(session_, *panelEingabe_, log::EditValuesOf(session_, record), this);
    dialog.SetCheck([&](const log::EditValues& values) {
        return log::CheckEditedContact(session_, record,
                                       log::ApplyEditValues(session_, record, values), values);
    });
    if (dialog.exec() != QDialog::Accepted) return;
    const log::QsoRecord after = log::ApplyEditValues(session_, record, dialog.Values());
    log::EditResult result = log::EditResult::kDone;
    RunPass([&] {
        TFortschrittAusgabe progress(QStringLiteral("Neunummerierung"), this);
        result = log::SaveEditedContact(session_, record, after, progress);
        TFortschrittAusgabe results(QStringLiteral("Neuberechnung"), this);
        log::WriteResults(session_, session_.entry, extra_, results);
    });
    (void)StoreEntry();
    if (result != log::EditResult::kDone)
        platform::CurrentMessages().Information("Die \xC4nderung konnte nicht gespeichert werden.");
    if (session_.log->Find(log::kByNummer, store::IntToKey(after.Nummer())) == 0)
        Brow_->ShowRecord(log::BufferRecord(*session_.log), session_.log->CurrentRef());
    Brow_->Refresh();
    RefreshScore();
    emit LogChanged();
}

void TContestLogStd::DeleteCurrent() {
    if (!Brow_->CheckCurrent()) return;
    if (!DeleteRecord(log::BufferRecord(*session_.log))) return;
    Brow_->LastPage();
    NewContact();
}

bool TContestLogStd::DeleteRecord(const log::QsoRecord& record) {
    if (record.IsBandChange()) return false;
    platform::Messages& messages = platform::CurrentMessages();
    messages.Information(
        "Durch das L\xF6schen eines Eintrages werden die Nummern aller nachfolgenden "
        "Eintr\xE4ge um 1 verringert.");
    if (!messages.Question("Eintrag " + record.Call() + " l\xF6schen?")) return false;
    log::EditResult result = log::EditResult::kDone;
    RunPass([&] {
        TFortschrittAusgabe progress(QStringLiteral("Neunummerierung"), this);
        result = log::DeleteContact(session_, record.Nummer(), progress);
        TFortschrittAusgabe results(QStringLiteral("Neuberechnung"), this);
        log::WriteResults(session_, session_.entry, extra_, results);
    });
    (void)StoreEntry();
    if (result != log::EditResult::kDone)
        messages.Information("Der Eintrag konnte nicht gel\xF6scht werden.");
    // Renumbering changed the rows after it, also when a list window deleted.
    Brow_->Refresh();
    RefreshScore();
    emit LogChanged();
    return true;
}

}  // namespace mss::app

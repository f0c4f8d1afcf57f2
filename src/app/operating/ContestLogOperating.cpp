// The log form's handlers of operating with other programs: contacts that
// WSJT-X or MSHV announce, the radio's frequency, and the super check
// partial line while the call is typed.
#include <QApplication>
#include <QTimer>

#include "app/listwindows/BandLogBrow.h"
#include "app/logform/ContestLogStd.h"
#include "app/logform/LogEntryPanel.h"
#include "app/operating/OperatingPanel.h"
#include "log/IncomingContact.h"
#include "log/ScpLine.h"
#include "platform/qt/QtText.h"
#include "radio/Baender.h"
#include "suite/KnownCalls.h"
#include "ui/KxEdit.h"

namespace mss::app {

QWidget* TContestLogStd::CreateOperating() {
    TOperatingPanel::Hooks hooks;
    hooks.contactsWaiting = [this] { SaveIncoming(); };
    hooks.frequency = [this](double mhz) { return RadioFrequency(mhz); };
    hooks.typedFrequency = [this] {
        return radio::ToBaender::ReadFrequency(platform::Cp1252Text(panelEingabe_->eFreq->text()))
            .value_or(0);
    };
    operating_ =
        new TOperatingPanel(LoadOperatingSettings(), suite::KnownCalls(), std::move(hooks), this);
    // textChanged, not textEdited: a cleared call empties the line too.
    connect(panelEingabe_->eCall, &QLineEdit::textChanged, this, [this] {
        const std::string typed = platform::Cp1252Text(panelEingabe_->eCall->text());
        operating_->ShowScp(
            log::ScpCandidates(operating_->Scp(), session_, typed, TOperatingPanel::kScpPerLine));
    });
    return operating_;
}

void TContestLogStd::SaveIncoming() {
    // Never inside another handler, a pass over the log (the clock stands
    // still then) or a dialog over the form: the contacts wait their turn.
    if (busy_ || closed_ || clock_ == nullptr || !clock_->isActive()) return;
    const QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal != this) return;
    log::WsjtxContact contact;
    while (operating_->TakeWaiting(contact)) {
        const Busy busy(busy_);
        const log::IncomingResult result =
            log::SaveIncomingContact(session_, state_, layout_, contact);
        if (result.status == log::IncomingStatus::kSaved)
            ShowSaved(result.stored);
        else
            operating_->AddRefused(contact, result.reason);
    }
}

bool TContestLogStd::RadioFrequency(double mhz) {
    // The operator's own figure in the frequency field wins while typed.
    if (busy_ || closed_ || panelEingabe_->eFreq->hasFocus()) return false;
    auto show = [this] {
        const Busy busy(busy_);
        panelEingabe_->eFreq->setText(
            platform::QtText(log::PanelOf(state_.contact, session_).freq));
    };
    state_.contact.SetFreq(static_cast<float>(mhz));
    show();
    TakeFrequency(mhz);
    show();
    return true;
}

void TContestLogStd::TakeFrequency(double mhz) {
    const char band = radio::ToBaender::BandFromFrequency(mhz);
    const bool contestBand =
        std::ranges::find(session_.definition.Bands, band) != session_.definition.Bands.end();
    if (band != radio::kNoBand && contestBand) {
        state_.contact.SetFreq(static_cast<float>(mhz));
        if (band != session_.band) TakeBand(band);
    } else {
        state_.contact.SetFreq(static_cast<float>(radio::ToBaender::BandFrequency(session_.band)));
    }
}

}  // namespace mss::app

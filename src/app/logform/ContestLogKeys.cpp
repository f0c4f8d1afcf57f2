// The log form's keys, focus and entry/log mode.
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "app/listwindows/BandLogBrow.h"
#include "app/logform/ContestLogStd.h"
#include "app/logform/LogEntryPanel.h"
#include "log/ContestLog.h"
#include "log/EntryActions.h"
#include "log/Multipliers.h"
#include "platform/Messages.h"
#include "platform/qt/QtText.h"
#include "radio/Baender.h"
#include "radio/ProgramValues.h"
#include "ui/KxEdit.h"

namespace mss::app {

namespace {

const QColor kNavy(0, 0, 128);
const QColor kLogRed(255, 0, 0);

void Paint(QLabel& label, const QColor& background) {
    QPalette palette = label.palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, Qt::white);
    label.setPalette(palette);
}

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Alt+P: the log's indexes are checked on request, a damaged one rebuilt
// from the contacts; a failure has been reported by the store already.
void CheckLogOnRequest(TBandLogBrow& brow) {
    const log::LogCheck result = log::CheckContestLog();
    if (result == log::LogCheck::kFailed) return;
    if (result == log::LogCheck::kRebuilt) (void)brow.Open();  // the records were renumbered
    platform::CurrentMessages().Information(result == log::LogCheck::kSound
                                                ? "Die Indizes des Logbuchs sind in Ordnung."
                                                : "Die Indizes des Logbuchs waren besch\xE4"
                                                  "digt und wurden aus den QSOs neu "
                                                  "aufgebaut.");
}

}  // namespace

bool TContestLogStd::eventFilter(QObject* watched, QEvent* event) {
    if (!opened_ || closed_) return QDialog::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    switch (event->type()) {
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (FormKeyDown(watched, key->key(), key->modifiers(), key->text())) return true;
            break;
        }
        case QEvent::FocusIn:
            if (widget != nullptr && Brow_->isAncestorOf(widget)) {
                if (!logMode_) LogMode();
            } else if (panelEingabe_->IsEntryEdit(watched)) {
                panelEingabe_->FocusChanged(widget);
                if (logMode_) EntryMode();
            }
            break;
        case QEvent::Enter:
        case QEvent::Leave:
            panelEingabe_->Hover(watched, event->type() == QEvent::Enter);
            break;
        case QEvent::MouseButtonPress:
            if (watched == panelEingabe_->lQSLs) ToggleQsl();
            break;
        case QEvent::FocusOut:
            // Only a move to another field of the panel leaves a field. The
            // focus going to another program, a dialog, a message box, a list
            // window or the band log keeps the field as it is (the operator
            // switching to the digital-mode program must not lose the call).
            if (!busy_ && panelEingabe_->IsEntryEdit(watched) &&
                panelEingabe_->IsEntryEdit(QApplication::focusWidget()) &&
                QApplication::focusWidget() != watched)
                LeaveField(static_cast<ui::TkxEdit*>(watched));
            break;
        default:
            break;
    }
    return QDialog::eventFilter(watched, event);
}

bool TContestLogStd::FormKeyDown(QObject* watched, int key, Qt::KeyboardModifiers modifiers,
                                 const QString& text) {
    const bool alt = modifiers.testFlag(Qt::AltModifier);
    auto open = [this](std::function<void(TContestLogStd&)>& window) {
        if (window) window(*this);
        return true;
    };
    for (QListWidget* list : {listband_, listmode_}) {
        if (watched != list || list->isHidden()) continue;
        if (IsEnter(key)) ChoiceTaken(list);
        if (key == Qt::Key_Escape) {
            list->hide();
            if (choiceReturn_ != nullptr) choiceReturn_->setFocus();
        }
        return IsEnter(key) || key == Qt::Key_Escape;
    }
    switch (key) {
        case Qt::Key_Escape:
            if (!listband_->isHidden() || !listmode_->isHidden()) {
                listband_->hide();
                listmode_->hide();
                if (choiceReturn_ != nullptr) choiceReturn_->setFocus();
            } else if (logMode_) {
                panelEingabe_->eCall->setFocus();
                EntryMode();
            } else {
                NewContact();
            }
            return true;
        case Qt::Key_F2:
            return open(windows_.map);
        case Qt::Key_F4:
            return open(windows_.callSearch);
        case Qt::Key_F5:
            LogMode();
            return true;
        case Qt::Key_F6:
            return open(windows_.notes);
        case Qt::Key_F7:
            btnMode_->click();
            return true;
        case Qt::Key_F8:
            btnBand_->click();
            return true;
        case Qt::Key_F9:
            if (!btnNameQth_->isHidden()) panelEingabe_->ToggleNameQth();
            return true;
        case Qt::Key_F11:
            return session_.Code() == 'P' ? open(windows_.party) : true;
        case Qt::Key_F12:
            return open(windows_.correction);
        case Qt::Key_F3:
            return alt ? open(windows_.bandLogWindow) : false;
        default:
            break;
    }
    if (alt && key == Qt::Key_W) return open(windows_.correction);
    if (alt && key == Qt::Key_P) {
        CheckLogOnRequest(*Brow_);
        return true;
    }
    if (alt && key == Qt::Key_Q) {
        ToggleQsl();
        return true;
    }
    if (alt && modifiers.testFlag(Qt::KeypadModifier) && key >= Qt::Key_1 && key <= Qt::Key_3) {
        ui::TkxEdit* field = panelEingabe_->eRSTr[static_cast<std::size_t>(key - Qt::Key_1 + 1)];
        if (!field->isHidden()) field->setFocus();
        return true;
    }
    if (!panelEingabe_->IsEntryEdit(watched)) return false;
    auto* edit = static_cast<ui::TkxEdit*>(watched);
    if (IsEnter(key)) {
        EnterIn(edit);
        return true;
    }
    if (edit == panelEingabe_->eCall && text == QStringLiteral("#")) {
        if (!edit->text().endsWith(QStringLiteral("/p"), Qt::CaseInsensitive))
            edit->setText(edit->text() + QStringLiteral("/p"));
        EnterIn(edit);
        return true;
    }
    const bool received =
        panelEingabe_->ReceivedFieldOf(edit) != 0 || edit == panelEingabe_->eRSTr[0];
    return received && text == QStringLiteral(" ") && session_.Code() != 'i';
}

void TContestLogStd::EnterIn(ui::TkxEdit* field) {
    enterPressed_ = true;
    if (ui::TkxEdit* next = panelEingabe_->NextAfterEnter(field); next != nullptr) {
        const Busy busy(busy_);
        // As with Tab, the text of the next field is selected, so what the
        // operator types replaces it rather than being refused at its length.
        next->setFocus(Qt::TabFocusReason);
    }
    LeaveField(field);
}

void TContestLogStd::TextEdited(ui::TkxEdit* field) {
    if (busy_) return;
    LogEntryPanel& p = *panelEingabe_;
    const bool upper = field != p.eName && field != p.eQTH && field != p.eDatum && field != p.ezeit;
    if (upper && field->text() != field->text().toUpper()) {
        const int cursor = field->cursorPosition();
        field->setText(field->text().toUpper());
        field->setCursorPosition(cursor);
    }
    if (field == p.emode) {
        TakeMode("DIGITAL");
        return;
    }
    const log::PanelValues values = p.Values();
    if (field == p.eCall) {
        const log::CallTyping typing = log::TypeCall(session_, state_, values);
        p.ShowDokFields(typing.dokFields);
        if (typing.prefixChanged) RefreshScore();
        return;
    }
    if (!p.IsExchangeField(field)) return;
    const int received = p.ReceivedExchangeFieldOf(field);
    const log::ExchangeTyping typing = log::TypeExchange(session_, state_, values, received);
    if (typing.beam) {
        p.ShowBeam("Beam " + QString::number(*typing.beam, 'f', 1).toStdString());
    } else if (received != 0) {
        p.ShowBeam({});
    }
    RefreshScore();
    if (!typing.warning.text.empty()) {
        p.MarkError(p.ReceivedExchangeEdit(typing.warning.field));
        platform::CurrentMessages().Information(typing.warning.text);
    }
}

void TContestLogStd::LeaveField(ui::TkxEdit* field) {
    LogEntryPanel& p = *panelEingabe_;
    const bool enter = enterPressed_;
    enterPressed_ = false;
    bool save = false;
    const Busy busy(busy_);
    if (field == p.eCall) {
        LeaveCall();
        save = enter && !session_.SecondCallContest() && p.NothingAfter(field) &&
               !p.eCall->text().isEmpty();
    } else if (p.ReceivedFieldOf(field) != 0 || p.ReceivedExchangeFieldOf(field) != 0) {
        log::PanelValues values = p.Values();
        (void)log::FillRecordFromPanel(session_, values, state_.contact);
        log::EvaluateMultipliers(session_, state_.contact);
        save = enter && p.NothingAfter(field);
    } else if (field == p.ezeit || field == p.eDatum || field == p.eQTH) {
        (void)log::FillRecordFromPanel(session_, p.Values(), state_.contact);
        save = enter;
    } else if (field == p.eFreq) {
        TakeFrequency(
            radio::ToBaender::ReadFrequency(platform::Cp1252Text(p.eFreq->text())).value_or(0));
        ShowContact();
    } else {
        (void)log::FillRecordFromPanel(session_, p.Values(), state_.contact);
    }
    if (save) Save();
    RefreshScore();
}

void TContestLogStd::EntryMode() {
    ShowMode(false);
}

void TContestLogStd::LogMode() {
    ShowMode(true);
    if (!Brow_->isAncestorOf(focusWidget())) Brow_->setFocus();
}

void TContestLogStd::ShowMode(bool log) {
    logMode_ = log;
    for (QPushButton* b : {btnClear_, btnBand_, btnMode_, btnListe_, btnNameQth_})
        b->setEnabled(!log);
    for (QPushButton* b : {btnBandlog_, btnAendern_, btnLoeschen_}) b->setEnabled(log);
    Paint(*lLogbuch_, log ? kLogRed : kNavy);
    lLogbuch_->setText(
        platform::QtText(log ? radio::Bilingual("Contest-Logbuch (ESC: zur\xFC"
                                                "ck zur Eingabe)",
                                                "Contest-logbook (ESC: return to entry)")
                             : radio::Bilingual("Contest-Logbuch", "Contest-logbook")));
}

}  // namespace mss::app

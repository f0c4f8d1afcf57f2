#include "app/listwindows/ContestNotiz.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include "app/logform/ContestLogStd.h"
#include "app/logform/LogEntryPanel.h"
#include "contest/ContestNotes.h"
#include "contest/StationFile.h"
#include "log/PanelFill.h"
#include "platform/Messages.h"
#include "platform/qt/QtText.h"
#include "radio/DateTime.h"
#include "radio/ProgramValues.h"

namespace mss::app {

TContestNotiz::TContestNotiz(const std::string& path, int caret, QWidget* parent)
    : QDialog(parent), path_(path), caret_(caret) {
    setObjectName(QStringLiteral("ContestNotiz"));
    setWindowTitle(platform::QtText(path));
    auto* layout = new QVBoxLayout(this);
    Memo1_ = new QPlainTextEdit;
    Memo1_->setObjectName(QStringLiteral("Memo1"));
    Memo1_->setPlainText(platform::QtText(contest::ReadStationFile(path).value_or("")));
    layout->addWidget(Memo1_);
    auto* buttons = new QHBoxLayout;
    auto* btnDrucken = new QPushButton(QStringLiteral("Drucken"));
    btnDrucken->setObjectName(QStringLiteral("btnDrucken"));
    btnDrucken->setAutoDefault(false);
    auto* btnSpeichern = new QPushButton(QStringLiteral("ESC: Speichern und Beenden"));
    btnSpeichern->setObjectName(QStringLiteral("btnSpeichern"));
    btnSpeichern->setAutoDefault(false);
    buttons->addWidget(btnDrucken);
    buttons->addStretch();
    buttons->addWidget(btnSpeichern);
    layout->addLayout(buttons);
    connect(btnDrucken, &QPushButton::clicked, this, &TContestNotiz::Print);
    connect(btnSpeichern, &QPushButton::clicked, this, [this] {
        if (Save()) {
            Memo1_->clear();
            done(1);
        }
    });
    setGeometry(301, 292, 377, 270);
}

bool TContestNotiz::Save() {
    if (contest::WriteNotes(path_, platform::Cp1252Text(Memo1_->toPlainText()))) return true;
    platform::CurrentMessages().Information("Die Notiz konnte nicht gespeichert werden: " + path_);
    return false;
}

void TContestNotiz::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    QTextCursor cursor = Memo1_->textCursor();
    cursor.setPosition(std::min(caret_, static_cast<int>(Memo1_->toPlainText().size())));
    Memo1_->setTextCursor(cursor);
    Memo1_->setFocus();
}

void TContestNotiz::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        if (Save()) {
            Memo1_->clear();
            done(1);
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

void TContestNotiz::Print() {
    if (!Save()) return;
    QTextDocument document;
    document.setPlainText(platform::QtText(contest::ReadStationFile(path_).value_or("")));
    QPrinter printer;
    printer.setDocName(platform::QtText(path_));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) document.print(&printer);
}

bool EditNotes(TContestLogStd& form) {
    contest::ContestEntry& entry = form.Session().entry;
    const std::string& runDir = radio::Program().RunDir;
    const std::string path = contest::NotesFileName(runDir, entry.Number());
    const std::string call = log::NormaliseCall(form.Panel().Values().call);
    const std::string stamp = contest::NotesStamp(radio::TodayUtc(), radio::NowUtc(), call);
    if (!contest::StampNotes(path, contest::NamedNotesFileName(runDir, entry.Name()), stamp)) {
        platform::CurrentMessages().Information("Die Notiz konnte nicht gespeichert werden: " +
                                                path);
        return false;
    }
    TContestNotiz dialog(path, static_cast<int>(stamp.size()), &form);
    if (entry.NoteWidth() > 0)
        dialog.setGeometry(entry.NoteLeft(), entry.NoteTop(), entry.NoteWidth(),
                           entry.NoteHeight());
    const bool saved = dialog.exec() == 1;
    const QRect place = dialog.geometry();
    entry.SetNoteLeft(static_cast<std::int16_t>(place.left()));
    entry.SetNoteTop(static_cast<std::int16_t>(place.top()));
    entry.SetNoteWidth(static_cast<std::int16_t>(place.width()));
    entry.SetNoteHeight(static_cast<std::int16_t>(place.height()));
    (void)form.StoreEntry();
    return saved;
}

}  // namespace mss::app

#include "app/logform/ContestLogStd.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/listwindows/BandLogBrow.h"
#include "app/logform/BandScorePanel.h"
#include "app/logform/EntryScoreLabels.h"
#include "app/listwindows/FortschrittAusgabe.h"
#include "ui/KxHelp.h"
#include "app/logform/LogEntryPanel.h"
#include "app/logform/MultiplierBoard.h"
#include "contest/ContestStore.h"
#include "log/ContestLog.h"
#include "log/EntryActions.h"
#include "log/LogOpening.h"
#include "log/PrefixTables.h"
#include "log/Recount.h"
#include "log/Renumber.h"
#include "log/Results.h"
#include "log/Scoring.h"
#include "platform/Messages.h"
#include "platform/qt/QtText.h"
#include "radio/Baender.h"
#include "radio/DateTime.h"
#include "radio/ProgramValues.h"
#include "store/KeyCodec.h"
#include "suite/SuiteFiles.h"
#include "ui/KxEdit.h"

namespace mss::app {

namespace {

using platform::QtText;

constexpr int kClockMilliseconds = 1000;

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(QtText(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QListWidget* ChoiceList(QWidget* parent, const char* name) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->hide();
    return list;
}

}  // namespace

TContestLogStd::TContestLogStd(std::int32_t entryNumber, contest::ContestDefinition definition,
                               QWidget* mainWindow)
    : QDialog(mainWindow) {
    setObjectName(QStringLiteral("ContestLogStd"));
    setModal(true);
    session_.definition = std::move(definition);
    log::ClearTotals(session_);
    OpenLogAndFiles(entryNumber);
    if (!opened_) return;
    CreateComponents();
    Caption();
    layout_ = log::LayoutOf(session_, extra_);
    panelEingabe_->ApplyLayout(layout_, session_);
    btnBand_->setVisible(layout_.bandButton);
    btnMode_->setVisible(layout_.modeButton);
    RunPass([this] {
        log::SilentProgress progress;
        log::PrepareLogSession(session_, progress);
    });
    Brow_->Open();
    ClockTick();
    NewContact();
    EntryMode();
    clock_ = new QTimer(this);
    clock_->setObjectName(QStringLiteral("Timer1"));
    connect(clock_, &QTimer::timeout, this, &TContestLogStd::ClockTick);
    clock_->start(kClockMilliseconds);
}

TContestLogStd::~TContestLogStd() {
    if (!opened_ || closed_) return;
    // Destroyed without closing (a test, an aborted start): the contacts are
    // already in the log; only the files are let go.
    log::CloseLogSession();
}

void TContestLogStd::OpenLogAndFiles(std::int32_t entryNumber) {
    opened_ = log::OpenLogSession(entryNumber, session_, state_, extra_);
}

void TContestLogStd::CreateComponents() {
    auto* main = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    panelEingabe_ = new LogEntryPanel(this);
    left->addWidget(panelEingabe_);
    left->addWidget(CreateOperating());
    scoreLabels_ = new TEntryScoreLabels(panelEingabe_->Panel2);
    panelEingabe_->Panel2->layout()->addWidget(scoreLabels_);
    panelmulties_ = new TMultiplierBoard(this);
    left->addWidget(panelmulties_);
    lLogbuch_ = new QLabel(this);
    lLogbuch_->setObjectName(QStringLiteral("lLogbuch"));
    lLogbuch_->setAutoFillBackground(true);
    left->addWidget(lLogbuch_);
    TBandLogBrow::Callbacks callbacks;
    callbacks.edit = [this](const log::QsoRecord& record) { EditRecord(record); };
    callbacks.remove = [this](const log::QsoRecord&) { DeleteCurrent(); };
    callbacks.storeEntry = [this] { (void)StoreEntry(); };
    Brow_ = new TBandLogBrow(session_, std::move(callbacks), this);
    left->addWidget(Brow_, 1);
    main->addLayout(left, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(CreateButtons());
    panelauswertung_ = new TBandScorePanel(this);
    right->addWidget(panelauswertung_);
    right->addStretch();
    main->addLayout(right);
    listband_ = ChoiceList(this, "listband");
    listmode_ = ChoiceList(this, "listmode");
    for (char band : session_.definition.Bands) {
        if (band == 0) break;
        listband_->addItem(QtText(radio::ToBaender::BandName(band, false)));
    }
    for (const std::string& mode : session_.definition.Modes) {
        if (mode.empty()) break;
        listmode_->addItem(QtText(mode));
    }
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
    for (ui::TkxEdit* edit : panelEingabe_->findChildren<ui::TkxEdit*>())
        connect(edit, &QLineEdit::textEdited, this, [this, edit] { TextEdited(edit); });
    resize(1100, 700);
}

QWidget* TContestLogStd::CreateButtons() {
    auto* column = new QFrame(this);
    column->setObjectName(QStringLiteral("panelButtons"));
    auto* layout = new QVBoxLayout(column);
    btnSpeichern_ = Button(column, "btnSpeichern", "Speichern [F10]");
    btnSpeichern_->hide();
    btnClear_ = Button(column, "btnClear", "Clear [Esc]");
    btnBand_ = Button(column, "btnBand", "Band [F8]");
    btnMode_ = Button(column, "btnMode", "Mode [F7]");
    btnListe_ = Button(column, "btnListe", "Liste [F5]");
    auto* btnKorrektur = Button(column, "btnKorrektur", "Korrektur [F12]");
    auto* btnSuche = Button(column, "btnSuche", "Suche [F4]");
    auto* btnHilfe = Button(column, "btnHilfe", "Hilfe");
    auto* btnNotizen = Button(column, "btnNotizen", "Notizen [F6]");
    btnNameQth_ = Button(column, "btnNameQth", "Name/QTH [F9]");
    btnAendern_ = Button(column, "btnAendern", "\xC4ndern [ET]");
    btnLoeschen_ = Button(column, "btnLoeschen", "L\xF6schen [Entf]");
    btnBandlog_ = Button(column, "btnBandlog", "Bandlog [Alt+F3]");
    btnEnde_ = Button(column, "btnEnde", "Contest beenden");
    auto* btnImport = Button(column, "btnImport", "Import von ADIF-Dateien");
    for (QPushButton* b :
         {btnSpeichern_, btnClear_, btnBand_, btnMode_, btnListe_, btnKorrektur, btnSuche, btnHilfe,
          btnNotizen, btnNameQth_, btnAendern_, btnLoeschen_, btnBandlog_, btnEnde_, btnImport})
        layout->addWidget(b);
    auto* btnAuswertung = Button(column, "btnAuswertung", "Auswertung [F11]");
    btnAuswertung->setHidden(session_.definition.ShowEvaluation == 0);
    layout->addWidget(btnAuswertung);
    auto open = [this](std::function<void(TContestLogStd&)>& window) {
        if (window) window(*this);
    };
    connect(btnSpeichern_, &QPushButton::clicked, this, [this] { Save(); });
    connect(btnClear_, &QPushButton::clicked, this, [this] {
        Brow_->ShowOrder(0);
        NewContact();
    });
    connect(btnBand_, &QPushButton::clicked, this,
            [this] { ShowChoice(listband_, panelEingabe_->lband, std::string(1, session_.band)); });
    connect(btnMode_, &QPushButton::clicked, this,
            [this] { ShowChoice(listmode_, panelEingabe_->lMode, session_.mode); });
    connect(btnListe_, &QPushButton::clicked, this, [this] { LogMode(); });
    connect(btnKorrektur, &QPushButton::clicked, this, [=, this] { open(windows_.correction); });
    connect(btnSuche, &QPushButton::clicked, this, [=, this] { open(windows_.callSearch); });
    connect(btnNotizen, &QPushButton::clicked, this, [=, this] { open(windows_.notes); });
    connect(btnHilfe, &QPushButton::clicked, this, [this] { ui::RequestHelp(*this); });
    connect(btnBandlog_, &QPushButton::clicked, this, [=, this] { open(windows_.bandLogWindow); });
    connect(btnImport, &QPushButton::clicked, this, [=, this] { open(windows_.adifImport); });
    connect(btnAuswertung, &QPushButton::clicked, this, [=, this] { open(windows_.party); });
    connect(btnNameQth_, &QPushButton::clicked, this, [this] { panelEingabe_->ToggleNameQth(); });
    connect(btnAendern_, &QPushButton::clicked, this, [this] { EditCurrent(); });
    connect(btnLoeschen_, &QPushButton::clicked, this, [this] { DeleteCurrent(); });
    connect(btnEnde_, &QPushButton::clicked, this, [this] { close(); });
    return column;
}

void TContestLogStd::Caption() {
    setWindowTitle(QtText(std::string(radio::Bilingual("Logbuch", "Logbook")) +
                          " (Contest : " + session_.definition.ContestName + " )"));
    panelEingabe_->lenter->setText(QtText(radio::Bilingual("<ET> = speichern", "<CR> = save")));
}

void TContestLogStd::ShowContact() {
    const Busy busy(busy_);
    log::PanelValues values = log::PanelOf(state_.contact, session_);
    values.nameQthShown = panelEingabe_->NameQthShown();
    panelEingabe_->Show(values, session_.mode, session_.band);
    panelEingabe_->ShowQsl(log::QslLabel(state_.contact.QslSend()));
}

void TContestLogStd::RefreshScore() {
    scoreLabels_->Refresh(session_);
    panelEingabe_->ShowNumber(session_.totals.nextContact);
    panelauswertung_->Refresh(session_);
    panelmulties_->Refresh(session_);
    emit ContactChanged();
}

void TContestLogStd::NewContact() {
    log::PrepareNewContact(session_, state_, layout_);
    ShowContact();
    panelEingabe_->ShowBeam({});
    RefreshScore();
    const Busy busy(busy_);
    panelEingabe_->eCall->setFocus();
    panelEingabe_->FocusChanged(panelEingabe_->eCall);
}

void TContestLogStd::reject() {
    // Esc belongs to the key table; the window closes only by "Contest beenden".
}

void TContestLogStd::closeEvent(QCloseEvent* event) {
    if (!opened_ || closed_ || CloseDown()) {
        event->accept();
        return;
    }
    event->ignore();
}

bool TContestLogStd::StoreEntry() {
    return log::StoreSessionEntry(session_, extra_);
}

bool TContestLogStd::CloseDown() {
    const std::string& dir = radio::Program().RunDir;
    if (session_.Code() == 'k') (void)state_.members.qcwa.WriteTo(dir + "qcwa.csv");
    Brow_->KeepColumnWidths();
    bool written = false;
    RunPass([&] {
        TFortschrittAusgabe results(QStringLiteral("Neuberechnung"), this);
        TFortschrittAusgabe renumbering(QStringLiteral("Neunummerierung"), this);
        written = log::WriteBackSession(session_, extra_, results, renumbering);
    });
    if (!written) {
        // Nothing is given up while the files cannot be written: the form
        // stays, and the operator may try again once the cause is gone.
        platform::CurrentMessages().Information(
            "Das Logbuch oder der Contest-Eintrag kann nicht geschrieben werden "
            "(Datentr\xE4ger voll oder Datei gesperrt?). Das Logbuch bleibt ge\xF6"
            "ffnet.");
        return false;
    }
    if (clock_ != nullptr) clock_->stop();
    log::CloseLogSession();
    closed_ = true;
    return true;
}

void TContestLogStd::RunPass(const std::function<void()>& pass) {
    // Neither the clock nor the radio nor an announced contact may touch the
    // contact or the totals while a pass lets messages run.
    const Busy busy(busy_);
    const bool ticking = clock_ != nullptr && clock_->isActive();
    if (ticking) clock_->stop();
    pass();
    if (ticking) clock_->start(kClockMilliseconds);
}

}  // namespace mss::app

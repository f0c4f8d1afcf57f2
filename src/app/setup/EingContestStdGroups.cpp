// The components of the contest setup dialog, group by group.
#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/setup/EingContestStd.h"
#include "ui/KxHelp.h"
#include "app/operating/OperatingSetup.h"
#include "app/logform/WarningColour.h"
#include "app/map/MapOpening.h"
#include "radio/ProgramValues.h"
#include "ui/KxBitBtn.h"
#include "ui/KxEdit.h"

namespace mss::app {

namespace {

QGroupBox* NewGroup(QWidget* parent, const char* name, const QString& title) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(QString::fromLatin1(name));
    return group;
}

QLabel* NewLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    if (name != nullptr) label->setObjectName(QString::fromLatin1(name));
    return label;
}

ui::TkxBitBtn* NewButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new ui::TkxBitBtn(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setMinimumWidth(110);
    button->setMinimumHeight(30);
    return button;
}

// Upper-cases what the operator types into a field that only takes capitals.
void ForceUpperCase(ui::TkxEdit* edit) {
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const QString upper = text.toUpper();
        if (upper == text) return;
        const int cursor = edit->cursorPosition();
        edit->setText(upper);
        edit->setCursorPosition(cursor);
    });
}

}  // namespace

ui::TkxEdit* TEingContestStd::NewEdit(const char* name, int maxLength, bool upper) {
    auto* edit = new ui::TkxEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    if (maxLength > 0) edit->setMaxLength(maxLength);
    if (upper) ForceUpperCase(edit);
    return edit;
}

QCheckBox* TEingContestStd::NewCheck(const char* name, const char* text) {
    auto* box = new QCheckBox(QString::fromUtf8(text), this);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

void TEingContestStd::CreateComponents() {
    auto* left = new QVBoxLayout;
    left->addWidget(CreateContestGroup());
    left->addWidget(CreateParticipantGroup());
    left->addWidget(CreateStationGroup(), 1);
    auto* right = new QVBoxLayout;
    eteilnahmeart_ = NewGroup(this, "eteilnahmeart", QStringLiteral("Teilnahmeart   "));
    categoryLayout_ = new QGridLayout(eteilnahmeart_);
    categories_ = new QButtonGroup(this);
    right->addWidget(eteilnahmeart_);
    right->addWidget(CreateModeGroup());
    right->addWidget(CreateOptionsGroup());
    right->addWidget(CreateClockGroup());
    right->addWidget(CreateEvaluationGroup());
    right->addStretch(1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(columns, 1);
    outer->addWidget(CreateButtons());
    ConnectWarningResets();
}

QGroupBox* TEingContestStd::CreateContestGroup() {
    auto* group = NewGroup(this, "groupContest", QStringLiteral("Angaben zum Contest"));
    auto* grid = new QGridLayout(group);
    eName_ = NewEdit("eName", contest::kNameCapacity);
    eDatumvon_ = NewEdit("eDatumvon", 10);
    eDatumbis_ = NewEdit("eDatumbis", 10);
    eZeitvon_ = NewEdit("eZeitvon", 5);
    eZeitbis_ = NewEdit("eZeitbis", 5);
    btnregeln_ = NewButton(group, "btnregeln", QStringLiteral("Regeln"));
    grid->addWidget(NewLabel(group, nullptr, QStringLiteral("Contestname:")), 0, 0);
    grid->addWidget(eName_, 0, 1, 1, 3);
    grid->addWidget(btnregeln_, 0, 4);
    grid->addWidget(NewLabel(group, nullptr, QStringLiteral("Datum, von")), 1, 0);
    grid->addWidget(eDatumvon_, 1, 1);
    grid->addWidget(NewLabel(group, nullptr, QStringLiteral("bis")), 1, 2);
    grid->addWidget(eDatumbis_, 1, 3);
    grid->addWidget(NewLabel(group, nullptr, QStringLiteral("UTC, von")), 2, 0);
    grid->addWidget(eZeitvon_, 2, 1);
    grid->addWidget(NewLabel(group, nullptr, QStringLiteral("bis")), 2, 2);
    grid->addWidget(eZeitbis_, 2, 3);
    for (ui::TkxEdit* edit : {eDatumvon_, eDatumbis_, eZeitvon_, eZeitbis_}) {
        edit->installEventFilter(this);
        // Wide enough for a whole date even when the dialog is small.
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")) +
                              12);
    }
    connect(btnregeln_, &ui::TkxBitBtn::OnClick, this, [this] {
        if (hooks_.rules) hooks_.rules(*this);
    });
    return group;
}

QGroupBox* TEingContestStd::CreateParticipantGroup() {
    auto* group = NewGroup(this, "groupTeilnehmer", QStringLiteral("Contest- Teilnehmer"));
    auto* grid = new QGridLayout(group);
    // Each edit is as long as the suite field it is loaded from: an edit
    // cuts what it is given, and the save would write the cut value back.
    eCall_ = NewEdit("eCall", contest::kCallCapacity, true);
    eDOK_ = NewEdit("eDOK", contest::kDokCapacity, true);
    leDOK_ = NewLabel(group, "leDOK", QStringLiteral("DOK"));
    eSWL_ = NewEdit("eSWL", contest::kSwlCapacity);
    ecname_ = NewEdit("ecname", contest::kAddressCapacity);
    eStrasse_ = NewEdit("eStrasse", contest::kAddressCapacity);
    // Postcode and town share one suite field; the check keeps them to it.
    ePLZ_ = NewEdit("ePLZ", contest::kAddressCapacity);
    ePLZ_->setMaximumWidth(ePLZ_->fontMetrics().horizontalAdvance(QStringLiteral("D-01234MM")));
    eOrt_ = NewEdit("eOrt", contest::kAddressCapacity);
    eLand_ = NewEdit("eLand", contest::kAddressCapacity);
    eLoc_ = NewEdit("eLoc", 6, true);
    grid->addWidget(NewLabel(group, nullptr, QStringLiteral("Call:")), 0, 0);
    grid->addWidget(eCall_, 0, 1);
    grid->addWidget(leDOK_, 0, 2);
    grid->addWidget(eDOK_, 0, 3);
    grid->addWidget(NewLabel(group, nullptr, QStringLiteral("SWL-Nr.")), 1, 0);
    grid->addWidget(eSWL_, 1, 1);
    grid->addWidget(NewLabel(group, nullptr, QStringLiteral("LOC")), 1, 2);
    grid->addWidget(eLoc_, 1, 3);
    grid->addWidget(NewLabel(group, nullptr, QStringLiteral("Name")), 2, 0);
    grid->addWidget(ecname_, 2, 1, 1, 3);
    grid->addWidget(NewLabel(group, nullptr, QStringLiteral("Straße")), 3, 0);
    grid->addWidget(eStrasse_, 3, 1, 1, 3);
    grid->addWidget(NewLabel(group, nullptr, QStringLiteral("PLZ+Ort")), 4, 0);
    grid->addWidget(ePLZ_, 4, 1);
    grid->addWidget(eOrt_, 4, 2, 1, 2);
    grid->addWidget(NewLabel(group, nullptr, QStringLiteral("Land")), 5, 0);
    grid->addWidget(eLand_, 5, 1, 1, 3);
    return group;
}

QGroupBox* TEingContestStd::CreateModeGroup() {
    auto* group = NewGroup(this, "groupMode", QStringLiteral("Mode"));
    auto* row = new QHBoxLayout(group);
    row->addWidget(NewLabel(group, nullptr, QStringLiteral("Start mit:")));
    const char* names[] = {"rcw", "rssb", "rFM", "rPR"};
    const char* captions[] = {"CW", "SSB", "FM", "PR"};
    for (int i = 0; i < 4; ++i) {
        modeButtons_[i] = new QRadioButton(QString::fromLatin1(captions[i]), group);
        modeButtons_[i]->setObjectName(QString::fromLatin1(names[i]));
        row->addWidget(modeButtons_[i]);
    }
    modeButtons_[0]->setChecked(true);
    row->addStretch(1);
    return group;
}

QGroupBox* TEingContestStd::CreateOptionsGroup() {
    auto* group = NewGroup(this, "groupOptionen", QStringLiteral("Programm- Einstellungen"));
    auto* column = new QVBoxLayout(group);
    edatumauto_ = NewCheck("edatumauto", "Datum automatisch setzen");
    ezeitauto_ = NewCheck("ezeitauto", "Zeit automatisch setzen");
    eaktrsts_ = NewCheck("eaktrsts", "RST sent mit 59(9) fest vorgeben");
    eaktrstr_ = NewCheck("eaktrstr", "RST rcvd mit 59(9) fest vorgeben");
    eBandauto_ = NewCheck("eBandauto", "Band automatisch entsprechend der Zeit setzen");
    crstsnichtsperren_ = NewCheck("crstsnichtsperren", "RSTs nicht sperren");
    cdoppelqso_ = NewCheck("cdoppelqso", "nicht gewertete Doppel-QSO in Log eintragen");
    cdoppelqso_->hide();
    eQSLw_ = NewEdit("eQSLw", 1, true);
    eqslr_ = NewEdit("eqslr", 1, true);
    eQSLw_->setMaximumWidth(30);
    eqslr_->setMaximumWidth(30);
    for (QCheckBox* box : {edatumauto_, ezeitauto_, eaktrsts_, eaktrstr_}) column->addWidget(box);
    auto* qsl = new QHBoxLayout;
    qsl->addWidget(NewLabel(group, nullptr, QStringLiteral("Vorgaben für QSL-Druck:")));
    qsl->addWidget(NewLabel(group, nullptr, QStringLiteral("QSL s")));
    qsl->addWidget(eQSLw_);
    qsl->addWidget(NewLabel(group, nullptr, QStringLiteral("QSL r")));
    qsl->addWidget(eqslr_);
    qsl->addStretch(1);
    column->addLayout(qsl);
    for (QCheckBox* box : {eBandauto_, crstsnichtsperren_, cdoppelqso_}) column->addWidget(box);
    column->addWidget(NewOperatingSetupButton(group));
    return group;
}

QGroupBox* TEingContestStd::CreateClockGroup() {
    clockGroup_ = NewGroup(this, "groupComputerzeit", QStringLiteral("Computerzeit"));
    auto* column = new QVBoxLayout(clockGroup_);
    rZeitOrt_ = new QRadioButton(QStringLiteral("Computer läuft mit Ortszeit"), clockGroup_);
    rZeitOrt_->setObjectName(QStringLiteral("rZeitOrt"));
    rZeitUTC_ = new QRadioButton(QStringLiteral("Computer läuft mit UTC-Zeit"), clockGroup_);
    rZeitUTC_->setObjectName(QStringLiteral("rZeitUTC"));
    column->addWidget(rZeitOrt_);
    column->addWidget(rZeitUTC_);
    return clockGroup_;
}

QGroupBox* TEingContestStd::CreateEvaluationGroup() {
    evaluationGroup_ = NewGroup(this, "groupAuswertung", QStringLiteral("Auswertung"));
    auto* grid = new QGridLayout(evaluationGroup_);
    const char* headers[] = {"Band", "QSO", "Multi", "Punkte", "Total"};
    for (int i = 0; i < 5; ++i) {
        evaluationHeaders_[i] =
            NewLabel(evaluationGroup_, nullptr, QString::fromLatin1(headers[i]));
        if (i > 0) evaluationHeaders_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(evaluationHeaders_[i], 0, i);
    }
    // The value columns stay narrow; the room left goes to the right.
    grid->setColumnStretch(5, 1);
    const char* valueNames[] = {"leQSO", "leMulti", "lePunkte"};
    for (int i = 0; i < contest::ContestEntry::kBandIndexes; ++i) {
        for (int c = 0; c < 3; ++c) {
            const std::string name = std::string(valueNames[c]) + std::to_string(i + 1);
            bandRows_[i].name[c] = NewLabel(evaluationGroup_, nullptr, QString());
            bandRows_[i].value[c] = NewLabel(evaluationGroup_, name.c_str(), QString());
            bandRows_[i].value[c]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            bandRows_[i].value[c]->setFont(QFont(QStringLiteral("Liberation Mono")));
            grid->addWidget(bandRows_[i].value[c], i + 1, c + 1);
        }
        grid->addWidget(bandRows_[i].name[0], i + 1, 0);
        bandRows_[i].name[1]->hide();
        bandRows_[i].name[2]->hide();
    }
    lQSOtotal_ = NewLabel(evaluationGroup_, "lQSOtotal", QString());
    lMultitotal_ = NewLabel(evaluationGroup_, "lMultitotal", QString());
    lpunktetotal_ = NewLabel(evaluationGroup_, "lpunktetotal", QString());
    lpunktegesamt_ = NewLabel(evaluationGroup_, "lpunktegesamt", QString());
    auto* total = new QHBoxLayout;
    total->addStretch(1);
    for (QLabel* label : {lQSOtotal_, lMultitotal_, lpunktetotal_, lpunktegesamt_})
        total->addWidget(label);
    total->addStretch(1);
    QFont bold = lpunktegesamt_->font();
    bold.setBold(true);
    lpunktegesamt_->setFont(bold);
    grid->addLayout(total, contest::ContestEntry::kBandIndexes + 1, 0, 1, 5);
    return evaluationGroup_;
}

QGroupBox* TEingContestStd::CreateStationGroup() {
    stationGroup_ = NewGroup(this, "groupStation", QStringLiteral("Station"));
    auto* column = new QVBoxLayout(stationGroup_);
    memogroupzusatz3_ = new QPlainTextEdit(stationGroup_);
    memogroupzusatz3_->setObjectName(QStringLiteral("memogroupzusatz3"));
    memogroupzusatz3_->setTabChangesFocus(true);
    memogroupzusatz3_->setPlaceholderText(
        QStringLiteral("Sender, Leistung, Antenne, Software (erscheint auf dem Deckblatt)"));
    column->addWidget(memogroupzusatz3_);
    stationGroup_->hide();
    return stationGroup_;
}

QWidget* TEingContestStd::CreateButtons() {
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("panelButtons"));
    auto* row = new QHBoxLayout(bar);
    btnstart_ = NewButton(bar, "btnstart", QStringLiteral("Contest starten"));
    btnOK_ = NewButton(bar, "btnOK", QStringLiteral("Beenden"));
    btnAbbruch_ = NewButton(bar, "btnAbbruch", QStringLiteral("Abbrechen"));
    btnHilfe_ = NewButton(bar, "btnHilfe", QStringLiteral("Hilfe"));
    btnDruck_ = NewButton(bar, "btnDruck", QStringLiteral("Drucken / E-Log"));
    btnstart_->SetDefault(true);
    row->addWidget(btnstart_);
    row->addWidget(btnDruck_);
    // The map of the entry's log; a new entry has none yet.
    auto* btnKarte = NewButton(bar, "btnKarte", QStringLiteral("Karte"));
    btnKarte->setHidden(mode_ == SetupMode::NewEntry);
    row->addWidget(btnKarte);
    connect(btnKarte, &ui::TkxBitBtn::OnClick, this, [this] { ShowEntryMap(*this, entry_); });
    row->addStretch(1);
    row->addWidget(btnOK_);
    row->addWidget(btnAbbruch_);
    row->addWidget(btnHilfe_);
    connect(btnstart_, &ui::TkxBitBtn::OnClick, this, &TEingContestStd::btnStartClick);
    connect(btnOK_, &ui::TkxBitBtn::OnClick, this, &TEingContestStd::btnBeendenClick);
    connect(btnAbbruch_, &ui::TkxBitBtn::OnClick, this, [this] { done(kSetupClosed); });
    connect(btnDruck_, &ui::TkxBitBtn::OnClick, this, &TEingContestStd::btnDruckClick);
    connect(btnHilfe_, &ui::TkxBitBtn::OnClick, this, [this] { ui::RequestHelp(*this); });
    return bar;
}

// Typing into a marked field (or choosing in a marked group) takes the mark away.
void TEingContestStd::ConnectWarningResets() {
    for (ui::TkxEdit* edit : {eName_, eCall_, eDOK_, eLoc_, ePLZ_, eOrt_, eDatumvon_, eDatumbis_,
                              eZeitvon_, eZeitbis_, eSWL_, ecname_, eStrasse_, eLand_})
        connect(edit, &QLineEdit::textChanged, edit, [edit] { ClearWarning(*edit); });
    for (QRadioButton* button : {rZeitOrt_, rZeitUTC_})
        connect(button, &QRadioButton::clicked, this, [this] { ClearWarning(*clockGroup_); });
    connect(memogroupzusatz3_, &QPlainTextEdit::textChanged, this,
            [this] { ClearWarning(*memogroupzusatz3_); });
}

}  // namespace mss::app

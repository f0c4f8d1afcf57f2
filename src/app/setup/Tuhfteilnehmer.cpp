#include "app/setup/Tuhfteilnehmer.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/QtText.h"
#include "ui/KxEdit.h"

namespace mss::app {

namespace {

using output::EdiStation;

QGroupBox* NewGroup(QWidget* parent, const QString& caption, QFormLayout*& form) {
    auto* group = new QGroupBox(caption, parent);
    form = new QFormLayout(group);
    return group;
}

// The memo's lines are joined with CR LF in the station values.
QString MemoText(const std::string& remarks) {
    return platform::QtText(remarks).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

Tuhfteilnehmer::Tuhfteilnehmer(const EdiStation& station,
                               const contest::ContestDefinition& definition, char code,
                               QWidget* parent)
    : QDialog(parent) {
    setObjectName("Tuhfteilnehmer");
    setWindowTitle(platform::QtText(definition.Title));
    auto* groups = new QGridLayout;
    groups->addWidget(CreateParticipantGroup(station, code), 0, 0, 3, 1);
    groups->addWidget(CreateResponsibleGroup(station), 0, 1);
    groups->addWidget(CreateOperatorsGroup(station), 1, 1);
    groups->addWidget(CreateStationGroup(station), 2, 1);

    auto* remarksLabel = new QLabel(QStringLiteral("Bemerkungen, Ausrüstung"), this);
    rremarks_ = new QPlainTextEdit(MemoText(station.rremarks), this);
    rremarks_->setObjectName("rremarks");
    rremarks_->setTabChangesFocus(true);
    rremarks_->setFixedHeight(80);
    remarksLabel->setBuddy(rremarks_);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName("btnOK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { done(1); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(remarksLabel);
    layout->addWidget(rremarks_);
    layout->addWidget(ok, 0, Qt::AlignRight);
}

QGroupBox* Tuhfteilnehmer::CreateParticipantGroup(const EdiStation& station, char code) {
    QFormLayout* form = nullptr;
    QGroupBox* group = NewGroup(this, QStringLiteral("Teilnehmer"), form);
    AddEdit(*form, "pcall", "Call", &EdiStation::pcall, station);
    AddEdit(*form, "ploc", "Locator", &EdiStation::ploc, station);
    AddEdit(*form, "padr1", "Adresszeile 1", &EdiStation::padr1, station);
    AddEdit(*form, "padr2", "Adresszeile 2", &EdiStation::padr2, station);

    // The section is free text (the start value is a letter of the
    // category) or one of the list.
    psect_ = new QComboBox(group);
    psect_->setObjectName("psect");
    psect_->setEditable(true);
    for (const std::string_view section : output::EdiSectionChoices(code))
        psect_->addItem(platform::QtText(section));
    psect_->setCurrentIndex(-1);
    psect_->setEditText(platform::QtText(station.psect));
    form->addRow(QStringLiteral("Wertungs- gruppe:"), psect_);

    pband_ = new QComboBox(group);
    pband_->setObjectName("pband");
    for (const std::string_view band : output::kEdiBands) pband_->addItem(platform::QtText(band));
    pband_->setCurrentIndex(pband_->findText(platform::QtText(station.pband)));
    form->addRow(QStringLiteral("Band"), pband_);

    AddEdit(*form, "pclub1", "Club", &EdiStation::pclub1, station);
    AddEdit(*form, "pclub2", "DOK", &EdiStation::pclub2, station);
    AddEdit(*form, "remail", "EMail", &EdiStation::remail, station);
    return group;
}

QGroupBox* Tuhfteilnehmer::CreateResponsibleGroup(const EdiStation& station) {
    QFormLayout* form = nullptr;
    QGroupBox* group = NewGroup(this, QStringLiteral("zuständiger Funkamateur"), form);
    AddEdit(*form, "rname", "Name", &EdiStation::rname, station);
    AddEdit(*form, "radr1", "Adresszeile 1", &EdiStation::radr1, station);
    AddEdit(*form, "radr2", "Adresszeile 2", &EdiStation::radr2, station);
    AddEdit(*form, "rpoco", "PLZ", &EdiStation::rpoco, station);
    AddEdit(*form, "rcity", "Stadt", &EdiStation::rcity, station);
    AddEdit(*form, "rcoun", "Land", &EdiStation::rcoun, station);
    return group;
}

QGroupBox* Tuhfteilnehmer::CreateOperatorsGroup(const EdiStation& station) {
    QFormLayout* form = nullptr;
    QGroupBox* group = NewGroup(this, QStringLiteral("Mehrmann"), form);
    form->addRow(new QLabel(QStringLiteral("Teilnehmer (Rufzeichen mit ; trennen)"), group));
    AddEdit(*form, "mope1", "", &EdiStation::mope1, station);
    AddEdit(*form, "mope2", "", &EdiStation::mope2, station);
    return group;
}

QGroupBox* Tuhfteilnehmer::CreateStationGroup(const EdiStation& station) {
    QFormLayout* form = nullptr;
    QGroupBox* group = NewGroup(this, QStringLiteral("Station"), form);
    AddEdit(*form, "rpower", "Power", &EdiStation::rpower, station);
    AddEdit(*form, "rtrx", "TRX", &EdiStation::rtrx, station);
    AddEdit(*form, "rant", "Ant.", &EdiStation::rant, station);
    return group;
}

void Tuhfteilnehmer::AddEdit(QFormLayout& form, const char* name, const char* label,
                             std::string EdiStation::*value, const EdiStation& station) {
    auto* edit = new ui::TkxEdit(form.parentWidget());
    edit->setObjectName(QString::fromLatin1(name));
    edit->setText(platform::QtText(station.*value));
    if (*label == '\0')
        form.addRow(edit);
    else
        form.addRow(QString::fromLatin1(label), edit);
    edits_.push_back({edit, value});
}

EdiStation Tuhfteilnehmer::Station() const {
    EdiStation station;
    for (const Edit& e : edits_) station.*e.value = platform::Cp1252Text(e.edit->text());
    station.psect = platform::Cp1252Text(psect_->currentText());
    station.pband =
        pband_->currentIndex() < 0 ? std::string() : platform::Cp1252Text(pband_->currentText());
    station.rremarks = platform::Cp1252Text(
        rremarks_->toPlainText().replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
    return station;
}

bool QtEdiStationDialog::Ask(const output::OutputJob& job, EdiStation& station) {
    Tuhfteilnehmer dialog(station, job.definition, job.entry.Code(), parent_);
    if (dialog.exec() != 1) return false;
    station = dialog.Station();
    return true;
}

}  // namespace mss::app

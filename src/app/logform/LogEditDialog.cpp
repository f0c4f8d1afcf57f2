#include "app/logform/LogEditDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/logform/LogEntryPanel.h"
#include "platform/Desktop.h"
#include "platform/Messages.h"
#include "platform/qt/QtText.h"
#include "radio/Baender.h"
#include "radio/Text.h"
#include "ui/KxEdit.h"

namespace mss::app {

namespace {

using platform::Cp1252Text;
using platform::QtText;

std::string Text(const ui::TkxEdit* edit) {
    return Cp1252Text(edit->text());
}

}  // namespace

Teingabecontstd2::Teingabecontstd2(const log::LogSession& session, const LogEntryPanel& panel,
                                   const log::EditValues& values, QWidget* parent)
    : QDialog(parent), values_(values) {
    setObjectName(QStringLiteral("eingabecontstd2"));
    setWindowTitle(QtText("QSO \xE4ndern"));
    auto* main = new QVBoxLayout(this);
    auto* number = new QLabel(this);
    number->setObjectName(QStringLiteral("lNummer"));
    number->setText(QStringLiteral("Nummer:   ") + QString::number(values.lfdNr));
    main->addWidget(number);
    form_ = new QFormLayout;
    main->addLayout(form_);
    eCall_ = Edit("eCall", "Call", values.call);
    eCall2_ = Edit("eCall2", "Call2", values.call2, !panel.eCall2->isHidden());
    const std::array<const std::string*, 4> sent = {&values.sent.rst, &values.sent.field2,
                                                    &values.sent.field3, &values.sent.field4};
    const std::array<const std::string*, 4> rcvd = {&values.rcvd.rst, &values.rcvd.field2,
                                                    &values.rcvd.field3, &values.rcvd.field4};
    static const char* kSent[] = {"eRSTs1", "eRSTs2", "eRSTs3", "eRSTs4"};
    static const char* kRcvd[] = {"eRSTr1", "eRSTr2", "eRSTr3", "eRSTr4"};
    // A listener's exchanges are the reports of the two stations, named as in the panel.
    const bool listener = !panel.eCall2->isHidden();
    for (std::size_t i = 0; i < 4; ++i) {
        const int field = static_cast<int>(i) + 1;
        const bool sentShown = i == 0 || !panel.SentExchangeEdit(field)->isHidden();
        const bool rcvdShown = i == 0 || !panel.ReceivedExchangeEdit(field)->isHidden();
        eSent_[i] = Edit(kSent[i], i > 0 ? "" : listener ? "RSTs2" : "RST s", *sent[i], sentShown);
        eRcvd_[i] = Edit(kRcvd[i], i > 0 ? "" : listener ? "RSTs" : "RST r", *rcvd[i], rcvdShown);
    }
    cbMode_ = new QComboBox(this);
    cbMode_->setObjectName(QStringLiteral("cbMode"));
    cbMode_->setEditable(true);
    for (const std::string& mode : session.definition.Modes)
        if (!mode.empty()) cbMode_->addItem(QtText(mode));
    cbMode_->setCurrentText(QtText(values.mode));
    form_->addRow(QStringLiteral("Mode"), cbMode_);
    cbBand_ = new QComboBox(this);
    cbBand_->setObjectName(QStringLiteral("cbBand"));
    for (char band : session.definition.Bands) {
        if (band == 0) break;
        cbBand_->addItem(QtText(radio::ToBaender::BandName(band, false)), QChar(band));
        if (band == values.band) cbBand_->setCurrentIndex(cbBand_->count() - 1);
    }
    form_->addRow(QStringLiteral("Band"), cbBand_);
    eDatum_ = Edit("eDatum", "Datum", values.datum);
    eZeit_ = Edit("ezeit", "UTC", values.zeit);
    eQslS_ = Edit("eQSLs", "QSL s", values.qslSend);
    eQslR_ = Edit("eQSLr", "QSL r", values.qslRcvd);
    const bool wpx = session.definition.Features.test(1);
    ePrefix_ = Edit("ePrefix",
                    wpx ? "Pr\xE4"
                          "fix"
                        : "DXCC",
                    values.prefix);
    eName_ = Edit("eName", "Name", values.name);
    eQth_ = Edit("eQTH", "QTH", values.qth);
    eFreq_ = Edit("eFreq", "Freq.", values.freq);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btnOK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    main->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

ui::TkxEdit* Teingabecontstd2::Edit(const char* name, const char* caption, const std::string& text,
                                    bool enabled) {
    auto* edit = new ui::TkxEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setText(QtText(text));
    edit->setEnabled(enabled);
    form_->addRow(QtText(caption), edit);
    return edit;
}

void Teingabecontstd2::accept() {
    const log::EditRefusal refusal = check_ ? check_(Values()) : log::EditRefusal{};
    if (refusal.field == log::EditField::kNone) {
        QDialog::accept();
        return;
    }
    if (refusal.field == log::EditField::kCall) platform::CurrentDesktop().Beep();
    platform::CurrentMessages().Information(refusal.text);
    ui::TkxEdit* field = refusal.field == log::EditField::kDatum  ? eDatum_
                         : refusal.field == log::EditField::kZeit ? eZeit_
                                                                  : eCall_;
    field->setFocus();
    field->selectAll();
}

log::EditValues Teingabecontstd2::Values() const {
    log::EditValues v = values_;
    v.call = radio::UpperText(Text(eCall_));
    v.call2 = radio::UpperText(Text(eCall2_));
    v.sent = {Text(eSent_[0]), Text(eSent_[1]), Text(eSent_[2]), Text(eSent_[3])};
    v.rcvd = {Text(eRcvd_[0]), radio::UpperText(Text(eRcvd_[1])), radio::UpperText(Text(eRcvd_[2])),
              radio::UpperText(Text(eRcvd_[3]))};
    v.mode = Cp1252Text(cbMode_->currentText());
    v.band = cbBand_->currentData().toChar().toLatin1();
    v.datum = Text(eDatum_);
    v.zeit = Text(eZeit_);
    v.qslSend = Text(eQslS_);
    v.qslRcvd = Text(eQslR_);
    v.prefix = Text(ePrefix_);
    v.name = Text(eName_);
    v.qth = Text(eQth_);
    v.freq = Text(eFreq_);
    return v;
}

}  // namespace mss::app

#include "app/listwindows/Korrekturstd.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "app/listwindows/BandLogBrow.h"
#include "app/logform/ContestLogStd.h"
#include "log/ContestLog.h"
#include "log/LogKeys.h"
#include "platform/qt/QtText.h"
#include "radio/Baender.h"
#include "radio/BaseCall.h"
#include "radio/Text.h"
#include "store/KeyCodec.h"

namespace mss::app {

namespace {

// The log form keeps the list windows' last place while it is open.
constexpr const char* kPlaceProperty = "mssListWindowPlace";

std::string BandCodes(const contest::ContestDefinition& d) {
    std::string codes;
    for (char b : d.Bands)
        if (b != 0) codes += b;
    return codes;
}

}  // namespace

TKorrekturstd::TKorrekturstd(TContestLogStd& form, KorrekturMode mode)
    : QDialog(&form), form_(form), mode_(mode) {
    setObjectName(QStringLiteral("Korrekturstd"));
    setWindowTitle(
        mode == KorrekturMode::kBandLog
            ? QStringLiteral("Band - Log (\u00C4ndern mit Eingabetaste oder Doppelklick)")
            : QStringLiteral("Contest-Logbuch"));
    TBandLogBrow::Callbacks callbacks;
    callbacks.edit = [this](const log::QsoRecord& record) {
        form_.EditRecord(record);
        Brow_->Refresh();
    };
    callbacks.remove = [this](const log::QsoRecord& record) {
        form_.DeleteRecord(record);
        Brow_->Refresh();
    };
    callbacks.storeEntry = [this] { (void)form_.StoreEntry(); };
    Brow_ = new TBandLogBrow(form.Session(), std::move(callbacks), this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Brow_);

    log::LogSession& session = form.Session();
    switch (mode) {
        case KorrekturMode::kCorrection:
            Brow_->Init(session.log, log::kByLfdNr, store::IntToKey(1), store::IntToKey(999999999),
                        false);
            break;
        case KorrekturMode::kCallSearch:
            Brow_->Init(session.log, log::kByCallTime, "A", "", false);
            break;
        case KorrekturMode::kBandLog:
            ShowBand(session.band);
            break;
    }
    Brow_->SetSortlistVisible(false);
    Brow_->SetSearchFieldVisible(false);
    // The height of a line of text, not the glyph's ink box: rows sized by
    // the ink box cut off the lower half of the 10-point text.
    QFont measure(QStringLiteral("Arial"), 8, QFont::Bold);
    Brow_->SetRowHeight(static_cast<int>(std::lround(1.3 * QFontMetrics(measure).height())));
    if (QWidget* grid = Brow_->findChild<QWidget*>(QStringLiteral("grid"))) {
        QFont font = grid->font();
        font.setPointSize(10);
        grid->setFont(font);
        grid->setFocus();
    }
    Brow_->LastPage();
    const QRect place = form.property(kPlaceProperty).toRect();
    if (place.width() > 0)
        setGeometry(place);
    else
        resize(760, 420);
}

void TKorrekturstd::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (asked_) return;
    asked_ = true;
    // The small dialogs come up over the list once it is shown.
    if (mode_ == KorrekturMode::kCallSearch) QTimer::singleShot(0, this, [this] { AskForCall(); });
    if (mode_ == KorrekturMode::kBandLog) QTimer::singleShot(0, this, [this] { AskForBand(); });
}

void TKorrekturstd::AskForCall() {
    TSucheQE dialog(this);
    if (dialog.exec() == QDialog::Accepted) SearchCall(dialog.Call());
}

void TKorrekturstd::AskForBand() {
    Tstdband dialog(BandCodes(form_.Session().definition), form_.Session().band, this);
    (void)dialog.exec();
    ShowBand(dialog.Band());
}

void TKorrekturstd::SearchCall(const QString& call) {
    const std::string home = radio::UpperText(
        radio::BaseCall(platform::Cp1252Text(call.trimmed()), radio::BaseCallVariant::kKey));
    const std::string key = radio::Fit(home, 14);
    Brow_->Init(form_.Session().log, log::kByCallTime, key, key, false);
    Brow_->FirstPage();
}

void TKorrekturstd::ShowBand(char band) {
    const std::string key(1, band);
    Brow_->Init(form_.Session().log, log::kByBandSeq, key, key, false);
    Brow_->LastPage();
}

void TKorrekturstd::done(int result) {
    Brow_->KeepColumnWidths();
    form_.setProperty(kPlaceProperty, geometry());
    QDialog::done(result);
}

TSucheQE::TSucheQE(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SucheQE"));
    setWindowTitle(QStringLiteral("Suche"));
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Rufzeichen:")), 0, 0);
    eSuche_ = new QLineEdit;
    eSuche_->setObjectName(QStringLiteral("eSuche"));
    eSuche_->setMaxLength(14);
    layout->addWidget(eSuche_, 0, 1);
    auto* start = new QPushButton(QStringLiteral("Suche starten"));
    start->setObjectName(QStringLiteral("btnSuche"));
    start->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Abbruch"));
    cancel->setObjectName(QStringLiteral("btnAbbruch"));
    layout->addWidget(start, 1, 0);
    layout->addWidget(cancel, 1, 1);
    connect(start, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString TSucheQE::Call() const {
    return eSuche_->text();
}

Tstdband::Tstdband(const std::string& bands, char current, QWidget* parent)
    : QDialog(parent), bands_(bands), current_(current) {
    setObjectName(QStringLiteral("stdband"));
    setWindowTitle(QStringLiteral("Band"));
    auto* layout = new QVBoxLayout(this);
    listband_ = new QListWidget;
    listband_->setObjectName(QStringLiteral("listband"));
    for (char b : bands_)
        listband_->addItem(platform::QtText(radio::ToBaender::BandName(b, false)));
    const auto at = bands_.find(current);
    listband_->setCurrentRow(at == std::string::npos ? 0 : static_cast<int>(at));
    layout->addWidget(listband_);
    connect(listband_, &QListWidget::itemActivated, this, &QDialog::accept);
    resize(160, 200);
}

char Tstdband::Band() const {
    const int row = listband_->currentRow();
    if (result() != QDialog::Accepted || row < 0 || row >= static_cast<int>(bands_.size()))
        return current_;
    return bands_[static_cast<std::size_t>(row)];
}

void RunListWindow(TContestLogStd& form, KorrekturMode mode) {
    {
        const log::BufferGuard guard(*form.Session().log);
        TKorrekturstd window(form, mode);
        (void)window.exec();
    }
    if (mode != KorrekturMode::kCallSearch) form.NewContact();
}

}  // namespace mss::app

#include "app/listwindows/Partyauswertungform.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/logform/ContestLogStd.h"
#include "platform/Messages.h"
#include "radio/FormatPicture.h"
#include "radio/Text.h"

namespace mss::app {

namespace {

constexpr const char* kPlaceProperty = "mssPartyPlace";

QString Title(int step) {
    if (step == 5) return QStringLiteral("Anzahl QSO pro Lebensalter (5-Jahres-Schritte)");
    if (step == 10) return QStringLiteral("Anzahl QSO pro Lebensalter (10-Jahresschritte)");
    return QStringLiteral("Anzahl QSO pro Lebensalter");
}

QString AxisLabel(int i, int step) {
    if (i == 90) return QStringLiteral("90 und mehr");
    if (step == 1) return QString::fromStdString(radio::FormatPicture("##", i));
    return QStringLiteral("%1-%2").arg(i).arg(i + step - 1);
}

}  // namespace

TPartyChart::TPartyChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("panelausw"));
    setMinimumSize(640, 320);
}

void TPartyChart::Show(const log::PartyCounts& counts, int step) {
    counts_ = counts;
    step_ = step;
    scale_ = log::PartyScale(counts);
    update();
}

int TPartyChart::BarTop(int i) const {
    const std::int32_t count = counts_[static_cast<std::size_t>(i)];
    if (scale_ == 0 || count == 0) return 250;
    return 50 + static_cast<int>(200LL * (scale_ - count) / scale_);
}

void TPartyChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    QFont bold = font();
    bold.setBold(true);
    p.setFont(bold);
    const int ascent = p.fontMetrics().ascent();
    if (scale_ == 0) {
        p.drawText(0, ascent, QStringLiteral("keine g\u00FCltigen QSO im Log"));
        return;
    }
    p.setPen(Qt::blue);
    p.drawText(0, ascent, Title(step_));
    p.setPen(Qt::black);
    p.drawText(300, 290 + ascent, QStringLiteral("Lebensalter"));
    p.fillRect(QRect(QPoint(40, 50), QPoint(42, 260)), Qt::black);
    for (int i = 1; i <= 10; ++i) p.drawLine(30, 250 - 20 * i, 40, 250 - 20 * i);
    p.fillRect(QRect(QPoint(40, 250), QPoint(600, 252)), Qt::black);
    p.setFont(font());
    const int labelEvery = step_ == 10 ? 10 : 5;
    for (int i = 0; i <= 90; ++i) {
        const int x = 5 * i + 42;
        const int tick = i % 10 == 0 ? 263 : i % 5 == 0 && step_ < 10 ? 260 : step_ == 1 ? 257 : 0;
        if (tick != 0) p.fillRect(QRect(x, 252, 3, tick - 252), Qt::black);
        if (i % labelEvery == 0)
            p.drawText(5 * i + 35, 265 + (i % 10 == 0 ? 10 : 0) + p.fontMetrics().ascent(),
                       AxisLabel(i, step_));
        const int top = BarTop(i);
        if (top < 250) p.fillRect(QRect(x, top, 3 * step_, 250 - top), Qt::blue);
    }
    for (int n = 10; n >= 1; --n)
        p.drawText(0, 245 - 20 * n + p.fontMetrics().ascent(),
                   QString::fromStdString(radio::FormatPicture("###", n * scale_ / 10)));
}

Tpartyauswertungform::Tpartyauswertungform(store::TFileblockObject& log, QWidget* parent)
    : QDialog(parent), log_(log) {
    setObjectName(QStringLiteral("partyauswertungform"));
    setWindowTitle(QStringLiteral("\u00DCbersicht"));
    auto* layout = new QVBoxLayout(this);
    auto* steps = new QHBoxLayout;
    rEins_ = new QRadioButton(QStringLiteral("Ein-Jahres-Schritte"));
    rEins_->setObjectName(QStringLiteral("rEins"));
    rEins_->setChecked(true);
    rFuenf_ = new QRadioButton(QStringLiteral("5-Jahres-Schritte"));
    rFuenf_->setObjectName(QStringLiteral("rFuenf"));
    auto* rZehn = new QRadioButton(QStringLiteral("10-Jahres-Schritte"));
    rZehn->setObjectName(QStringLiteral("rZehn"));
    for (QRadioButton* r : {rEins_, rFuenf_, rZehn}) {
        steps->addWidget(r);
        connect(r, &QRadioButton::toggled, this, [this](bool on) {
            if (on) Redraw();
        });
    }
    steps->addStretch();
    layout->addLayout(steps);
    panelausw_ = new TPartyChart;
    layout->addWidget(panelausw_);
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("btnOK"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignRight);
    Redraw();
}

void Tpartyauswertungform::Redraw() {
    const int step = rEins_->isChecked() ? 1 : rFuenf_->isChecked() ? 5 : 10;
    panelausw_->Show(log::CountPartyAges(log_, step), step);
}

void RunPartyEvaluation(TContestLogStd& form) {
    if (form.Session().entry.StartDate() <= 0) {
        platform::CurrentMessages().Information("Der Beginn des Contestes wurde nicht angegeben.");
        return;
    }
    Tpartyauswertungform window(*form.Session().log, &form);
    const QRect place = form.property(kPlaceProperty).toRect();
    if (place.width() > 0) window.setGeometry(place);
    (void)window.exec();
    form.setProperty(kPlaceProperty, window.geometry());
}

}  // namespace mss::app

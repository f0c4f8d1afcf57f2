#include "app/logform/BandScorePanel.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>

#include "platform/qt/QtText.h"
#include "ui/ColourScheme.h"

namespace mss::app {

namespace {

const QColor kCurrentBand(255, 255, 0);
const QColor kOtherBand(192, 192, 192);

// A label wide enough for `widest`, as high as its text.
QLabel* NewLabel(QWidget* parent, const QString& name, bool figures, const QString& widest) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    if (figures) {
        label->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(widest) + 6);
    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    label->setAutoFillBackground(true);
    return label;
}

void Paint(QLabel& label, const QColor& colour) {
    QPalette palette = label.palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, Qt::black);
    label.setPalette(palette);
}

}  // namespace

TBandScorePanel::TBandScorePanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("panelauswertung"));
    setFrameShape(QFrame::Panel);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(1);
    const QStringList headings = {QString(), QStringLiteral("QSO"), QStringLiteral("Multi"),
                                  QStringLiteral("Punkte")};
    for (int column = 1; column < headings.size(); ++column) {
        auto* heading = new QLabel(headings[column], this);
        heading->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(heading, 0, column);
    }
    for (int i = 0; i < log::kScorePanelRows; ++i) {
        const QString n = QString::number(i + 1);
        Row& row = rows_[static_cast<std::size_t>(i)];
        row.caption = NewLabel(this, QStringLiteral("lBand") + n, false, QStringLiteral("2190 m"));
        row.qso = NewLabel(this, QStringLiteral("lQso") + n, true, QStringLiteral("#####"));
        row.multi = NewLabel(this, QStringLiteral("lMulti") + n, true, QStringLiteral("#####"));
        row.points = NewLabel(this, QStringLiteral("lPunkte") + n, true, QStringLiteral("######"));
        grid->addWidget(row.caption, i + 1, 0);
        grid->addWidget(row.qso, i + 1, 1);
        grid->addWidget(row.multi, i + 1, 2);
        grid->addWidget(row.points, i + 1, 3);
    }
    // The total line: contacts, multipliers, points and the score.
    auto* totals = new QHBoxLayout();
    totals->setSpacing(10);  // the texts carry no blanks between them
    lTotalQso_ = NewLabel(this, QStringLiteral("lQsoGesamt"), false, QStringLiteral("99999 QSO"));
    lTotalMulti_ = NewLabel(this, QStringLiteral("lMultiGesamt"), false, QString());
    lTotalPunkte_ = NewLabel(this, QStringLiteral("lPunkteGesamt"), false, QString());
    lScore_ = NewLabel(this, QStringLiteral("lScore"), false, QStringLiteral("9999999 Pkt."));
    QFont bold = lScore_->font();
    bold.setBold(true);
    for (QLabel* label : {lTotalQso_, lTotalMulti_, lTotalPunkte_, lScore_}) {
        label->setAutoFillBackground(false);
        label->setFont(bold);
        totals->addWidget(label);
    }
    totals->addStretch(1);
    grid->addLayout(totals, log::kScorePanelRows + 1, 0, 1, 4);
    grid->setRowStretch(log::kScorePanelRows + 2, 1);
}

void TBandScorePanel::Refresh(const log::LogSession& session) {
    const log::BandScorePanel panel = log::BandScorePanelOf(session);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const log::BandScoreRow& values = panel.rows[i];
        const Row& row = rows_[i];
        row.caption->setText(platform::QtText(values.caption));
        row.qso->setText(platform::QtText(values.qso));
        row.multi->setText(platform::QtText(values.multi));
        row.points->setText(platform::QtText(values.points));
        for (QLabel* label : {row.caption, row.qso, row.multi, row.points}) {
            Paint(*label, values.current ? kCurrentBand : kOtherBand);
            label->setVisible(values.visible);
        }
        row.multi->setVisible(values.visible && panel.multiColumnVisible);
    }
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        if (QLayoutItem* heading = grid->itemAtPosition(0, 2); heading && heading->widget())
            heading->widget()->setVisible(panel.multiColumnVisible);
    lTotalQso_->setText(platform::QtText(panel.totalQso));
    lTotalMulti_->setText(platform::QtText(panel.totalMulti));
    lTotalPunkte_->setText(platform::QtText(panel.totalPoints));
    lTotalPunkte_->setVisible(panel.totalPointsVisible);
    lScore_->setText(platform::QtText(panel.score));
}

}  // namespace mss::app

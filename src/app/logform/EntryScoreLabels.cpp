#include "app/logform/EntryScoreLabels.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>

#include "log/ScorePanel.h"
#include "platform/qt/QtText.h"

namespace mss::app {

namespace {

QLabel* NewLabel(QWidget* parent, const char* name, bool figures) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    if (figures) {
        QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

}  // namespace

TEntryScoreLabels::TEntryScoreLabels(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("panelScore"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    lPunkteCaption_ = NewLabel(this, "lPunkteText", false);
    lPunkte_ = NewLabel(this, "lPunkte", true);
    lMultiCaption_ = NewLabel(this, "lMultiText", false);
    lMulti_ = NewLabel(this, "lMulti", true);
    lQsoCaption_ = NewLabel(this, "lQsoText", false);
    lQso_ = NewLabel(this, "lQso", true);
    grid->addWidget(lPunkteCaption_, 0, 0);
    grid->addWidget(lPunkte_, 1, 0);
    grid->addWidget(lMultiCaption_, 0, 1);
    grid->addWidget(lMulti_, 1, 1);
    grid->addWidget(lQsoCaption_, 0, 2);
    grid->addWidget(lQso_, 1, 2);
    grid->setColumnStretch(3, 1);
}

void TEntryScoreLabels::Refresh(const log::LogSession& session) {
    const log::EntryScoreLabels labels = log::EntryScoreLabelsOf(session);
    scoreShown_ = labels.visible;
    lPunkteCaption_->setText(platform::QtText(labels.pointsCaption));
    lPunkte_->setText(platform::QtText(labels.points));
    lMultiCaption_->setText(platform::QtText(labels.multiCaption));
    lMulti_->setText(platform::QtText(labels.multi));
    lQsoCaption_->setText(platform::QtText(labels.qsoCaption));
    lQso_->setText(platform::QtText(labels.qso));
    for (QLabel* label : {lPunkteCaption_, lPunkte_, lMultiCaption_, lMulti_, lQsoCaption_, lQso_})
        label->setVisible(labels.visible);
}

}  // namespace mss::app

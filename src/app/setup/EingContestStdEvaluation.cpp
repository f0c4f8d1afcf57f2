// The band rows and the evaluation of the contest setup dialog, and what
// choosing a category changes.
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include "app/setup/EingContestStd.h"
#include "app/logform/WarningColour.h"
#include "contest/EntrySetup.h"
#include "contest/SetupEvaluation.h"
#include "platform/qt/QtText.h"
#include "radio/Baender.h"
#include "radio/DateTime.h"
#include "ui/KxEdit.h"

namespace mss::app {

void TEingContestStd::ShowBandRows() {
    const bool multipliersPerBand = definition_.MultMode == 0 || definition_.MultMode == 2;
    for (int i = 0; i < contest::ContestEntry::kBandIndexes; ++i) {
        const char band = definition_.Bands[i];
        BandRow& row = bandRows_[i];
        const bool shown = band != 0;
        row.name[0]->setText(platform::QtText(radio::ToBaender::BandName(band, false)));
        row.name[0]->setVisible(shown);
        for (int c = 0; c < 3; ++c)
            row.value[c]->setVisible(shown && (c != 1 || multipliersPerBand));
    }
    evaluationHeaders_[2]->setVisible(multipliersPerBand);
}

void TEingContestStd::ShowEvaluation() {
    const contest::Evaluation evaluation = contest::EvaluateEntry(entry_, extra_, definition_);
    for (int i = 0; i < contest::ContestEntry::kBandIndexes; ++i) {
        const contest::BandTotals& t = evaluation.bands[i];
        const std::int64_t values[] = {t.qsos, t.multipliers, t.points};
        for (int c = 0; c < 3; ++c)
            bandRows_[i].value[c]->setText(platform::QtText(
                c == 2 ? contest::BandPointsText(values[c]) : contest::BandValueText(values[c])));
    }
    const contest::EvaluationTexts texts =
        contest::EvaluationLabels(evaluation, definition_, code_);
    lQSOtotal_->setText(platform::QtText(texts.qsoTotal));
    lMultitotal_->setText(platform::QtText(texts.multTotal));
    lpunktetotal_->setText(platform::QtText(texts.pointsTotal));
    lpunktegesamt_->setText(platform::QtText(texts.score));
    lMultitotal_->setVisible(texts.multipliersShown);
    lpunktetotal_->setVisible(texts.multipliersShown && texts.pointsTotalShown);
    lpunktegesamt_->setVisible(texts.scoreShown);
    evaluationHeaders_[0]->setEnabled(texts.multipliersShown);
    evaluationHeaders_[2]->setEnabled(texts.multipliersShown);
    for (BandRow& row : bandRows_) row.value[1]->setEnabled(texts.multipliersShown);
    if (!texts.firstMultValue.empty())
        bandRows_[0].value[1]->setText(platform::QtText(texts.firstMultValue));
}

// The category's modes and dates are in place before the silent save, so
// the entry never keeps a start mode the category does not offer.
void TEingContestStd::eteilnahmeartClick() {
    ClearWarning(*eteilnahmeart_);
    entry_.SetCategory(static_cast<std::uint8_t>(categories_->checkedId() + 1));
    RefillDefinition();
    ShowBandRows();
    ApplyModeButtons();
    ProposeCategoryTimes();
    if (!initialising_) btnOKClick(Sender::None);
}

void TEingContestStd::ApplyModeButtons() {
    const contest::ModeButtons buttons = contest::ModeButtonsFor(definition_);
    for (int i = 0; i < 4; ++i) {
        QRadioButton* button = modeButtons_[i];
        button->setEnabled(buttons[i].enabled);
        button->setText(QString::fromLatin1(buttons[i].caption.c_str()));
        if (!buttons[i].enabled && button->isChecked()) {
            // A radio button of an exclusive group cannot be unchecked on its own.
            button->setAutoExclusive(false);
            button->setChecked(false);
            button->setAutoExclusive(true);
        }
    }
    CheckOfferedStartMode();
}

// With no offered mode chosen the log starts with the first one offered.
void TEingContestStd::CheckOfferedStartMode() {
    for (QRadioButton* button : modeButtons_)
        if (button->isChecked() && button->isEnabled()) return;
    for (QRadioButton* button : modeButtons_) {
        if (!button->isEnabled()) continue;
        button->setChecked(true);
        return;
    }
}

void TEingContestStd::ProposeCategoryTimes() {
    const auto period = contest::CategoryPeriod(definition_, categories_->checkedId() + 1);
    if (!period) return;
    const std::uint8_t edited = entry_.EditedMask();
    const std::pair<ui::TkxEdit*, std::pair<std::uint8_t, const std::string*>> proposals[] = {
        {eDatumvon_, {contest::ContestEntry::kEditedStartDate, &period->Date}},
        {eDatumbis_, {contest::ContestEntry::kEditedEndDate, &period->DateTo}},
        {eZeitvon_, {contest::ContestEntry::kEditedStartTime, &period->TimeFrom}},
        {eZeitbis_, {contest::ContestEntry::kEditedEndTime, &period->TimeTo}},
    };
    for (const auto& [edit, proposal] : proposals) {
        if (edited & proposal.first) continue;
        // Period times are "HH:MM:SS"; the fields show "hh:mm".
        const bool time = edit == eZeitvon_ || edit == eZeitbis_;
        edit->setText(platform::QtText(time ? proposal.second->substr(0, 5) : *proposal.second));
    }
}

}  // namespace mss::app

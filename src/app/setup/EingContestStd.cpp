#include "app/setup/EingContestStd.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "contest/ContestStore.h"
#include "contest/EntrySetup.h"
#include "contest/StationFile.h"
#include "contest/StationSettings.h"
#include "platform/Messages.h"
#include "platform/qt/QtText.h"
#include "radio/DateTime.h"
#include "radio/ProgramValues.h"
#include "ui/KxBitBtn.h"
#include "ui/KxEdit.h"

namespace mss::app {

namespace {

// Categories beyond this many are shown in two columns.
constexpr int kOneColumnCategories = 7;

QString DateText(std::int32_t dayNumber) {
    if (dayNumber < 1) return {};
    return platform::QtText(radio::DateToText(radio::DateFormat, dayNumber));
}

QString TimeText(std::int32_t seconds) {
    if (seconds < 1) return {};
    return platform::QtText(radio::TimeToText(radio::TimeFormat, seconds));
}

}  // namespace

TEingContestStd::TEingContestStd(SetupMode mode, bool afterContest, char code, SetupHooks hooks,
                                 QWidget* parent)
    : QDialog(parent),
      mode_(mode),
      afterContest_(afterContest),
      code_(code),
      hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("EingContestStd"));
    setModal(true);
    CreateComponents();
    FormCreate();
}

TEingContestStd::~TEingContestStd() = default;

void TEingContestStd::RefillDefinition() {
    if (hooks_.fillDefinition) definition_ = hooks_.fillDefinition(entry_);
}

void TEingContestStd::FormCreate() {
    if (mode_ == SetupMode::NewEntry) {
        contest::PrepareNewEntry(entry_, extra_, code_);
        contest::SetSelectedEntry(entry_);
        contest::SetSelectedExtra(extra_);
    } else {
        entry_ = contest::SelectedEntry();
        extra_ = contest::SelectedExtra();
    }
    RefillDefinition();
    contest::ProposeContestTimes(entry_, definition_, radio::TodayLocal());
    ShowEntryFields();
    ShowDatesAndTimes();
    ShowOptions();
    ShowCategories();
    ShowStartMode();
    ShowBandRows();
    ShowEvaluation();
    ShowStationData();
    ShowContestSpecific();
    ShowCaption();
    if (!eBandauto_->isHidden()) {
        const auto& first = definition_.Periods[0];
        eBandauto_->setVisible(first.Bands[0] != 0 && definition_.BandByTime == 1);
    }
}

void TEingContestStd::ShowEntryFields() {
    const auto& values = radio::Program();
    eName_->setText(platform::QtText(entry_.Name()));
    eCall_->setText(platform::QtText(entry_.Call()));
    eCall_->setEnabled(true);
    eCall_->setReadOnly(false);
    if (mode_ == SetupMode::Edit) {
        rZeitOrt_->setChecked(values.ClockOffset != 0);
        rZeitUTC_->setChecked(values.ClockOffset == 0);
    }
    ShowDistrict();
    eSWL_->setText(platform::QtText(values.SwlNumber));
}

void TEingContestStd::ShowDistrict() {
    const bool ldk = contest::EntryUsesLdk(definition_, code_);
    eDOK_->setText(platform::QtText(contest::WithoutBlanks(ldk ? entry_.Ldk() : entry_.Dok())));
    leDOK_->setText(QString::fromLatin1(contest::DistrictLabel(definition_).c_str()));
}

void TEingContestStd::ShowDatesAndTimes() {
    eDatumvon_->setText(DateText(entry_.StartDate()));
    eDatumbis_->setText(DateText(entry_.EndDate()));
    eZeitvon_->setText(TimeText(entry_.StartTime()));
    eZeitbis_->setText(TimeText(entry_.EndTime()));
}

void TEingContestStd::ShowOptions() {
    ezeitauto_->setChecked(entry_.TimeAuto());
    edatumauto_->setChecked(entry_.DateAuto());
    eBandauto_->setChecked(definition_.BandByTime == 1 && entry_.BandAuto());
    eaktrstr_->setChecked(!entry_.RstRcvdFree());
    eaktrsts_->setChecked(!entry_.RstSentFree());
    const auto charText = [](char c) { return c == 0 ? QString() : QString(QLatin1Char(c)); };
    eQSLw_->setText(charText(entry_.QslSend()));
    eqslr_->setText(charText(entry_.QslRcvd()));
    if (entry_.TotalsInExtra()) {
        crstsnichtsperren_->setChecked(extra_.RstNotLocked());
        cdoppelqso_->setChecked(extra_.LogVoidDupes());
    }
}

void TEingContestStd::ShowCategories() {
    eteilnahmeart_->setEnabled(entry_.Category() == 0);
    const std::vector<std::string> texts = contest::CategoryTexts(definition_);
    const int rows = static_cast<int>(texts.size()) > kOneColumnCategories
                         ? (static_cast<int>(texts.size()) + 1) / 2
                         : static_cast<int>(texts.size());
    for (int i = 0; i < static_cast<int>(texts.size()); ++i) {
        auto* button = new QRadioButton(platform::QtText(texts[i]), eteilnahmeart_);
        button->setObjectName(QStringLiteral("eteilnahmeart%1").arg(i + 1));
        categories_->addButton(button, i);
        categoryLayout_->addWidget(button, i % rows, i / rows);
    }
    connect(categories_, &QButtonGroup::idClicked, this, [this] { eteilnahmeartClick(); });
    const int chosen = entry_.Category() - 1;
    if (QAbstractButton* button = categories_->button(chosen)) {
        initialising_ = true;
        button->setChecked(true);
        eteilnahmeartClick();
        initialising_ = false;
    }
}

// A stored mode the category does not offer (an entry saved before its
// category changed) is not shown chosen.
void TEingContestStd::ShowStartMode() {
    const std::pair<bool, int> stored[] = {{entry_.StartSsb(), contest::kModeSsb},
                                           {entry_.StartFm(), contest::kModeFm},
                                           {entry_.StartPr(), contest::kModePr}};
    for (const auto& [chosen, index] : stored)
        if (chosen && modeButtons_[index]->isEnabled()) modeButtons_[index]->setChecked(true);
    CheckOfferedStartMode();
}

void TEingContestStd::ShowStationData() {
    auto& values = radio::Program();
    const contest::StationSettings station = contest::ReadStationSettings();
    ecname_->setText(platform::QtText(values.OwnName));
    const auto [postcode, town] = contest::SplitPostcodeTown(station.postcodeTown);
    ePLZ_->setText(platform::QtText(postcode));
    eOrt_->setText(platform::QtText(town));
    eStrasse_->setText(platform::QtText(station.street));
    eLand_->setText(platform::QtText(station.country));
    if (!station.locator.empty()) values.OwnLocator = station.locator;
    eLoc_->setText(platform::QtText(values.OwnLocator));
    const bool ldk = contest::SettingsUseLdk(definition_, code_);
    eDOK_->setText(platform::QtText(contest::WithoutBlanks(ldk ? station.ldk : station.dok)));
}

void TEingContestStd::ShowContestSpecific() {
    if (code_ != 'j') return;
    stationGroup_->show();
    const std::string file = contest::StationFileName(radio::Program().RunDir, entry_.Number());
    if (entry_.Number() > 0)
        if (const auto text = contest::ReadStationFile(file))
            memogroupzusatz3_->setPlainText(platform::QtText(*text));
    eaktrsts_->hide();
    eaktrstr_->hide();
    crstsnichtsperren_->hide();
    eaktrsts_->setChecked(false);
    eaktrstr_->setChecked(false);
    crstsnichtsperren_->setChecked(true);
}

void TEingContestStd::ShowCaption() {
    const QString name =
        QLatin1Char('"') + platform::QtText(definition_.ContestName) + QLatin1Char('"');
    setWindowTitle(name + QStringLiteral("  Contest-Konfiguration"));
    if (!afterContest_) return;
    btnOK_->SetDefault(true);
    btnstart_->SetDefault(false);
    btnstart_->hide();
    btnAbbruch_->hide();
    btnOK_->setFocus();
    setWindowTitle(name);
}

void TEingContestStd::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape) {
        QDialog::keyPressEvent(event);
        return;
    }
    event->accept();
    if (platform::CurrentMessages().Question("\xC4nderungen \xFC"
                                             "bernehmen?"))
        btnBeendenClick();
    else
        done(kSetupClosed);
}

}  // namespace mss::app

// The contest setup dialog: name, dates and times of a contest entry, the
// operator's station data (kept in the suite settings), category, start
// mode and the log's options, and the entry's evaluation. Opened for a new
// entry, for the selected entry before its log, and after the log has
// closed (after-contest mode). It works on the selected entry and its extra
// record; its saves go straight to the contest store.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <functional>

#include "contest/ContestDefinition.h"
#include "contest/ContestEntry.h"
#include "contest/ContestExtra.h"
#include "contest/SetupCheck.h"

class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QRadioButton;

namespace mss::ui {
class TkxBitBtn;
class TkxEdit;
}  // namespace mss::ui

namespace mss::app {

enum class SetupMode { NewEntry, Edit };

// The results the dialog closes with.
inline constexpr int kSetupStartContest = 1;
inline constexpr int kSetupClosed = 2;

// What the dialog reaches outside itself.
struct SetupHooks {
    // Fills the contest definition for the entry (and marks where it keeps its totals).
    std::function<contest::ContestDefinition(contest::ContestEntry& entry)> fillDefinition;
    // "Drucken / E-Log": the output menu, offered once the entry has been saved.
    std::function<void(QWidget& dialog)> outputMenu;
    // "Regeln": the rules of the contest.
    std::function<void(QWidget& dialog)> rules;
};

class TEingContestStd : public QDialog {
    Q_OBJECT

  public:
    TEingContestStd(SetupMode mode, bool afterContest, char code, SetupHooks hooks,
                    QWidget* parent = nullptr);
    ~TEingContestStd() override;

    const contest::ContestEntry& Entry() const { return entry_; }
    const contest::ContestDefinition& Definition() const { return definition_; }
    bool IsNewEntry() const { return mode_ == SetupMode::NewEntry; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    enum class Sender { None, Start, Close, Print };
    struct BandRow {
        QLabel* name[3];
        QLabel* value[3];  // QSO, Multi, Punkte
    };

    // EingContestStdGroups.cpp: the components, group by group.
    void CreateComponents();
    QGroupBox* CreateContestGroup();
    QGroupBox* CreateParticipantGroup();
    QGroupBox* CreateModeGroup();
    QGroupBox* CreateOptionsGroup();
    QGroupBox* CreateClockGroup();
    QGroupBox* CreateEvaluationGroup();
    QGroupBox* CreateStationGroup();
    QWidget* CreateButtons();
    ui::TkxEdit* NewEdit(const char* name, int maxLength, bool upper = false);
    QCheckBox* NewCheck(const char* name, const char* text);
    void ConnectWarningResets();

    // EingContestStd.cpp: opening and keys.
    void FormCreate();
    void ShowEntryFields();
    void ShowDistrict();
    void ShowDatesAndTimes();
    void ShowOptions();
    void ShowCategories();
    void ShowStartMode();
    void ShowStationData();
    void ShowContestSpecific();
    void ShowCaption();
    void RefillDefinition();

    // EingContestStdEvaluation.cpp: band rows, evaluation, category reaction.
    void ShowBandRows();
    void ShowEvaluation();
    void eteilnahmeartClick();
    void ApplyModeButtons();
    void CheckOfferedStartMode();
    void ProposeCategoryTimes();

    // EingContestStdSave.cpp: checks and saving.
    bool btnOKClick(Sender sender);
    contest::SetupInput Input() const;
    bool PassChecks(Sender sender);
    QWidget* FieldWidget(contest::SetupField field) const;
    void MarkProblem(contest::SetupField field);
    void TakeFields();
    bool StoreSettingsAndEntry(Sender sender);
    void CompleteDateTime(ui::TkxEdit& edit);
    void CompleteDatesAndTimes();
    void DateTimeLeft(ui::TkxEdit& edit);
    void btnDruckClick();
    void btnStartClick();
    void btnBeendenClick();

    SetupMode mode_;
    bool afterContest_;
    char code_;
    SetupHooks hooks_;
    bool initialising_ = false;
    contest::ContestEntry entry_;
    contest::ContestExtra extra_;
    contest::ContestDefinition definition_;
    // Date and time texts as they were when their field was entered.
    std::array<QString, 4> enteredTexts_;

    ui::TkxEdit* eName_ = nullptr;
    ui::TkxEdit* eDatumvon_ = nullptr;
    ui::TkxEdit* eDatumbis_ = nullptr;
    ui::TkxEdit* eZeitvon_ = nullptr;
    ui::TkxEdit* eZeitbis_ = nullptr;
    ui::TkxBitBtn* btnregeln_ = nullptr;
    ui::TkxEdit* eCall_ = nullptr;
    QLabel* leDOK_ = nullptr;
    ui::TkxEdit* eDOK_ = nullptr;
    ui::TkxEdit* eSWL_ = nullptr;
    ui::TkxEdit* ecname_ = nullptr;
    ui::TkxEdit* eStrasse_ = nullptr;
    ui::TkxEdit* ePLZ_ = nullptr;
    ui::TkxEdit* eOrt_ = nullptr;
    ui::TkxEdit* eLand_ = nullptr;
    ui::TkxEdit* eLoc_ = nullptr;
    QGroupBox* eteilnahmeart_ = nullptr;
    QGridLayout* categoryLayout_ = nullptr;
    QButtonGroup* categories_ = nullptr;
    std::array<QRadioButton*, 4> modeButtons_{};  // rcw, rssb, rFM, rPR
    QCheckBox* edatumauto_ = nullptr;
    QCheckBox* ezeitauto_ = nullptr;
    QCheckBox* eaktrsts_ = nullptr;
    QCheckBox* eaktrstr_ = nullptr;
    ui::TkxEdit* eQSLw_ = nullptr;
    ui::TkxEdit* eqslr_ = nullptr;
    QCheckBox* eBandauto_ = nullptr;
    QCheckBox* crstsnichtsperren_ = nullptr;
    QCheckBox* cdoppelqso_ = nullptr;
    QGroupBox* clockGroup_ = nullptr;
    QRadioButton* rZeitOrt_ = nullptr;
    QRadioButton* rZeitUTC_ = nullptr;
    QGroupBox* evaluationGroup_ = nullptr;
    std::array<QLabel*, 5> evaluationHeaders_{};  // Band, QSO, Multi, Punkte, Total
    std::array<BandRow, contest::ContestEntry::kBandIndexes> bandRows_{};
    QLabel* lQSOtotal_ = nullptr;
    QLabel* lMultitotal_ = nullptr;
    QLabel* lpunktetotal_ = nullptr;
    QLabel* lpunktegesamt_ = nullptr;
    QGroupBox* stationGroup_ = nullptr;
    QPlainTextEdit* memogroupzusatz3_ = nullptr;
    ui::TkxBitBtn* btnstart_ = nullptr;
    ui::TkxBitBtn* btnOK_ = nullptr;
    ui::TkxBitBtn* btnAbbruch_ = nullptr;
    ui::TkxBitBtn* btnHilfe_ = nullptr;
    ui::TkxBitBtn* btnDruck_ = nullptr;
};

}  // namespace mss::app

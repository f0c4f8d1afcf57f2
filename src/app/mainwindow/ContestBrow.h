// The main window: the list of contest entries of the one contest this build
// is fixed to, the left bar, the button bar, and the program's start-up and
// close-down.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/setup/EingContestStd.h"
#include "app/startup/StartupLoading.h"
#include "contest/ContestDefinition.h"
#include "contest/ContestEntry.h"
#include "ui/ColourScheme.h"

class QLabel;
class QFrame;
class QPushButton;
class QProgressBar;

namespace mss::ui {
class TkxBrow;
struct RowRec;
}  // namespace mss::ui

namespace mss::app {

class TContestBrow;

// Runs the contest log of an entry modally over the main window with its own
// copy of the contest definition; false when the log could not be opened
// (the runner has told the operator).
using LogFormRunner = std::function<bool(TContestBrow& window, std::int32_t entryNumber,
                                         const contest::ContestDefinition& definition)>;

// What the list operations reach outside the main window.
struct ContestBrowHooks {
    LogFormRunner runLog;
    // "Drucken / E-Log" and "Regeln" of the setup dialog.
    std::function<void(QWidget& dialog)> outputMenu;
    std::function<void(QWidget& dialog)> rules;
};

class TContestBrow : public QWidget {
    Q_OBJECT

  public:
    explicit TContestBrow(std::unique_ptr<StartupLoading> loading, QWidget* parent = nullptr);
    ~TContestBrow() override;

    char ContestCode() const { return contestCode_; }
    const contest::ContestDefinition& ContestDefinition() const { return *definition_; }
    contest::ContestDefinition& ContestDefinition() { return *definition_; }
    ui::ColourScheme& Colours() { return colours_; }
    const ui::ColourScheme& Colours() const { return colours_; }
    // The panel that holds the list of entries.
    QFrame& PanelContest() { return *panelContest_; }
    // False when stage 1 of the start-up failed and the program must end.
    bool StartedUp() const { return startedUp_; }

    // Refills the contest definition from `entry` (an all-zero entry when
    // none is selected).
    void FillContestDefinition(contest::ContestEntry& entry);
    void ApplyFormColours();
    // Re-runs the placement of every component (also run on show).
    void FormResize();

    // The list of entries (ContestBrowList.cpp).
    ui::TkxBrow& Brow() { return *Brow_; }
    void SetHooks(ContestBrowHooks hooks) { hooks_ = std::move(hooks); }
    // Attaches the list to the contest store: entries of ContestCode by name,
    // placed on the last one.
    void SetUpList();
    // "Neu", "Starten" and "Löschen", and the start of a contest.
    void NewEntry();
    void OpenEntry();
    // False when the contest log did not run.
    bool StartContest();
    void DeleteEntry();
    // Shows the setup dialog for the selected entry (or a new one); true
    // when it was left with "Contest starten".
    bool RunSetupDialog(SetupMode mode, bool afterContest);
    // Ends the program as "Schließen" does, also from within open dialogs:
    // they are closed first and no further dialog opens.
    void RequestClose();
    bool Closing() const { return closing_ || closedDown_; }
    // The progress bar of long start-up passes.
    QProgressBar& ProgressBar() { return *panelabgleich_; }

  signals:
    // "Starten" (also Enter and F10) and "Neu"; the list operations connect here.
    void StartRequested();
    void NewRequested();
    void DeleteRequested();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void FormCreate();
    void FormDestroy();
    void CreateComponents();
    void CreateButtonBar();
    void ShowPictures();
    void ShowCall();
    void PanelUntenResize();
    void PlaceCallLabels(int screenWidth);
    void PlaceUpdateHints(int left);
    bool FormKeyDown(QKeyEvent& key);
    void MenueBeendenClick();
    void LeftBarHover(QLabel* hovered);
    void btnHilfeHo3Click();
    void btnweitereClick();
    int ScreenWidth() const;

    // ContestBrowList.cpp
    void ConnectListEvents();
    void BrowBuildRow(ui::RowRec& RR);
    void BrowSetHeaderFooter();
    void BrowInitSortList();
    int BrowSortList2Key(int i, std::string& LKey, std::string& HKey);
    void BrowBrowDoppelKlick();
    void PositionOnSelected();
    void CloseWhenDialogsAreGone();

    std::unique_ptr<StartupLoading> loading_;
    char contestCode_ = 0;
    std::unique_ptr<contest::ContestDefinition> definition_;
    ui::ColourScheme colours_;
    bool startedUp_ = false;
    bool closedDown_ = false;
    bool closing_ = false;
    ContestBrowHooks hooks_;
    ui::TkxBrow* Brow_ = nullptr;

    QLabel* Image2_ = nullptr;
    QLabel* imgtitel_ = nullptr;
    QLabel* imglinks_ = nullptr;
    QLabel* lworked_ = nullptr;
    QLabel* lCall_ = nullptr;
    QLabel* lUtils_ = nullptr;
    QLabel* MenueBeenden_ = nullptr;
    QLabel* lhinweisupdate_ = nullptr;
    QLabel* lhinweisupdate2_ = nullptr;
    QLabel* lNotice_ = nullptr;
    QPushButton* btnweitere_ = nullptr;
    QFrame* panelContest_ = nullptr;
    QFrame* PanelUnten_ = nullptr;
    QFrame* panelbuttonsHo4_ = nullptr;
    QProgressBar* panelabgleich_ = nullptr;
    QPushButton* btnNeuho3_ = nullptr;
    QPushButton* btnAendernHo3_ = nullptr;
    QPushButton* btnLoeschenHo3_ = nullptr;
    QPushButton* btnendeho3_ = nullptr;
    QPushButton* btnHilfeHo3_ = nullptr;
};

}  // namespace mss::app

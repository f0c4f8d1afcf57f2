// The main window: the list of contest entries of the one contest this build
// is fixed to, the left bar, the button bar, and the program's start-up and
// close-down.
#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "app/StartupLoading.h"
#include "contest/ContestDefinition.h"
#include "contest/ContestEntry.h"
#include "ui/ColourScheme.h"

class QLabel;
class QFrame;
class QPushButton;
class QProgressBar;

namespace mss::app {

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
    bool FormKeyDown(QKeyEvent& key);
    void MenueBeendenClick();
    void LeftBarHover(QLabel* hovered);
    void btnHilfeHo3Click();
    void btnweitereClick();
    int ScreenWidth() const;

    std::unique_ptr<StartupLoading> loading_;
    char contestCode_ = 0;
    std::unique_ptr<contest::ContestDefinition> definition_;
    ui::ColourScheme colours_;
    bool startedUp_ = false;
    bool closedDown_ = false;

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

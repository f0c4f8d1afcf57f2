// The program's help viewer: the help archive where one lies in the data
// directory, else the user guide in the help window, at the section of the
// window that asked. F1 anywhere asks as that window's "Hilfe" button does.
#pragma once

#include <QObject>
#include <QPointer>
#include <filesystem>

#include "app/help/GuideLookup.h"
#include "ui/KxHelp.h"

namespace mss::app {

class THelpWindow;

class GuideHelp : public QObject, public ui::HelpViewer {
    Q_OBJECT

  public:
    // `programDir` is the folder of the running program; `buildTree` the
    // guide of the source tree the program was built from.
    GuideHelp(std::filesystem::path programDir, GuidePlace buildTree);
    ~GuideHelp() override;

    void ShowHelp(int helpContext) override;
    void ShowHelpFor(int helpContext, QWidget& asking) override;

    // The help window last opened, or null.
    THelpWindow* Window() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Open(const GuideSection& section, QWidget* asking);

    std::filesystem::path programDir_;
    GuidePlace buildTree_;
    QPointer<THelpWindow> window_;
};

// The guide of this build's source tree, with the pictures the tests took.
GuidePlace BuildTreeGuide();

}  // namespace mss::app

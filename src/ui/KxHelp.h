// Context help of the forms: each control may carry a help context number,
// and the program installs the viewer that shows a context's topic.
#pragma once

#include "platform/ScopedInstall.h"

class QWidget;

namespace mss::ui {

class HelpViewer {
  public:
    virtual ~HelpViewer() = default;
    virtual void ShowHelp(int helpContext) = 0;
    // The help of the window `asking` belongs to; a viewer without topics
    // per window shows the context alone.
    virtual void ShowHelpFor(int helpContext, QWidget& asking) {
        (void)asking;
        ShowHelp(helpContext);
    }
};

// Until one is installed, help requests are not handled.
using ScopedHelpViewer = platform::ScopedInstall<HelpViewer>;

// 0 = no help context.
void SetHelpContext(QWidget& widget, int helpContext);
int HelpContextOf(const QWidget& widget);

// The context of the nearest control from `widget` up through its parents
// that has one; 0 when none has.
int NearestHelpContext(const QWidget& widget);

// What a "Hilfe" button or F1 asks: the installed viewer shows the help of
// the window of `asking`, with the nearest help context or else context 1.
// False when no viewer is installed.
bool RequestHelp(QWidget& asking);

}  // namespace mss::ui

#include "app/mainwindow/ListHooks.h"

#include "app/logform/ContestLogStd.h"
#include "app/logform/LogFormPlacement.h"
#include "app/listwindows/LogWindows.h"
#include "contest/ContestNotes.h"
#include "app/setup/OutputMenu.h"
#include "platform/Messages.h"

namespace mss::app {

bool RunContestLogForm(TContestBrow& window, std::int32_t entryNumber,
                       const contest::ContestDefinition& definition) {
    TContestLogStd form(entryNumber, definition, &window);
    if (!form.Opened()) {
        platform::CurrentMessages().Information(
            "Das Contest-Logbuch kann nicht ge\xF6"
            "ffnet werden.");
        return false;
    }
    InstallLogWindows(form);
    PlaceOverMainWindow(form, window);
    form.exec();
    return true;
}

ContestBrowHooks DefaultListHooks() {
    ContestBrowHooks hooks;
    hooks.runLog = RunContestLogForm;
    hooks.rules = [](QWidget&) { (void)contest::OpenRules('j'); };
    hooks.outputMenu = ShowOutputMenu;
    return hooks;
}

}  // namespace mss::app

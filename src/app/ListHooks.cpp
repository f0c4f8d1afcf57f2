#include "app/ListHooks.h"

#include "app/ContestLogStd.h"
#include "app/LogFormPlacement.h"
#include "app/LogWindows.h"
#include "contest/ContestNotes.h"
#include "app/OutputMenu.h"
#include "platform/Messages.h"

namespace mss::app {

void RunContestLogForm(TContestBrow& window, std::int32_t entryNumber,
                       const contest::ContestDefinition& definition) {
    TContestLogStd form(entryNumber, definition, &window);
    if (!form.Opened()) {
        platform::CurrentMessages().Information(
            "Das Contest-Logbuch kann nicht ge\xF6"
            "ffnet werden.");
        return;
    }
    InstallLogWindows(form);
    PlaceOverMainWindow(form, window);
    form.exec();
}

ContestBrowHooks DefaultListHooks() {
    ContestBrowHooks hooks;
    hooks.runLog = RunContestLogForm;
    hooks.rules = [](QWidget&) { (void)contest::OpenRules('j'); };
    hooks.outputMenu = ShowOutputMenu;
    return hooks;
}

}  // namespace mss::app

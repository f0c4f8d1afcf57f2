#include "app/ListHooks.h"

#include "contest/ContestNotes.h"
#include "platform/Messages.h"

namespace mss::app {

void RunContestLogForm(TContestBrow&, std::int32_t, const contest::ContestDefinition&) {
    platform::CurrentMessages().Information(
        "Das Contest-Log ist in diesem Stand des Programms noch nicht enthalten.");
}

ContestBrowHooks DefaultListHooks() {
    ContestBrowHooks hooks;
    hooks.runLog = RunContestLogForm;
    hooks.rules = [](QWidget&) { (void)contest::OpenRules('j'); };
    return hooks;
}

}  // namespace mss::app

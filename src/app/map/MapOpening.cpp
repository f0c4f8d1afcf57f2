#include "app/map/MapOpening.h"

#include "app/logform/ContestLogStd.h"
#include "app/map/MapWindow.h"
#include "contest/ContestEntry.h"
#include "log/ContestLog.h"
#include "log/Recount.h"
#include "platform/Messages.h"
#include "radio/ProgramValues.h"

namespace mss::app {

namespace {

// Distances are measured from the program-wide own locator, so the map is too.
output::MapScene OwnScene() {
    return {radio::Program().OwnLocator, radio::Program().OwnCall, {}};
}

}  // namespace

void ToggleLogFormMap(TContestLogStd& form) {
    if (auto* shown =
            form.findChild<TMapWindow*>(QStringLiteral("Karte"), Qt::FindDirectChildrenOnly)) {
        shown->setVisible(!shown->isVisible());
        return;
    }
    TMapWindow::LogSource source = [&form] {
        store::TFileblockObject* log = form.Session().log;
        return log ? log::ReadLogRecords(*log) : std::vector<log::QsoRecord>{};
    };
    auto* window = new TMapWindow(std::move(source), OwnScene(), &form);
    QObject::connect(&form, &TContestLogStd::LogChanged, window, &TMapWindow::Reload);
    QObject::connect(&form, &TContestLogStd::ContactChanged, window,
                     [window, &form] { window->SetTypedLocator(form.State().contact.Locator()); });
    // The operator keeps typing in the log form while the map is open.
    window->setAttribute(Qt::WA_ShowWithoutActivating);
    window->show();
}

void ShowEntryMap(QWidget& parent, const contest::ContestEntry& entry) {
    const std::int32_t number = entry.Number();
    if (number <= 0 || !log::OpenContestLog(number)) {
        platform::CurrentMessages().Information(
            "Das Contest-Logbuch kann nicht ge\xF6"
            "ffnet werden.");
        return;
    }
    // The log stays open while the window shows it.
    TMapWindow window([] { return log::ReadLogRecords(*log::OpenLog()); }, OwnScene(), &parent);
    window.exec();
    log::CloseContestLog();
}

}  // namespace mss::app

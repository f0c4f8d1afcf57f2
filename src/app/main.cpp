// Program entry: a command of the command line runs without any window;
// otherwise choose and enter the data directory, install the desktop seams
// and Qt's translations, show the main window at its last place, end by
// termination signals as by "Schließen", and run the event loop.
#include <QApplication>
#include <QSettings>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/startup/AppTexts.h"
#include "app/cli/CommandLine.h"
#include "app/mainwindow/ContestBrow.h"
#include "app/help/GuideHelp.h"
#include "app/mainwindow/ListHooks.h"
#include "app/startup/QtTranslations.h"
#include "app/startup/StoreStartupLoading.h"
#include "app/mainwindow/WindowPlacement.h"
#include "platform/DataDir.h"
#include "platform/NumericLocale.h"
#include "platform/qt/QtDesktop.h"
#include "platform/qt/QtMessages.h"
#include "platform/qt/QtSignalNotifier.h"
#include "radio/CtyImporter.h"
#include "radio/ProgramValues.h"

namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

int main(int argc, char** argv) {
    // The command line runs before any window exists and needs no display.
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (mss::app::IsCommandLine(args)) return mss::app::RunCommandLine(args);

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tarvolt-mssprint"));
    QApplication::setApplicationDisplayName(QString::fromUtf8(mss::app::kApplicationTitle));
    mss::platform::KeepNumericLocaleC();

    const auto choice = mss::platform::ChooseDataDir(args, std::filesystem::current_path(),
                                                     Env("HOME"), Env("XDG_DATA_HOME"));
    std::string error = choice.error;
    std::optional<std::string> runDir;
    if (error.empty()) runDir = mss::platform::EnterDataDir(choice.dir, error);
    if (!runDir) {
        std::fprintf(stderr, "tarvolt-mssprint: %s\n", error.c_str());
        return 1;
    }
    mss::radio::Program().RunDir = *runDir;

    mss::platform::QtMessages messages;
    mss::platform::ScopedMessages installMessages(messages);
    mss::platform::QtDesktop desktop;
    mss::platform::ScopedDesktop installDesktop(desktop);

    mss::app::GuideHelp help(QCoreApplication::applicationDirPath().toStdString(),
                             mss::app::BuildTreeGuide());
    mss::ui::ScopedHelpViewer installHelp(help);
    mss::app::QtTranslations translations;
    translations.Apply(true);

    // Installed before the window exists, so a signal during start-up waits
    // in the pipe until the loop runs and then ends the program properly.
    mss::platform::QtSignalNotifier terminations;

    mss::app::TContestBrow window(
        std::make_unique<mss::app::StoreStartupLoading>(std::string(mss::radio::kDebianCtyPath)));
    if (!window.StartedUp()) return 1;
    translations.Apply(mss::radio::Program().LanguageGerman == 1);
    window.SetHooks(mss::app::DefaultListHooks());
    QObject::connect(&terminations, &mss::platform::QtSignalNotifier::Received, &window,
                     [&window] { window.RequestClose(); });

    QSettings placement(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("tarvolt"),
                        QStringLiteral("tarvolt-mssprint"));
    mss::app::RestoreWindowPlacement(window, placement);
    window.show();
    const int exitCode = QApplication::exec();
    mss::app::SaveWindowPlacement(window, placement);
    return exitCode;
}

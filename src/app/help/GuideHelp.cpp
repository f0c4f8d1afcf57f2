#include "app/help/GuideHelp.h"

#include <QApplication>
#include <QKeyEvent>

#include "app/help/HelpWindow.h"
#include "app/startup/HelpHook.h"
#include "platform/Messages.h"
#include "radio/ProgramValues.h"

namespace mss::app {

namespace {

// The class of a window without its namespace: the key of the guide's sections.
std::string_view WindowClass(const QWidget& widget) {
    std::string_view name = widget.window()->metaObject()->className();
    if (const auto colons = name.rfind("::"); colons != std::string_view::npos)
        name.remove_prefix(colons + 2);
    return name;
}

}  // namespace

GuidePlace BuildTreeGuide() {
    return {MSS_GUIDE_SOURCE_DIR, MSS_GUIDE_BUILD_DIR};
}

GuideHelp::GuideHelp(std::filesystem::path programDir, GuidePlace buildTree)
    : programDir_(std::move(programDir)), buildTree_(std::move(buildTree)) {
    qApp->installEventFilter(this);
}

GuideHelp::~GuideHelp() {
    delete window_.data();
}

THelpWindow* GuideHelp::Window() const {
    return window_;
}

void GuideHelp::ShowHelp(int) {
    if (ShowContextHelp(radio::Program().RunDir)) return;
    Open({kGuideStartPage, ""}, nullptr);
}

void GuideHelp::ShowHelpFor(int, QWidget& asking) {
    if (ShowContextHelp(radio::Program().RunDir)) return;
    Open(SectionFor(WindowClass(asking)), asking.window());
}

void GuideHelp::Open(const GuideSection& section, QWidget* asking) {
    const std::optional<GuidePlace> guide = FindGuide(programDir_, buildTree_);
    if (!guide) {
        // Windows-1252, as every text of the message seam.
        platform::CurrentMessages().Information(
            "Die Anleitung wurde nicht gefunden. Sie geh\xF6rt nach " +
            InstalledGuideDir(programDir_).string() +
            " (Installation mit \"cmake --install\" oder dem Debian-Paket).");
        return;
    }
    if (asking != nullptr && asking == window_.data()) asking = window_->parentWidget();
    // A window of the asking window stays usable while that one is modal,
    // as the log form is; it goes with it. Closed, it is only hidden.
    if (window_ != nullptr && window_->parentWidget() != asking) delete window_.data();
    if (window_ == nullptr) window_ = new THelpWindow(asking);
    window_->Open(*guide, section);
}

bool GuideHelp::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
    QWidget* asking = QApplication::focusWidget();
    if (asking == nullptr) asking = QApplication::activeWindow();
    if (asking == nullptr) return false;
    return ui::RequestHelp(*asking);
}

}  // namespace mss::app

#include "ui/KxHelp.h"

#include <QVariant>
#include <QWidget>

namespace mss::ui {

namespace {
constexpr const char* kProperty = "HelpContext";
constexpr int kButtonHelpContext = 1;
}  // namespace

void SetHelpContext(QWidget& widget, int helpContext) {
    widget.setProperty(kProperty, helpContext);
}

int HelpContextOf(const QWidget& widget) {
    return widget.property(kProperty).toInt();
}

int NearestHelpContext(const QWidget& widget) {
    for (const QWidget* w = &widget; w != nullptr; w = w->parentWidget())
        if (const int context = HelpContextOf(*w); context != 0) return context;
    return 0;
}

bool RequestHelp(QWidget& asking) {
    HelpViewer* viewer = ScopedHelpViewer::Installed();
    if (viewer == nullptr) return false;
    const int context = NearestHelpContext(asking);
    viewer->ShowHelpFor(context != 0 ? context : kButtonHelpContext, asking);
    return true;
}

}  // namespace mss::ui

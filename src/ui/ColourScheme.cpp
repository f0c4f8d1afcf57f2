#include "ui/ColourScheme.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QVariant>

namespace mss::ui {
namespace {

constexpr int kMenuLabelWidth = 156;
constexpr int kMenuTagFirst = 100;
constexpr int kMenuTagLast = 1999;
constexpr int kBandLeft = 16;
constexpr int kBandRight = 156;

bool IsPanel(const QWidget* widget) {
    return qobject_cast<const QFrame*>(widget) && !qobject_cast<const QLabel*>(widget);
}

void ApplyToLabel(QLabel& label, const ColourScheme& scheme) {
    const int tag = TagOf(&label);
    if (tag == kTagLeftAlone) return;
    if (tag == kTagSpecial) {
        SetTextColour(label, ToQColor(scheme.tag99Font));
    } else if (tag < kMenuTagFirst) {
        SetTextColour(label, ToQColor(scheme.labelFont));
    } else if (tag <= kMenuTagLast) {
        label.setFixedWidth(kMenuLabelWidth);
        const QString text = label.text();
        if (tag % 100 == 0 && label.sizeHint().width() > kMenuLabelWidth &&
            text.startsWith(QStringLiteral("    ")))
            label.setText(text.mid(4));
    }
}

// Record browsers carry the property "browser"; their two frame panels and
// their header line are named "framePanel" and "headerLine".
void ApplyToBrowser(QWidget& browser, const ColourScheme& scheme) {
    for (QWidget* frame : browser.findChildren<QWidget*>(QStringLiteral("framePanel")))
        SetBackground(*frame, scheme.panel);
    for (QWidget* header : browser.findChildren<QWidget*>(QStringLiteral("headerLine"))) {
        SetBackground(*header, scheme.browHeader);
        SetTextColour(*header, ToQColor(scheme.browHeaderFont));
    }
}

void ApplyToPanel(QWidget& panel, const ColourScheme& scheme) {
    SetBackground(panel, scheme.panel);
    for (QWidget* child : panel.findChildren<QWidget*>()) {
        if (child->property("browser").toBool())
            ApplyToBrowser(*child, scheme);
        else if (IsPanel(child) && TagOf(child) == kTagSpecial)
            SetBackground(*child, scheme.panel);
    }
}

}  // namespace

QColor ToQColor(std::uint32_t c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

int TagOf(const QWidget* widget) {
    return widget->property("tag").toInt();
}

void SetBackground(QWidget& widget, std::uint32_t suiteColour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, ToQColor(suiteColour));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void SetTextColour(QWidget& widget, const QColor& colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    widget.setPalette(palette);
}

QPixmap LeftBarPixmap(const ColourScheme& scheme, int height) {
    QPixmap bar(kLeftBarWidth, 14);
    bar.fill(ToQColor(scheme.form));
    {
        QPainter painter(&bar);
        painter.fillRect(kBandLeft, 0, kBandRight - kBandLeft, 14, ToQColor(scheme.leftBarBand));
    }
    return bar.scaled(kLeftBarWidth, std::max(height, 1), Qt::IgnoreAspectRatio);
}

void ApplyColourScheme(QWidget& form, QLabel& leftBar, const ColourScheme& scheme) {
    SetBackground(form, scheme.form);
    for (QLabel* label : form.findChildren<QLabel*>()) {
        if (label != &leftBar) ApplyToLabel(*label, scheme);
    }
    for (QWidget* child : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (IsPanel(child) && TagOf(child) != kTagLeftAlone) ApplyToPanel(*child, scheme);
    }
    leftBar.setFixedWidth(kLeftBarWidth);
    leftBar.setPixmap(LeftBarPixmap(scheme, form.height()));
}

}  // namespace mss::ui

// The suite's colour scheme and the rule that paints a form with it: panels,
// labels by their tag, record browsers, the left-bar menu and its picture.
#pragma once

#include <QColor>
#include <QPixmap>
#include <cstdint>

#include "ui/ColourSchemeValues.h"

class QWidget;
class QLabel;

namespace mss::ui {

QColor ToQColor(std::uint32_t suiteColour);

// Tag values a form gives its components (the "tag" property).
inline constexpr int kTagLeftAlone = 98;
inline constexpr int kTagSpecial = 99;
inline constexpr int kLeftBarWidth = 170;

int TagOf(const QWidget* widget);

// The left bar: a 170 x 14 picture in the form colour with a band from
// x = 16 to x = 156, stretched to `height`.
QPixmap LeftBarPixmap(const ColourScheme& scheme, int height);

// Paints `form` with the scheme; `leftBar` receives the bar picture.
void ApplyColourScheme(QWidget& form, QLabel& leftBar, const ColourScheme& scheme);

void SetBackground(QWidget& widget, std::uint32_t suiteColour);
void SetTextColour(QWidget& widget, const QColor& colour);

}  // namespace mss::ui

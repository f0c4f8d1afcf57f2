// What the pictures of the log share: their font and the look of their texts.
#pragma once

#include <QFont>
#include <QString>
#include <string_view>

namespace mss::output {

// The sans-serif face of the pictures at a size in pixels, so a picture
// looks the same on the screen and in the PNG file.
QFont PictureFont(double pixels, bool bold = false);

// A domain text (Windows-1252) for the painter.
QString PictureText(std::string_view cp1252);

// A number with a dot between thousands, as German readers expect: 12.345.
QString GroupedNumber(long long value);

}  // namespace mss::output

#include "output/picture/PictureStyle.h"

#include "platform/qt/QtText.h"

namespace mss::output {

QFont PictureFont(double pixels, bool bold) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, static_cast<int>(pixels)));
    font.setBold(bold);
    return font;
}

QString PictureText(std::string_view cp1252) {
    return platform::QtText(cp1252);
}

QString GroupedNumber(long long value) {
    QString digits = QString::number(value < 0 ? -value : value);
    for (int at = digits.size() - 3; at > 0; at -= 3) digits.insert(at, QLatin1Char('.'));
    return value < 0 ? QLatin1Char('-') + digits : digits;
}

}  // namespace mss::output

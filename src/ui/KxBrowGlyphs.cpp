#include "ui/KxBrowGlyphs.h"

#include <QPainter>
#include <QPolygonF>

namespace mss::ui {
namespace {

constexpr int kArrowSize = 10;
constexpr int kSearchSize = 16;
const QColor kInk(0x20, 0x30, 0x60);

// A filled triangle pointing up (or down) with its base at y.
void Triangle(QPainter& p, double top, double bottom, bool up) {
    const double tip = up ? top : bottom;
    const double base = up ? bottom : top;
    p.drawPolygon(QPolygonF({QPointF(1, base), QPointF(9, base), QPointF(5, tip)}));
}

// A transparent square of size pixels on which draw paints with antialiasing.
template <class Draw>
QPixmap Drawn(int size, Draw draw) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p);
    }
    return pixmap;
}

void Arrow(QPainter& p, BrowGlyph glyph) {
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    switch (glyph) {
        case BrowGlyph::EndH:
            p.fillRect(1, 1, 8, 2, kInk);
            Triangle(p, 4, 9, true);
            break;
        case BrowGlyph::SeiteH:
            Triangle(p, 0, 5, true);
            Triangle(p, 4, 9, true);
            break;
        case BrowGlyph::EinsH:
            Triangle(p, 2, 7, true);
            break;
        case BrowGlyph::EinsR:
            Triangle(p, 2, 7, false);
            break;
        case BrowGlyph::SeiteR:
            Triangle(p, 0, 5, false);
            Triangle(p, 4, 9, false);
            break;
        default:
            Triangle(p, 0, 5, false);
            p.fillRect(1, 7, 8, 2, kInk);
            break;
    }
}

void Cross(QPainter& p) {
    p.setPen(QPen(kInk, 1.6));
    p.drawLine(QPointF(2, 2), QPointF(8, 8));
    p.drawLine(QPointF(8, 2), QPointF(2, 8));
}

void Magnifier(QPainter& p) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(0xE0, 0xF0, 0xFF));
    p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    p.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
}

}  // namespace

QPixmap BrowGlyphPixmap(BrowGlyph glyph) {
    switch (glyph) {
        case BrowGlyph::Close:
            return Drawn(kArrowSize, Cross);
        case BrowGlyph::Schnellsuche:
            return Drawn(kSearchSize, Magnifier);
        default:
            return Drawn(kArrowSize, [glyph](QPainter& p) { Arrow(p, glyph); });
    }
}

}  // namespace mss::ui

#include "ui/KxGlyphs.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <array>
#include <cmath>
#include <numbers>

namespace mss::ui {

namespace {

// Every shape is drawn on a 32 x 32 grid and scaled to the kind's size.
constexpr double kGrid = 32.0;

enum class Shape {
    None,
    Check,
    Cross,
    Question,
    Exit,
    Retry,
    Ignore,
    All,
    Right,
    Left,
    Properties,
    Apply,
    Printer,
    NewSheet,
    Pencil,
    Bin,
    Plus,
    Magnifier,
    Bars,
    Import,
    Export,
    Gear,
    Clock,
    Pointer,
    Letters,
    MoveLR,
    CopyLR,
    Copy,
    LightYellow,
    LightRed,
    LightGreen,
    List,
    Table,
    Matrix,
    Play,
    Chart,
    Globe,
    Map,
    Label,
    Star,
    Down,
    Up,
};

constexpr std::array<Shape, kKindCount> kShapes{
    Shape::None,        Shape::Check,    Shape::Cross,      Shape::Question,   Shape::Check,
    Shape::Cross,       Shape::Exit,     Shape::Cross,      Shape::Retry,      Shape::Ignore,
    Shape::All,         Shape::Right,    Shape::Left,       Shape::Properties, Shape::Apply,
    Shape::Printer,     Shape::NewSheet, Shape::Pencil,     Shape::Bin,        Shape::Plus,
    Shape::Magnifier,   Shape::Bars,     Shape::Question,   Shape::Exit,       Shape::Printer,
    Shape::NewSheet,    Shape::Pencil,   Shape::Bin,        Shape::Magnifier,  Shape::Import,
    Shape::Gear,        Shape::Gear,     Shape::Clock,      Shape::Pointer,    Shape::Letters,
    Shape::Export,      Shape::Export,   Shape::MoveLR,     Shape::CopyLR,     Shape::Copy,
    Shape::LightYellow, Shape::LightRed, Shape::LightGreen, Shape::List,       Shape::Table,
    Shape::Bars,        Shape::Matrix,   Shape::Play,       Shape::Chart,      Shape::Globe,
    Shape::Globe,       Shape::Map,      Shape::Label,      Shape::Cross,      Shape::Left,
    Shape::Right,       Shape::Cross,    Shape::Retry,      Shape::Star,       Shape::Gear,
    Shape::Down,        Shape::Up,
};

const QColor kGreen(0, 150, 40);
const QColor kRed(205, 35, 35);
const QColor kBlue(40, 95, 195);
const QColor kYellow(245, 200, 20);
const QColor kDark(60, 60, 60);
const QColor kPaper(255, 255, 255);
const QColor kOutline(110, 110, 110);

QPen Stroke(const QColor& colour, double width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Sheet(QPainter& p, const QRectF& r) {
    constexpr double kFold = 6;
    QPolygonF page{{r.left(), r.top()},
                   {r.right() - kFold, r.top()},
                   {r.right(), r.top() + kFold},
                   {r.right(), r.bottom()},
                   {r.left(), r.bottom()}};
    p.setPen(Stroke(kOutline, 1.5));
    p.setBrush(kPaper);
    p.drawPolygon(page);
    p.drawPolyline(QPolygonF{{r.right() - kFold, r.top()},
                             {r.right() - kFold, r.top() + kFold},
                             {r.right(), r.top() + kFold}});
}

void TextLines(QPainter& p, double left, double right, double top, int count) {
    p.setPen(Stroke(QColor(150, 150, 150), 1.5));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(left, top + i * 4), QPointF(right, top + i * 4));
}

// A filled block arrow pointing right, its tip at `tip`.
void BlockArrow(QPainter& p, QPointF tip, double length, const QColor& colour, bool leftwards) {
    const double dir = leftwards ? -1 : 1;
    const double x = tip.x();
    const double y = tip.y();
    QPolygonF arrow{{x, y},
                    {x - dir * 9, y - 9},
                    {x - dir * 9, y - 4},
                    {x - dir * length, y - 4},
                    {x - dir * length, y + 4},
                    {x - dir * 9, y + 4},
                    {x - dir * 9, y + 9}};
    p.setPen(Stroke(colour.darker(140), 1));
    p.setBrush(colour);
    p.drawPolygon(arrow);
}

void Check(QPainter& p, QPointF offset, const QColor& colour) {
    p.setPen(Stroke(colour, 4.5));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(
        QPolygonF{offset + QPointF(5, 17), offset + QPointF(12, 24), offset + QPointF(26, 8)});
}

void Cross(QPainter& p) {
    p.setPen(Stroke(kRed, 5));
    p.drawLine(QPointF(8, 8), QPointF(24, 24));
    p.drawLine(QPointF(24, 8), QPointF(8, 24));
}

void CircleArrow(QPainter& p, const QColor& colour) {
    QPainterPath arc;
    const QRectF box(6, 6, 20, 20);
    arc.arcMoveTo(box, 60);
    arc.arcTo(box, 60, 270);
    p.setPen(Stroke(colour, 3.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF{{16, 1}, {24, 7.5}, {15, 12}});
}

void Gear(QPainter& p) {
    QPolygonF teeth;
    constexpr int kTeeth = 8;
    for (int i = 0; i < kTeeth * 2; ++i) {
        const double a = i * std::numbers::pi / kTeeth;
        const double r = (i % 2 == 0) ? 14 : 10.5;
        teeth << QPointF(16 + r * std::cos(a - 0.2), 16 + r * std::sin(a - 0.2))
              << QPointF(16 + r * std::cos(a + 0.2), 16 + r * std::sin(a + 0.2));
    }
    QPainterPath gear;
    gear.addPolygon(teeth);
    gear.closeSubpath();
    gear.addEllipse(QPointF(16, 16), 4.5, 4.5);
    p.setPen(Stroke(kDark, 1));
    p.setBrush(QColor(150, 160, 175));
    p.drawPath(gear);
}

void TrafficLight(QPainter& p, int lit) {
    p.setPen(Stroke(Qt::black, 1));
    p.setBrush(kDark);
    p.drawRoundedRect(QRectF(9, 1, 14, 30), 4, 4);
    const std::array<QColor, 3> colours{kRed, QColor(250, 180, 0), QColor(20, 190, 50)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(i == lit ? colours[static_cast<std::size_t>(i)] : QColor(95, 95, 95));
        p.drawEllipse(QPointF(16, 6.5 + i * 9.5), 3.8, 3.8);
    }
}

void Star(QPainter& p) {
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const double r = (i % 2 == 0) ? 15 : 6.5;
        star << QPointF(16 + r * std::cos(a), 17 + r * std::sin(a));
    }
    p.setPen(Stroke(QColor(180, 120, 0), 1.2));
    p.setBrush(kYellow);
    p.drawPolygon(star);
}

void Tray(QPainter& p) {
    p.setPen(Stroke(kDark, 3));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF{{4, 20}, {4, 28}, {28, 28}, {28, 20}});
}

void Letters(QPainter& p, const QString& text, const QColor& colour) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setBold(true);
    font.setPixelSize(14);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(QRectF(0, 0, kGrid, kGrid), Qt::AlignCenter, text);
}

void DrawShape(QPainter& p, Shape shape) {
    switch (shape) {
        case Shape::None:
            break;
        case Shape::Check:
            Check(p, {0, 0}, kGreen);
            break;
        case Shape::Cross:
            Cross(p);
            break;
        case Shape::Question:
            p.setPen(Stroke(kBlue.darker(130), 1));
            p.setBrush(kBlue);
            p.drawEllipse(QPointF(16, 16), 14, 14);
            Letters(p, QStringLiteral("?"), kPaper);
            break;
        case Shape::Exit:
            p.setPen(Stroke(QColor(90, 55, 20), 1.5));
            p.setBrush(QColor(165, 110, 55));
            p.drawRect(QRectF(4, 3, 13, 26));
            BlockArrow(p, {30, 16}, 18, kGreen, false);
            break;
        case Shape::Retry:
            CircleArrow(p, kBlue);
            break;
        case Shape::Ignore: {
            p.setPen(Stroke(kDark, 3));
            p.drawLine(QPointF(14, 28), QPointF(14, 14));
            QPainterPath jump(QPointF(4, 26));
            jump.cubicTo(QPointF(6, 2), QPointF(22, 2), QPointF(25, 22));
            p.setPen(Stroke(kBlue, 3));
            p.setBrush(Qt::NoBrush);
            p.drawPath(jump);
            p.setPen(Qt::NoPen);
            p.setBrush(kBlue);
            p.drawPolygon(QPolygonF{{19, 19}, {31, 19}, {25.5, 28}});
            break;
        }
        case Shape::All:
            Check(p, {-3, -3}, kGreen.lighter(130));
            Check(p, {3, 4}, kGreen);
            break;
        case Shape::Right:
            BlockArrow(p, {29, 16}, 26, kGreen, false);
            break;
        case Shape::Left:
            BlockArrow(p, {3, 16}, 26, kGreen, true);
            break;
        case Shape::Properties:
            Sheet(p, QRectF(5, 2, 20, 27));
            TextLines(p, 9, 21, 10, 4);
            p.setPen(Stroke(kDark, 1));
            p.setBrush(kBlue);
            p.drawRect(QRectF(17, 19, 12, 10));
            break;
        case Shape::Apply:
            Sheet(p, QRectF(4, 2, 20, 27));
            TextLines(p, 8, 20, 10, 4);
            Check(p, {4, 4}, kGreen);
            break;
        case Shape::Printer:
            p.setPen(Stroke(kOutline, 1.5));
            p.setBrush(kPaper);
            p.drawRect(QRectF(9, 2, 14, 12));
            p.setBrush(QColor(170, 175, 185));
            p.drawRoundedRect(QRectF(3, 12, 26, 12), 2, 2);
            p.setBrush(kPaper);
            p.drawRect(QRectF(8, 20, 16, 9));
            TextLines(p, 11, 21, 23, 2);
            p.setPen(Qt::NoPen);
            p.setBrush(kGreen);
            p.drawEllipse(QPointF(25, 15.5), 1.5, 1.5);
            break;
        case Shape::NewSheet:
            Sheet(p, QRectF(8, 3, 20, 27));
            TextLines(p, 12, 24, 16, 3);
            p.save();
            p.scale(0.5, 0.5);
            Star(p);
            p.restore();
            break;
        case Shape::Pencil: {
            p.setPen(Stroke(kDark, 1.2));
            p.setBrush(kYellow);
            p.drawPolygon(QPolygonF{{22, 3}, {29, 10}, {11, 28}, {4, 21}});
            p.setBrush(QColor(240, 205, 160));
            p.drawPolygon(QPolygonF{{4, 21}, {11, 28}, {2, 30}});
            p.setBrush(kRed);
            p.drawPolygon(QPolygonF{{22, 3}, {29, 10}, {26, 13}, {19, 6}});
            break;
        }
        case Shape::Bin:
            p.setPen(Stroke(kDark, 1.5));
            p.setBrush(QColor(175, 180, 190));
            p.drawPolygon(QPolygonF{{7, 9}, {25, 9}, {23, 30}, {9, 30}});
            p.drawRect(QRectF(5, 5, 22, 4));
            p.drawRect(QRectF(13, 2, 6, 3));
            p.setPen(Stroke(kDark, 1.5));
            for (double x : {12.0, 16.0, 20.0}) p.drawLine(QPointF(x, 13), QPointF(x, 26));
            break;
        case Shape::Plus:
            p.setPen(Stroke(kGreen, 6));
            p.drawLine(QPointF(16, 5), QPointF(16, 27));
            p.drawLine(QPointF(5, 16), QPointF(27, 16));
            break;
        case Shape::Magnifier:
            p.setPen(Stroke(QColor(120, 80, 40), 5));
            p.drawLine(QPointF(20, 20), QPointF(29, 29));
            p.setPen(Stroke(kDark, 2.5));
            p.setBrush(QColor(200, 225, 255));
            p.drawEllipse(QPointF(13, 13), 9, 9);
            break;
        case Shape::Bars: {
            p.setPen(Stroke(kDark, 1));
            const std::array<QColor, 3> colours{kBlue, kRed, kGreen};
            const std::array<double, 3> heights{14, 24, 18};
            for (std::size_t i = 0; i < 3; ++i) {
                p.setBrush(colours[i]);
                p.drawRect(QRectF(4 + i * 9, 29 - heights[i], 7, heights[i]));
            }
            p.setPen(Stroke(kDark, 1.5));
            p.drawLine(QPointF(2, 29.5), QPointF(30, 29.5));
            break;
        }
        case Shape::Import:
            Tray(p);
            p.save();
            p.translate(16, 0);
            p.rotate(90);
            BlockArrow(p, {24, 0}, 22, kBlue, false);
            p.restore();
            break;
        case Shape::Export:
            Tray(p);
            p.save();
            p.translate(16, 0);
            p.rotate(-90);
            BlockArrow(p, {-2, 0}, 22, kGreen, false);
            p.restore();
            break;
        case Shape::Gear:
            Gear(p);
            break;
        case Shape::Clock:
            p.setPen(Stroke(kDark, 2));
            p.setBrush(kPaper);
            p.drawEllipse(QPointF(16, 16), 13, 13);
            p.setPen(Stroke(kBlue, 2.5));
            p.drawLine(QPointF(16, 16), QPointF(16, 7));
            p.drawLine(QPointF(16, 16), QPointF(23, 19));
            break;
        case Shape::Pointer:
            p.setPen(Stroke(Qt::black, 1.2));
            p.setBrush(kBlue);
            p.drawPolygon(
                QPolygonF{{8, 2}, {8, 26}, {14, 20}, {19, 30}, {23, 28}, {18, 18}, {26, 18}});
            break;
        case Shape::Letters:
            p.setPen(Stroke(kBlue.darker(130), 1));
            p.setBrush(QColor(215, 230, 255));
            p.drawRoundedRect(QRectF(2, 6, 28, 20), 4, 4);
            Letters(p, QStringLiteral("ZF"), kBlue.darker(130));
            break;
        case Shape::MoveLR:
            p.setPen(Stroke(kDark, 1.5));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(2, 9, 9, 14));
            p.setBrush(kBlue);
            p.drawRect(QRectF(21, 9, 9, 14));
            BlockArrow(p, {21, 16}, 12, kGreen, false);
            break;
        case Shape::CopyLR:
            Sheet(p, QRectF(1, 2, 12, 17));
            Sheet(p, QRectF(19, 2, 12, 17));
            BlockArrow(p, {27, 25}, 22, kGreen, false);
            break;
        case Shape::Copy:
            Sheet(p, QRectF(3, 2, 17, 22));
            TextLines(p, 6, 15, 9, 3);
            Sheet(p, QRectF(12, 9, 17, 22));
            TextLines(p, 15, 25, 17, 3);
            break;
        case Shape::LightYellow:
            TrafficLight(p, 1);
            break;
        case Shape::LightRed:
            TrafficLight(p, 0);
            break;
        case Shape::LightGreen:
            TrafficLight(p, 2);
            break;
        case Shape::List:
            for (int i = 0; i < 4; ++i) {
                p.setPen(Qt::NoPen);
                p.setBrush(kBlue);
                p.drawEllipse(QPointF(6, 6 + i * 7), 2.2, 2.2);
                p.setPen(Stroke(kDark, 2.5));
                p.drawLine(QPointF(11, 6 + i * 7), QPointF(28, 6 + i * 7));
            }
            break;
        case Shape::Table:
            p.setPen(Stroke(kDark, 1.2));
            p.setBrush(kPaper);
            p.drawRect(QRectF(2, 4, 28, 24));
            p.setBrush(kBlue);
            p.drawRect(QRectF(2, 4, 28, 6));
            for (double y : {16.0, 22.0}) p.drawLine(QPointF(2, y), QPointF(30, y));
            for (double x : {11.0, 20.0}) p.drawLine(QPointF(x, 4), QPointF(x, 28));
            break;
        case Shape::Matrix:
            p.setPen(Qt::NoPen);
            for (int row = 0; row < 4; ++row)
                for (int col = 0; col < 4; ++col) {
                    p.setBrush((row + col) % 3 == 0 ? kRed : kBlue);
                    p.drawRect(QRectF(3 + col * 7, 3 + row * 7, 5, 5));
                }
            break;
        case Shape::Play:
            p.setPen(Stroke(kGreen.darker(140), 1.2));
            p.setBrush(kGreen);
            p.drawPolygon(QPolygonF{{7, 3}, {28, 16}, {7, 29}});
            break;
        case Shape::Chart:
            p.setPen(Stroke(kDark, 2));
            p.drawPolyline(QPolygonF{{3, 2}, {3, 29}, {30, 29}});
            p.setPen(Stroke(kRed, 2.5));
            p.drawPolyline(QPolygonF{{6, 24}, {12, 15}, {18, 19}, {28, 5}});
            break;
        case Shape::Globe:
            p.setPen(Stroke(kBlue.darker(140), 1.3));
            p.setBrush(QColor(120, 170, 235));
            p.drawEllipse(QPointF(16, 16), 13, 13);
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(16, 16), 6, 13);
            p.drawLine(QPointF(16, 3), QPointF(16, 29));
            p.drawLine(QPointF(3, 16), QPointF(29, 16));
            p.drawLine(QPointF(5, 10), QPointF(27, 10));
            p.drawLine(QPointF(5, 22), QPointF(27, 22));
            break;
        case Shape::Map:
            p.setPen(Stroke(kDark, 1.2));
            p.setBrush(QColor(190, 225, 170));
            p.drawPolygon(QPolygonF{
                {2, 6}, {11, 3}, {21, 7}, {30, 4}, {30, 26}, {21, 29}, {11, 25}, {2, 28}});
            p.drawLine(QPointF(11, 3), QPointF(11, 25));
            p.drawLine(QPointF(21, 7), QPointF(21, 29));
            p.setPen(Stroke(kRed, 2));
            p.drawPolyline(QPolygonF{{6, 20}, {14, 12}, {19, 17}, {26, 10}});
            break;
        case Shape::Label: {
            QPainterPath tag;
            tag.addPolygon(QPolygonF{{2, 8}, {22, 8}, {30, 16}, {22, 24}, {2, 24}, {2, 8}});
            tag.addEllipse(QPointF(23, 16), 2, 2);
            p.setPen(Stroke(QColor(150, 100, 20), 1.3));
            p.setBrush(QColor(250, 215, 120));
            p.drawPath(tag);
            TextLines(p, 5, 16, 13, 3);
            break;
        }
        case Shape::Star:
            Star(p);
            break;
        case Shape::Down:
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::black);
            p.drawPolygon(QPolygonF{{5, 10}, {27, 10}, {16, 24}});
            break;
        case Shape::Up:
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::black);
            p.drawPolygon(QPolygonF{{5, 24}, {27, 24}, {16, 10}});
            break;
    }
}

// The disabled image: the same shape in light greys.
QImage Greyed(const QImage& image) {
    QImage grey = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const int level = 128 + qGray(line[x]) / 2;
            line[x] = qRgba(level, level, level, qAlpha(line[x]));
        }
    }
    return grey;
}

QPixmap DrawnGlyph(TkxBitBtnKind kind) {
    const int size = KindGlyphSize(kind);
    QImage normal(size, size, QImage::Format_ARGB32_Premultiplied);
    normal.fill(Qt::transparent);
    {
        QPainter p(&normal);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / kGrid, size / kGrid);
        DrawShape(p, kShapes[kind]);
    }
    QImage strip(size * 2, size, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    p.drawImage(0, 0, normal);
    p.drawImage(size, 0, Greyed(normal));
    p.end();
    return QPixmap::fromImage(strip);
}

std::array<QPixmap, kKindCount>& Cache() {
    static std::array<QPixmap, kKindCount> cache;
    return cache;
}

}  // namespace

QPixmap KindGlyph(TkxBitBtnKind kind) {
    if (kind == bkCustom || kind >= kKindCount) return {};
    auto& cache = Cache();
    static bool cleanupRegistered = false;
    if (!cleanupRegistered) {
        // Pixmaps must go before the application object does.
        qAddPostRoutine([] { Cache().fill(QPixmap()); });
        cleanupRegistered = true;
    }
    QPixmap& glyph = cache[kind];
    if (glyph.isNull()) {
        glyph = QPixmap(QStringLiteral(":/") + KindGlyphName(kind) + QStringLiteral(".png"));
        if (glyph.isNull()) glyph = DrawnGlyph(kind);
    }
    return glyph;
}

}  // namespace mss::ui

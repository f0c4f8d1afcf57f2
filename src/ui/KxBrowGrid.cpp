#include "ui/KxBrowGrid.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

namespace mss::ui {
namespace {

constexpr int kCellPadding = 3;
constexpr int kBorderGrip = 3;
constexpr int kMinColumnWidth = 8;
constexpr int kWheelNotch = 120;

const QColor kLineColour(0xC8, 0xC8, 0xC8);
const QColor kMarkedColour(0xFF, 0xF4, 0xC0);
const QColor kUnreadableText(0xA0, 0x00, 0x00);
const QColor kInactiveCursor(0xCC, 0xDD, 0xEE);
const QColor kHeaderColour(0xE3, 0xE7, 0xED);

void PaintCell(QPainter& painter, const QRect& cell, const QString& text) {
    painter.drawText(cell.adjusted(kCellPadding, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
}

}  // namespace

int BrowColumns::Left(int column) const {
    int x = 0;
    if (column >= first) {
        for (int c = first; c < column; ++c) x += widths[static_cast<std::size_t>(c)] + kGridLine;
    } else {
        for (int c = column; c < first; ++c) x -= widths[static_cast<std::size_t>(c)] + kGridLine;
    }
    return x;
}

int BrowColumns::At(int x) const {
    int right = 0;
    for (int c = first; c < Count(); ++c) {
        right += widths[static_cast<std::size_t>(c)] + kGridLine;
        if (x < right) return c;
    }
    return -1;
}

QStringList SplitColumns(const QString& text) {
    return text.split(QLatin1Char(';'));
}

// ---------------------------------------------------------------------------

TkxBrowHeader::TkxBrowHeader(const BrowColumns& columns, QWidget* parent)
    : QWidget(parent), columns_(columns) {
    setObjectName(QStringLiteral("headerLine"));
    // Until a colour scheme paints it.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kHeaderColour);
    setPalette(colours);
    setAutoFillBackground(true);
    setMouseTracking(true);
}

void TkxBrowHeader::SetRowHeight(int height) {
    rowHeight_ = height;
    setFixedHeight(height + kGridLine);
    updateGeometry();
}

QSize TkxBrowHeader::sizeHint() const {
    return {200, rowHeight_ + kGridLine};
}

void TkxBrowHeader::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(0, height() - 1, width(), height() - 1);
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    for (int c = columns_.first; c < columns_.Count(); ++c) {
        const int left = columns_.Left(c);
        if (left >= width()) break;
        const int w = columns_.widths[static_cast<std::size_t>(c)];
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawLine(left + w, 0, left + w, height() - 1);
        painter.setPen(palette().color(QPalette::WindowText));
        PaintCell(painter, QRect(left, 0, w, rowHeight_), columns_.titles.value(c));
    }
}

int TkxBrowHeader::BorderAt(int x) const {
    for (int c = columns_.first; c < columns_.Count(); ++c) {
        const int border = columns_.Left(c) + columns_.widths[static_cast<std::size_t>(c)];
        if (std::abs(x - border) <= kBorderGrip) return c;
    }
    return -1;
}

void TkxBrowHeader::mousePressEvent(QMouseEvent* event) {
    const int x = event->position().toPoint().x();
    resizing_ = event->button() == Qt::LeftButton ? BorderAt(x) : -1;
    pressedColumn_ = resizing_ < 0 ? columns_.At(x) : -1;
}

void TkxBrowHeader::mouseMoveEvent(QMouseEvent* event) {
    const int x = event->position().toPoint().x();
    if (resizing_ >= 0) {
        emit ColumnResized(resizing_, std::max(kMinColumnWidth, x - columns_.Left(resizing_)));
        return;
    }
    setCursor(BorderAt(x) >= 0 ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void TkxBrowHeader::mouseReleaseEvent(QMouseEvent* event) {
    const int column = columns_.At(event->position().toPoint().x());
    if (resizing_ < 0 && column >= 0 && column == pressedColumn_) emit ColumnClicked(column);
    resizing_ = -1;
    pressedColumn_ = -1;
}

// ---------------------------------------------------------------------------

TkxBrowGrid::TkxBrowGrid(const BrowColumns& columns, QWidget* parent)
    : QWidget(parent), columns_(columns) {
    setObjectName(QStringLiteral("grid"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TkxBrowGrid::SetRowHeight(int height) {
    rowHeight_ = std::max(height, 1);
    update();
}

int TkxBrowGrid::VisibleRows() const {
    return std::max(1, (height() - kGridLine) / (rowHeight_ + kGridLine));
}

void TkxBrowGrid::SetRows(std::vector<GridRow> rows, int cursor) {
    rows_ = std::move(rows);
    cursor_ = cursor;
    update();
}

void TkxBrowGrid::UpdateRows(const std::vector<int>& rows) {
    for (int row : rows)
        update(0, (row - 1) * (rowHeight_ + kGridLine), width(), rowHeight_ + kGridLine);
}

int TkxBrowGrid::RowAt(int y) const {
    const int row = y / (rowHeight_ + kGridLine) + 1;
    return y >= 0 && row <= static_cast<int>(rows_.size()) ? row : 0;
}

void TkxBrowGrid::PaintRow(QPainter& painter, int index, int top) const {
    const int right = columns_.Left(columns_.Count());
    const GridRow* row =
        index < static_cast<int>(rows_.size()) ? &rows_[static_cast<std::size_t>(index)] : nullptr;
    const bool isCursor = row && index + 1 == cursor_;
    QColor text = palette().color(QPalette::Text);
    if (isCursor) {
        const bool active = hasFocus();
        painter.fillRect(0, top, std::min(right, width()), rowHeight_,
                         active ? palette().color(QPalette::Highlight) : kInactiveCursor);
        if (active) text = palette().color(QPalette::HighlightedText);
    } else if (row && row->marked) {
        painter.fillRect(0, top, std::min(right, width()), rowHeight_, kMarkedColour);
    }
    if (row && row->unreadable && !isCursor) text = kUnreadableText;
    painter.setPen(kLineColour);
    painter.drawLine(0, top + rowHeight_, width(), top + rowHeight_);
    for (int c = columns_.first; c < columns_.Count(); ++c) {
        const int left = columns_.Left(c);
        if (left >= width()) break;
        const int w = columns_.widths[static_cast<std::size_t>(c)];
        painter.setPen(kLineColour);
        painter.drawLine(left + w, top, left + w, top + rowHeight_);
        if (!row) continue;
        painter.setPen(text);
        PaintCell(painter, QRect(left, top, w, rowHeight_), row->cells.value(c));
    }
}

void TkxBrowGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Base));
    const int step = rowHeight_ + kGridLine;
    const int firstRow = event->rect().top() / step;
    const int lastRow = std::min(event->rect().bottom() / step, VisibleRows() - 1);
    for (int index = firstRow; index <= lastRow; ++index) PaintRow(painter, index, index * step);
}

void TkxBrowGrid::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return;
    if (const int row = RowAt(event->position().toPoint().y())) emit RowClicked(row);
}

void TkxBrowGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (const int row = RowAt(event->position().toPoint().y())) emit RowDoubleClicked(row);
}

void TkxBrowGrid::wheelEvent(QWheelEvent* event) {
    wheelAngle_ += event->angleDelta().y();
    const int steps = wheelAngle_ / kWheelNotch;
    wheelAngle_ -= steps * kWheelNotch;
    if (steps != 0) emit Wheel(-steps);
    event->accept();
}

}  // namespace mss::ui

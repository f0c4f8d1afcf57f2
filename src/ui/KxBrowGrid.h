// The visible table of the record browser: a heading line with the column
// titles (click to sort, drag a border to resize) and the rows of the
// browsing window, both painted from the same column layout.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <vector>

namespace mss::ui {

// Column titles and widths in pixels, and the first column in view.
struct BrowColumns {
    QStringList titles;
    std::vector<int> widths;
    int first = 0;

    int Count() const { return static_cast<int>(widths.size()); }
    // Left edge of column in the view; negative for columns scrolled off.
    int Left(int column) const;
    // The column under x in the view, -1 right of the last one.
    int At(int x) const;
};

// Splits a row or heading text at ";" into at least one cell.
QStringList SplitColumns(const QString& text);

// What one grid row shows.
struct GridRow {
    QStringList cells;
    bool marked = false;  // the application put character code 1 in front
    bool unreadable = false;
};

// Grid lines are 1 pixel; a row takes RowHeight() + 1 pixels.
inline constexpr int kGridLine = 1;

class TkxBrowHeader : public QWidget {
    Q_OBJECT

  public:
    TkxBrowHeader(const BrowColumns& columns, QWidget* parent);
    void SetRowHeight(int height);
    QSize sizeHint() const override;

  signals:
    void ColumnClicked(int column);
    void ColumnResized(int column, int width);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    // The column whose right border is under x, -1 for none.
    int BorderAt(int x) const;

    const BrowColumns& columns_;
    int rowHeight_ = 16;
    int resizing_ = -1;
    int pressedColumn_ = -1;
};

class TkxBrowGrid : public QWidget {
    Q_OBJECT

  public:
    TkxBrowGrid(const BrowColumns& columns, QWidget* parent);
    void SetRowHeight(int height);
    int RowHeight() const { return rowHeight_; }
    // Whole rows that fit, at least 1.
    int VisibleRows() const;
    // cursor is 1-based, 0 for none.
    void SetRows(std::vector<GridRow> rows, int cursor);
    // Repaints only the given rows (1-based).
    void UpdateRows(const std::vector<int>& rows);
    const std::vector<GridRow>& Rows() const { return rows_; }
    // The row under y (1-based), 0 below the filled rows.
    int RowAt(int y) const;

  signals:
    void RowClicked(int row);
    void RowDoubleClicked(int row);
    void Wheel(int steps);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void PaintRow(class QPainter& painter, int index, int top) const;

    const BrowColumns& columns_;
    std::vector<GridRow> rows_;
    int cursor_ = 0;
    int rowHeight_ = 16;
    int wheelAngle_ = 0;
};

}  // namespace mss::ui

#include "app/logform/MultiplierBoard.h"

#include <QGridLayout>
#include <QLabel>

#include "log/MultiplierBoard.h"
#include "platform/qt/QtText.h"

namespace mss::app {

namespace {

QColor ColourOf(log::MultState state) {
    switch (state) {
        case log::MultState::kNew:
            return QColor(255, 0, 0);
        case log::MultState::kWorkedAgain:
            return QColor(0, 128, 0);
        case log::MultState::kSaved:
            break;
    }
    return QColor(128, 128, 128);
}

}  // namespace

TMultiplierBoard::TMultiplierBoard(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("panelmulties"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(1);
}

void TMultiplierBoard::Build(int columns) {
    for (QLabel* cell : cells_) delete cell;
    cells_.clear();
    columns_ = columns;
    auto* grid = static_cast<QGridLayout*>(layout());
    for (int row = 0; row < log::kBoardRows; ++row) {
        for (int column = 0; column < columns; ++column) {
            auto* cell = new QLabel(this);
            cell->setObjectName(QStringLiteral("lMult%1_%2").arg(row + 1).arg(column + 1));
            grid->addWidget(cell, row, column);
            cells_.push_back(cell);
        }
    }
}

void TMultiplierBoard::Refresh(const log::LogSession& session) {
    const log::MultiplierBoard board = log::MultiplierBoardOf(session);
    setVisible(board.shown);
    if (!board.shown) return;
    if (board.columns != columns_) Build(board.columns);
    for (std::size_t i = 0; i < cells_.size() && i < board.cells.size(); ++i) {
        const log::BoardCell& value = board.cells[i];
        QLabel& cell = *cells_[i];
        cell.setText(platform::QtText(value.text));
        QFont font = cell.font();
        font.setBold(value.bold);
        font.setUnderline(value.underline);
        cell.setFont(font);
        QPalette palette = cell.palette();
        palette.setColor(QPalette::WindowText, ColourOf(value.state));
        cell.setPalette(palette);
    }
}

}  // namespace mss::app

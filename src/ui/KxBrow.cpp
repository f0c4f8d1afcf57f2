#include "ui/KxBrow.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <new>
#include <numeric>
#include <stdexcept>

#include "platform/Messages.h"
#include "platform/qt/QtText.h"
#include "store/FileblockObject.h"
#include "ui/KxBrowScroll.h"
#include "ui/KxBrowTexts.h"
#include "ui/KxEdit.h"

namespace mss::ui {
namespace {

constexpr double kRowHeightFactor = 1.2;
constexpr char kFooterClear = '\xFE';

QString ToDisplay(std::string_view cp1252) {
    std::string text(cp1252);
    DosToDisplay(text);
    return platform::QtText(text);
}

}  // namespace

TkxBrow::TkxBrow(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Brow"));
    setProperty("browser", true);
    setFrameShape(QFrame::NoFrame);

    BuildTopBar();
    auto* middle = new QWidget(this);
    auto* table = new QGridLayout(middle);
    table->setContentsMargins(0, 0, 0, 0);
    table->setSpacing(0);
    header_ = new TkxBrowHeader(columns_, middle);
    grid_ = new TkxBrowGrid(columns_, middle);
    grid_->installEventFilter(this);
    vScroll_ = new QScrollBar(Qt::Vertical, middle);
    vScroll_->setObjectName(QStringLiteral("vScroll"));
    hScroll_ = new QScrollBar(Qt::Horizontal, middle);
    hScroll_->setObjectName(QStringLiteral("hScroll"));
    table->addWidget(header_, 0, 0);
    table->addWidget(grid_, 1, 0);
    table->addWidget(vScroll_, 0, 1, 2, 1);
    table->addWidget(hScroll_, 2, 0);
    lFooter_ = new QLabel(this);
    lFooter_->setObjectName(QStringLiteral("lFooter"));
    lFooter_->hide();
    BuildBottomBar();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(topBar_);
    layout->addWidget(middle, 1);
    layout->addWidget(lFooter_);
    layout->addWidget(bottomBar_);
    setFocusProxy(grid_);

    connect(header_, &TkxBrowHeader::ColumnClicked, this, &TkxBrow::SelectSortEntry);
    connect(header_, &TkxBrowHeader::ColumnResized, this, [this](int column, int width) {
        baseWidths_[static_cast<std::size_t>(column)] = width;
        FitColumns();
    });
    connect(grid_, &TkxBrowGrid::RowClicked, this, &TkxBrow::RowClicked);
    connect(grid_, &TkxBrowGrid::RowDoubleClicked, this, &TkxBrow::RowDoubleClicked);
    connect(grid_, &TkxBrowGrid::Wheel, this, &TkxBrow::Wheel);
    connect(vScroll_, &QScrollBar::actionTriggered, this, &TkxBrow::ScrollAction);
    connect(vScroll_, &QScrollBar::sliderReleased, this, &TkxBrow::ScrollReleased);
    connect(hScroll_, &QScrollBar::valueChanged, this, [this](int column) {
        SetFirstColumn(column);
        if (events_.OnBrowScroll) events_.OnBrowScroll();
    });

    SetRowHeight(static_cast<int>(std::lround(kRowHeightFactor * grid_->fontMetrics().height())));
    SetColumns({QString()});
    UpdateScrollBars();
}

TkxBrow::~TkxBrow() = default;

void TkxBrow::SetRowHeight(int pixels) {
    grid_->SetRowHeight(pixels);
    header_->SetRowHeight(pixels);
    AfterGridResize();
}

// ---------------------------------------------------------------------------
// Attaching.

bool TkxBrow::InitFailed(const QString& text) {
    browser_.reset();
    scroll_.reset();
    ShowWindow();
    platform::CurrentMessages().Information(platform::Cp1252Text(text));
    return false;
}

bool TkxBrow::Init(store::TFileblockObject* object, int keyNr, std::string lowKey,
                   std::string highKey, bool restorePosition, int /*reserved*/) {
    const char* marker = "FNr 1";
    try {
        return InitSteps(object, keyNr, std::move(lowKey), std::move(highKey), restorePosition,
                         marker);
    } catch (const std::bad_alloc&) {
        return InitFailed(QString::fromUtf8(browtext::kNoMemory));
    } catch (const std::exception&) {
        return InitFailed(QString::fromUtf8(browtext::kBuildFailed) + QString::fromLatin1(marker) +
                          QLatin1Char(')'));
    }
}

bool TkxBrow::InitSteps(store::TFileblockObject* object, int keyNr, std::string lowKey,
                        std::string highKey, bool restorePosition, const char*& marker) {
    if (!object) return InitFailed(QString::fromUtf8(browtext::kInvalidDriver));
    if (keyNr < 1 || keyNr > object->KeyCount())
        return InitFailed(QString::fromUtf8(browtext::kOpenFailed));
    marker = "FNr 2";
    if (object->EnsureOpen() != 0) return InitFailed(QString::fromUtf8(browtext::kCannotOpen));
    marker = "FNr 3";
    browser_ = std::make_unique<TKBrowser>(
        *object, keyNr, BrowRange{std::move(lowKey), std::move(highKey)}, restorePosition);
    scroll_ = std::make_unique<BrowScroll>(*object, keyNr);
    marker = "FNr 4";
    browser_->SetBuildRow([this](RowRec& row) {
        if (events_.OnBuildRow) events_.OnBuildRow(row);
    });
    browser_->SetRowCount(grid_->VisibleRows());
    marker = "FNr 5";
    browser_->FirstPage();

    marker = "FNr 10";
    SetColumns({QString()});
    marker = "FNr 11";
    if (events_.OnSetHeaderFooter) events_.OnSetHeaderFooter();
    marker = "FNr 12";
    cbSortierung_->clear();
    if (events_.OnInitSortList) events_.OnInitSortList();
    marker = "FNr 13";
    ApplySortListState();
    marker = "FNr 14";
    ClearSearch();
    marker = "FNr 15";
    ShowWindow();
    return true;
}

// ---------------------------------------------------------------------------
// Headings, footer and columns.

void TkxBrow::SetHeaderFooter(std::string_view headings, std::string_view footer) {
    SetColumns(SplitColumns(ToDisplay(headings)));
    const bool clear = footer.empty() || (footer.size() == 1 && footer[0] == kFooterClear);
    lFooter_->setText(clear ? QString() : ToDisplay(footer));
    lFooter_->setVisible(!clear);
}

QString TkxBrow::FooterText() const {
    return lFooter_->text();
}

void TkxBrow::SetColumns(const QStringList& titles) {
    columns_.titles = titles;
    columns_.first = 0;
    baseWidths_.clear();
    const int xWidth = grid_->fontMetrics().horizontalAdvance(QLatin1Char('X'));
    for (int i = 0; i < titles.size(); ++i) {
        const int width = events_.OnBrowColWidths
                              ? events_.OnBrowColWidths(i + 1)
                              : (static_cast<int>(titles[i].size()) + 1) * xWidth;
        baseWidths_.push_back(std::max(width, 1));
    }
    FitColumns();
}

void TkxBrow::FitColumns() {
    columns_.widths = baseWidths_;
    const int used = std::accumulate(baseWidths_.begin(), baseWidths_.end() - 1, 0) +
                     static_cast<int>(baseWidths_.size()) * kGridLine;
    int& last = columns_.widths.back();
    last = std::max(last, grid_->width() - used);
    UpdateScrollBars();
    header_->update();
    grid_->update();
}

int TkxBrow::ColumnWidth(int i) const {
    if (i < 1 || i > columns_.Count()) return 0;
    return columns_.widths[static_cast<std::size_t>(i - 1)];
}

void TkxBrow::SetFirstColumn(int column) {
    column = std::clamp(column, 0, columns_.Count() - 1);
    if (column == columns_.first) return;
    columns_.first = column;
    UpdateScrollBars();
    header_->update();
    grid_->update();
}

// ---------------------------------------------------------------------------
// Sort list.

void TkxBrow::ClearSortList() {
    cbSortierung_->clear();
    ApplySortListState();
}

void TkxBrow::AddSortEntry(std::string_view text) {
    cbSortierung_->addItem(platform::QtText(text));
    ApplySortListState();
}

int TkxBrow::SortlistItemIndex() const {
    return cbSortierung_->currentIndex();
}

void TkxBrow::SetSortlistItemIndex(int index) {
    cbSortierung_->setCurrentIndex(index);
}

int TkxBrow::SortKeyNr() const {
    return browser_ ? browser_->KeyNr() : 0;
}

// ---------------------------------------------------------------------------
// Positioning and the current record.

void TkxBrow::GotoKey(std::string_view key, store::RecordRef ref) {
    if (!browser_) return;
    browser_->FillAround({std::string(key), ref});
    ShowWindow();
}

void TkxBrow::Refresh() {
    if (!browser_) return;
    const int cursorBefore = browser_->CursorRow();
    browser_->Refresh();
    RedrawChanged();
    if (cursorBefore != browser_->CursorRow()) grid_->UpdateRows({cursorBefore});
}

std::string TkxBrow::CurrentKey() const {
    if (!browser_) return {};
    const auto entry = browser_->CurrentEntry();
    return entry ? entry->key : std::string();
}

store::RecordRef TkxBrow::CurrentRef() const {
    if (!browser_) return 0;
    const auto entry = browser_->CurrentEntry();
    return entry ? entry->ref : 0;
}

bool TkxBrow::ReadCurrent() {
    if (!browser_) return false;
    const auto entry = browser_->CurrentEntry();
    if (!entry) return false;
    // A keyed read, so that a following Delete moves on in the browsed order.
    store::TFileblockObject& object = browser_->Object();
    return object.GotoPosition({browser_->KeyNr(), entry->ref, entry->key, &object}, 0) == 0;
}

bool TkxBrow::CheckCurrent() {
    if (ReadCurrent()) return true;
    platform::CurrentMessages().Information(browtext::Bytes(browtext::kCannotRead));
    return false;
}

void TkxBrow::Move(bool (TKBrowser::*move)()) {
    if (!browser_) return;
    ((*browser_).*move)();
    ShowWindow();
}

void TkxBrow::FirstPage() {
    if (!browser_) return;
    browser_->FirstPage();
    ShowWindow();
}

void TkxBrow::LastPage() {
    if (!browser_) return;
    browser_->LastPage();
    ShowWindow();
}

void TkxBrow::NextRecord() {
    Move(&TKBrowser::NextRecord);
}
void TkxBrow::PrevRecord() {
    Move(&TKBrowser::PrevRecord);
}
void TkxBrow::NextPage() {
    Move(&TKBrowser::NextPage);
}
void TkxBrow::PrevPage() {
    Move(&TKBrowser::PrevPage);
}

// ---------------------------------------------------------------------------
// Showing the window.

namespace {

// Row texts are in the display code page already.
GridRow ToGridRow(const RowRec& row) {
    GridRow grid;
    QString text = platform::QtText(row.Line);
    if (text.startsWith(QChar(1))) {
        grid.marked = true;
        text.remove(0, 1);
    }
    grid.cells = SplitColumns(text);
    grid.unreadable = row.ReadFailed != 0;
    return grid;
}

}  // namespace

void TkxBrow::ShowWindow() {
    std::vector<GridRow> rows;
    if (browser_)
        for (int row = 1; row <= browser_->FilledRows(); ++row)
            rows.push_back(ToGridRow(browser_->Row(row)));
    grid_->SetRows(std::move(rows), browser_ ? browser_->CursorRow() : 0);
    grid_->update();
    UpdateScrollBars();
}

void TkxBrow::RedrawChanged() {
    std::vector<GridRow> rows;
    std::vector<int> changed;
    for (int row = 1; row <= kBrowRowCapacity; ++row) {
        const RowRec& rec = browser_->Row(row);
        if (row <= browser_->FilledRows()) rows.push_back(ToGridRow(rec));
        if (rec.Changed) changed.push_back(row);
    }
    changed.push_back(browser_->CursorRow());
    grid_->SetRows(std::move(rows), browser_->CursorRow());
    grid_->UpdateRows(changed);
    UpdateScrollBars();
}

void TkxBrow::UpdateScrollBars() {
    const QSignalBlocker blockV(vScroll_);
    const QSignalBlocker blockH(hScroll_);
    hScroll_->setRange(0, std::max(columns_.Count() - 1, 0));
    hScroll_->setValue(columns_.first);
    if (!browser_) {
        vScroll_->setRange(0, 0);
        return;
    }
    scroll_->Measure();
    vScroll_->setRange(0, scroll_->Maximum());
    vScroll_->setSingleStep(1);
    vScroll_->setPageStep(std::max(grid_->VisibleRows() - 2, 1));
    if (vScroll_->isSliderDown()) return;
    const auto entry = browser_->CurrentEntry();
    vScroll_->setValue(entry ? scroll_->ThumbOf(*entry) : 0);
}

void TkxBrow::AfterGridResize() {
    if (!grid_ || baseWidths_.empty()) return;
    FitColumns();
    if (!browser_) return;
    browser_->SetRowCount(grid_->VisibleRows());
    ShowWindow();
}

}  // namespace mss::ui

// The browser's input: keys from the grid, the quick-search field and the
// sort list, mouse clicks and the wheel, the scroll bars, the sort choice,
// the quick search itself and deleting with confirmation.
#include <QComboBox>
#include <QKeyEvent>
#include <QScrollBar>
#include <cstdlib>

#include "platform/Messages.h"
#include "platform/qt/QtText.h"
#include "store/FileblockObject.h"
#include "ui/KxBrow.h"
#include "ui/KxBrowScroll.h"
#include "ui/KxBrowTexts.h"
#include "ui/KxEdit.h"

namespace mss::ui {
namespace {

// Keys that edit the quick-search text rather than act on the list.
bool EditsSearchText(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    switch (event.key()) {
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
        case Qt::Key_Left:
        case Qt::Key_Right:
            return true;
        default:
            break;
    }
    const QString text = event.text();
    return !text.isEmpty() && text.at(0).isPrint();
}

}  // namespace

bool TkxBrow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::Resize) {
        AfterGridResize();
    } else if (watched == bottomBar_ && event->type() == QEvent::Resize) {
        ArrangeBottomBar();
    } else if (event->type() == QEvent::KeyPress) {
        auto& key = static_cast<QKeyEvent&>(*event);
        if (watched == grid_) return HandleKey(key.key(), key.modifiers(), KeySource::Grid);
        if (watched == eSuche_ && !EditsSearchText(key))
            return HandleKey(key.key(), key.modifiers(), KeySource::Search);
        if (watched == cbSortierung_)
            return HandleKey(key.key(), key.modifiers(), KeySource::SortList);
    }
    return QFrame::eventFilter(watched, event);
}

bool TkxBrow::KeyDown(int key, Qt::KeyboardModifiers modifiers) {
    return HandleKey(key, modifiers, KeySource::Grid);
}

bool TkxBrow::HandleKey(int key, Qt::KeyboardModifiers modifiers, KeySource source) {
    const bool ctrl = modifiers & Qt::ControlModifier;
    if (HandleNavigationKey(key, ctrl, source)) {
        ClearSearch();
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (source == KeySource::Search && events_.OnBrowSuchfeldEnter)
            events_.OnBrowSuchfeldEnter();
        else if (events_.OnBrowEnter)
            events_.OnBrowEnter();
        ClearSearch();
        return true;
    }
    if (key == Qt::Key_Delete && source == KeySource::Grid) {
        DeleteCurrent();
        ClearSearch();
        return true;
    }
    if (source == KeySource::SortList && key != Qt::Key_Escape) return false;
    return events_.OnProcessPostCommand && events_.OnProcessPostCommand(key, modifiers);
}

bool TkxBrow::HandleNavigationKey(int key, bool ctrl, KeySource source) {
    switch (key) {
        case Qt::Key_Up:
        case Qt::Key_Down:
            if (source == KeySource::SortList) return false;
            key == Qt::Key_Up ? PrevRecord() : NextRecord();
            return true;
        case Qt::Key_PageUp:
            ctrl ? FirstPage() : PrevPage();
            return true;
        case Qt::Key_PageDown:
            ctrl ? LastPage() : NextPage();
            return true;
        case Qt::Key_Home:
            ctrl ? FirstPage() : SetFirstColumn(0);
            return true;
        case Qt::Key_End:
            ctrl ? LastPage() : SetFirstColumn(columns_.Count() - 1);
            return true;
        case Qt::Key_Left:
        case Qt::Key_Right:
            if (!ctrl && source != KeySource::Grid) return false;
            SetFirstColumn(columns_.first + (key == Qt::Key_Left ? -1 : 1));
            return true;
        default:
            return false;
    }
}

// ---------------------------------------------------------------------------
// Mouse and scroll bars.

void TkxBrow::RowClicked(int row) {
    if (browser_ && browser_->SetCursorRow(row)) ShowWindow();
}

void TkxBrow::RowDoubleClicked(int row) {
    if (!browser_ || !browser_->SetCursorRow(row)) return;
    ShowWindow();
    if (CheckCurrent() && events_.OnBrowDoppelKlick) events_.OnBrowDoppelKlick();
}

void TkxBrow::Wheel(int steps) {
    for (int i = 0; i < std::abs(steps); ++i) steps > 0 ? NextRecord() : PrevRecord();
}

void TkxBrow::ScrollAction(int action) {
    if (!browser_) return;
    switch (action) {
        case QAbstractSlider::SliderSingleStepAdd:
            browser_->NextRecord();
            break;
        case QAbstractSlider::SliderSingleStepSub:
            browser_->PrevRecord();
            break;
        case QAbstractSlider::SliderPageStepAdd:
            browser_->NextPage();
            break;
        case QAbstractSlider::SliderPageStepSub:
            browser_->PrevPage();
            break;
        case QAbstractSlider::SliderToMinimum:
            browser_->FirstPage();
            break;
        case QAbstractSlider::SliderToMaximum:
            browser_->LastPage();
            break;
        case QAbstractSlider::SliderMove: {
            const int p = vScroll_->sliderPosition();
            if (p <= 0) {
                browser_->FirstPage();
            } else if (p >= scroll_->Maximum()) {
                browser_->LastPage();
            } else if (const auto entry = scroll_->EntryAt(p)) {
                browser_->FillAround(*entry);
            }
            break;
        }
        default:
            return;
    }
    ShowWindow();
    // The slider takes its position from here once this handler returns;
    // while it is dragged it stays under the mouse.
    if (!vScroll_->isSliderDown()) vScroll_->setSliderPosition(vScroll_->value());
    if (events_.OnBrowScroll) events_.OnBrowScroll();
}

void TkxBrow::ScrollReleased() {
    UpdateScrollBars();
}

// ---------------------------------------------------------------------------
// Sort list.

void TkxBrow::SelectSortEntry(int i) {
    if (i < 0 || i >= cbSortierung_->count()) return;
    cbSortierung_->setCurrentIndex(i);
    SortEntryChosen(i);
}

void TkxBrow::SortEntryChosen(int i) {
    if (!browser_ || !events_.OnSortList2Key) return;
    std::string lowKey;
    std::string highKey;
    const int keyNr = events_.OnSortList2Key(i, lowKey, highKey);
    if (keyNr == 0 || keyNr == browser_->KeyNr()) return;
    store::TFileblockObject& object = browser_->Object();
    if (keyNr > object.KeyCount()) return;

    // The record under the cursor keeps its row in the new order.
    std::optional<BrowEntry> anchor;
    if (const auto entry = browser_->CurrentEntry(); entry && object.Read(entry->ref) == 0)
        anchor = BrowEntry{object.BuildKey(keyNr), entry->ref};
    browser_->SetKey(keyNr, BrowRange{std::move(lowKey), std::move(highKey)});
    scroll_ = std::make_unique<BrowScroll>(object, keyNr);
    if (anchor)
        browser_->FillAround(*anchor);
    else
        browser_->FirstPage();
    if (events_.OnSetHeaderFooter) events_.OnSetHeaderFooter();
    SetFirstColumn(0);
    ShowWindow();
    ClearSearch();
}

// ---------------------------------------------------------------------------
// Quick search.

void TkxBrow::ClearSearch() {
    clearingSearch_ = true;
    eSuche_->clear();
    clearingSearch_ = false;
}

void TkxBrow::QuickSearch(const QString& text) {
    if (clearingSearch_ || !browser_) return;
    const std::string upper = SearchUpper(platform::Cp1252Text(text));
    const std::string key = events_.OnSuchFeld2KeyStr ? events_.OnSuchFeld2KeyStr(upper) : upper;
    if (key.empty()) return;

    // The first entry not below the text; when it does not begin with the
    // text, the one before it, the nearer neighbour of where the text would be.
    store::TFileblockObject& object = browser_->Object();
    const int keyNr = browser_->KeyNr();
    BrowEntry found{key, 0};
    const bool above = object.FindEntry(keyNr, found.ref, found.key, 1) == 0;
    if (!above || !found.key.starts_with(key)) {
        BrowEntry before = above ? found : browser_->Range().End();
        if (object.PrevEntry(keyNr, before.ref, before.key) == 0)
            found = before;
        else if (!above)
            return;
    }
    browser_->FillAround(found);
    ShowWindow();
}

// ---------------------------------------------------------------------------
// Delete and close.

void TkxBrow::DeleteCurrent() {
    if (!browser_) return;
    const auto deleted = browser_->CurrentEntry();
    if (!deleted || !CheckCurrent()) return;
    if (events_.OnBefore_Loesch && !events_.OnBefore_Loesch()) return;
    const std::string field = events_.OnLoesch_Feld
                                  ? events_.OnLoesch_Feld()
                                  : browtext::Bytes(browtext::kDefaultDeleteField);
    const std::string question = browtext::Bytes(browtext::kDeleteQuestion) + '"' + field + '"';
    if (!platform::CurrentMessages().Question(question)) return;

    store::TFileblockObject& object = browser_->Object();
    // The default deletion moves on to the next record; finding none there
    // (level 1) still means the record is gone.
    const bool done =
        events_.OnDatensatz_Loeschen ? events_.OnDatensatz_Loeschen() : object.Delete(3) <= 1;
    if (!done) return;
    const store::RecordRef current = object.CurrentRef();
    browser_->FillAround(current > 0 ? BrowEntry{object.BuildKey(browser_->KeyNr()), current}
                                     : *deleted);
    ShowWindow();
}

void TkxBrow::CloseClicked() {
    if (events_.OnBrowCloseBtnKlick) events_.OnBrowCloseBtnKlick(sender());
}

}  // namespace mss::ui

// The record browser: a panel that lists the records of one fileblock as a
// scrolling table, one row per index entry, in the order of a chosen key and
// limited to a range of key prefixes. Only the rows that fit are read; the
// application supplies row texts, headings and sort choices through the
// published events (BrowEvents).
#pragma once

#include <QFrame>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "store/Filer.h"
#include "ui/KxBrowEvents.h"
#include "ui/KxBrowGrid.h"
#include "ui/KxBrowWindow.h"

class QComboBox;
class QLabel;
class QScrollBar;
class QToolButton;

namespace mss::store {
class TFileblockObject;
}

namespace mss::ui {

class BrowScroll;
class TkxEdit;
enum class BrowGlyph;

class TkxBrow : public QFrame {
    Q_OBJECT
    Q_PROPERTY(int SortlistItemIndex READ SortlistItemIndex WRITE SetSortlistItemIndex)
    Q_PROPERTY(bool SortlistVisible READ SortlistVisible WRITE SetSortlistVisible)
    Q_PROPERTY(bool SortlistEnabled READ SortlistEnabled WRITE SetSortlistEnabled)

  public:
    explicit TkxBrow(QWidget* parent = nullptr);
    ~TkxBrow() override;

    BrowEvents& Events() { return events_; }

    // Attaches the browser to keyNr of object over [lowKey, highKey] and shows
    // the first page. On failure shows the reason and answers false; the
    // browser then stays unattached and every navigation does nothing.
    bool Init(store::TFileblockObject* object, int keyNr, std::string lowKey, std::string highKey,
              bool restorePosition, int reserved = 0);

    // Column titles separated by ";" and a footer line (the single byte 0xFE
    // clears it); Windows-1252.
    void SetHeaderFooter(std::string_view headings, std::string_view footer);
    void ClearSortList();
    void AddSortEntry(std::string_view text);
    // Picks sort entry i as the operator would (combo box or heading click).
    void SelectSortEntry(int i);

    // The key browsed now; 0 before Init.
    int SortKeyNr() const;
    // Shows the first in-range entry not below (key, ref) under the cursor.
    void GotoKey(std::string_view key, store::RecordRef ref);
    // Re-reads every row and redraws the rows that changed.
    void Refresh();
    // Key and reference of the cursor row ("" and 0 when the list is empty).
    std::string CurrentKey() const;
    store::RecordRef CurrentRef() const;
    // Reads the cursor row's record into the object's buffer.
    bool ReadCurrent();
    // The same; on failure tells the operator and answers false.
    bool CheckCurrent();

    // The tool bar's movements.
    void FirstPage();
    void LastPage();
    void NextRecord();
    void PrevRecord();
    void NextPage();
    void PrevPage();

    // Key handling for forms that pass on keys while a control of the browser
    // has the focus (acts as with the grid focused); answers whether it was used.
    bool KeyDown(int key, Qt::KeyboardModifiers modifiers);

    int SortlistItemIndex() const;
    void SetSortlistItemIndex(int index);
    bool SortlistVisible() const { return sortlistVisible_; }
    void SetSortlistVisible(bool visible);
    bool SortlistEnabled() const { return sortlistEnabled_; }
    void SetSortlistEnabled(bool enabled);
    void SetSearchFieldVisible(bool visible);
    // Shows the top bar with its close button (and the narrow bar's one).
    void SetCloseButtonVisible(bool visible);
    void SetRowHeight(int pixels);

    int ColumnCount() const { return columns_.Count(); }
    // Width in pixels of column i (1-based) as shown now.
    int ColumnWidth(int i) const;
    int FirstColumn() const { return columns_.first; }
    QString FooterText() const;
    const TKBrowser* Browser() const { return browser_.get(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    enum class KeySource { Grid, Search, SortList };

    // KxBrowBars.cpp
    void BuildTopBar();
    void BuildBottomBar();
    QToolButton* ToolButton(const char* name, BrowGlyph glyph, const char* hint,
                            void (TkxBrow::*move)());
    void ArrangeBottomBar();
    void ApplySortListState();

    // KxBrow.cpp
    bool InitSteps(store::TFileblockObject* object, int keyNr, std::string lowKey,
                   std::string highKey, bool restorePosition, const char*& marker);
    bool InitFailed(const QString& text);
    void ShowWindow();
    void RedrawChanged();
    void UpdateScrollBars();
    void SetColumns(const QStringList& titles);
    void FitColumns();
    void SetFirstColumn(int column);
    void AfterGridResize();
    void Move(bool (TKBrowser::*move)());

    // KxBrowInput.cpp
    bool HandleKey(int key, Qt::KeyboardModifiers modifiers, KeySource source);
    bool HandleNavigationKey(int key, bool ctrl, KeySource source);
    void RowClicked(int row);
    void RowDoubleClicked(int row);
    void Wheel(int steps);
    void ScrollAction(int action);
    void ScrollReleased();
    void SortEntryChosen(int i);
    void QuickSearch(const QString& text);
    void ClearSearch();
    void DeleteCurrent();
    void CloseClicked();

    BrowEvents events_;
    std::unique_ptr<TKBrowser> browser_;
    std::unique_ptr<BrowScroll> scroll_;
    BrowColumns columns_;
    std::vector<int> baseWidths_;  // before the last column is stretched

    QFrame* topBar_ = nullptr;
    QToolButton* btnClose_ = nullptr;
    TkxBrowHeader* header_ = nullptr;
    TkxBrowGrid* grid_ = nullptr;
    QScrollBar* vScroll_ = nullptr;
    QScrollBar* hScroll_ = nullptr;
    QLabel* lFooter_ = nullptr;
    QFrame* bottomBar_ = nullptr;
    QLabel* lSortierung_ = nullptr;
    QComboBox* cbSortierung_ = nullptr;
    QLabel* imgSchnellsuche_ = nullptr;
    TkxEdit* eSuche_ = nullptr;
    QWidget* toolBar_ = nullptr;
    QToolButton* btnClose2_ = nullptr;

    bool sortlistVisible_ = true;
    bool sortlistEnabled_ = true;
    bool searchVisible_ = true;
    bool closeButtons_ = false;
    bool clearingSearch_ = false;
};

}  // namespace mss::ui

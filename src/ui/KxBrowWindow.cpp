#include "ui/KxBrowWindow.h"

#include <algorithm>
#include <utility>

#include "store/FileblockObject.h"

namespace mss::ui {

// Brings the object's current record back after the browser has read rows
// through it, for applications that asked for it.
class TKBrowser::PositionGuard {
  public:
    explicit PositionGuard(TKBrowser& browser)
        : browser_(browser), active_(browser.restorePosition_) {
        if (active_) saved_ = browser_.object_.SavePosition(0);
    }
    ~PositionGuard() {
        if (active_ && saved_.ref > 0) browser_.object_.GotoPosition(saved_, 0);
    }
    PositionGuard(const PositionGuard&) = delete;
    PositionGuard& operator=(const PositionGuard&) = delete;

  private:
    TKBrowser& browser_;
    bool active_;
    store::SavedPosition saved_;
};

TKBrowser::TKBrowser(store::TFileblockObject& object, int keyNr, BrowRange range,
                     bool restorePosition)
    : object_(object),
      keyNr_(keyNr),
      range_(std::move(range)),
      restorePosition_(restorePosition),
      rows_(kBrowRowCapacity) {}

void TKBrowser::SetKey(int keyNr, BrowRange range) {
    keyNr_ = keyNr;
    range_ = std::move(range);
}

std::optional<BrowEntry> TKBrowser::CurrentEntry() const {
    if (cursor_ == 0) return std::nullopt;
    return EntryOf(cursor_);
}

BrowEntry TKBrowser::EntryOf(int row) const {
    const RowRec& r = Row(row);
    return {r.Key, r.Ref};
}

std::vector<BrowEntry> TKBrowser::WindowEntries() const {
    std::vector<BrowEntry> entries;
    for (int row = 1; row <= filled_; ++row) entries.push_back(EntryOf(row));
    return entries;
}

std::optional<BrowEntry> TKBrowser::Step(const BrowEntry& from, bool forward) {
    BrowEntry entry = from;
    const int level = forward ? object_.NextEntry(keyNr_, entry.ref, entry.key)
                              : object_.PrevEntry(keyNr_, entry.ref, entry.key);
    if (level > 1) valid_ = false;
    if (level != 0 || !range_.Contains(entry.key)) return std::nullopt;
    return entry;
}

std::optional<BrowEntry> TKBrowser::Locate(const BrowEntry& anchor) {
    const BrowEntry at = range_.Clamp(anchor);
    for (int direction : {1, -1}) {
        BrowEntry entry = at;
        const int level = object_.FindEntry(keyNr_, entry.ref, entry.key, direction);
        if (level > 1) {
            valid_ = false;
            return std::nullopt;
        }
        if (level == 0 && range_.Contains(entry.key)) return entry;
    }
    return std::nullopt;
}

std::vector<BrowEntry> TKBrowser::Collect(const BrowEntry& from, bool forward, std::size_t count) {
    std::vector<BrowEntry> entries;
    BrowEntry at = from;
    while (entries.size() < count) {
        std::optional<BrowEntry> next = Step(at, forward);
        if (!next) break;
        entries.push_back(*next);
        at = *next;
    }
    return entries;
}

void TKBrowser::ReadRow(RowRec& row, const BrowEntry& entry) {
    row.Key = entry.key;
    row.Ref = entry.ref;
    row.ReadFailed = 0;
    row.Line.clear();
    if (object_.Read(entry.ref) != 0) {
        row.ReadFailed = 1;
        row.Line = kUnreadableRow;
        valid_ = false;
    } else {
        if (buildRow_) buildRow_(row);
        DosToDisplay(row.Line);
    }
    row.Built = true;
}

void TKBrowser::Place(const std::vector<BrowEntry>& entries, bool reread) {
    std::vector<RowRec> old = std::move(rows_);
    rows_.assign(kBrowRowCapacity, RowRec{});
    const auto oldFilled = static_cast<std::size_t>(filled_);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        RowRec& row = rows_[i];
        auto same =
            std::find_if(old.begin(), old.begin() + static_cast<std::ptrdiff_t>(oldFilled),
                         [&](const RowRec& r) {
                             return r.Built && r.Ref == entries[i].ref && r.Key == entries[i].key;
                         });
        if (!reread && same != old.begin() + static_cast<std::ptrdiff_t>(oldFilled))
            row = *same;
        else
            ReadRow(row, entries[i]);
    }
    for (std::size_t i = 0; i < rows_.size(); ++i)
        rows_[i].Changed = rows_[i].Line != old[i].Line || rows_[i].Built != old[i].Built;
    filled_ = static_cast<int>(entries.size());
}

void TKBrowser::FillAround(const BrowEntry& anchor) {
    PositionGuard guard(*this);
    valid_ = true;
    const std::optional<BrowEntry> found = Locate(anchor);
    if (!found) {
        Place({}, true);
        cursor_ = 0;
        return;
    }
    const auto rows = static_cast<std::size_t>(rowCount_);
    const auto cursor = static_cast<std::size_t>(std::clamp(cursor_, 1, rowCount_));
    const std::vector<BrowEntry> below = Collect(*found, true, rows - cursor);
    std::vector<BrowEntry> entries = Collect(*found, false, rows - 1 - below.size());
    std::reverse(entries.begin(), entries.end());
    cursor_ = static_cast<int>(entries.size()) + 1;
    entries.push_back(*found);
    entries.insert(entries.end(), below.begin(), below.end());
    Place(entries, true);
}

void TKBrowser::FirstPage() {
    cursor_ = 1;
    FillAround(range_.Start());
}

void TKBrowser::LastPage() {
    cursor_ = rowCount_;
    FillAround(range_.End());
}

void TKBrowser::Refresh() {
    if (filled_ == 0) return FirstPage();
    FillAround(EntryOf(cursor_));
}

void TKBrowser::Rebuild() {
    if (filled_ == 0)
        FirstPage();
    else
        FillAround(EntryOf(cursor_));
}

bool TKBrowser::Movable() {
    if (!valid_) Rebuild();
    return filled_ > 0;
}

bool TKBrowser::SetCursorRow(int row) {
    if (row < 1 || row > filled_) return false;
    cursor_ = row;
    return true;
}

bool TKBrowser::NextRecord() {
    if (!Movable()) return false;
    if (cursor_ < filled_) {
        ++cursor_;
        return true;
    }
    PositionGuard guard(*this);
    const std::optional<BrowEntry> next = Step(EntryOf(filled_), true);
    if (!next) return false;
    std::vector<BrowEntry> entries = WindowEntries();
    if (filled_ == rowCount_) entries.erase(entries.begin());
    entries.push_back(*next);
    Place(entries, false);
    cursor_ = filled_;
    return true;
}

bool TKBrowser::PrevRecord() {
    if (!Movable()) return false;
    if (cursor_ > 1) {
        --cursor_;
        return true;
    }
    PositionGuard guard(*this);
    const std::optional<BrowEntry> previous = Step(EntryOf(1), false);
    if (!previous) return false;
    std::vector<BrowEntry> entries = WindowEntries();
    if (filled_ == rowCount_) entries.pop_back();
    entries.insert(entries.begin(), *previous);
    Place(entries, false);
    cursor_ = 1;
    return true;
}

bool TKBrowser::NextPage() {
    if (!Movable()) return false;
    PositionGuard guard(*this);
    const auto rows = static_cast<std::size_t>(rowCount_);
    const std::vector<BrowEntry> after = Collect(EntryOf(filled_), true, rows);
    const int before = cursor_;
    if (after.size() < rows) {
        // The end of the range: the last full page, the cursor on its last row.
        std::vector<BrowEntry> entries = WindowEntries();
        entries.insert(entries.end(), after.begin(), after.end());
        if (entries.size() > rows)
            entries.erase(entries.begin(), entries.end() - static_cast<std::ptrdiff_t>(rows));
        if (!after.empty()) Place(entries, false);
        cursor_ = filled_;
        return !after.empty() || cursor_ != before;
    }
    Place(after, false);
    return true;
}

bool TKBrowser::PrevPage() {
    if (!Movable()) return false;
    PositionGuard guard(*this);
    const auto rows = static_cast<std::size_t>(rowCount_);
    std::vector<BrowEntry> entries = Collect(EntryOf(1), false, rows);
    std::reverse(entries.begin(), entries.end());
    const int before = cursor_;
    if (entries.size() < rows) {
        // The start of the range: the first full page, the cursor on its first row.
        const bool moved = !entries.empty();
        const std::vector<BrowEntry> window = WindowEntries();
        entries.insert(entries.end(), window.begin(), window.end());
        if (entries.size() > rows) entries.resize(rows);
        if (moved) Place(entries, false);
        cursor_ = 1;
        return moved || cursor_ != before;
    }
    Place(entries, false);
    return true;
}

void TKBrowser::SetRowCount(int rows) {
    rows = std::clamp(rows, 1, kBrowRowCapacity);
    if (rows == rowCount_) return;
    rowCount_ = rows;
    if (filled_ == 0) return;
    PositionGuard guard(*this);
    std::vector<BrowEntry> entries = WindowEntries();
    const auto want = static_cast<std::size_t>(rows);
    if (entries.size() > want) {
        // Drop rows below the cursor first, then above it.
        const std::size_t first = cursor_ > rows ? static_cast<std::size_t>(cursor_ - rows) : 0;
        entries =
            std::vector<BrowEntry>(entries.begin() + static_cast<std::ptrdiff_t>(first),
                                   entries.begin() + static_cast<std::ptrdiff_t>(first + want));
        cursor_ -= static_cast<int>(first);
    } else {
        const std::vector<BrowEntry> below = Collect(entries.back(), true, want - entries.size());
        entries.insert(entries.end(), below.begin(), below.end());
        std::vector<BrowEntry> above = Collect(entries.front(), false, want - entries.size());
        std::reverse(above.begin(), above.end());
        entries.insert(entries.begin(), above.begin(), above.end());
        cursor_ += static_cast<int>(above.size());
    }
    Place(entries, false);
}

}  // namespace mss::ui

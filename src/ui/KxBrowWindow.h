// The browsing engine of the record browser: a window of as many rows as fit
// on screen over the in-range entries of one index of a fileblock object. It
// never counts or loads the whole table; every movement steps the index from
// the window's first or last row and reads only the records of new rows.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/KxBrowRange.h"

namespace mss::store {
class TFileblockObject;
}

namespace mss::ui {

// One window row, handed to the application to fill Line from the record
// just read into the fileblock object's buffer.
struct RowRec {
    std::string Key;
    store::RecordRef Ref = 0;
    std::int32_t ReadFailed = 0;
    bool Changed = false;  // the text differs from what the row showed before
    bool Built = false;
    std::string Line;  // columns separated by ";", display code page
};

inline constexpr int kBrowRowCapacity = 100;
inline constexpr int kBrowInitialRows = 20;
inline constexpr char kUnreadableRow[] = " ***** Datensatz nicht lesbar *****";

class TKBrowser {
  public:
    using BuildRow = std::function<void(RowRec&)>;

    // The window starts empty with kBrowInitialRows rows in use.
    TKBrowser(store::TFileblockObject& object, int keyNr, BrowRange range, bool restorePosition);

    store::TFileblockObject& Object() { return object_; }
    int KeyNr() const { return keyNr_; }
    const BrowRange& Range() const { return range_; }
    // Takes effect with the next filling of the window.
    void SetKey(int keyNr, BrowRange range);
    void SetBuildRow(BuildRow buildRow) { buildRow_ = std::move(buildRow); }

    int RowCount() const { return rowCount_; }
    int FilledRows() const { return filled_; }
    // 1-based; 0 while the window is empty.
    int CursorRow() const { return cursor_; }
    const RowRec& Row(int row) const { return rows_[static_cast<std::size_t>(row - 1)]; }
    std::optional<BrowEntry> CurrentEntry() const;
    bool Valid() const { return valid_; }

    // Grows (filling below, then above) or shrinks (keeping the cursor row)
    // the window; 1 ... kBrowRowCapacity.
    void SetRowCount(int rows);
    // Moves the cursor to a filled row; false for any other row.
    bool SetCursorRow(int row);

    void FirstPage();
    void LastPage();
    // Each answers whether the cursor or the window moved.
    bool NextRecord();
    bool PrevRecord();
    bool NextPage();
    bool PrevPage();
    // Puts the first in-range entry not below anchor (else the last one
    // before it) under the cursor row and fills the window around it,
    // re-reading every row.
    void FillAround(const BrowEntry& anchor);
    // Re-reads every row of the window around the cursor's entry.
    void Refresh();

  private:
    class PositionGuard;

    std::optional<BrowEntry> Step(const BrowEntry& from, bool forward);
    std::optional<BrowEntry> Locate(const BrowEntry& anchor);
    // Up to count in-range entries after (or before) from, nearest first.
    std::vector<BrowEntry> Collect(const BrowEntry& from, bool forward, std::size_t count);
    BrowEntry EntryOf(int row) const;
    std::vector<BrowEntry> WindowEntries() const;
    // Makes entries the window; rows already in the window keep their text
    // unless reread is set.
    void Place(const std::vector<BrowEntry>& entries, bool reread);
    void ReadRow(RowRec& row, const BrowEntry& entry);
    void Rebuild();
    bool Movable();

    store::TFileblockObject& object_;
    int keyNr_;
    BrowRange range_;
    bool restorePosition_;
    BuildRow buildRow_;
    std::vector<RowRec> rows_;
    int rowCount_ = kBrowInitialRows;
    int filled_ = 0;
    int cursor_ = 0;
    bool valid_ = true;
};

}  // namespace mss::ui

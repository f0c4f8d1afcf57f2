// The band log of the log form: the record browser over the open contest
// log, answering its events with the band log's rows, heading and orders,
// keeping its column widths in the contest entry, and handing Enter, double
// click and Del on a contact to the form.
#pragma once

#include <functional>

#include "log/BandLog.h"
#include "log/LogSession.h"
#include "log/QsoRecord.h"
#include "ui/KxBrow.h"

namespace mss::app {

class TBandLogBrow : public ui::TkxBrow {
    Q_OBJECT

  public:
    struct Callbacks {
        // Enter or double click on a contact (the record as read).
        std::function<void(const log::QsoRecord&)> edit;
        // Del on a contact; the form asks and deletes.
        std::function<void(const log::QsoRecord&)> remove;
        // The column widths went into the session's entry: store it.
        std::function<void()> storeEntry;
    };

    // The session (its open log, definition, entry and current band) must
    // outlive the band log. The component is named "Brow".
    TBandLogBrow(log::LogSession& session, Callbacks callbacks, QWidget* parent = nullptr);

    // Attaches to the open log in the opening order; the sort list and the
    // quick search are hidden and the grid is left out of the Tab order.
    bool Open();
    // Switches to an order of the sort list (log::BandLogOrder), keeping the
    // record under the cursor; the widths are kept first.
    void ShowOrder(int order);
    int Order() const { return order_; }
    // The current band changed: a band order follows it.
    void BandChanged();
    // Shows `record` (as stored at `ref`) under the cursor.
    void ShowRecord(const log::QsoRecord& record, store::RecordRef ref);
    // Writes the grid's widths into the entry's ColumnWidths, column 1 first.
    void KeepColumnWidths();

  private:
    void BuildRow(ui::RowRec& row);
    int StoredWidth(int column) const;
    int SortListToKey(int order, std::string& low, std::string& high);
    void ActOnCurrent(const std::function<void(const log::QsoRecord&)>& action);

    log::LogSession& session_;
    Callbacks callbacks_;
    int order_ = log::kOpeningOrder;
};

}  // namespace mss::app

#include "app/listwindows/BandLogBrow.h"

#include <algorithm>

#include "log/ContestLog.h"
#include "log/LogKeys.h"
#include "platform/qt/QtText.h"
#include "ui/KxBrowWindow.h"

namespace mss::app {

TBandLogBrow::TBandLogBrow(log::LogSession& session, Callbacks callbacks, QWidget* parent)
    : ui::TkxBrow(parent), session_(session), callbacks_(std::move(callbacks)) {
    ui::BrowEvents& events = Events();
    events.OnBuildRow = [this](ui::RowRec& row) { BuildRow(row); };
    events.OnSetHeaderFooter = [this] {
        SetHeaderFooter(log::BandLogHeader(session_.definition), "");
    };
    events.OnInitSortList = [this] {
        ClearSortList();
        for (const std::string& caption : log::BandLogSortCaptions(session_.definition))
            AddSortEntry(caption);
    };
    events.OnSortList2Key = [this](int order, std::string& low, std::string& high) {
        return SortListToKey(order, low, high);
    };
    events.OnBrowColWidths = [this](int column) { return StoredWidth(column); };
    events.OnBrowEnter = [this] { ActOnCurrent(callbacks_.edit); };
    events.OnBrowDoppelKlick = [this] { ActOnCurrent(callbacks_.edit); };
    // The form asks its own questions before it deletes, so the browser's
    // question and deletion never run.
    events.OnBefore_Loesch = [this] {
        ActOnCurrent(callbacks_.remove);
        return false;
    };
}

bool TBandLogBrow::Open() {
    order_ = log::kOpeningOrder;
    const log::BandLogKeyRange range = log::BandLogKeyRangeOf(order_, session_.band);
    SetSortlistVisible(false);
    SetSearchFieldVisible(false);
    if (QWidget* grid = findChild<QWidget*>(QStringLiteral("grid")))
        grid->setFocusPolicy(Qt::ClickFocus);
    return Init(session_.log, range.keyNr, range.low, range.high, false);
}

void TBandLogBrow::ShowOrder(int order) {
    if (order < 0 || order >= log::kBandLogOrderCount) return;
    const log::BandLogKeyRange range = log::BandLogKeyRangeOf(order, session_.band);
    if (range.keyNr != SortKeyNr()) {
        SelectSortEntry(order);
        return;
    }
    const bool sameRange = Browser() && Browser()->Range().lowKey == range.low &&
                           Browser()->Range().highKey == range.high;
    if (sameRange) return;
    // The same key over another range (a band order of another band): the
    // browser only switches keys, so it is attached anew.
    KeepColumnWidths();
    order_ = order;
    Init(session_.log, range.keyNr, range.low, range.high, false);
}

void TBandLogBrow::BandChanged() {
    if (log::IsBandOrder(order_)) ShowOrder(order_);
    LastPage();
}

void TBandLogBrow::ShowRecord(const log::QsoRecord& record, store::RecordRef ref) {
    GotoKey(log::BuildKey(record, SortKeyNr()), ref);
}

void TBandLogBrow::KeepColumnWidths() {
    const int columns = std::min(ColumnCount(), contest::ContestEntry::kColumnWidths);
    for (int i = 1; i <= columns; ++i)
        session_.entry.SetColumnWidth(
            i - 1, static_cast<std::int16_t>(std::clamp(ColumnWidth(i), 1, 32767)));
    if (callbacks_.storeEntry) callbacks_.storeEntry();
}

void TBandLogBrow::BuildRow(ui::RowRec& row) {
    row.Line = log::BandLogRow(session_.definition, log::BufferRecord(*session_.log));
}

int TBandLogBrow::StoredWidth(int column) const {
    if (column >= 1 && column <= contest::ContestEntry::kColumnWidths) {
        const int stored = session_.entry.ColumnWidth(column - 1);
        if (stored > 0) return stored;
    }
    // A new entry keeps no widths yet: what the column's title or its
    // widest value needs and one more character, as the browser would give.
    const QWidget* grid = findChild<QWidget*>(QStringLiteral("grid"));
    const int xWidth = (grid ? grid : this)->fontMetrics().horizontalAdvance(QLatin1Char('X'));
    return (log::BandLogColumnChars(session_.definition, column) + 1) * xWidth;
}

int TBandLogBrow::SortListToKey(int order, std::string& low, std::string& high) {
    const log::BandLogKeyRange range = log::BandLogKeyRangeOf(order, session_.band);
    if (range.keyNr == 0 || range.keyNr == SortKeyNr()) return 0;
    KeepColumnWidths();
    order_ = order;
    low = range.low;
    high = range.high;
    return range.keyNr;
}

void TBandLogBrow::ActOnCurrent(const std::function<void(const log::QsoRecord&)>& action) {
    if (!action || CurrentRef() == 0) return;
    // The read goes by the row's key, so a row drawn before the log changed
    // (a delete or renumbering elsewhere) is never taken for the contact that
    // holds its slot now: the list then shows the log as it is instead.
    if (!ReadCurrent()) {
        Refresh();
        return;
    }
    const log::QsoRecord record = log::BufferRecord(*session_.log);
    // Band-change markers are neither edited nor deleted.
    if (record.IsBandChange()) return;
    action(record);
}

}  // namespace mss::app

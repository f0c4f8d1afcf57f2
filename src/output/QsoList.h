// The QSO list writer: one walk over the contest log that writes the printed
// QSO list, the E-Log QSO list, the CSV export and the ADIF export, each with
// its own header, line layout and footer.
#pragma once

#include <memory>
#include <string>

#include "log/QsoRecord.h"
#include "output/ClaimedTotals.h"
#include "output/ListColumns.h"
#include "output/ListOutput.h"
#include "output/OutputJob.h"
#include "output/WriteStatus.h"

namespace mss::output {

enum class OutputKind : int {
    PrintedList = 0,
    ElogList = 1,
    Stf = 2,
    Adif = 3,
    Cabrillo = 4,
    Csv = 5,
    Edi = 6,
};

// What one run of the writer knows while it writes.
struct QsoListRun {
    OutputKind kind;
    const OutputJob& job;
    ListOutput& out;
    ClaimedTotals totals;
    ListColumns columns;
};

// The header, lines and footer of one output kind.
class QsoListLayout {
  public:
    virtual ~QsoListLayout() = default;
    // The header; on paper also the header of every further page.
    virtual void Header(QsoListRun& run) = 0;
    // The line of contact `r`, the `number`th record of the log.
    virtual std::string Line(QsoListRun& run, const log::QsoRecord& r, int number) = 0;
    // `longest` is the length of the longest line written, trailing blanks
    // left out.
    virtual void Footer(QsoListRun& run, int longest) = 0;
};

// The layout of the printed list, the E-Log list and the CSV file.
std::unique_ptr<QsoListLayout> MakeTableLayout();

// Runs the writer of `kind` into `out` (for files: lines after 5 blanks,
// CSV lines as they are). Kinds without a layout in this program give
// kKindNotWritten.
WriteStatus WriteQsoList(OutputKind kind, ListOutput& out, const OutputJob& job);

}  // namespace mss::output

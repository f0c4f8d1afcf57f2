// The column widths and field texts that the QSO list and the band list
// share: widths from one walk over the log, and each field of a contact
// fitted to its column.
#pragma once

#include <array>
#include <string>

#include "contest/ContestDefinition.h"
#include "log/QsoRecord.h"
#include "output/WriteStatus.h"
#include "store/FileblockObject.h"

namespace mss::output {

struct ListColumns {
    int call = 8;      // longest trimmed Call + 2, at least 8
    int sent = 9;      // longest sent exchange as printed + 2, at least 9
    int received = 9;  // the same for the received exchange
    int points = 1;    // longest points text, at least 1
    // The extra columns: the caption of MultNames and the longest trimmed
    // MultiCol1, MultiCol2 and (with a third caption) Call2, + 2.
    std::array<int, 3> extra{};
};

WriteStatus MeasureColumns(store::TFileblockObject& log, const contest::ContestDefinition& def,
                           ListColumns& columns);

// Whether extra column k (0-2) is in use: its MultNames caption is not empty.
bool ExtraColumnUsed(const contest::ContestDefinition& def, int k);
// The text of extra column k of a contact, untrimmed.
std::string ExtraColumnText(const log::QsoRecord& r, int k);

// "ddmmyy", or 6 blanks for a contact without a date.
std::string ShortDate(const log::QsoRecord& r);
// The report fitted to 3, a blank, and the rest of the exchange fitted to
// width - 4.
std::string ExchangeColumn(const std::string& exchange, int width);
// The display name of the band without its last character, fitted to 4.
std::string BandColumn(char band);
// The band of a QSO line: BandColumn (trimmed when `trimmed`) with its "c"
// of "cm" dropped and a blank appended: "2   ", "70  ", "160 ".
std::string BandText(char band, bool trimmed);

// The column headings up to the points column (without the line number),
// the separator after each: "DATE  " "UTC " "CALL " "BAND" mode sent ...
std::string HeadingColumns(const contest::ContestDefinition& def, const ListColumns& columns,
                           std::string_view modeHeading, std::string_view sep);
// The caption of the points column: "Pkt" or "P" padded on the left.
std::string PointsHeading(int width);

}  // namespace mss::output

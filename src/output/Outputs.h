// One entry point per output of the output menu: the file outputs write
// into an open text file and close it, the paper outputs draw on a canvas
// whose print job the caller has begun (and ends). Each answers the first
// failure, or success.
#pragma once

#include "output/ListOutput.h"
#include "output/OutputJob.h"
#include "output/TextTarget.h"
#include "output/WriteStatus.h"
#include "platform/Canvas.h"

namespace mss::output {

// The job numbers of the output menu.
enum class FileOutput : int {
    ElogCover = 7,      // ".SUM"
    ElogQsoList = 8,    // ".ALL"
    Stf = 9,            // ".STF"
    Adif = 10,          // ".ADI"
    Cabrillo = 11,      // ".CAB"
    ElogBandList = 12,  // ".BND"
    ElogTotal = 13,     // ".TXT": the cover sheet, then the QSO list (band list for 'i')
    Csv = 14,           // ".CSV"
    ElogMultList = 15,  // "-multi.txt"
    Edi = 16,           // ".EDI"
};

enum class PaperOutput : int {
    Cover = 1,
    MultList = 3,
    BandList = 4,
    QsoList = 5,
};

// Writes the output into `file`, then closes it; a failure of the writer
// or of the close is answered (the writer's first).
WriteStatus WriteOutputFile(FileOutput kind, TextTarget& file, const OutputJob& job);

WriteStatus PrintOutput(PaperOutput kind, platform::Canvas& canvas, PrintLayout layout,
                        const OutputJob& job);

}  // namespace mss::output

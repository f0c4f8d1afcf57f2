// Importing the contacts of an ADIF file into the open contest log: the log
// fields the operator maps file fields onto, and the import itself, which
// puts every record into the entry panel's texts and saves it through the
// same routine as a typed contact. The import dialog and the command line
// both call it; nothing here shows a window.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "log/AdifReader.h"
#include "log/ContactEntry.h"
#include "log/LogSession.h"
#include "log/PanelFill.h"
#include "log/PassProgress.h"

namespace mss::log {

// One log field of the import and the file field mapped onto it (empty:
// not mapped).
struct AdifLogField {
    std::string caption;
    std::string adifName;
};

// The log fields a file field can be mapped onto: "CALL", "QSO_DATE",
// "TIME_ON", "RST_SENT", "RST_RCVD", "BAND", "FREQ", "MODE", "SUBMODE", then
// the captions of received fields 3, 4 and 2 ("SRX" for a field 2 without
// one), each once; an empty caption is never a log field.
std::vector<AdifLogField> AdifLogFields(const contest::ContestDefinition& definition);

// Maps what a logbook or digital-mode program writes by the standard names:
// every log field not yet mapped takes the file field of its own name, and
// a received locator field takes GRIDSQUARE, when the file has them.
void MapStandardAdifFields(std::vector<AdifLogField>& fields,
                           const contest::ContestDefinition& definition, const AdifFile& file);

// Maps `adifName` onto the log field `caption`; false when that field is
// unknown or already mapped.
bool MapAdifField(std::vector<AdifLogField>& fields, std::string_view caption,
                  std::string_view adifName);

// The text a right-hand list shows for a field: the caption, and for a
// mapped one " (" + the file field + ")".
std::string AdifLogFieldText(const AdifLogField& field);

// The value of log field `name` in a record: the mapped file field's value
// (trimmed), nothing for a log field without a mapping, and for a field the
// list does not hold ("NAME", "QTH") the file field of the same name. A
// date becomes "dd.mm.yyyy", a time "hh:mm". Empty when there is none.
std::string AdifLogValue(const std::vector<AdifLogField>& fields, const AdifRecord& record,
                         std::string_view name);

// Reads and parses an ADIF file; nullopt when it does not exist or cannot
// be read.
std::optional<AdifFile> ReadAdifFile(const std::string& path);

// A record refused with its reason, for the operator.
struct AdifRefusal {
    std::string call;
    std::string datum;
    std::string zeit;
    std::string reason;
};

struct AdifImportResult {
    int imported = 0;
    int duplicates = 0;
    int incomplete = 0;  // no or bad date or time, bad call
    int bandErrors = 0;
    int modeErrors = 0;
    int unreadable = 0;                 // records the reader refused
    int checkRefused = 0;               // refused by the contest's other checks (DOK lists)
    int storeFailures = 0;              // the store refused the add: not in the log
    int updateFailures = 0;             // in the log (and counted imported), points not written
    int asDigital = 0;                  // imported as the contest's digital mode
    bool flushFailed = false;           // the log could not be written out at the end
    std::vector<std::string> unmapped;  // log fields the checks need that have no mapping
    std::vector<AdifRefusal> refusals;  // unreadable, check-refused and store failures
    // The records behind the other counts (duplicates, incomplete, band and
    // mode errors), for a caller that names every refused record.
    std::vector<AdifRefusal> counted;
};

struct AdifImportOptions {
    bool noModeBandCheck = false;  // "keine Mode/Band-Überprüfung"
    // "MSK144, JT6M und FSK441 als Digitalmode des Contests werten": the
    // rule of the contacts a digital-mode program announces.
    bool digitalAsContestMode = true;
};

// Imports every record of `file` in file order. Each record starts from a
// new empty contact: the call, the received fields, band and mode come only
// from the record (SUBMODE before MODE), in upper case; a record without a
// band or mode, or whose band or mode is not mapped, fails its check unless
// the checks are off, when it takes the form's. Date and time take
// `defaults` (the panel's texts when the import began) only when their log
// fields are not mapped at all. Name and QTH are taken, and taught to the
// callbook, only when `defaults` shows them. A record is then filled and
// saved like a typed contact (SaveContact); duplicates are counted, never
// shown. The log is flushed in batches. The session's mode is kept; the band
// follows the last record's frequency. `progress` runs over the records and
// advances every 10 of them.
AdifImportResult ImportAdif(LogSession& session, EntryState& state, const PanelLayout& layout,
                            const AdifFile& file, const std::vector<AdifLogField>& fields,
                            const PanelValues& defaults, const AdifImportOptions& options,
                            PassProgress& progress);

// The text of the result box: the imported count + " Datensätze importiert"
// and, each on its own line when not 0, the other counts; refused records
// with call, date, time and reason.
std::string AdifImportReport(const AdifImportResult& result);

// The band of a record that the contest has: by frequency, or by the band
// text (a name the band table knows); kNoBand when none.
char AdifBandAccepted(const contest::ContestDefinition& definition, std::string_view freq,
                      std::string_view band);

}  // namespace mss::log

// The contact in the making: which edits the entry panel shows for a
// contest, what the form remembers between contacts, the preparation of a
// new contact with its numbers and default exchange, and the saving
// routine that the entry form, the ADIF import and the command line share.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "contest/ContestExtra.h"
#include "log/LogSession.h"
#include "log/PanelFill.h"
#include "log/QsoRecord.h"
#include "log/RunningNumbers.h"
#include "log/SuiteStations.h"

namespace mss::log {

// Which edits of the entry panel are shown (a hidden one shows its value
// in a read-only label).
struct PanelLayout {
    bool call2 = false;
    std::array<bool, 3> rcvdFields{};  // received fields 2-4
    std::array<bool, 3> sentFields{};  // sent fields 2-4
    bool rstSentEdit = false;
    bool rstRcvdEdit = false;
    bool datumEdit = true;
    bool zeitEdit = true;
    bool bandButton = false;
    bool modeButton = false;
    bool freeMode = false;  // the free mode edit, while "DIGITAL" is chosen
};

PanelLayout LayoutOf(const LogSession& session, const contest::ContestExtra& extra);

// What the entry form remembers besides the totals of the session.
struct EntryState {
    QsoRecord contact;  // the contact in the making
    RunningNumbers next;
    std::int32_t lastDatum = -1;
    std::int32_t lastZeit = -1;
    float lastFreq = 0;
    std::string checkedCall;  // the call the dupe check last ran for
    std::string lastPrefix;   // the prefix shown while the call is typed
    char pendingBand = 0;     // a band of the schedule waiting for an empty call
    MemberLists members;
};

// The band and mode a log form starts with: the first band of the contest;
// the first mode, replaced by the entry's start choices that the contest has.
char StartBand(const contest::ContestDefinition& definition);
std::string StartMode(const contest::ContestDefinition& definition,
                      const contest::ContestEntry& entry);

// The RST proposed for a mode: "599" in CW or a free mode, else "59 ";
// three blanks in contest 'j'.
std::string DefaultRst(const LogSession& session, const PanelLayout& layout);

// A new empty contact on the current band and mode with its next numbers,
// the date and time of the last saved contact, the QSL flags of the entry
// and the default exchanges. A band of the schedule that waited is taken.
void PrepareNewContact(LogSession& session, EntryState& state, const PanelLayout& layout);

// The panel texts of a contact (what the edits and labels show).
PanelValues PanelOf(const QsoRecord& contact, const LogSession& session);

enum class SaveStatus {
    kSaved,
    kRefused,    // the checks refused it (they told the operator why)
    kAddFailed,  // the store refused the add after all its retries
    kUpdateFailed,
};

struct SaveResult {
    SaveStatus status = SaveStatus::kRefused;
    int errorLevel = 0;
    std::string reason;  // for the operator; empty when saved or refused by a check
    QsoRecord stored;
};

struct SaveOptions {
    bool teachSuiteFiles = true;
};

// Saves the contact the panel describes: fills it, judges it (CanSave),
// numbers it, adds it (moving its time by a second per failed try, at most
// 10 more times), counts it and its multipliers, pads short serial numbers,
// writes it again with its points, and teaches the suite's files. A failed
// add or write stops before any total changes; the contact stays as it was.
SaveResult SaveContact(LogSession& session, EntryState& state, const PanelValues& panel,
                       const SaveOptions& options = {});

// Pads a serial number of 1 or 2 characters with zeros to 3 ("7" gives "007").
std::string PaddedSerial(std::string_view text);

}  // namespace mss::log

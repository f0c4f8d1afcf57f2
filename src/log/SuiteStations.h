// The contest log and the suite's callbook QVCBUCH and call file QVCALL:
// looking up what they know about a station, pre-filling the exchange from
// them and from the member lists of the contest clubs, and teaching the
// callbook what a saved contact brought.
#pragma once

#include <string>
#include <string_view>

#include "log/LogSession.h"
#include "log/MemberList.h"
#include "log/PanelFill.h"
#include "log/QsoRecord.h"

namespace mss::log {

// Look-ups over the open suite files (nothing found while a file is closed).
StationLookupFunction SuiteCallbook();
StationLookupFunction SuiteCallFile();

// The member lists of the clubs, loaded once per log form from the program
// directory; a missing file is an empty list.
struct MemberLists {
    MemberList qcwa;   // "qcwa.csv", also written back
    MemberList hsc;    // "hsc.csv"
    MemberList naval;  // "naval.csv"
    MemberList ibfd;   // "ibfd.csv"

    void LoadFrom(const std::string& directory);
    // The list a contest's received field 2 is taught to; nullptr for none.
    MemberList* TaughtList(char code);
};

// The value a member list gives a home call: the text after the second ";"
// of its line, at most 8 characters; nothing when it contains "OP".
std::string MemberValue(const MemberList& list, std::string_view baseCall);

// After the call field is left: what the callbook, the call file and the
// member lists know replaces the received fields of the matching kinds
// (and Call2 where the kind says so). Answers whether anything was taken.
bool PrefillFromSuite(LogSession& session, MemberLists& members, PanelValues& panel,
                      QsoRecord& contact);

// After a contact is saved: the callbook learns the call and the non-empty
// values the contact brought; an empty value never blanks a known one.
// The member lists of their contests learn received field 2.
void TeachSuiteFiles(LogSession& session, MemberLists& members, const PanelValues& panel,
                     const QsoRecord& contact);

}  // namespace mss::log

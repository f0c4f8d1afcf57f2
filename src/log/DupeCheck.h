// The checks of a contact against the log: the duplicate rules, the check
// when the operator leaves the call field (with the name look-up and the
// prefix evaluation) and the judgement before saving.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "log/LogSession.h"
#include "log/QsoRecord.h"

namespace mss::log {

// The rule of the contest (DupeRule 1 to 5) that makes the contact a
// duplicate of a contact in the log, or 0. Rule 5 (once in the whole log)
// is only asked for when `wholeLog` is set. The stored contact numbered
// `except` (one being changed) is no duplicate of itself.
int FindDupe(LogSession& session, const QsoRecord& contact, bool wholeLog, std::int32_t except = 0);

// The message of a duplicate by rule: when leaving the call field it names
// the call; when saving it does not.
std::string DupeMessage(const LogSession& session, int rule, std::string_view call,
                        bool leavingCallField);

// Leaving the call field with a changed call. An earlier contact of the same
// station lends its name and QTH; a duplicate is reported and the entry is
// cut back (received exchange to its RST, remembered name, QTH and chosen
// country forgotten) and true is answered, after which the entry panel is
// cleared. Otherwise the callbook or the call file supply the remembered
// name and QTH and the prefix is evaluated ("Präfix unbekannt" when it
// fails). The log's record buffer is left as it was.
bool CheckCallDupe(LogSession& session, QsoRecord& contact);

// Date, time, call and second call are good enough to save. A time of
// 00:00:00 is a real time; only a missing or bad one is refused.
bool IsComplete(const LogSession& session, const QsoRecord& contact);
// The call reduced to its home call is at least 3 characters (4 when it
// begins with "D") and does not begin with two digits or three letters.
bool AcceptableCall(std::string_view call);
// The DOK check of contests that admit only stations of listed DOKs or
// districts; a refused DOK is reported.
bool DokCheck(const LogSession& session, const QsoRecord& contact);

// The judgement before saving: complete, no duplicate of rules 1 to 4
// (reported), DOK check passed.
bool CanSave(LogSession& session, const QsoRecord& contact);

}  // namespace mss::log

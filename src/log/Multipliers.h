// The multipliers of the open log: which kinds a contest counts, the value a
// contact brings to each, whether it was worked before, and the provisional
// evaluation of the contact being typed with its undo and commit.
#pragma once

#include <string>
#include <string_view>

#include "log/LogSession.h"
#include "log/MultiplierTables.h"
#include "log/QsoRecord.h"

namespace mss::log {

enum class MultScope { kWholeLog, kPerBand, kPerBandAndMode };

bool KindInForce(const contest::ContestDefinition& definition, MultKind kind);
// A band-log column captioned `caption` shows the new values of the kind.
bool CaptionNamesKind(MultKind kind, std::string_view caption);
MultScope ScopeOf(const LogSession& session, MultKind kind);
// Where the multiplier count of a band is kept: index 1 when multipliers
// count once for the whole log, else the band code.
std::size_t CountIndex(const LogSession& session, char band);

// The value `record` brings to the kind under the contest's rules; empty
// when it brings none.
std::string MultiplierValue(LogSession& session, MultKind kind, const QsoRecord& record);
// What the value adds to the multiplier count (the contest extras of DOKs).
std::int32_t MultiplierWeight(const LogSession& session, MultKind kind, std::string_view value);
// The club filter of a contact: false when the contest counts only contacts
// of its club and this one is not.
bool ClubContact(const LogSession& session, const QsoRecord& record);
// The club filter of an earlier contact, for the kinds it applies to.
bool EarlierCounts(const LogSession& session, MultKind kind, const QsoRecord& earlier,
                   bool recounting);

// An earlier, not void contact of the log has the value within the kind's
// scope (same band, and same mode text where the scope asks for it).
bool WorkedBefore(LogSession& session, MultKind kind, const QsoRecord& contact,
                  std::string_view value);

// The provisional evaluation of the contact being typed. It first undoes the
// previous evaluation, so a value is never counted twice; it sets the
// contact's new-multiplier markers (MultiCol1, MultiCol2, Call2) and adds the
// new values to the tables and the count. The log's buffer is left as it was.
void EvaluateMultipliers(LogSession& session, QsoRecord& contact);
// Takes back what the last evaluation added.
void UndoProvisionalMultipliers(LogSession& session);
// Keeps what the last evaluation added (on saving).
void CommitMultipliers(LogSession& session);

}  // namespace mss::log

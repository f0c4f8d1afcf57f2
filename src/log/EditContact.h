// Changing and deleting a saved contact: the values of the edit dialog
// taken back into the record, the record written, and the log renumbered
// and recounted where the change asks for it, so the score always follows
// the log.
#pragma once

#include <cstdint>
#include <string>

#include "log/Exchange.h"
#include "log/LogSession.h"
#include "log/QsoRecord.h"
#include "log/Renumber.h"

namespace mss::log {

// What the edit dialog shows and gives back (Windows-1252 texts).
struct EditValues {
    std::int32_t lfdNr = 0;  // shown only
    std::string call;
    std::string call2;
    ExchangeFields sent;
    ExchangeFields rcvd;
    std::string mode;
    char band = 0;
    std::string datum;
    std::string zeit;
    std::string qslSend;
    std::string qslRcvd;
    std::string prefix;  // Prefix2 in prefix-counting contests, else Prefix
    std::string name;
    std::string qth;
    std::string freq;
};

EditValues EditValuesOf(const LogSession& session, const QsoRecord& record);

// The record with the dialog's values: exchanges, Call2 from the received
// field of the club contests, prefix evaluation, received fields by kind,
// QSL flags, typed prefix, band, name and QTH, frequency; its distance
// follows the locator and its Punkte are computed again.
QsoRecord ApplyEditValues(LogSession& session, const QsoRecord& record, const EditValues& values);

// Why the dialog's values cannot be stored. A date or a time that cannot be
// read is named; a changed call, band or mode that makes the contact a
// duplicate of another gets the message the saving of a new contact gives.
enum class EditField { kNone, kDatum, kZeit, kCall };
struct EditRefusal {
    EditField field = EditField::kNone;  // kNone: the values can be stored
    std::string text;
};
EditRefusal CheckEditedContact(LogSession& session, const QsoRecord& before, const QsoRecord& after,
                               const EditValues& values);

// A change of a value some multiplier kind in force depends on (or any
// change in the contests whose numbers hang on the club fields) needs the
// log renumbered.
bool EditNeedsRenumber(const LogSession& session, const QsoRecord& before, const QsoRecord& after);

enum class EditResult { kDone, kNotFound, kWriteFailed, kRenumberFailed };

// Writes the edited record over the stored one (found by Nummer), renumbers
// when needed and recounts fully, so points and totals follow the edit.
EditResult SaveEditedContact(LogSession& session, const QsoRecord& before, const QsoRecord& after,
                             RenumberProgress& progress);

// Deletes the contact with `nummer`, renumbers the log and recounts fully.
// Band-change markers are not deleted here.
EditResult DeleteContact(LogSession& session, std::int32_t nummer, RenumberProgress& progress);

}  // namespace mss::log

// Filling a contact from what the entry panel holds: the call as typed
// turned into a stored call, the date and time completed from short forms,
// the RST rules of the modes, the exchange texts and what each received
// exchange field means by its kind. The entry form, the ADIF import and the
// command line all fill contacts through here.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "log/Exchange.h"
#include "log/LogSession.h"
#include "log/QsoRecord.h"

namespace mss::log {

// The texts of the entry panel (Windows-1252). A hidden edit is given the
// text its read-only label shows.
struct PanelValues {
    std::string call;
    std::string call2;
    ExchangeFields sent;  // RST sent and sent fields 2-4
    ExchangeFields rcvd;  // RST received and received fields 2-4
    std::string datum;    // as typed: "12.08.2012", "1208", "12.08." ...
    std::string zeit;     // as typed: "12:34:56", "1234", "123" ...
    std::string name;
    std::string qth;
    bool nameQthShown = false;
    std::string freq;
};

// "-" becomes "/"; the first blank becomes "/" unless the call holds a "/"
// already, further blanks go; a trailing "#" becomes "/p"; trimmed and cut
// to 12 characters.
std::string NormaliseCall(std::string_view typed);

// A typed date completed to "dd.mm.yyyy": a day and month without a year
// get `currentYear`; 4 or 6 digits without separators are day, month (and a
// two-digit year); a two-digit year below 50 lies in the current century,
// from 50 on in the 1900s.
std::string CompleteDate(std::string_view typed, int currentYear);
// The day number of a typed date, or -1.
std::int32_t ReadPanelDate(std::string_view typed, int currentYear);
// A typed time completed to "hh:mm": "1234" is 12:34, "123", "1.23" and
// "1:23" are 01:23; a text of no such shape stays as typed.
std::string CompleteTime(std::string_view typed);
// Seconds of a typed time: "1234" is 12:34, "123" and "1.23" are 01:23,
// "12:34" gets ":00"; -1 when unreadable.
std::int32_t ReadPanelTime(std::string_view typed);

// The received RST as stored: padded or cut to 3; in CW a blank third
// character after a non-blank second becomes "9"; in SSB, PR and FM the
// third character is a blank.
std::string StoredRst(std::string_view rst, std::string_view mode);

// A German call for the DOK rules: "D", then A-H or J-R.
bool IsGermanCall(std::string_view call);

// What filling found wrong with the received field that has the focus; the
// form shows the text and marks the field (2, 3 or 4). Empty when all is well.
struct FillWarning {
    std::string text;
    int field = 0;
};

// Fills `contact` from the panel: call, second call, date, time, name and
// QTH (the remembered ones of the session when the edits are hidden), the
// frequency, both exchanges, and the fields the received exchange kinds
// feed (DOK, locator and distance, district, club numbers). `focusedField`
// (2 to 4, 0 for none) is the received field being typed; only its errors
// are reported.
FillWarning FillRecordFromPanel(LogSession& session, const PanelValues& panel, QsoRecord& contact,
                                int focusedField = 0);

// The label of a received field (2 to 4) as the panel shows it: the
// contest's own caption or the kind's, with "&1 : " ... in front; empty for
// a hidden field.
std::string ReceivedFieldLabel(const LogSession& session, int field);
// The same without the access key ("DOK", "LOC", ...).
std::string ReceivedFieldCaption(const LogSession& session, int field);

}  // namespace mss::log

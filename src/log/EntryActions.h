// What the operator does to the contact in the making besides saving it:
// typing the call or an exchange field, leaving the call field, choosing a
// band or a mode, the band of the contest schedule, the clock, and the QSL
// flag. Each is a plain step on the session and the entry state; the form
// only shows the result.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "log/ContactEntry.h"
#include "log/LogSession.h"
#include "log/PanelFill.h"

namespace mss::log {

// Typing the call: the panel is filled into the contact and, when the
// prefix evaluation gives a prefix other than the one shown last, the
// provisional multipliers are evaluated again. Answers whether the DOK
// fields apply: a German call, contest 'B', or a call of no known country yet.
struct CallTyping {
    bool prefixChanged = false;
    bool dokFields = false;
};
CallTyping TypeCall(LogSession& session, EntryState& state, const PanelValues& panel);

// Typing an exchange field (received field 2 to 4 has the focus when
// `focusedField` names it): fill, evaluate multipliers (with the call "DL0"
// for the moment while the call is still empty). Answers the fill's warning
// and, for a locator field of more than 3 characters, the beam heading.
struct ExchangeTyping {
    FillWarning warning;
    std::optional<double> beam;  // degrees, when above 0
};
ExchangeTyping TypeExchange(LogSession& session, EntryState& state, const PanelValues& panel,
                            int focusedField);

// Leaving the call field with a changed call: the dupe check (true when it
// cleared the entry), otherwise the multipliers and the pre-fill from the
// suite's files into `panel`.
bool LeaveCallField(LogSession& session, EntryState& state, PanelValues& panel);

// The beam heading from the own locator to a typed locator (degrees), when
// both are locators and the heading is above 0.
std::optional<double> BeamHeading(std::string_view locator);

// Taking a band: provisional multipliers undone, the band current, its next
// BandNr and BandSeq in the contact, the tables recounted, the contact's
// multipliers evaluated again.
void ChangeBand(LogSession& session, EntryState& state, char band);
// Taking a mode ("DIGITAL" gives the free mode text `freeMode`): a new
// ModeNr, a serial of the mode as the default sent text, and outside
// contest 'j' the mode's default RST in the exchanges that are not free.
void ChangeMode(LogSession& session, EntryState& state, PanelLayout& layout,
                std::string_view listMode, std::string_view freeMode);

// The band of the contest schedule at `today` (day number) and `now`
// (seconds, UTC): the first active period gives its band, the current one
// when the period has it. nullopt when no period is active.
std::optional<char> ScheduledBand(const contest::ContestDefinition& definition, char current,
                                  std::int32_t today, std::int32_t now);

// The clock, once a second. Answers what it changed.
struct ClockChanges {
    bool band = false;
    bool datum = false;
    bool zeit = false;
};
ClockChanges ClockStep(LogSession& session, EntryState& state, std::int32_t today, std::int32_t now,
                       bool callEmpty);

// The QSL-send flag toggled: "J", "S", "Y" (either case) become "N",
// anything else "Y".
char ToggledQsl(char flag);
// The label of the flag ("&QSL senden: nein" / "&QSL senden: ja").
std::string QslLabel(char flag);

}  // namespace mss::log

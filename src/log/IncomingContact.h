// Contacts that a digital-mode program (WSJT-X, MSHV) announces while the
// log is open: judged for the contest's bands and modes, then saved through
// the very saving routine of a typed contact, on their own band and in their
// own mode, without disturbing the contact the operator is typing. A refusal
// comes back with its reason, so that the operator sees every contact that
// was not stored.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "log/ContactEntry.h"
#include "log/IncomingMode.h"
#include "log/LogSession.h"
#include "log/WsjtxDatagram.h"

namespace mss::log {

enum class IncomingStatus {
    kSaved,
    kRefused,  // duplicate, outside the contest, incomplete: see the reason
    kFailed,   // the store refused to write it
};

struct IncomingResult {
    IncomingStatus status = IncomingStatus::kRefused;
    std::string reason;  // Windows-1252, for the operator; empty when saved
    QsoRecord stored;
};

// Saves an announced contact: band from its frequency, mode from its mode
// text, the received locator from its grid, date and time from its time on,
// the reports in the RST fields the panel shows. The current band and mode
// and the contact being typed stay as they were (its numbers follow the log).
IncomingResult SaveIncomingContact(LogSession& session, EntryState& state,
                                   const PanelLayout& layout, const WsjtxContact& contact);

// The programs announce each contact twice, as "QSO Logged" and as "Logged
// ADIF". Remembers recent announcements and tells whether a new one is the
// other half of a pair already seen; a repeat of the same message type is
// a new announcement (the operator logged it again).
class IncomingPairs {
  public:
    // True when `contact` is the twin of an earlier announcement; otherwise
    // it is remembered and false is answered.
    bool IsTwin(const WsjtxContact& contact);

  private:
    struct Seen {
        WsjtxContact contact;
        bool paired = false;
    };
    static constexpr std::size_t kRemembered = 64;
    std::deque<Seen> seen_;
};

}  // namespace mss::log

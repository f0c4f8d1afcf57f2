// The contacts that WSJT-X and MSHV announce on the network when the
// operator logs one: decoding one UDP datagram of their message protocol.
//
// A datagram is a big-endian Qt data stream:
//
//   quint32 magic 0xADBCCBDA | quint32 schema | quint32 type | utf8 id | payload
//
// utf8 is a quint32 byte count (0xFFFFFFFF = null) and that many bytes; a
// date-time is a qint64 Julian day, a quint32 count of milliseconds since
// midnight and a quint8 timespec (0 local, 1 UTC, 2 offset from UTC, then
// a qint32 offset in seconds; 3, a named time zone, is not used by the
// senders and is refused). Schemas 2 and up encode these types alike.
//
// Type 5 "QSO Logged": time off, DX call, DX grid, quint64 frequency in Hz,
// mode, report sent, report received, Tx power, comments, name, then (added
// by later versions, each present only when the datagram goes on) time on,
// operator call, my call, my grid, exchange sent, exchange received,
// propagation mode (MSHV stops after my grid). Bytes after the known fields
// are ignored.
// Type 12 "Logged ADIF": one utf8 text that is an ADIF file of one record.
// Every other type is ignored.
//
// The programs send both messages for one contact: a listener takes the
// first and drops the second when SameContact says they are one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <string>

#include "radio/DateTime.h"

namespace mss::log {

inline constexpr std::uint32_t kWsjtxMagic = 0xADBCCBDA;
inline constexpr std::uint32_t kWsjtxQsoLogged = 5;
inline constexpr std::uint32_t kWsjtxLoggedAdif = 12;

// A moment in UTC; either part may be missing.
struct WsjtxTime {
    std::int32_t Date = radio::kNoDate;
    std::int32_t Time = radio::kNoTime;  // whole seconds
    bool operator==(const WsjtxTime&) const = default;
};

// Texts are Windows-1252; a character without a byte there became "?" and
// its field is named in Unconvertible, so the contact can be refused with
// that reason instead of being stored changed.
struct WsjtxContact {
    std::uint32_t Type = 0;  // the message it came in: 5 or 12
    std::string Id;          // the sending program's instance name
    std::string Call;
    std::string Grid;
    std::uint64_t FrequencyHz = 0;  // 0 = not given
    std::string Mode;               // as sent: "MSK144", "FSK441", "JT6M", "FT8" ...
    WsjtxTime TimeOn;               // the time off where the sender gives no time on
    WsjtxTime TimeOff;
    std::string ReportSent;
    std::string ReportRcvd;
    std::string TxPower;
    std::string Comments;
    std::string Name;
    std::string OperatorCall;
    std::string MyCall;
    std::string MyGrid;
    std::string ExchangeSent;
    std::string ExchangeRcvd;
    std::string PropMode;
    std::string Unconvertible;  // the first field that lost a character, or ""
};

enum class WsjtxOutcome {
    Contact,    // a logged contact
    Ignored,    // a sound datagram of another type
    Malformed,  // not a datagram of the protocol, or a damaged one
};

enum class WsjtxFault {
    None,
    Truncated,          // ends inside a field
    BadMagic,           // not this protocol
    UnsupportedSchema,  // schema 0 or 1
    BadDateTime,        // a time zone, or a day or time out of range
    BadAdif,            // the ADIF text holds no sound record
};

struct WsjtxDatagram {
    WsjtxOutcome Outcome = WsjtxOutcome::Malformed;
    WsjtxFault Fault = WsjtxFault::None;
    std::uint32_t Schema = 0;
    std::uint32_t Type = 0;
    WsjtxContact Contact;  // Outcome Contact only
};

WsjtxDatagram DecodeWsjtxDatagram(std::span<const std::uint8_t> datagram);

// Whether two announced contacts are one: the same call (letter case and
// blanks aside), the same band where both give a frequency, and times on no
// more than a minute apart (an ADIF time may lack its seconds).
bool SameContact(const WsjtxContact& a, const WsjtxContact& b);

// Takes one announcement of each pair: remembers the last contacts taken,
// and drops a contact that completes a pair with one of them (the other
// message type and SameContact). Each remembered contact pairs once, so a
// contact logged again in the sending program is taken again (and then
// refused as a duplicate where the operator sees it), never dropped silently.
class WsjtxPairFilter {
  public:
    // True: a contact to take. False: the second message of one already taken.
    bool Take(const WsjtxContact& contact);

  private:
    struct Taken {
        WsjtxContact contact;
        bool paired = false;
    };
    static constexpr std::size_t kRemembered = 32;
    std::deque<Taken> taken_;
};

}  // namespace mss::log

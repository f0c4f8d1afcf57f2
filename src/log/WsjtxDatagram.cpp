#include "log/WsjtxDatagram.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "log/AdifReader.h"
#include "log/DataStreamReader.h"
#include "platform/Cp1252.h"
#include "radio/Baender.h"
#include "radio/ProgramValues.h"
#include "radio/Text.h"

namespace mss::log {

namespace {

// Julian day of 1 January 1600, day number 0.
constexpr std::int64_t kJulianDayOfDayZero = 2305448;
// A null date as Qt writes it (and as older versions did).
constexpr std::int64_t kNullJulianDay = std::numeric_limits<std::int64_t>::min();
constexpr std::uint32_t kNullTime = 0xFFFFFFFF;
constexpr std::int64_t kMsPerDay = 86400000;

bool Fail(WsjtxDatagram& d, WsjtxFault fault) {
    d.Outcome = WsjtxOutcome::Malformed;
    d.Fault = fault;
    return false;
}

// A UTF-8 text of the datagram as Windows-1252, noting the first field
// that loses a character.
std::string Convert(std::string_view utf8, const char* field, WsjtxContact& c) {
    platform::ExactCp1252 converted = platform::Utf8ToCp1252Exact(utf8);
    if (!converted.exact && c.Unconvertible.empty()) c.Unconvertible = field;
    return std::move(converted.text);
}

// The moment as UTC, shifted by whole seconds.
std::optional<WsjtxTime> FromJulian(std::int64_t julianDay, std::uint32_t ms, std::int64_t shift) {
    static const std::int64_t kLastDay = radio::DayNumber(31, 12, 3999);
    if (ms >= kMsPerDay || julianDay < kJulianDayOfDayZero) return std::nullopt;
    const std::int64_t day = julianDay - kJulianDayOfDayZero;
    if (day > kLastDay) return std::nullopt;
    const std::int64_t total = day * 86400 + ms / 1000 - shift;
    if (total < 0 || total / 86400 > kLastDay) return std::nullopt;
    return WsjtxTime{static_cast<std::int32_t>(total / 86400),
                     static_cast<std::int32_t>(total % 86400)};
}

// nullopt for a date-time this program cannot place.
std::optional<WsjtxTime> ReadDateTime(DataStreamReader& r) {
    const std::int64_t julianDay = r.I64();
    const std::uint32_t ms = r.U32();
    const std::uint8_t timeSpec = r.U8();
    std::int64_t shift = 0;
    if (timeSpec == 0) {
        // Local time of this computer, as the program's own clock turns it into UTC.
        shift = -static_cast<std::int64_t>(radio::Program().ClockOffset) * 3600;
    } else if (timeSpec == 2) {
        shift = r.I32();
    } else if (timeSpec != 1) {
        return std::nullopt;
    }
    if (!r.Ok()) return WsjtxTime{};  // the caller sees the truncation
    if (julianDay == kNullJulianDay || julianDay == 0 || ms == kNullTime) return WsjtxTime{};
    return FromJulian(julianDay, ms, shift);
}

bool ReadQsoLogged(DataStreamReader& r, WsjtxDatagram& d) {
    WsjtxContact& c = d.Contact;
    const std::optional<WsjtxTime> off = ReadDateTime(r);
    if (!r.Ok()) return Fail(d, WsjtxFault::Truncated);
    if (!off) return Fail(d, WsjtxFault::BadDateTime);
    c.Call = Convert(r.Bytes(), "DX call", c);
    c.Grid = Convert(r.Bytes(), "DX grid", c);
    c.FrequencyHz = r.U64();
    c.Mode = Convert(r.Bytes(), "Mode", c);
    c.ReportSent = Convert(r.Bytes(), "Report sent", c);
    c.ReportRcvd = Convert(r.Bytes(), "Report received", c);
    c.TxPower = Convert(r.Bytes(), "Tx power", c);
    c.Comments = Convert(r.Bytes(), "Comments", c);
    c.Name = Convert(r.Bytes(), "Name", c);
    if (!r.Ok()) return Fail(d, WsjtxFault::Truncated);
    c.TimeOff = c.TimeOn = *off;
    // The fields later versions added, each only where the datagram goes on.
    if (r.AtEnd()) return true;
    const std::optional<WsjtxTime> on = ReadDateTime(r);
    if (!r.Ok()) return Fail(d, WsjtxFault::Truncated);
    if (!on) return Fail(d, WsjtxFault::BadDateTime);
    if (on->Date != radio::kNoDate) c.TimeOn = *on;
    struct Later {
        std::string WsjtxContact::*member;
        const char* name;
    };
    static constexpr Later kLater[] = {
        {&WsjtxContact::OperatorCall, "Operator call"},
        {&WsjtxContact::MyCall, "My call"},
        {&WsjtxContact::MyGrid, "My grid"},
        {&WsjtxContact::ExchangeSent, "Exchange sent"},
        {&WsjtxContact::ExchangeRcvd, "Exchange received"},
        {&WsjtxContact::PropMode, "Propagation mode"},
    };
    for (const Later& field : kLater) {
        if (r.AtEnd()) return true;
        c.*field.member = Convert(r.Bytes(), field.name, c);
        if (!r.Ok()) return Fail(d, WsjtxFault::Truncated);
    }
    return true;
}

std::uint64_t HzFromMhzText(std::string_view text) {
    const std::string trimmed = radio::Trim(text);
    double mhz = 0;
    const auto [end, error] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), mhz);
    if (error != std::errc() || end != trimmed.data() + trimmed.size()) return 0;
    if (!std::isfinite(mhz) || mhz <= 0 || mhz > 1e9) return 0;
    return static_cast<std::uint64_t>(std::llround(mhz * 1e6));
}

WsjtxTime AdifMoment(const AdifRecord& record, const char* date, const char* time) {
    WsjtxTime t{AdifDate(record.Value(date)), AdifTime(record.Value(time))};
    return t.Date == radio::kNoDate || t.Time == radio::kNoTime ? WsjtxTime{} : t;
}

bool ReadLoggedAdif(DataStreamReader& r, WsjtxDatagram& d) {
    const std::string text = r.Bytes();
    if (!r.Ok()) return Fail(d, WsjtxFault::Truncated);
    // The protocol's texts are UTF-8: the byte-order mark says so to the reader.
    const AdifFile file = ReadAdif("\xEF\xBB\xBF" + text);
    if (file.Records.empty()) return Fail(d, WsjtxFault::BadAdif);
    const AdifRecord& rec = file.Records.front();
    if (rec.Fault == AdifFault::BadLength || rec.Fault == AdifFault::LengthPastEnd) {
        return Fail(d, WsjtxFault::BadAdif);
    }
    WsjtxContact& c = d.Contact;
    if (!rec.Ok()) c.Unconvertible = rec.FaultField;
    const auto first = [&rec](const char* a, const char* b) {
        const std::string v = rec.Value(a);
        return v.empty() ? rec.Value(b) : v;
    };
    c.Call = rec.Value("CALL");
    c.Grid = rec.Value("GRIDSQUARE");
    c.FrequencyHz = HzFromMhzText(rec.Value("FREQ"));
    c.Mode = first("SUBMODE", "MODE");  // FT4 is MFSK with the submode FT4
    c.TimeOn = AdifMoment(rec, "QSO_DATE", "TIME_ON");
    c.TimeOff = rec.Find("QSO_DATE_OFF") ? AdifMoment(rec, "QSO_DATE_OFF", "TIME_OFF")
                                         : AdifMoment(rec, "QSO_DATE", "TIME_OFF");
    if (c.TimeOn.Date == radio::kNoDate) c.TimeOn = c.TimeOff;
    c.ReportSent = rec.Value("RST_SENT");
    c.ReportRcvd = rec.Value("RST_RCVD");
    c.TxPower = rec.Value("TX_PWR");
    c.Comments = rec.Value("COMMENT");
    c.Name = rec.Value("NAME");
    c.OperatorCall = rec.Value("OPERATOR");
    c.MyCall = rec.Value("STATION_CALLSIGN");
    c.MyGrid = rec.Value("MY_GRIDSQUARE");
    c.ExchangeSent = first("STX_STRING", "STX");
    c.ExchangeRcvd = first("SRX_STRING", "SRX");
    c.PropMode = rec.Value("PROP_MODE");
    return true;
}

std::optional<std::int64_t> Seconds(const WsjtxTime& t) {
    if (t.Date == radio::kNoDate || t.Time == radio::kNoTime) return std::nullopt;
    return static_cast<std::int64_t>(t.Date) * 86400 + t.Time;
}

}  // namespace

WsjtxDatagram DecodeWsjtxDatagram(std::span<const std::uint8_t> datagram) {
    WsjtxDatagram d;
    DataStreamReader r(datagram);
    const std::uint32_t magic = r.U32();
    d.Schema = r.U32();
    d.Type = r.U32();
    const std::string id = r.Bytes();
    if (magic != kWsjtxMagic && datagram.size() >= 4) {
        Fail(d, WsjtxFault::BadMagic);
    } else if (!r.Ok()) {
        Fail(d, WsjtxFault::Truncated);
    } else if (d.Schema < 2) {
        Fail(d, WsjtxFault::UnsupportedSchema);
    }
    if (d.Fault != WsjtxFault::None) return d;
    if (d.Type != kWsjtxQsoLogged && d.Type != kWsjtxLoggedAdif) {
        d.Outcome = WsjtxOutcome::Ignored;
        return d;
    }
    d.Contact.Type = d.Type;
    d.Contact.Id = platform::Utf8ToCp1252(id);  // the sender's name, not part of the contact
    const bool read = d.Type == kWsjtxQsoLogged ? ReadQsoLogged(r, d) : ReadLoggedAdif(r, d);
    if (read) d.Outcome = WsjtxOutcome::Contact;
    return d;
}

bool SameContact(const WsjtxContact& a, const WsjtxContact& b) {
    const std::string call = radio::UpperText(radio::Trim(a.Call));
    if (call.empty() || call != radio::UpperText(radio::Trim(b.Call))) return false;
    if (a.FrequencyHz != 0 && b.FrequencyHz != 0) {
        const char bandA = radio::ToBaender::BandFromFrequency(a.FrequencyHz / 1e6);
        const char bandB = radio::ToBaender::BandFromFrequency(b.FrequencyHz / 1e6);
        if (bandA != bandB) return false;
    }
    const auto on = Seconds(a.TimeOn);
    const auto other = Seconds(b.TimeOn);
    return on && other && std::llabs(*on - *other) <= 60;
}

bool WsjtxPairFilter::Take(const WsjtxContact& contact) {
    for (Taken& t : taken_) {
        if (!t.paired && t.contact.Type != contact.Type && SameContact(t.contact, contact)) {
            t.paired = true;
            return false;
        }
    }
    taken_.push_back({contact, false});
    if (taken_.size() > kRemembered) taken_.pop_front();
    return true;
}

}  // namespace mss::log

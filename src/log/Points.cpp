#include "log/Points.h"

#include <algorithm>
#include <limits>

#include "log/ContestLog.h"
#include "log/DokRules.h"
#include "log/Exchange.h"
#include "log/LogKeys.h"
#include "radio/AsciiChar.h"
#include "radio/BaseCall.h"
#include "radio/Locator.h"
#include "radio/ProgramValues.h"
#include "radio/Text.h"

namespace mss::log {

namespace {

bool CharIn(char c, std::string_view set) {
    return set.find(c) != std::string_view::npos;
}

// Characters `from` (1-based) to `to` of a text; what is there of them.
std::string Chars(std::string_view text, std::size_t from, std::size_t to) {
    if (text.size() < from) return {};
    return std::string(text.substr(from - 1, to - from + 1));
}

// Everything a rule of the table may ask about the contact.
class Rules {
  public:
    Rules(LogSession& session, const QsoRecord& r)
        : s_(session),
          r_(r),
          call_(r.Call()),
          dok_(DokOf(r)),
          ownDok_(session.entry.Dok()),
          rcvd_(RcvdExchangeOf(r)),
          class_(session.entry.Category()) {}

    bool CallShort() const { return call_.size() < 3; }
    int Class() const { return class_; }
    bool ClassIn(std::initializer_list<int> classes) const {
        return std::ranges::find(classes, class_) != classes.end();
    }
    std::int32_t Qrb() const { return r_.Qrb(); }
    char Band() const { return r_.Band(); }
    const std::string& Call() const { return call_; }
    const std::string& Dok() const { return dok_; }
    bool OwnDok() const { return dok_ == ownDok_; }
    const std::string& Rcvd() const { return rcvd_; }
    // The received exchange from its fourth character on.
    std::string Tail() const { return rcvd_.size() > 3 ? rcvd_.substr(3) : std::string(); }

    const std::array<std::string, 100>& DokList() const {
        return s_.Code() == 'Y' ? s_.definition.SpecialValues : s_.definition.BonusDoks;
    }
    bool InDokList() const { return InList(dok_, DokList()); }
    bool DistrictDok() const { return IsDistrictDok(dok_, s_.definition.BonusLetters); }
    bool Bonus() const { return std::ranges::find(s_.bonusCalls, call_) != s_.bonusCalls.end(); }
    bool Special() const { return IsSpecialStation(call_); }

    // The earliest contact in DOK order that carries the own DOK is this one
    // (or there is none yet).
    bool FirstOwnDokContact() const {
        BufferGuard guard(*s_.log);
        if (s_.log->Find(kByDok, radio::Fit(ownDok_, 8)) != 0) return true;
        return BufferRecord(*s_.log).Nummer() == r_.Nummer();
    }

    // No contact of the band carries the contact's locator square.
    bool SquareUnworkedOnBand() const {
        const std::string square = r_.Locator().substr(0, 4);
        if (square.size() < 4) return false;
        BufferGuard guard(*s_.log);
        bool carried = false;
        ScanKey(*s_.log, kByBandLocator, std::string(1, r_.Band()) + square,
                [&](const QsoRecord& other) {
                    carried = !other.IsBandChange();
                    return !carried;
                });
        return !carried;
    }

    bool PortableOrMobile() const {
        for (std::string_view mark : {"/p", "/P", "/m", "/M", "/mm", "/MM", "/am", "/AM"})
            if (call_.find(mark) != std::string::npos) return true;
        return false;
    }

    std::string DswMember() const {
        s_.dswMembers.LoadOnce(radio::Program().RunDir + "dsw.csv");
        return s_.dswMembers.MemberNumber(radio::BaseCall(call_, radio::BaseCallVariant::kKey));
    }

    LogSession& Session() const { return s_; }
    const QsoRecord& Record() const { return r_; }

  private:
    LogSession& s_;
    const QsoRecord& r_;
    std::string call_;
    std::string dok_;
    std::string ownDok_;
    std::string rcvd_;
    int class_;
};

std::int32_t DecimalValue(std::string_view text) {
    std::int64_t value = 0;
    for (char c : text) {
        if (!radio::IsAsciiDigit(c)) break;
        value = std::min<std::int64_t>(value * 10 + (c - '0'),
                                       std::numeric_limits<std::int32_t>::max());
    }
    return static_cast<std::int32_t>(value);
}

std::int32_t NordicPoints(const Rules& q) {
    if (q.CallShort()) return 0;
    const char band = q.Band();
    std::int32_t points = 0;
    if (band >= 'j' && band <= 'l') {
        points = std::min<std::int32_t>(q.Qrb(), 2000);
    } else if (band == 'm') {
        points = q.Qrb();
    } else if (const std::size_t at = std::string_view("nopqs").find(band);
               at != std::string_view::npos) {
        static constexpr int kFactor[] = {2, 3, 4, 5, 6};
        points = q.Qrb() * kFactor[at];
    }
    const std::string square = q.Record().Locator().substr(0, 4);
    const bool newSquare = q.Record().Nummer() != 0 && square.size() == 4 &&
                           q.Record().MultiCol1().starts_with(square);
    if (newSquare || q.SquareUnworkedOnBand()) points += 500;
    return points;
}

std::int32_t HandKeyPoints(const Rules& q) {
    if (q.CallShort()) return 0;
    const std::string field3 = SplitExchange(q.Rcvd()).field3;
    const std::size_t letter = std::string_view("ABC").find(field3);
    if (field3.size() != 1 || letter == std::string_view::npos) return 0;
    static constexpr int kClass26[] = {7, 4, 3};
    static constexpr int kClass37[] = {5, 3, 2};
    static constexpr int kOther[] = {9, 7, 5};
    if (q.ClassIn({2, 6})) return kClass26[letter];
    if (q.ClassIn({3, 7})) return kClass37[letter];
    if (q.Class() == 4 || q.Class() >= 8) return 0;
    return kOther[letter];
}

std::int32_t DswPoints(const Rules& q) {
    if (q.Class() == 3) return q.Qrb();
    if (!q.ClassIn({0, 1, 2, 4})) return 1;
    if (q.Bonus()) return 5;
    if (radio::Trim(Chars(q.Tail(), 1, 6)).empty()) return 1;
    return q.DswMember().empty() ? 2 : 3;
}

std::int32_t VfdbDaysPoints(const Rules& q, std::string_view mode) {
    std::int32_t points = 1;
    if (q.ClassIn({1, 3}))
        points = mode == "SSB" ? 5 : 15;
    else if (q.ClassIn({2, 4}))
        points = mode == "FM" ? 5 : 15;
    return q.Bonus() ? points * 2 : points;
}

std::int32_t SchwabenPoints(const Rules& q) {
    if (q.CallShort()) return 1;
    const bool district = q.DistrictDok();
    if (!q.InDokList() && !district) return 1;
    const std::string& call = q.Call();
    const bool clubStation = call.size() >= 3 && CharIn(call[1], "FKLR") && call[2] == '0';
    const bool specialCall =
        district && !q.Session().specialCall.empty() && call == q.Session().specialCall;
    return q.Dok() == "DVT" || clubStation || specialCall ? 10 : 5;
}

std::int32_t FieldDayPoints(const Rules& q) {
    if (q.CallShort()) return 0;
    const bool portable = q.PortableOrMobile();
    if (q.Class() == 6 && !portable) return 0;
    const bool europe = q.Record().Continent() == "EU";
    if (portable) return europe ? 4 : 6;
    return europe ? 2 : 3;
}

std::int32_t NordPoints(const Rules& q, char code) {
    if (q.OwnDok()) return 0;
    std::int32_t points = radio::SquareDistance(radio::Program().OwnLocator, q.Record().Locator());
    const std::string& dok = q.Dok();
    const bool bonus = code == 'e' ? dok.size() >= 2 && !IsLetterTwoDigits(dok)
                                   : !IsLetterTwoDigits(dok) && q.InDokList();
    return bonus ? points + 10 : points;
}

std::int32_t DistancePoints(const Rules& q, char code) {
    switch (code) {
        case 'J':
            if (q.CallShort()) return 0;
            return q.Band() == 'k' || q.Band() == 'l' ? q.Qrb() : 1;
        case 'E':
            return q.CallShort() || q.Record().Continent() != "EU" ? 0 : q.Qrb();
        case 'O':
            if (q.CallShort()) return 1;
            if (q.OwnDok()) return 0;
            return q.Band() == 'k' || q.Band() == 'l' ? q.Qrb() : 1;
        case 'N':
            return NordicPoints(q);
        default:  // 'j', '8', 'm'
            return q.CallShort() ? 0 : q.Qrb();
    }
}

std::int32_t DokPoints(const Rules& q, char code) {
    const bool listed = q.InDokList() || q.DistrictDok();
    switch (code) {
        case 'V':
            if (q.ClassIn({8, 9})) return listed ? 1 : 0;
            return listed ? 3 : 1;
        case 'C':
            if (q.Session().SecondCallContest()) return 1;
            if (!q.ClassIn({1, 4})) return 3;
            return listed ? 3 : 1;
        case 'B': {
            const bool own = !q.Session().entry.Dok().empty() && q.OwnDok();
            if (own) return q.Class() == 4 ? 1 : 0;
            if (q.ClassIn({2, 3})) return q.Qrb();
            return q.Class() == 4 ? 2 : 1;
        }
        case 'F':
            if (q.CallShort() || q.OwnDok()) return 0;
            return q.ClassIn({3, 4}) ? q.Qrb() : 1;
        case 'G':
            if (q.CallShort()) return 0;
            if (q.OwnDok() && q.ClassIn({7, 8})) return 0;
            return q.Class() >= 3 && q.Class() <= 6 ? q.Qrb() : 1;
        case 'R':
            if (q.CallShort()) return 0;
            if (q.OwnDok()) return q.FirstOwnDokContact() ? 1 : 0;
            return q.ClassIn({1, 3, 5}) ? 5 : 1;
        case 'K':
            if (!q.OwnDok()) return 1;
            return q.FirstOwnDokContact() ? 1 : 0;
        case 'h':
            if (q.CallShort() || q.OwnDok()) return 0;
            return q.Band() == 'm' ? 2 : q.Band() == 'n' ? 3 : 1;
        case 'H':
            if (q.Record().Prefix() != "4X" || !IsIsraeliArea(q.Dok())) return 0;
            return q.Band() >= 'a' && q.Band() <= 'c' ? 2 : 1;
        case 'd':
            if (q.CallShort()) return 0;
            if (!listed) return 1;
            return q.Bonus() || q.Special() ? 3 : 2;
        default:
            return 0;
    }
}

std::int32_t ExchangePoints(const Rules& q, char code) {
    const std::string chars45 = radio::Trim(Chars(q.Rcvd(), 4, 5));
    switch (code) {
        case 'P': {
            if (q.CallShort()) return 0;
            const std::string tail = radio::Trim(q.Tail());
            std::int32_t points = tail == "00" || tail == "0" ? 100
                                  : tail == "XX"              ? 20
                                                              : DecimalValue(tail);
            return q.Call().starts_with("DN") ? points + 20 : points;
        }
        case 'q':
            return HandKeyPoints(q);
        case 'p':
            return DswPoints(q);
        case 'Z': {
            if (q.CallShort()) return 0;
            const std::string& key = q.Session().definition.ClubName2;
            return !key.empty() && q.Rcvd().find(key) != std::string::npos ? 5 : 1;
        }
        case '6':
            if (chars45 == "NM") return 1;
            return chars45.empty() ? 1 : 5;
        case '7': {
            if (q.CallShort()) return 10;
            if (q.ClassIn({3, 4})) return q.Qrb();
            const std::string chars47 = radio::Trim(Chars(q.Rcvd(), 4, 7));
            return !chars47.empty() && chars47 != "0" && chars45 != "NM" ? 10 : 1;
        }
        case 'i': {
            if (chars45 == "NM" || chars45.empty()) return 1;
            const std::string after = q.Tail();
            return !after.empty() && !radio::IsAsciiDigit(after[0]) ? 10 : 1;
        }
        case 'k':
            if (q.Call().size() < 2) return 0;
            if (q.Bonus()) return 10;
            return radio::Trim(Chars(q.Rcvd(), 4, 8)).size() == 5 ? 5 : 1;
        case '4': {
            if (q.Call().size() < 2) return 0;
            const std::size_t slash = q.Rcvd().find('/');
            return slash != std::string::npos && !radio::Trim(q.Rcvd().substr(slash + 1)).empty()
                       ? 2
                       : 1;
        }
        default:
            return 0;
    }
}

std::int32_t CallPoints(const Rules& q, char code) {
    switch (code) {
        case '5':
            return q.Call().starts_with("DN") ? 5 : 3;
        case 'L':
            if (q.CallShort()) return 0;
            if (q.Dok() == "DVL") return 20;
            if (q.Bonus()) return 10;
            return q.Special() ? 5 : 1;
        case 'I':
        case 'l':
            if (q.CallShort()) return 0;
            return q.Dok().starts_with('I') && q.Special() ? 2 : 1;
        case 'A':
            return q.Bonus() ? 2 : 1;
        case 'Y':
            if (q.Bonus()) return 10;
            return q.DistrictDok() || q.InDokList() ? 5 : 1;
        case '2':
            if (q.CallShort()) return 1;
            if (q.Call() == "DF0WN") return 6;
            if ((q.Dok().size() == 2 || q.Dok().size() == 3) && q.Dok().back() == 'N') return 3;
            return q.Special() ? 2 : 1;
        case '3':
            if (q.CallShort()) return 1;
            if (q.Call() == "DF0WN") return 10;
            return q.Special() ? 5 : 1;
        case 'c': {
            if (q.Call().size() <= 2) return 1;
            const std::string mode = q.Record().Mode();
            return mode == "FM" ? 2 : mode == "SSB" ? 4 : mode == "CW" ? 6 : 1;
        }
        default:
            return 0;
    }
}

std::int32_t PointsByCode(const Rules& q, char code) {
    if (CharIn(code, "j8mJEON")) return DistancePoints(q, code);
    if (CharIn(code, "VCBFGRKhHd")) return DokPoints(q, code);
    if (CharIn(code, "PqpZ67ik4")) return ExchangePoints(q, code);
    if (CharIn(code, "5LIlAY23c")) return CallPoints(q, code);
    switch (code) {
        case 'D':
            return 2;
        case 'o':
            return VfdbDaysPoints(q, q.Record().Mode());
        case 'Q':
            return SchwabenPoints(q);
        case '9':
            return FieldDayPoints(q);
        case 'e':
        case 'g':
            return NordPoints(q, code);
        case 'S':
        case 'T':
        case 'U':
        case 'b':
        case 'a':
            return q.CallShort() ? 0 : 1;
        case '1':
        case 'n':
        case 'f':
            return 1;
        default:
            return 0;
    }
}

}  // namespace

bool IsSpecialStation(std::string_view call) {
    if (call == "DP0EPO") return true;
    if (!call.starts_with('D') || call.size() < 2) return false;
    if (call.size() >= 3 && CharIn(call[1], "ACFKLNO") && call[2] == '0') return true;
    if (call[1] == 'Q' || call[1] == 'R') return true;
    return call.size() == 4 && call[1] >= 'A' && call[1] <= 'R';
}

std::int32_t PointsOf(LogSession& session, const QsoRecord& record) {
    if (record.Void() != 0) return 0;
    const char code = session.Code();
    if (code == ' ' || code == 0) return 0;
    const Rules rules(session, record);
    return std::clamp<std::int32_t>(PointsByCode(rules, code), 0,
                                    std::numeric_limits<std::uint16_t>::max());
}

}  // namespace mss::log

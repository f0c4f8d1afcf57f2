#include "log/DupeCheck.h"

#include <array>

#include "log/ContestLog.h"
#include "log/DokRules.h"
#include "log/Exchange.h"
#include "log/LogKeys.h"
#include "log/PrefixEvaluation.h"
#include "platform/Cp1252.h"
#include "platform/Desktop.h"
#include "platform/Messages.h"
#include "radio/AsciiChar.h"
#include "radio/BaseCall.h"
#include "radio/DateTime.h"
#include "radio/ProgramValues.h"
#include "radio/Text.h"

namespace mss::log {

namespace {

using radio::BaseCall;
using radio::BaseCallVariant;
using radio::Fit;

std::string HomeCall(std::string_view call) {
    return Fit(BaseCall(call, BaseCallVariant::kKey), 14);
}

// Rule 4: the part of the contest a contact belongs to.
bool SamePart(char code, const QsoRecord& a, const QsoRecord& b) {
    if (code == '6') {
        static const std::int32_t kSplit = radio::TextToTime("hhmm", "1500");
        return (a.Zeit() < kSplit) == (b.Zeit() < kSplit);
    }
    if (code == 'h' || code == 'o') return a.Datum() == b.Datum();
    return true;
}

bool SameBandDupe(LogSession& s, const QsoRecord& c, bool byPart, std::int32_t except) {
    const char code = s.Code();
    const std::string operating = BaseCall(c.Call(), BaseCallVariant::kPrefix);
    bool dupe = false;
    ScanKey(*s.log, kByBandCallMode, std::string(1, c.Band()) + HomeCall(c.Call()),
            [&](const QsoRecord& r) {
                dupe = !r.IsBandChange() && r.Nummer() != except &&
                       (code != '9' || BaseCall(r.Call(), BaseCallVariant::kPrefix) == operating) &&
                       (!byPart || SamePart(code, r, c));
                return !dupe;
            });
    return dupe;
}

bool ModeFamilyDupe(LogSession& s, const QsoRecord& c, std::int32_t except) {
    const bool cw = c.Mode() == "CW";
    bool dupe = false;
    ScanKey(*s.log, kByCallTime, HomeCall(c.Call()), [&](const QsoRecord& r) {
        dupe = !r.IsBandChange() && r.Nummer() != except && (r.Mode() == "CW") == cw;
        return !dupe;
    });
    return dupe;
}

bool NameQthEmpty(const QsoRecord& r) {
    const std::string text = radio::Trim(r.NameQth());
    return text.empty() || text == ";";
}

void Warn(std::string_view text) {
    platform::CurrentDesktop().Beep();
    platform::CurrentMessages().Information(text);
}

void LookUpNameAndQth(LogSession& s, const QsoRecord& contact) {
    const std::string call = Fit(BaseCall(contact.Call(), BaseCallVariant::kKey), 10);
    if (s.callbook) {
        if (std::optional<KnownStation> known = s.callbook(call)) {
            s.rememberedName = platform::DosUmlautsToCp1252(known->name);
            s.rememberedQth = known->qth;
            return;
        }
    }
    if (s.callFile) {
        if (std::optional<KnownStation> known = s.callFile(call)) s.rememberedName = known->name;
    }
}

}  // namespace

int FindDupe(LogSession& s, const QsoRecord& c, bool wholeLog, std::int32_t except) {
    BufferGuard guard(*s.log);
    const int rule = s.definition.DupeRule;
    const auto other = [&](int keyNr, const std::string& key) {
        bool found = false;
        ScanKey(*s.log, keyNr, key, [&](const QsoRecord& r) {
            found = r.Nummer() != except;
            return !found;
        });
        return found;
    };
    switch (rule) {
        case 1:
            return other(kByBandCallMode,
                         std::string(1, c.Band()) + HomeCall(c.Call()) + Fit(c.Mode(), 6))
                       ? 1
                       : 0;
        case 2:
            return SameBandDupe(s, c, false, except) ? 2 : 0;
        case 3:
            return ModeFamilyDupe(s, c, except) ? 3 : 0;
        case 4:
            return SameBandDupe(s, c, true, except) ? 4 : 0;
        case 5:
            return wholeLog && other(kByCall, HomeCall(c.Call())) ? 5 : 0;
        default:
            return 0;
    }
}

std::string DupeMessage(const LogSession& s, int rule, std::string_view call,
                        bool leavingCallField) {
    static constexpr std::array<std::string_view, 6> kGerman = {
        " bereits auf Band/Mode vorhanden",   " bereits auf Band vorhanden",
        " bereits in Betriebsart vorhanden",  " bereits in Band und Periode vorhanden",
        " bereits in Band und Tag vorhanden", " bereits vorhanden"};
    static constexpr std::array<std::string_view, 6> kEnglish = {
        "Call already exists on band/mode",    "Call already exists on band",
        "Call already exists on mode",         "Call already exists on band and period",
        "Call already exists on band and day", "Call already exists"};
    std::size_t index = static_cast<std::size_t>(rule - 1);
    if (rule == 4 && s.Code() != '6') index = 4;
    if (rule == 5) index = 5;
    if (index >= kGerman.size()) return {};
    if (radio::Program().LanguageGerman != 1) return std::string(kEnglish[index]);
    std::string text = "Call ";
    if (leavingCallField) text += std::string(call) + " ";
    text += kGerman[index].substr(1);
    return text;
}

bool CheckCallDupe(LogSession& s, QsoRecord& contact) {
    {
        BufferGuard guard(*s.log);
        if (NameQthEmpty(contact) && s.log->Find(kByCall, HomeCall(contact.Call())) == 0) {
            const QsoRecord earlier = BufferRecord(*s.log);
            if (!NameQthEmpty(earlier)) contact.SetNameQth(earlier.NameQth());
        }
    }
    if (const int rule = FindDupe(s, contact, true); rule != 0) {
        Warn(DupeMessage(s, rule, contact.Call(), true));
        StoreRcvdExchange(contact, Fit(RcvdExchangeOf(contact).substr(0, 3), 3));
        s.rememberedName.clear();
        s.rememberedQth.clear();
        s.chosenCountry.reset();
        return true;
    }
    LookUpNameAndQth(s, contact);
    if (!EvaluatePrefix(s, contact))
        Warn(
            radio::Bilingual("Pr\xE4"
                             "fix unbekannt",
                             "prefix not found"));
    return false;
}

bool AcceptableCall(std::string_view call) {
    const std::string home = BaseCall(radio::Trim(call), BaseCallVariant::kKey);
    if (home.size() < 3) return false;
    if (home[0] == 'D' && home.size() < 4) return false;
    if (radio::IsAsciiDigit(home[0]) && radio::IsAsciiDigit(home[1])) return false;
    return !(radio::IsAsciiLetter(home[0]) && radio::IsAsciiLetter(home[1]) &&
             radio::IsAsciiLetter(home[2]));
}

bool IsComplete(const LogSession& s, const QsoRecord& c) {
    if (c.Datum() <= 0) return false;
    if (c.Zeit() < 0 || c.Zeit() >= radio::kSecondsPerDay) return false;
    if (!AcceptableCall(c.Call())) return false;
    return !s.SecondCallContest() || !radio::Trim(c.Call2()).empty();
}

bool DokCheck(const LogSession& s, const QsoRecord& c) {
    const contest::ContestDefinition& d = s.definition;
    const std::string dok = radio::Trim(DokOf(c));
    bool passed = true;
    const bool listInForce = InForce(d.DokCheckList);
    if (listInForce) passed = InList(dok, d.DokCheckList);
    if (InForce(d.DokCheckLetters) && (!listInForce || !passed))
        passed = !dok.empty() && InLetters(dok[0], d.DokCheckLetters);
    if (!passed && !dok.empty()) {
        const std::string district =
            InForce(d.DokCheckLetters) ? std::string(1, d.DokCheckLetters[0]) : std::string();
        platform::CurrentMessages().Information("Station mu\xDF aus Distrikt " + district +
                                                " sein. Bitte Kontestregeln beachten.");
    }
    return passed;
}

bool CanSave(LogSession& s, const QsoRecord& contact) {
    if (!IsComplete(s, contact)) return false;
    if (const int rule = FindDupe(s, contact, false); rule != 0) {
        Warn(DupeMessage(s, rule, contact.Call(), false));
        return false;
    }
    return DokCheck(s, contact);
}

}  // namespace mss::log

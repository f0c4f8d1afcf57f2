#include "log/Multipliers.h"

#include <algorithm>
#include <array>

#include "log/ContestLog.h"
#include "log/DokRules.h"
#include "log/Exchange.h"
#include "log/LogKeys.h"
#include "radio/AsciiChar.h"
#include "radio/BaseCall.h"
#include "radio/ProgramValues.h"
#include "radio/Text.h"

namespace mss::log {

namespace {

using radio::Fit;
using radio::Trim;

bool CharIn(char c, std::string_view set) {
    return c != 0 && set.find(c) != std::string_view::npos;
}

struct KindRules {
    MultKind kind;
    std::array<std::string_view, 3> captions;  // column captions that route the kind
    int keyWholeLog;                           // 0: the kind counts per band only
    int keyPerBand;                            // 0: the kind counts for the whole log only
    int width;                                 // width of the value in those keys
};

constexpr std::array<KindRules, kMultKindCount> kKinds = {{
    {MultKind::kPrefix, {"DXCC", "Prefix", ""}, kByPrefix, kByBandPrefix, 6},
    {MultKind::kUsState, {"US-State", "", ""}, 0, kByBandDistrict, 2},
    {MultKind::kPlz, {"PLZ", "", ""}, kByDistrict, kByBandDistrict, 2},
    {MultKind::kClubNumber, {"DIG", "IBFD", "AGCW"}, kByCall2, kByBandCall2, 6},
    {MultKind::kMemberNumber, {"QCWA", "DSW", ""}, kByCall2, 0, 6},
    {MultKind::kDok, {"DOK", "Area", "LDK"}, kByDok, kByBandDok, 8},
    {MultKind::kDistrictDok, {"DOK", "", ""}, kByDok, kByBandDok, 8},
    {MultKind::kLocator, {"Loc", "", ""}, kByLocatorTime, kByBandLocator, 4},
    {MultKind::kCallmulti, {"Callmulti", "", ""}, kByCallTime, kByBandCallMode, 14},
}};

const KindRules& RulesOf(MultKind kind) {
    return kKinds[static_cast<std::size_t>(kind)];
}

bool IsDokKind(MultKind kind) {
    return kind == MultKind::kDok || kind == MultKind::kDistrictDok;
}

// The field a kind compares, as the record holds it.
std::string RawValue(MultKind kind, const QsoRecord& r) {
    switch (kind) {
        case MultKind::kPrefix:
            return Trim(r.Prefix());
        case MultKind::kUsState:
        case MultKind::kPlz:
            return Trim(r.District());
        case MultKind::kClubNumber:
        case MultKind::kMemberNumber:
            return Trim(r.Call2());
        case MultKind::kDok:
        case MultKind::kDistrictDok:
            return Trim(DokOf(r));
        case MultKind::kLocator:
            return r.Locator().size() >= 4 ? r.Locator().substr(0, 4) : std::string();
        case MultKind::kCallmulti:
            return Trim(r.Call().substr(0, r.Call().find('/')));
    }
    return {};
}

bool DistrictDokOf(char code, const contest::ContestDefinition& d, std::string_view dok) {
    if (code != 'h') return IsDistrictDok(dok, d.SpecialLetters);
    if (dok.size() != 3 || !radio::IsAsciiDigit(dok[1]) || !radio::IsAsciiDigit(dok[2]))
        return false;
    return (dok[0] >= 'A' && dok[0] <= 'I') || (dok[0] >= 'L' && dok[0] <= 'Y');
}

// The key a worked-before search of the kind walks, and the beginning its
// entries must share.
std::pair<int, std::string> SearchKey(const LogSession& s, MultKind kind, char band,
                                      std::string_view value) {
    const KindRules& rules = RulesOf(kind);
    std::string part = kind == MultKind::kLocator ? std::string(value)
                       : kind == MultKind::kCallmulti
                           ? Fit(radio::BaseCall(value, radio::BaseCallVariant::kKey), rules.width)
                           : Fit(value, rules.width);
    if (ScopeOf(s, kind) == MultScope::kWholeLog) return {rules.keyWholeLog, part};
    return {rules.keyPerBand, std::string(1, band) + part};
}

void RouteToColumns(const LogSession& s, MultKind kind, QsoRecord& contact,
                    std::string_view value) {
    const std::string marker(value.substr(0, 6));
    for (std::size_t column = 0; column < s.definition.MultNames.size(); ++column) {
        if (!CaptionNamesKind(kind, s.definition.MultNames[column])) continue;
        if (column == 0) contact.SetMultiCol1(marker);
        if (column == 1) contact.SetMultiCol2(marker);
        if (column == 2) contact.SetCall2(marker);
    }
}

void StoreCount(LogSession& s, char band) {
    s.totals.multipliers[CountIndex(s, band)] = s.totals.multCount;
}

// Step 1 of the evaluation: the second call field keeps only what the
// contest uses it for.
void PrepareCall2(LogSession& s, QsoRecord& contact) {
    const char code = s.Code();
    if (!s.SecondCallContest() && !CharIn(code, "7fiknp")) contact.SetCall2("");
    if (CharIn(code, "7nifk") && Trim(contact.Call2()) == "0") contact.SetCall2("");
    if (code == 'p') {
        s.dswMembers.LoadOnce(radio::Program().RunDir + "dsw.csv");
        const std::string home = radio::BaseCall(contact.Call(), radio::BaseCallVariant::kKey);
        if (s.dswMembers.MemberNumber(home).empty()) contact.SetCall2("");
    }
}

}  // namespace

bool KindInForce(const contest::ContestDefinition& d, MultKind kind) {
    const contest::ByteSet& f = d.Features;
    switch (kind) {
        case MultKind::kPrefix:
            return f.test(2);
        case MultKind::kUsState:
            return f.test(12);
        case MultKind::kPlz:
            return f.test(15);
        case MultKind::kClubNumber:
            return f.test(16);
        case MultKind::kMemberNumber:
            return f.test(19);
        case MultKind::kDok:
            return f.test(4) || f.test(8) || f.test(17);
        case MultKind::kDistrictDok:
            return f.test(18);
        case MultKind::kLocator:
            return f.test(5);
        case MultKind::kCallmulti:
            return f.test(10);
    }
    return false;
}

bool CaptionNamesKind(MultKind kind, std::string_view caption) {
    const KindRules& rules = RulesOf(kind);
    return !caption.empty() && std::ranges::find(rules.captions, caption) != rules.captions.end();
}

MultScope ScopeOf(const LogSession& s, MultKind kind) {
    const MultScope banded =
        s.definition.MultMode == 2 ? MultScope::kPerBandAndMode : MultScope::kPerBand;
    switch (kind) {
        case MultKind::kUsState:
            return banded;
        case MultKind::kClubNumber:
            return s.Code() == 'f' ? banded : MultScope::kWholeLog;
        case MultKind::kMemberNumber:
            return MultScope::kWholeLog;
        default:
            return s.definition.MultMode == 1 ? MultScope::kWholeLog : banded;
    }
}

std::size_t CountIndex(const LogSession& s, char band) {
    return s.definition.MultMode == 1 ? 1 : static_cast<unsigned char>(band);
}

std::string MultiplierValue(LogSession& s, MultKind kind, const QsoRecord& r) {
    const contest::ContestDefinition& d = s.definition;
    const char code = s.Code();
    std::string value = RawValue(kind, r);
    if (value.empty()) return value;
    switch (kind) {
        case MultKind::kPrefix:
            if (value == "DL" && !d.Features.test(3)) return {};
            if (d.Features.test(9) && r.Continent() != "EU") return {};
            if (code == 'Z' && !Trim(r.District()).empty()) return {};
            return value;
        case MultKind::kDok:
            if (value == "NM" && code != '1') return {};
            return DokCounts(d, code, value) ? value : std::string();
        case MultKind::kDistrictDok:
            return DistrictDokOf(code, d, value) ? value : std::string();
        case MultKind::kLocator:
            if (code == 'J' && r.Band() != 'k' && r.Band() != 'l') return {};
            return value;
        case MultKind::kCallmulti:
            if (InForce(d.SpecialCalls) && !InList(value, d.SpecialCalls)) return {};
            return value;
        default:
            return value;
    }
}

std::int32_t MultiplierWeight(const LogSession& s, MultKind kind, std::string_view value) {
    return IsDokKind(kind) ? DokWeight(s.Code(), s.entry, value) : 1;
}

bool ClubContact(const LogSession& s, const QsoRecord& r) {
    const std::string& club = s.definition.ClubName;
    if (club.empty()) return true;
    const std::string rcvd = RcvdExchangeOf(r);
    if (club != "Naval") return rcvd.find(club) != std::string::npos;
    return rcvd.size() <= 3 || !radio::IsAsciiDigit(rcvd[3]);
}

bool EarlierCounts(const LogSession& s, MultKind kind, const QsoRecord& earlier, bool recounting) {
    const std::string& club = s.definition.ClubName;
    if (club.empty()) return true;
    const bool filtered = kind == MultKind::kPrefix || kind == MultKind::kUsState ||
                          kind == MultKind::kPlz || kind == MultKind::kMemberNumber ||
                          (recounting && kind == MultKind::kClubNumber);
    if (!filtered) return true;
    const std::string rcvd = RcvdExchangeOf(earlier);
    if (rcvd.find(club) != std::string::npos) return true;
    return kind == MultKind::kMemberNumber && club == "Naval" && rcvd.size() > 3 &&
           !radio::IsAsciiDigit(rcvd[3]);
}

bool WorkedBefore(LogSession& s, MultKind kind, const QsoRecord& contact, std::string_view value) {
    if (s.Code() == 'L' && kind == MultKind::kDok) return false;
    const bool sameMode = ScopeOf(s, kind) == MultScope::kPerBandAndMode;
    const auto [keyNr, prefix] = SearchKey(s, kind, contact.Band(), value);
    BufferGuard guard(*s.log);
    bool found = false;
    ScanKey(*s.log, keyNr, prefix, [&](const QsoRecord& earlier) {
        found = !earlier.IsBandChange() && earlier.Void() == 0 &&
                RawValue(kind, earlier) == value &&
                (!sameMode || earlier.Mode() == contact.Mode()) &&
                EarlierCounts(s, kind, earlier, false);
        return !found;
    });
    return found;
}

void EvaluateMultipliers(LogSession& s, QsoRecord& contact) {
    UndoProvisionalMultipliers(s);
    contact.SetMultiCol1("");
    contact.SetMultiCol2("");
    PrepareCall2(s, contact);
    if (!ClubContact(s, contact)) return;
    for (const KindRules& rules : kKinds) {
        const MultKind kind = rules.kind;
        if (!KindInForce(s.definition, kind)) continue;
        const std::string value = MultiplierValue(s, kind, contact);
        if (value.empty()) continue;
        const std::string mode =
            ScopeOf(s, kind) == MultScope::kPerBandAndMode ? contact.Mode() : std::string();
        MultTable& table = s.multipliers.Table(kind);
        if (WorkedBefore(s, kind, contact, value)) {
            if (MultEntry* entry = table.Find(value, mode)) entry->state = MultState::kWorkedAgain;
            continue;
        }
        RouteToColumns(s, kind, contact, value);
        table.Insert(value, mode, MultState::kNew);
        const std::int32_t weight = MultiplierWeight(s, kind, value);
        s.multipliers.Provisional(kind) = ProvisionalValue{value, mode, weight, contact.Band()};
        s.totals.multCount += weight;
        StoreCount(s, contact.Band());
    }
}

void UndoProvisionalMultipliers(LogSession& s) {
    for (const KindRules& rules : kKinds) {
        MultTable& table = s.multipliers.Table(rules.kind);
        table.ChangeStates(MultState::kWorkedAgain, MultState::kSaved);
        std::optional<ProvisionalValue>& provisional = s.multipliers.Provisional(rules.kind);
        if (!provisional) continue;
        table.Remove(provisional->value, provisional->mode);
        s.totals.multCount -= provisional->weight;
        StoreCount(s, provisional->band);
        provisional.reset();
    }
}

void CommitMultipliers(LogSession& s) {
    for (MultTable& table : s.multipliers.tables) table.SetAllStates(MultState::kSaved);
    for (auto& provisional : s.multipliers.provisional) provisional.reset();
}

}  // namespace mss::log

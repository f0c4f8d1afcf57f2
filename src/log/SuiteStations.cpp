#include "log/SuiteStations.h"

#include "log/Exchange.h"
#include "radio/AsciiChar.h"
#include "radio/BaseCall.h"
#include "radio/Text.h"
#include "suite/CallbookRecord.h"

namespace mss::log {

namespace {

using suite::CallField;

constexpr std::size_t kMemberValueLength = 8;

std::string HomeCall(std::string_view call) {
    return radio::Trim(radio::BaseCall(call, radio::BaseCallVariant::kKey));
}

template <class Record>
KnownStation StationOf(const Record& r) {
    return {r.Get(CallField::Name),    r.Get(CallField::Qth),   r.Get(CallField::Dok),
            r.Get(CallField::Locator), r.Get(CallField::Club1), r.Get(CallField::Club2),
            r.Get(CallField::Member),  r.Get(CallField::Ldk)};
}

// The first non-empty value of the callbook, then of the call file.
template <class Pick>
std::string FirstKnown(const std::optional<KnownStation>& book,
                       const std::optional<KnownStation>& file, Pick pick,
                       std::string_view none = {}) {
    for (const std::optional<KnownStation>* known : {&book, &file}) {
        if (!*known) continue;
        const std::string value = radio::Trim(pick(**known));
        if (!value.empty() && value != none) return value;
    }
    return {};
}

std::string NavalNumber(const std::optional<KnownStation>& book,
                        const std::optional<KnownStation>& file) {
    for (const std::optional<KnownStation>* known : {&book, &file}) {
        if (!*known) continue;
        std::string value = radio::Trim((*known)->member);
        if (!value.empty() && radio::IsAsciiDigit(value[0])) value = "MF" + value;
        if (!value.empty() && value != "MF" && value != "MF0") return value;
    }
    return {};
}

std::string& ReceivedField(PanelValues& p, std::size_t index) {
    return index == 0 ? p.rcvd.field2 : index == 1 ? p.rcvd.field3 : p.rcvd.field4;
}

// The club value of a received field of `kind` in contest `code`, and
// whether it also goes to Call2.
std::string ClubValue(LogSession& s, MemberLists& m, int kind,
                      const std::optional<KnownStation>& book,
                      const std::optional<KnownStation>& file, const std::string& home) {
    const char code = s.Code();
    if (kind == contest::kKindClubNumber && (code == '7' || code == 'f')) {
        if (code == '7')
            return FirstKnown(
                book, file, [](auto& k) { return k.club1; }, "MF");
        return FirstKnown(
            book, file, [](auto& k) { return k.club2; }, "MF");
    }
    if (kind == contest::kKindMemberNumber && code == 'i') {
        std::string value = NavalNumber(book, file);
        if (const std::string listed = MemberValue(m.naval, home); !listed.empty()) value = listed;
        return value;
    }
    if (kind == contest::kKindMemberNumber && code == 'k') return MemberValue(m.qcwa, home);
    if (kind == contest::kKindFreeText && code == '6') return MemberValue(m.hsc, home);
    if (kind == contest::kKindMemberNumber && code == 'p') return MemberValue(s.dswMembers, home);
    if (kind == contest::kKindClubNumber && code == 'n') return MemberValue(m.ibfd, home);
    return {};
}

std::string PrefillValue(LogSession& s, int kind, const std::optional<KnownStation>& book,
                         const std::optional<KnownStation>& file, const QsoRecord& c) {
    switch (kind) {
        case contest::kKindDok:
            if (!IsGermanCall(c.Call()) && s.Code() != 'B') return {};
            return FirstKnown(book, file, [](auto& k) { return k.dok; });
        case contest::kKindLocator6:
            return FirstKnown(book, file, [](auto& k) { return k.locator; });
        case contest::kKindLocator:
            return FirstKnown(book, file, [](auto& k) { return k.locator; }).substr(0, 4);
        case contest::kKindArea:
            return FirstKnown(book, std::nullopt, [](auto& k) { return k.dok; });
        case contest::kKindLdk:
            return FirstKnown(book, std::nullopt, [](auto& k) { return k.ldk; });
        default:
            return {};
    }
}

}  // namespace

StationLookupFunction SuiteCallbook() {
    return [](std::string_view baseCall) -> std::optional<KnownStation> {
        if (auto record = suite::FindInCallbook(baseCall)) return StationOf(*record);
        return std::nullopt;
    };
}

StationLookupFunction SuiteCallFile() {
    return [](std::string_view baseCall) -> std::optional<KnownStation> {
        if (auto record = suite::FindInCallFile(baseCall)) return StationOf(*record);
        return std::nullopt;
    };
}

void MemberLists::LoadFrom(const std::string& directory) {
    qcwa.LoadOnce(directory + "qcwa.csv");
    hsc.LoadOnce(directory + "hsc.csv");
    naval.LoadOnce(directory + "naval.csv");
    ibfd.LoadOnce(directory + "ibfd.csv");
}

MemberList* MemberLists::TaughtList(char code) {
    switch (code) {
        case 'k':
            return &qcwa;
        case '6':
            return &hsc;
        case 'i':
            return &naval;
        case 'n':
            return &ibfd;
        default:
            return nullptr;
    }
}

std::string MemberValue(const MemberList& list, std::string_view baseCall) {
    const std::vector<std::string> fields = list.Fields(baseCall);
    if (fields.size() < 3) return {};
    std::string value = fields[2];
    for (std::size_t i = 3; i < fields.size(); ++i) value += ";" + fields[i];
    value = radio::Trim(value.substr(0, kMemberValueLength));
    return value.find("OP") == std::string::npos ? value : std::string();
}

bool PrefillFromSuite(LogSession& s, MemberLists& m, PanelValues& p, QsoRecord& c) {
    const std::string home = HomeCall(c.Call());
    if (home.empty()) return false;
    const std::string key = radio::Fit(home, 10);
    const std::optional<KnownStation> book = s.callbook ? s.callbook(key) : std::nullopt;
    const std::optional<KnownStation> file = s.callFile ? s.callFile(key) : std::nullopt;
    bool taken = false;
    for (std::size_t i = 0; i < 3; ++i) {
        const int kind = s.definition.RcvdKinds[i];
        std::string value = PrefillValue(s, kind, book, file, c);
        if (!value.empty()) {
            ReceivedField(p, i) = value;
            taken = true;
            continue;
        }
        value = ClubValue(s, m, kind, book, file, home);
        if (value.empty()) continue;
        // Member numbers go into received field 2, the club's own numbers
        // into their field; both also into Call2.
        const bool memberFile =
            !(kind == contest::kKindClubNumber && (s.Code() == '7' || s.Code() == 'f')) &&
            !(kind == contest::kKindMemberNumber && s.Code() == 'i');
        ReceivedField(p, memberFile ? 0 : i) = value;
        c.SetCall2(value);
        taken = true;
    }
    return taken;
}

void TeachSuiteFiles(LogSession& s, MemberLists& m, const PanelValues& p, const QsoRecord& c) {
    const std::string call = radio::Trim(c.Call());
    if (call.size() <= 2) return;
    const std::string home = HomeCall(call);
    const char code = s.Code();
    const std::string field2 = radio::Trim(p.rcvd.field2);
    if (MemberList* list = m.TaughtList(code); list != nullptr && !field2.empty())
        list->AddLine(home, field2);

    suite::CallbookRecord record;
    if (auto known = suite::FindInCallbook(home)) record = *known;
    record.SetCall(home);
    auto teach = [&record](CallField field, const std::string& value) {
        if (!radio::Trim(value).empty()) record.Set(field, radio::Trim(value));
    };
    if (code != '4') teach(CallField::Dok, DokOf(c));
    if (code == '7') teach(CallField::Club1, field2);
    if (code == 'f') teach(CallField::Club2, p.rcvd.field3);
    if (code == 'i' && !field2.empty() && field2[0] == 'M')
        teach(CallField::Member, field2.substr(2));
    if (p.nameQthShown) {
        teach(CallField::Name, radio::ApplyLetterCase(radio::Trim(p.name)));
        teach(CallField::Qth, radio::ApplyLetterCase(radio::Trim(p.qth)));
    }
    (void)suite::StoreInCallbook(record);
}

}  // namespace mss::log

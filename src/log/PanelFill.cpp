#include "log/PanelFill.h"

#include <algorithm>
#include <array>

#include "log/DokRules.h"
#include "radio/AsciiChar.h"
#include "radio/Baender.h"
#include "radio/DateTime.h"
#include "radio/Locator.h"
#include "radio/Text.h"

namespace mss::log {

namespace {

using radio::Trim;

constexpr std::size_t kCallLength = 12;
constexpr std::size_t kNameQthLength = 30;

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::ranges::all_of(text, [](char c) { return radio::IsAsciiDigit(c); });
}

std::string TwoDigits(std::string_view part) {
    return part.size() == 1 ? "0" + std::string(part) : std::string(part);
}

std::string FullYear(std::string_view year, int currentYear) {
    if (year.size() != 2 || !AllDigits(year)) return std::string(year);
    const int yy = std::stoi(std::string(year));
    const int century = yy < 50 ? currentYear / 100 * 100 : 1900;
    return std::to_string(century + yy);
}

std::vector<std::string> SplitDots(std::string_view text) {
    std::vector<std::string> parts = radio::SplitText(text, '.');
    if (parts.size() == 3 && parts.back().empty()) parts.pop_back();
    return parts;
}

bool IsUsState(std::string_view text) {
    static constexpr std::array<std::string_view, 51> kStates = {
        "AL", "AK", "AZ", "AR", "CA", "CO", "CT", "DE", "FL", "GA", "HI", "ID", "IL",
        "IN", "IA", "KS", "KY", "LA", "ME", "MD", "MA", "MI", "MN", "MS", "MO", "MT",
        "NE", "NV", "NH", "NJ", "NM", "NY", "NC", "ND", "OH", "OK", "OR", "PA", "RI",
        "SC", "SD", "TN", "TX", "UT", "VT", "VA", "WA", "WV", "WI", "WY", "DC"};
    return std::ranges::find(kStates, text) != kStates.end();
}

const char* kDokError = "Fehler bei DOK-Angabe";
const char* kLocatorError = "Fehler bei Locator-Angabe";

void TakeDok(LogSession& s, QsoRecord& c, std::string_view text, bool focused,
             std::string& warning) {
    const char code = s.Code();
    if (!IsGermanCall(c.Call()) && code != 'B') {
        StoreDok(c, "");
        return;
    }
    const bool refusedJ = text.size() == 3 && text[0] == 'J' && radio::IsAsciiDigit(text[1]);
    const bool known = code == 'H' ? IsIsraeliArea(text) : IsKnownDok(text, code);
    if (refusedJ) {
        if (focused) warning = kDokError;
        StoreDok(c, "");
    } else {
        StoreDok(c, known ? text : std::string_view());
    }
}

void TakeLocator(LogSession& s, QsoRecord& c, std::string_view typed, bool focused,
                 std::string& warning) {
    const std::string locator = radio::UpperText(typed);
    const bool valid = radio::ToLocator::IsValidLocator(locator);
    const bool keptOnBand = s.Code() != 'J' || c.Band() == 'k' || c.Band() == 'l';
    if (valid && locator.size() >= 4 && keptOnBand) {
        c.SetLocator(locator);
        c.SetQrb(radio::QrbKm(locator));
        return;
    }
    // A locator that is corrected away must not keep scoring.
    c.SetLocator("");
    c.SetQrb(0);
    if (!valid && focused) warning = kLocatorError;
}

void InterpretReceived(LogSession& s, QsoRecord& c, int kind, const std::string& text, bool focused,
                       std::string& warning) {
    switch (kind) {
        case contest::kKindDok:
            TakeDok(s, c, text, focused, warning);
            break;
        case contest::kKindLocator:
        case contest::kKindLocator6:
            TakeLocator(s, c, text, focused, warning);
            break;
        case contest::kKindArea:
        case contest::kKindLdk:
            StoreDok(c, text);
            break;
        case contest::kKindUsState:
            c.SetDistrict(IsUsState(text) ? text : std::string());
            break;
        case contest::kKindPostcode:
            if (!text.empty()) c.SetDistrict(text.substr(0, 2));
            break;
        case contest::kKindClubNumber:
            if (!text.empty()) c.SetCall2(text.substr(0, 4));
            break;
        case contest::kKindMemberNumber:
            if (!text.empty()) c.SetCall2(text.substr(0, 6));
            break;
        default:
            break;
    }
}

void FillNameQth(LogSession& s, const PanelValues& p, QsoRecord& c) {
    if (p.nameQthShown) {
        const std::string name = radio::ApplyLetterCase(Trim(p.name));
        const std::string qth = radio::ApplyLetterCase(Trim(p.qth));
        if (!name.empty()) s.rememberedName = name;
        if (!qth.empty()) s.rememberedQth = qth;
    }
    c.SetNameQth((s.rememberedName + ";" + s.rememberedQth).substr(0, kNameQthLength));
}

}  // namespace

std::string NormaliseCall(std::string_view typed) {
    std::string call(typed);
    std::ranges::replace(call, '-', '/');
    const std::string trimmed = Trim(call);
    std::string out;
    bool slash = trimmed.find('/') != std::string::npos;
    for (char ch : trimmed) {
        if (ch != ' ') {
            out += ch;
        } else if (!slash) {
            out += '/';
            slash = true;
        }
    }
    if (!out.empty() && out.back() == '#') {
        out.pop_back();
        out = (out + "/p").substr(0, kCallLength);
    }
    return Trim(out).substr(0, kCallLength);
}

std::string CompleteDate(std::string_view typed, int currentYear) {
    const std::string text = Trim(typed);
    const std::string year = std::to_string(currentYear);
    if (AllDigits(text) && (text.size() == 4 || text.size() == 6 || text.size() == 8)) {
        const std::string y = text.size() == 4 ? year : FullYear(text.substr(4), currentYear);
        return text.substr(0, 2) + "." + text.substr(2, 2) + "." + y;
    }
    const std::vector<std::string> parts = SplitDots(text);
    if (parts.size() == 2 && AllDigits(parts[0]) && AllDigits(parts[1]))
        return TwoDigits(parts[0]) + "." + TwoDigits(parts[1]) + "." + year;
    if (parts.size() == 3 && AllDigits(parts[0]) && AllDigits(parts[1]))
        return TwoDigits(parts[0]) + "." + TwoDigits(parts[1]) + "." +
               (parts[2].empty() ? year : FullYear(parts[2], currentYear));
    return text;
}

std::int32_t ReadPanelDate(std::string_view typed, int currentYear) {
    return radio::TextToDate(radio::DateFormat, CompleteDate(typed, currentYear));
}

std::string CompleteTime(std::string_view typed) {
    std::string text = Trim(typed);
    std::ranges::replace(text, '.', ':');
    if (AllDigits(text) && text.size() == 4) text = text.substr(0, 2) + ":" + text.substr(2);
    if (AllDigits(text) && text.size() == 3) text = "0" + text.substr(0, 1) + ":" + text.substr(1);
    if (text.size() == 4 && text[1] == ':') text = "0" + text;
    return text;
}

std::int32_t ReadPanelTime(std::string_view typed) {
    std::string text = CompleteTime(typed);
    if (text.size() == 5) text += ":00";
    // A text of any other shape is no time (the reader would take it for midnight).
    if (text.size() != 8 || text[2] != ':' || text[5] != ':') return radio::kNoTime;
    return radio::TextToTime("hh:mm:ss", text);
}

std::string StoredRst(std::string_view rst, std::string_view mode) {
    std::string out = radio::Fit(rst, 3);
    if (mode == "CW" && out[2] == ' ' && out[1] != ' ') out[2] = '9';
    if (mode == "SSB" || mode == "PR" || mode == "FM") out[2] = ' ';
    return out;
}

bool IsGermanCall(std::string_view call) {
    if (call.size() < 2 || call[0] != 'D') return false;
    const char second = call[1];
    return (second >= 'A' && second <= 'H') || (second >= 'J' && second <= 'R');
}

FillWarning FillRecordFromPanel(LogSession& s, const PanelValues& p, QsoRecord& c,
                                int focusedField) {
    c.SetCall(NormaliseCall(p.call));
    c.SetCall2(radio::UpperText(Trim(p.call2)));
    const int year = radio::DayMonthYear(radio::TodayUtc()).year;
    c.SetDatum(ReadPanelDate(p.datum, year));
    c.SetZeit(ReadPanelTime(p.zeit));
    FillNameQth(s, p, c);
    c.SetFreq(static_cast<float>(radio::ToBaender::ReadFrequency(p.freq).value_or(0)));

    const std::string mode = c.Mode();
    ExchangeFields rcvd = p.rcvd;
    rcvd.rst = StoredRst(rcvd.rst, mode);
    StoreRcvdExchange(c, ComposeExchange(rcvd));
    ExchangeFields sent = p.sent;
    sent.rst = StoredRst(sent.rst, mode);
    StoreSentExchange(c, ComposeExchange(sent));

    FillWarning warning;
    const std::array<const std::string*, 3> texts = {&p.rcvd.field2, &p.rcvd.field3,
                                                     &p.rcvd.field4};
    for (int i = 0; i < 3; ++i) {
        const std::string text = Trim(*texts[static_cast<std::size_t>(i)]);
        std::string problem;
        InterpretReceived(s, c, s.definition.RcvdKinds[static_cast<std::size_t>(i)], text,
                          focusedField == i + 2, problem);
        if (!problem.empty() && warning.text.empty()) warning = {problem, i + 2};
    }
    return warning;
}

std::string ReceivedFieldLabel(const LogSession& s, int field) {
    const std::string caption = ReceivedFieldCaption(s, field);
    if (caption.empty()) return {};
    return "&" + std::to_string(field - 1) + " : " + caption;
}

std::string ReceivedFieldCaption(const LogSession& s, int field) {
    const auto index = static_cast<std::size_t>(field - 2);
    const int kind = s.definition.RcvdKinds[index];
    std::string label = s.definition.RcvdLabels[index];
    if (label.empty()) {
        const char code = s.Code();
        switch (kind) {
            case contest::kKindDok:
                label = "DOK";
                break;
            case contest::kKindLocator:
            case contest::kKindLocator6:
                label = "LOC";
                break;
            case contest::kKindNumber:
            case contest::kKindSerial:
            case contest::kKindContestNumber:
                label = "lfd.Nr.";
                break;
            case contest::kKindArea:
                label = "Area";
                break;
            case contest::kKindUsState:
                label = "US-State";
                break;
            case contest::kKindPostcode:
                label = "PLZ";
                break;
            case contest::kKindClubNumber:
                label = code == 'f'   ? "AGCW"
                        : code == 'k' ? "QCWA"
                        : code == 'n' ? "IBFD"
                        : code == 'p' ? "DSW/Paddel"
                                      : "DIG";
                break;
            case contest::kKindLdk:
                label = "LDK";
                break;
            case contest::kKindMemberNumber:
                label = code == 'k' ? "QCWA" : code == 'p' ? "DSW/Paddel" : "Naval";
                break;
            default:
                break;
        }
    }
    return label;
}

}  // namespace mss::log

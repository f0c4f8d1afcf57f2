#include "log/ContactEntry.h"

#include <algorithm>

#include "log/ContestLog.h"
#include "log/DupeCheck.h"
#include "log/Multipliers.h"
#include "log/Recount.h"
#include "log/Scoring.h"
#include "radio/DateTime.h"
#include "radio/FormatPicture.h"
#include "radio/Text.h"
#include "store/ErrorRegister.h"

namespace mss::log {

namespace {

using contest::ContestDefinition;

bool IsSerialKind(int kind) {
    return kind == contest::kKindNumber || kind == contest::kKindSerial ||
           kind == contest::kKindContestNumber;
}

std::string Serial(std::int32_t number) {
    return radio::FormatPicture("@@@", number);
}

bool HasMode(const ContestDefinition& d, std::string_view mode) {
    return std::ranges::find(d.Modes, mode) != d.Modes.end();
}

int Count(const std::array<std::string, 100>& list) {
    return static_cast<int>(std::ranges::count_if(list, [](auto& t) { return !t.empty(); }));
}

ExchangeFields DefaultSent(LogSession& s, const EntryState& st, const PanelLayout& layout) {
    ExchangeFields sent{DefaultRst(s, layout), "", "", ""};
    if (s.SecondCallContest()) return sent;
    ContestDefinition& d = s.definition;
    for (std::size_t i = 0; i < 2; ++i) {
        const int kind = d.SentKinds[i];
        if (!IsSerialKind(kind) || layout.sentFields[i]) continue;
        const std::int32_t number = kind == contest::kKindNumber          ? st.next.lfdNr
                                    : kind == contest::kKindContestNumber ? st.next.bandNr
                                                                          : st.next.modeNr;
        d.SentValues[i] = Serial(number);
    }
    sent.field2 = d.SentValues[0];
    sent.field3 = d.SentValues[1];
    sent.field4 = d.SentValues[2];
    if (s.Code() == 'J' && s.band != 'k' && s.band != 'l') sent.field3.clear();
    const bool noText = sent.field2.empty() && sent.field3.empty() && sent.field4.empty();
    if (noText && s.Code() != '7' && s.Code() != 'p') sent.field2 = Serial(st.next.lfdNr);
    return sent;
}

// The serial field of an exchange (field 2 when its kind is a serial, else
// field 3 when that one is) padded to three digits.
std::string PadSerialField(std::string_view text, const std::array<std::int32_t, 3>& kinds) {
    const bool second = IsSerialKind(kinds[0]);
    if (!second && !IsSerialKind(kinds[1])) return std::string(text);
    ExchangeFields fields = SplitExchange(text);
    std::string& serial = second ? fields.field2 : fields.field3;
    serial = PaddedSerial(serial);
    return ComposeExchange(fields);
}

// The edits show values without the record's padding: a report of three
// blanks would fill an edit of three characters and swallow what is typed.
// Filling the record pads them again.
ExchangeFields Trimmed(ExchangeFields f) {
    for (std::string* text : {&f.rst, &f.field2, &f.field3, &f.field4}) *text = radio::Trim(*text);
    return f;
}

}  // namespace

PanelLayout LayoutOf(const LogSession& s, const contest::ContestExtra& extra) {
    const ContestDefinition& d = s.definition;
    PanelLayout l;
    l.call2 = s.SecondCallContest();
    for (std::size_t i = 0; i < 3; ++i) {
        l.rcvdFields[i] = d.RcvdKinds[i] != contest::kKindNone;
        l.sentFields[i] =
            d.SentKinds[i] != contest::kKindNone && (s.SecondCallContest() || extra.RstNotLocked());
    }
    if (!d.SentValues[0].empty()) l.rcvdFields[0] = true;
    l.rstSentEdit = s.entry.RstSentFree();
    l.rstRcvdEdit = s.SecondCallContest() ? s.entry.RstSentFree() : s.entry.RstRcvdFree();
    l.datumEdit = !s.entry.DateAuto();
    l.zeitEdit = !s.entry.TimeAuto();
    l.bandButton = std::ranges::count_if(d.Bands, [](char b) { return b != 0; }) > 1;
    l.modeButton = Count(d.Modes) > 1;
    return l;
}

char StartBand(const ContestDefinition& d) {
    return d.Bands[0];
}

std::string StartMode(const ContestDefinition& d, const contest::ContestEntry& entry) {
    std::string mode = d.Modes[0];
    auto take = [&](bool chosen, std::string_view candidate) {
        if (chosen && HasMode(d, candidate)) mode = candidate;
    };
    const bool any = entry.StartSsb() || entry.StartFm() || entry.StartPr();
    take(entry.StartSsb(), "SSB");
    take(entry.StartFm(), "FM");
    take(entry.StartPr(), "PR");
    take(entry.StartPr(), "FSK441");
    if (HasMode(d, "DIGITAL")) {
        take(entry.StartPr(), "DIGI");
        take(entry.StartPr(), "RTTY");
    }
    take(!any, "CW");
    return mode;
}

std::string DefaultRst(const LogSession& s, const PanelLayout& layout) {
    if (s.Code() == 'j') return "   ";
    return s.mode == "CW" || layout.freeMode ? "599" : "59 ";
}

void PrepareNewContact(LogSession& s, EntryState& st, const PanelLayout& layout) {
    UndoProvisionalMultipliers(s);
    if (st.pendingBand != 0) {
        s.band = st.pendingBand;
        st.pendingBand = 0;
        Recount(s, false);
    }
    st.lastPrefix.clear();
    st.checkedCall.clear();
    st.next = NextNumbers(*s.log, s.band, s.mode);
    QsoRecord& c = st.contact;
    c = QsoRecord{};
    c.SetDatum(st.lastDatum == 0 ? radio::kNoDate : st.lastDatum);
    c.SetZeit(st.lastZeit);
    c.SetMode(s.mode);
    c.SetBand(s.band);
    c.SetQslSend(s.entry.QslSend());
    c.SetQslRcvd(s.entry.QslRcvd());
    c.SetLfdNr(st.next.lfdNr);
    c.SetBandNr(st.next.bandNr);
    c.SetBandSeq(st.next.bandSeq);
    c.SetModeNr(static_cast<std::uint16_t>(st.next.modeNr));
    c.SetFreq(st.lastFreq);
    StoreSentExchange(c, ComposeExchange(DefaultSent(s, st, layout)));
    std::string rcvd = DefaultRst(s, layout);
    if (s.Code() == '9') rcvd += "000";
    StoreRcvdExchange(c, rcvd);
    s.rememberedName.clear();
    s.rememberedQth.clear();
    s.chosenCountry.reset();
}

PanelValues PanelOf(const QsoRecord& c, const LogSession& s) {
    PanelValues p;
    p.call = radio::Trim(c.Call());
    p.call2 = radio::Trim(c.Call2());
    p.sent = Trimmed(SplitExchange(SentExchangeOf(c)));
    p.rcvd = Trimmed(SplitExchange(RcvdExchangeOf(c)));
    p.datum = radio::Trim(radio::DateToText(radio::DateFormat, c.Datum()));
    p.zeit = radio::Trim(radio::TimeToText("hh:mm:ss", c.Zeit()));
    p.name = s.rememberedName;
    p.qth = s.rememberedQth;
    p.freq = c.Freq() > 0 ? radio::Trim(radio::FormatPicture("#####,####", c.Freq())) : "";
    return p;
}

std::string PaddedSerial(std::string_view text) {
    const std::string trimmed = radio::Trim(text);
    if (trimmed.empty() || trimmed.size() > 2) return std::string(text);
    return std::string(3 - trimmed.size(), '0') + trimmed;
}

SaveResult SaveContact(LogSession& s, EntryState& st, const PanelValues& given,
                       const SaveOptions& options) {
    PanelValues panel = given;
    if (s.Code() == 'q' && panel.rcvd.field4.find('/') == std::string::npos) {
        if (const auto dash = panel.rcvd.field4.find('-'); dash != std::string::npos)
            panel.rcvd.field4[dash] = '/';
    }
    QsoRecord c = st.contact;
    (void)FillRecordFromPanel(s, panel, c);
    EvaluateMultipliers(s, c);
    SaveResult result;
    result.stored = c;
    if (!CanSave(s, c)) return result;
    st.lastDatum = c.Datum();
    st.lastZeit = c.Zeit();
    st.lastFreq = c.Freq();

    const RunningNumbers next = NextNumbers(*s.log, c.Band(), c.Mode());
    c.SetLfdNr(next.lfdNr);
    c.SetBandNr(next.bandNr);
    c.SetBandSeq(next.bandSeq);
    c.SetModeNr(static_cast<std::uint16_t>(next.modeNr));
    if (const int level = AddContact(*s.log, c); level != 0) {
        result.status = SaveStatus::kAddFailed;
        result.errorLevel = level;
        result.stored = c;
        const store::ErrorEntry* worst = store::Errors().Worst();
        result.reason = "Der Kontakt konnte nicht gespeichert werden (Fehler " +
                        std::to_string(worst != nullptr ? worst->code : level) + ").";
        return result;
    }
    CountSavedContact(s, c);
    StoreSentExchange(c, PadSerialField(SentExchangeOf(c), s.definition.SentKinds));
    StoreRcvdExchange(c, PadSerialField(RcvdExchangeOf(c), s.definition.RcvdKinds));
    SetBufferRecord(*s.log, c);
    if (const int level = s.log->Update(); level != 0) {
        // The contact is in the log without its points: the totals follow the log.
        Recount(s, true);
        result.status = SaveStatus::kUpdateFailed;
        result.errorLevel = level;
        result.reason = "Die Punkte des Kontakts konnten nicht gespeichert werden.";
        result.stored = c;
        return result;
    }
    if (options.teachSuiteFiles) TeachSuiteFiles(s, st.members, panel, c);
    st.contact = c;
    result.status = SaveStatus::kSaved;
    result.stored = c;
    return result;
}

}  // namespace mss::log

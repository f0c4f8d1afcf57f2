#include "log/EntryActions.h"

#include <algorithm>

#include "log/ContestLog.h"
#include "log/DupeCheck.h"
#include "log/Multipliers.h"
#include "log/PrefixEvaluation.h"
#include "log/Recount.h"
#include "radio/DateTime.h"
#include "radio/FormatPicture.h"
#include "radio/Locator.h"
#include "radio/ProgramValues.h"
#include "radio/Text.h"

namespace mss::log {

namespace {

bool IsLocatorKind(int kind) {
    return kind == contest::kKindLocator || kind == contest::kKindLocator6;
}

const std::string& ReceivedText(const PanelValues& p, int field) {
    return field == 2 ? p.rcvd.field2 : field == 3 ? p.rcvd.field3 : p.rcvd.field4;
}

// Replaces the first three characters of an exchange text by the RST.
std::string WithRst(std::string_view text, std::string_view rst) {
    std::string out = radio::Fit(text, 3);
    out.replace(0, 3, rst);
    return out + std::string(text.size() > 3 ? text.substr(3) : std::string_view());
}

}  // namespace

CallTyping TypeCall(LogSession& s, EntryState& st, const PanelValues& panel) {
    QsoRecord& c = st.contact;
    (void)FillRecordFromPanel(s, panel, c);
    CallTyping typing;
    // Until the call names a country the DOK fields stay open.
    typing.dokFields = true;
    if (c.Call().size() >= 2 && EvaluatePrefix(s, c)) {
        typing.dokFields = IsGermanCall(c.Call()) || s.Code() == 'B';
        if (c.Prefix() != st.lastPrefix) {
            st.lastPrefix = c.Prefix();
            EvaluateMultipliers(s, c);
            typing.prefixChanged = true;
        }
    } else {
        UndoProvisionalMultipliers(s);
    }
    return typing;
}

std::optional<double> BeamHeading(std::string_view locator) {
    const std::string upper = radio::UpperText(locator);
    const auto result = radio::DistanceAndBearing(radio::Program().OwnLocator, upper);
    if (!result || result->Bearing <= 0) return std::nullopt;
    return result->Bearing;
}

ExchangeTyping TypeExchange(LogSession& s, EntryState& st, const PanelValues& panel,
                            int focusedField) {
    QsoRecord& c = st.contact;
    ExchangeTyping typing;
    typing.warning = FillRecordFromPanel(s, panel, c, focusedField);
    QsoRecord judged = c;
    if (radio::Trim(judged.Call()).empty()) judged.SetCall("DL0");
    EvaluateMultipliers(s, judged);
    c.SetMultiCol1(judged.MultiCol1());
    c.SetMultiCol2(judged.MultiCol2());
    if (focusedField >= 2 && focusedField <= 4) {
        const int kind = s.definition.RcvdKinds[static_cast<std::size_t>(focusedField - 2)];
        const std::string text = radio::Trim(ReceivedText(panel, focusedField));
        if (IsLocatorKind(kind) && text.size() > 3) typing.beam = BeamHeading(text);
    }
    return typing;
}

bool LeaveCallField(LogSession& s, EntryState& st, PanelValues& panel) {
    QsoRecord& c = st.contact;
    (void)FillRecordFromPanel(s, panel, c);
    if (c.Call() != st.checkedCall) {
        st.checkedCall = c.Call();
        if (CheckCallDupe(s, c)) return true;
        panel.name = s.rememberedName;
        panel.qth = s.rememberedQth;
    }
    EvaluateMultipliers(s, c);
    if (PrefillFromSuite(s, st.members, panel, c)) {
        (void)FillRecordFromPanel(s, panel, c);
        EvaluateMultipliers(s, c);
    }
    return false;
}

void ChangeBand(LogSession& s, EntryState& st, char band) {
    UndoProvisionalMultipliers(s);
    s.band = band;
    const RunningNumbers next = NextNumbers(*s.log, band, s.mode);
    st.next.bandNr = next.bandNr;
    st.next.bandSeq = next.bandSeq;
    Recount(s, false);
    QsoRecord& c = st.contact;
    c.SetBand(band);
    EvaluateMultipliers(s, c);
    c.SetBandNr(next.bandNr);
    c.SetBandSeq(next.bandSeq);
}

void ChangeMode(LogSession& s, EntryState& st, PanelLayout& layout, std::string_view listMode,
                std::string_view freeMode) {
    layout.freeMode = listMode == "DIGITAL";
    const std::string mode(layout.freeMode ? freeMode : listMode);
    QsoRecord& c = st.contact;
    if (mode != s.mode) {
        UndoProvisionalMultipliers(s);
        s.mode = mode;
        st.next.modeNr = NextNumbers(*s.log, s.band, mode).modeNr;
        c.SetMode(mode);
        c.SetModeNr(static_cast<std::uint16_t>(st.next.modeNr));
        EvaluateMultipliers(s, c);
        const auto& kinds = s.definition.SentKinds;
        const bool serialOfMode =
            kinds[0] == contest::kKindSerial || kinds[1] == contest::kKindSerial;
        if (serialOfMode && !s.SecondCallContest()) {
            for (std::size_t i = 0; i < 2; ++i)
                if (kinds[i] == contest::kKindSerial)
                    s.definition.SentValues[i] = radio::FormatPicture("@@@", st.next.modeNr);
            ExchangeFields sent = SplitExchange(SentExchangeOf(c));
            sent.field2 = s.definition.SentValues[0];
            sent.field3 = s.definition.SentValues[1];
            sent.field4 = s.definition.SentValues[2];
            StoreSentExchange(c, ComposeExchange(sent));
        }
    }
    if (s.Code() == 'j') return;
    const std::string rst = DefaultRst(s, layout);
    if (!s.entry.RstSentFree()) StoreSentExchange(c, WithRst(SentExchangeOf(c), rst));
    if (!s.entry.RstRcvdFree()) StoreRcvdExchange(c, WithRst(RcvdExchangeOf(c), rst));
}

std::optional<char> ScheduledBand(const contest::ContestDefinition& d, char current,
                                  std::int32_t today, std::int32_t now) {
    for (const contest::ContestPeriod& period : d.Periods) {
        if (period.Bands[0] == 0) continue;
        const bool running = radio::TextToDate(radio::DateFormat, period.Date) == today &&
                             now >= radio::TextToTime("hh:mm:ss", period.TimeFrom) &&
                             now < radio::TextToTime("hh:mm:ss", period.TimeTo);
        const bool severalDays = !period.DateTo.empty() && period.DateTo != period.Date;
        if (!running && !severalDays) continue;
        if (std::ranges::find(period.Bands, current) != period.Bands.end()) return current;
        return period.Bands[0];
    }
    return std::nullopt;
}

ClockChanges ClockStep(LogSession& s, EntryState& st, std::int32_t today, std::int32_t now,
                       bool callEmpty) {
    ClockChanges changes;
    if (s.entry.BandAuto()) {
        const std::optional<char> band = ScheduledBand(s.definition, s.band, today, now);
        if (band && *band != s.band) {
            UndoProvisionalMultipliers(s);
            if (callEmpty) {
                ChangeBand(s, st, *band);
                changes.band = true;
            } else {
                st.pendingBand = *band;
            }
        }
    }
    if (s.entry.DateAuto() && st.contact.Datum() != today) {
        st.contact.SetDatum(today);
        changes.datum = true;
    }
    if (s.entry.TimeAuto() && st.contact.Zeit() != now) {
        st.contact.SetZeit(now);
        changes.zeit = true;
    }
    return changes;
}

char ToggledQsl(char flag) {
    static constexpr std::string_view kYes = "JSYjsy";
    return kYes.find(flag) != std::string_view::npos && flag != 0 ? 'N' : 'Y';
}

std::string QslLabel(char flag) {
    const bool no = flag == 0 || flag == ' ' || flag == 'N' || flag == 'n';
    return std::string(no ? radio::Bilingual("&QSL senden: nein", "QSL send: no")
                          : radio::Bilingual("&QSL senden: ja", "QSL send: yes"));
}

}  // namespace mss::log

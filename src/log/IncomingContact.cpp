#include "log/IncomingContact.h"

#include <algorithm>
#include <array>

#include "log/ContestLog.h"
#include "log/DupeCheck.h"
#include "log/EntryActions.h"
#include "log/Multipliers.h"
#include "platform/Messages.h"
#include "radio/Baender.h"
#include "radio/DateTime.h"
#include "radio/FormatPicture.h"
#include "radio/ProgramValues.h"
#include "radio/Text.h"

namespace mss::log {

namespace {

// What the checks of the saving routine say goes to the refused list, not
// into a box that would stop the operator in the middle of a sked.
class CollectedMessages : public platform::Messages {
  public:
    void Information(std::string_view text) override {
        if (first_.empty()) first_ = text;
    }
    bool Question(std::string_view) override { return false; }
    const std::string& First() const { return first_; }

  private:
    std::string first_;
};

std::string Refusal(std::string_view german, std::string_view english, std::string_view detail) {
    std::string text(radio::Bilingual(german, english));
    if (!detail.empty()) text += " (" + std::string(detail) + ")";
    return text;
}

bool InContest(const contest::ContestDefinition& d, char band) {
    return band != radio::kNoBand && std::ranges::find(d.Bands, band) != d.Bands.end();
}

// The band of the announced frequency, or the current band when none was given.
std::optional<char> IncomingBand(const LogSession& s, const WsjtxContact& c, std::string& reason) {
    if (c.FrequencyHz == 0) return s.band;
    const double mhz = static_cast<double>(c.FrequencyHz) / 1e6;
    const char band = radio::ToBaender::BandFromFrequency(mhz);
    if (InContest(s.definition, band)) return band;
    reason = Refusal("Band nicht im Contest", "band not in the contest",
                     radio::Trim(radio::FormatPicture("#####,####", mhz)) + " MHz");
    return std::nullopt;
}

// The panel texts of the announced contact over the defaults of a new one.
PanelValues IncomingPanel(const LogSession& s, const EntryState& st, const PanelLayout& layout,
                          const WsjtxContact& c) {
    PanelValues p = PanelOf(st.contact, s);
    p.call = radio::UpperText(radio::Trim(c.Call));
    p.datum = radio::Trim(radio::DateToText(radio::DateFormat, c.TimeOn.Date));
    p.zeit = radio::Trim(radio::TimeToText("hh:mm:ss", c.TimeOn.Time));
    if (c.TimeOn.Date == radio::kNoDate) p.datum.clear();
    if (c.TimeOn.Time == radio::kNoTime) p.zeit.clear();
    std::array<std::string*, 3> rcvd = {&p.rcvd.field2, &p.rcvd.field3, &p.rcvd.field4};
    for (std::size_t i = 0; i < 3; ++i) {
        const int kind = s.definition.RcvdKinds[i];
        if (kind == contest::kKindLocator || kind == contest::kKindLocator6)
            *rcvd[i] = radio::UpperText(radio::Trim(c.Grid));
    }
    if (layout.rstSentEdit && !radio::Trim(c.ReportSent).empty())
        p.sent.rst = radio::Trim(c.ReportSent);
    if (layout.rstRcvdEdit && !radio::Trim(c.ReportRcvd).empty())
        p.rcvd.rst = radio::Trim(c.ReportRcvd);
    if (!radio::Trim(c.Name).empty()) {
        p.name = radio::Trim(c.Name);
        p.nameQthShown = true;
    }
    return p;
}

// Why the saving routine refused without a word: what it found incomplete.
std::string SilentRefusal(const LogSession& s, const PanelValues& p) {
    if (!AcceptableCall(p.call)) return Refusal("Rufzeichen ung\xFCltig", "call not valid", p.call);
    if (p.datum.empty() || p.zeit.empty())
        return Refusal("Datum oder Zeit fehlt", "date or time missing", {});
    if (s.SecondCallContest())
        return Refusal("zweites Rufzeichen fehlt", "second call missing", {});
    return Refusal("nicht gespeichert", "not saved", {});
}

// The typed contact and what the form had current, kept across the save.
struct Kept {
    EntryState state;
    char band;
    std::string mode;
    std::string name;
    std::string qth;
    std::optional<Country> country;
};

void Restore(LogSession& s, EntryState& st, Kept kept) {
    const std::int32_t lastDatum = st.lastDatum;
    const std::int32_t lastZeit = st.lastZeit;
    const float lastFreq = st.lastFreq;
    MemberLists members = std::move(st.members);
    st = std::move(kept.state);
    st.lastDatum = lastDatum;
    st.lastZeit = lastZeit;
    st.lastFreq = lastFreq;
    st.members = std::move(members);
    s.mode = kept.mode;
    s.rememberedName = std::move(kept.name);
    s.rememberedQth = std::move(kept.qth);
    s.chosenCountry = std::move(kept.country);
    if (s.band != kept.band) ChangeBand(s, st, kept.band);
    // The typed contact takes the numbers that follow the grown log.
    st.next = NextNumbers(*s.log, s.band, s.mode);
    QsoRecord& c = st.contact;
    c.SetLfdNr(st.next.lfdNr);
    c.SetBandNr(st.next.bandNr);
    c.SetBandSeq(st.next.bandSeq);
    c.SetModeNr(static_cast<std::uint16_t>(st.next.modeNr));
    if (!radio::Trim(c.Call()).empty()) EvaluateMultipliers(s, c);
}

}  // namespace

IncomingResult SaveIncomingContact(LogSession& s, EntryState& st, const PanelLayout& layout,
                                   const WsjtxContact& c) {
    IncomingResult result;
    if (!c.Unconvertible.empty()) {
        result.reason =
            Refusal("Zeichen nicht darstellbar", "character not representable", c.Unconvertible);
        return result;
    }
    // The programs' own modes count as the contest's digital mode.
    const std::optional<ModeJudgement> mode =
        JudgeIncomingMode(s.definition, c.Mode, /*digitalAsContestMode=*/true);
    if (!mode) {
        result.reason =
            Refusal("Betriebsart nicht im Contest", "mode not in the contest", radio::Trim(c.Mode));
        return result;
    }
    const std::optional<char> band = IncomingBand(s, c, result.reason);
    if (!band) return result;

    Kept kept{st, s.band, s.mode, s.rememberedName, s.rememberedQth, s.chosenCountry};
    if (*band != s.band) ChangeBand(s, st, *band);
    s.mode = mode->mode;
    st.pendingBand = 0;  // the schedule's band waits for the operator's contact
    PrepareNewContact(s, st, layout);
    if (c.FrequencyHz != 0) st.contact.SetFreq(static_cast<float>(c.FrequencyHz / 1e6));
    const PanelValues panel = IncomingPanel(s, st, layout, c);

    CollectedMessages said;
    SaveResult saved;
    {
        const platform::ScopedMessages install(said);
        saved = SaveContact(s, st, panel);
    }
    Restore(s, st, std::move(kept));

    result.stored = saved.stored;
    switch (saved.status) {
        case SaveStatus::kSaved:
            result.status = IncomingStatus::kSaved;
            break;
        case SaveStatus::kUpdateFailed:
        case SaveStatus::kAddFailed:
            result.status = IncomingStatus::kFailed;
            result.reason = saved.reason;
            break;
        case SaveStatus::kRefused:
            result.reason = said.First().empty() ? SilentRefusal(s, panel) : said.First();
            break;
    }
    return result;
}

bool IncomingPairs::IsTwin(const WsjtxContact& contact) {
    for (Seen& seen : seen_) {
        if (seen.paired || seen.contact.Type == contact.Type) continue;
        if (!SameContact(seen.contact, contact)) continue;
        seen.paired = true;
        return true;
    }
    seen_.push_back({contact, false});
    if (seen_.size() > kRemembered) seen_.pop_front();
    return false;
}

}  // namespace mss::log

#include "log/EditContact.h"

#include "log/ContestLog.h"
#include "log/DupeCheck.h"
#include "log/LogKeys.h"
#include "log/Multipliers.h"
#include "log/PanelFill.h"
#include "log/Points.h"
#include "log/PrefixEvaluation.h"
#include "log/Recount.h"
#include "radio/Baender.h"
#include "radio/DateTime.h"
#include "radio/FormatPicture.h"
#include "radio/Locator.h"
#include "radio/Text.h"
#include "store/KeyCodec.h"

namespace mss::log {

namespace {

bool PrefixCounting(const LogSession& s) {
    return s.definition.Features.test(1);
}

bool ClubContest(char code) {
    return code == '7' || code == 'n' || code == 'p' || code == 'f' || code == 'k';
}

char FlagOf(const std::string& text) {
    const std::string trimmed = radio::Trim(text);
    return trimmed.empty() ? ' ' : trimmed[0];
}

std::pair<std::string, std::string> SplitNameQth(const std::string& nameQth) {
    const auto semicolon = nameQth.find(';');
    if (semicolon == std::string::npos) return {nameQth, {}};
    return {nameQth.substr(0, semicolon), nameQth.substr(semicolon + 1)};
}

bool FindByNummer(store::TFileblockObject& log, std::int32_t nummer) {
    return log.Find(kByNummer, store::IntToKey(nummer)) == 0;
}

}  // namespace

EditValues EditValuesOf(const LogSession& s, const QsoRecord& r) {
    EditValues v;
    v.lfdNr = r.LfdNr();
    v.call = r.Call();
    v.call2 = r.Call2();
    v.sent = SplitExchange(SentExchangeOf(r));
    v.rcvd = SplitExchange(RcvdExchangeOf(r));
    v.mode = r.Mode();
    v.band = r.Band();
    v.datum = radio::Trim(radio::DateToText(radio::DateFormat, r.Datum()));
    v.zeit = radio::Trim(radio::TimeToText("hh:mm:ss", r.Zeit()));
    v.qslSend = r.QslSend() == 0 ? "" : std::string(1, r.QslSend());
    v.qslRcvd = r.QslRcvd() == 0 ? "" : std::string(1, r.QslRcvd());
    v.prefix = PrefixCounting(s) ? r.Prefix2() : r.Prefix();
    std::tie(v.name, v.qth) = SplitNameQth(r.NameQth());
    v.freq = r.Freq() > 0 ? radio::Trim(radio::FormatPicture("#####,####", r.Freq())) : "";
    return v;
}

QsoRecord ApplyEditValues(LogSession& s, const QsoRecord& record, const EditValues& v) {
    QsoRecord r = record;
    r.SetMode(v.mode);
    r.SetBand(v.band);
    PanelValues panel;
    panel.call = v.call;
    panel.call2 = v.call2;
    panel.sent = v.sent;
    panel.rcvd = v.rcvd;
    panel.datum = v.datum;
    panel.zeit = v.zeit;
    panel.freq = v.freq;
    // The dialog's name and QTH are the contact's own, not the entry's.
    const std::string rememberedName = s.rememberedName;
    const std::string rememberedQth = s.rememberedQth;
    s.rememberedName = radio::Trim(v.name);
    s.rememberedQth = radio::Trim(v.qth);
    (void)FillRecordFromPanel(s, panel, r);
    s.rememberedName = rememberedName;
    s.rememberedQth = rememberedQth;
    const char code = s.Code();
    if (code == '7' || code == 'n' || code == 'p' || code == 'i')
        r.SetCall2(radio::Trim(v.rcvd.field2));
    if (code == 'f' || code == 'k') r.SetCall2(radio::Trim(v.rcvd.field3));
    r.SetQslSend(FlagOf(v.qslSend));
    r.SetQslRcvd(FlagOf(v.qslRcvd));
    const std::string prefix = radio::UpperText(radio::Trim(v.prefix));
    if (PrefixCounting(s)) {
        r.SetPrefix2(prefix);
    } else if (prefix != record.Prefix()) {
        r.SetPrefix(prefix);
        r.SetPrefixFixed(prefix.empty() ? 0 : 1);
    }
    (void)EvaluatePrefix(s, r);
    r.SetPunkte(static_cast<std::uint16_t>(PointsOf(s, r)));
    return r;
}

EditRefusal CheckEditedContact(LogSession& s, const QsoRecord& before, const QsoRecord& after,
                               const EditValues& v) {
    if (after.Datum() < 0)
        return {EditField::kDatum, "Das Datum \"" + v.datum + "\" ist ung\xFCltig."};
    if (after.Zeit() < 0) return {EditField::kZeit, "Die Zeit \"" + v.zeit + "\" ist ung\xFCltig."};
    const bool moved = after.Call() != before.Call() || after.Band() != before.Band() ||
                       after.Mode() != before.Mode();
    if (!moved) return {};
    if (const int rule = FindDupe(s, after, false, before.Nummer()); rule != 0)
        return {EditField::kCall, DupeMessage(s, rule, after.Call(), false)};
    return {};
}

bool EditNeedsRenumber(const LogSession& s, const QsoRecord& a, const QsoRecord& b) {
    if (ClubContest(s.Code())) return true;
    const bool any = s.definition.Features.any();
    if (!any) return false;
    return a.Call() != b.Call() || a.Prefix() != b.Prefix() || a.District() != b.District() ||
           a.Call2() != b.Call2() || a.Locator() != b.Locator() || DokOf(a) != DokOf(b) ||
           a.Prefix2() != b.Prefix2() || RcvdExchangeOf(a) != RcvdExchangeOf(b) ||
           a.Band() != b.Band() || a.Mode() != b.Mode();
}

EditResult SaveEditedContact(LogSession& s, const QsoRecord& before, const QsoRecord& after,
                             RenumberProgress& progress) {
    store::TFileblockObject& log = *s.log;
    {
        BufferGuard guard(log);
        if (!FindByNummer(log, before.Nummer())) return EditResult::kNotFound;
        SetBufferRecord(log, after);
        if (log.Update() != 0) return EditResult::kWriteFailed;
    }
    EditResult result = EditResult::kDone;
    if (EditNeedsRenumber(s, before, after) && Renumber(s, progress) != RenumberResult::kDone)
        result = EditResult::kRenumberFailed;
    // Points and totals follow the edit in every contest, with or without
    // multipliers.
    Recount(s, true);
    return result;
}

EditResult DeleteContact(LogSession& s, std::int32_t nummer, RenumberProgress& progress) {
    store::TFileblockObject& log = *s.log;
    {
        BufferGuard guard(log);
        if (!FindByNummer(log, nummer) || BufferRecord(log).IsBandChange())
            return EditResult::kNotFound;
        if (log.Delete(0) != 0) return EditResult::kWriteFailed;
    }
    EditResult result = EditResult::kDone;
    if (Renumber(s, progress) != RenumberResult::kDone) result = EditResult::kRenumberFailed;
    Recount(s, true);
    return result;
}

}  // namespace mss::log

#include "log/AdifImport.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "log/BatchedFlush.h"
#include "log/DupeCheck.h"
#include "log/EntryActions.h"
#include "log/IncomingMode.h"
#include "log/LogKeys.h"
#include "platform/Messages.h"
#include "radio/Baender.h"
#include "radio/DateTime.h"
#include "radio/FormatPicture.h"
#include "radio/Text.h"
#include "store/Filer.h"

namespace mss::log {

namespace {

using contest::ContestDefinition;
using radio::ToBaender;

constexpr std::int32_t kProgressStep = 10;

constexpr std::string_view kFixedFields[] = {"CALL", "QSO_DATE", "TIME_ON", "RST_SENT", "RST_RCVD",
                                             "BAND", "FREQ",     "MODE",    "SUBMODE"};

constexpr std::string_view kModeRefused = "fehlende oder falsche Modeangabe";
constexpr std::string_view kBandRefused = "fehlende oder falsche Bandangabe";

// The caption of received field `field` (2 to 4) as a log field of the import.
std::string ReceivedCaption(const ContestDefinition& d, int field) {
    const std::string caption = radio::Trim(d.RcvdLabels[static_cast<std::size_t>(field - 2)]);
    if (caption.empty() && field == 2) return "SRX";
    return caption;
}

const AdifLogField* FindField(const std::vector<AdifLogField>& fields, std::string_view caption) {
    for (const AdifLogField& f : fields)
        if (f.caption == caption) return &f;
    return nullptr;
}

bool IsMapped(const std::vector<AdifLogField>& fields, std::string_view caption) {
    const AdifLogField* f = FindField(fields, caption);
    return f == nullptr || !f->adifName.empty();
}

// Quietens the dupe check's boxes during an import: what it would have
// said is kept as the reason of the refusal.
class QuietMessages : public platform::Messages {
  public:
    void Information(std::string_view text) override { last = std::string(text); }
    bool Question(std::string_view text) override {
        last = std::string(text);
        return false;
    }
    std::string last;
};

// An RST value of the file: up to 3 characters are the RST; a longer one
// carries field 2 (and after a "/" field 3) behind it.
void SplitRst(const std::string& value, ExchangeFields& fields) {
    if (value.empty()) return;
    if (value.size() <= 3) {
        fields.rst = value;
        return;
    }
    fields.rst = value.substr(0, 3);
    const std::string rest = value.substr(3);
    const auto slash = rest.find('/');
    if (slash == std::string::npos) {
        fields.field2 = rest;
    } else {
        fields.field2 = rest.substr(0, slash);
        fields.field3 = rest.substr(slash + 1);
    }
}

std::string ValueOr(std::string value, const std::string& fallback) {
    return value.empty() ? fallback : value;
}

void UpperExchange(ExchangeFields& fields) {
    for (std::string* text : {&fields.rst, &fields.field2, &fields.field3, &fields.field4})
        *text = radio::UpperText(*text);
}

// The panel texts of one record over a new contact's texts: call and
// exchange in upper case as the panel's edits take them; name and QTH only
// where the form shows them.
PanelValues RecordPanel(const LogSession& s, const std::vector<AdifLogField>& fields,
                        const AdifRecord& record, PanelValues p, const PanelValues& defaults) {
    auto value = [&](std::string_view name) { return AdifLogValue(fields, record, name); };
    p.call = radio::UpperText(value("CALL"));
    p.datum = IsMapped(fields, "QSO_DATE") ? value("QSO_DATE") : defaults.datum;
    p.zeit = IsMapped(fields, "TIME_ON") ? value("TIME_ON") : defaults.zeit;
    p.nameQthShown = defaults.nameQthShown;
    p.name = p.nameQthShown ? value("NAME") : std::string();
    p.qth = p.nameQthShown ? value("QTH") : std::string();
    p.rcvd.field2.clear();
    p.rcvd.field3.clear();
    p.rcvd.field4.clear();
    SplitRst(value("RST_SENT"), p.sent);
    SplitRst(value("RST_RCVD"), p.rcvd);
    if (p.rcvd.field2.empty()) p.rcvd.field2 = value(ReceivedCaption(s.definition, 2));
    if (p.rcvd.field3.empty()) p.rcvd.field3 = value(ReceivedCaption(s.definition, 3));
    p.rcvd.field4 = value(ReceivedCaption(s.definition, 4));
    UpperExchange(p.sent);
    UpperExchange(p.rcvd);
    return p;
}

// The frequency text of a record: FREQ, else the nominal frequency of BAND,
// with a decimal comma as the panel shows it.
std::string FrequencyText(const std::string& freq, const std::string& band) {
    std::string text = freq;
    if (text.empty()) {
        const double nominal = ToBaender::FrequencyFromName(band);
        if (nominal > 0) text = radio::Trim(radio::FormatPicture("#####.####", nominal));
    }
    std::ranges::replace(text, '.', ',');
    return text;
}

AdifRefusal RefusalOf(const QsoRecord& c, std::string reason) {
    return {c.Call(), radio::Trim(radio::DateToText(radio::DateFormat, c.Datum())),
            radio::Trim(radio::TimeToText("hh:mm", c.Zeit())), std::move(reason)};
}

void Refuse(AdifImportResult& result, const QsoRecord& c, std::string reason) {
    result.refusals.push_back(RefusalOf(c, std::move(reason)));
}

// A record refused before it was filled, named by the file's values.
AdifRefusal RefusalOf(const std::vector<AdifLogField>& fields, const AdifRecord& record,
                      std::string reason) {
    return {radio::Trim(AdifLogValue(fields, record, "CALL")),
            AdifLogValue(fields, record, "QSO_DATE"), AdifLogValue(fields, record, "TIME_ON"),
            std::move(reason)};
}

std::string Count(int n) {
    return radio::Trim(radio::FormatPicture("#####", n));
}

// Saves one record's panel as the entry form saves a typed contact and
// counts the outcome; the dupe check's box is counted, not shown. Answers
// the outcome.
SaveStatus SaveRecord(LogSession& s, EntryState& st, const PanelValues& panel, bool asDigital,
                      AdifImportResult& result) {
    QuietMessages quiet;
    SaveResult saved;
    {
        const platform::ScopedMessages install(quiet);
        saved = SaveContact(s, st, panel);
    }
    switch (saved.status) {
        case SaveStatus::kSaved:
            ++result.imported;
            if (asDigital) ++result.asDigital;
            break;
        case SaveStatus::kRefused:
            if (!IsComplete(s, saved.stored)) {
                ++result.incomplete;
                result.counted.push_back(RefusalOf(
                    saved.stored, "unvollst\xE4ndig (Call, Datum oder Zeit fehlt oder falsch)"));
            } else if (FindDupe(s, saved.stored, false) != 0) {
                ++result.duplicates;
                result.counted.push_back(RefusalOf(saved.stored, "Call doppelt"));
            } else {
                ++result.checkRefused;
                Refuse(result, saved.stored, quiet.last);
            }
            break;
        case SaveStatus::kAddFailed:
            ++result.storeFailures;
            Refuse(result, saved.stored, saved.reason);
            break;
        case SaveStatus::kUpdateFailed:
            // The contact is in the log; only its points were not written.
            ++result.imported;
            if (asDigital) ++result.asDigital;
            ++result.updateFailures;
            Refuse(result, saved.stored, saved.reason);
            break;
    }
    return saved.status;
}

// The record's frequency selects the current band, as typing it would.
void FollowFrequency(LogSession& s, EntryState& st, const std::string& freq) {
    const std::optional<double> mhz = ToBaender::ReadFrequency(freq);
    if (!mhz || *mhz <= 0) return;
    const char band = ToBaender::BandFromFrequency(ToBaender::NormaliseFrequency(*mhz));
    // Only a band of the contest becomes the form's band, even when the
    // checks are off.
    const bool contestBand =
        std::ranges::find(s.definition.Bands, band) != s.definition.Bands.end();
    if (band != radio::kNoBand && contestBand && band != s.band) ChangeBand(s, st, band);
}

// What every record of one import shares.
struct ImportPass {
    LogSession& session;
    EntryState& state;
    const PanelLayout& layout;
    const std::vector<AdifLogField>& fields;
    const PanelValues& defaults;
    const AdifImportOptions& options;
    std::string sessionMode;
    bool modeMapped;
    bool bandMapped;
};

// The mode of a record: SUBMODE where the file gives one (ADIF 3 writes
// MSK144 as MFSK with that submode), else MODE.
std::string RecordMode(const std::vector<AdifLogField>& fields, const AdifRecord& record) {
    return ValueOr(AdifLogValue(fields, record, "SUBMODE"), AdifLogValue(fields, record, "MODE"));
}

// The mode a record is logged with, or nullopt when it fails the check.
std::optional<ModeJudgement> RecordModeJudged(const ImportPass& c, const AdifRecord& record,
                                              std::string& reason) {
    const std::string mode = RecordMode(c.fields, record);
    if (c.options.noModeBandCheck)
        return ModeJudgement{radio::UpperText(ValueOr(mode, c.sessionMode)), false};
    std::optional<ModeJudgement> judged;
    if (c.modeMapped)
        judged = JudgeIncomingMode(c.session.definition, mode, c.options.digitalAsContestMode);
    if (!judged)
        reason = std::string(kModeRefused) + (c.modeMapped ? "" : " (MODE nicht zugeordnet)");
    return judged;
}

// Imports one record of the file into the log and counts its outcome;
// answers whether the log was written to.
bool ImportRecord(const ImportPass& c, const AdifRecord& record, AdifImportResult& result) {
    LogSession& s = c.session;
    EntryState& st = c.state;
    const std::vector<AdifLogField>& fields = c.fields;
    s.mode = c.sessionMode;
    // Name and QTH come from the record alone, never from the one before.
    s.rememberedName.clear();
    s.rememberedQth.clear();
    PrepareNewContact(s, st, c.layout);
    if (!record.Ok()) {
        ++result.unreadable;
        QsoRecord shown;
        shown.SetCall(radio::Trim(record.Value("CALL")));
        shown.SetDatum(radio::kNoDate);
        shown.SetZeit(radio::kNoTime);
        Refuse(result, shown, AdifFaultText(record));
        return false;
    }
    std::string reason;
    const std::optional<ModeJudgement> mode = RecordModeJudged(c, record, reason);
    if (!mode) {
        ++result.modeErrors;
        result.counted.push_back(RefusalOf(fields, record, reason));
        return false;
    }
    const std::string freqValue = AdifLogValue(fields, record, "FREQ");
    const std::string bandValue = AdifLogValue(fields, record, "BAND");
    // Only with the checks off does a record without band take the form's.
    const std::string freq = c.bandMapped ? FrequencyText(freqValue, bandValue) : c.defaults.freq;
    if (!c.options.noModeBandCheck &&
        (!c.bandMapped || AdifBandAccepted(s.definition, freq.empty() ? freqValue : freq,
                                           bandValue) == radio::kNoBand)) {
        ++result.bandErrors;
        result.counted.push_back(
            RefusalOf(fields, record,
                      std::string(kBandRefused) +
                          (c.bandMapped ? "" : " (BAND oder FREQ nicht zugeordnet)")));
        return false;
    }
    FollowFrequency(s, st, freq);
    s.mode = mode->mode.substr(0, 6);
    st.contact.SetMode(s.mode);
    st.contact.SetBand(s.band);
    PanelValues panel = RecordPanel(s, fields, record, PanelOf(st.contact, s), c.defaults);
    panel.freq = freq;
    return SaveRecord(s, st, panel, mode->asDigital, result) != SaveStatus::kRefused;
}

}  // namespace

std::vector<AdifLogField> AdifLogFields(const ContestDefinition& d) {
    std::vector<AdifLogField> fields;
    auto add = [&](std::string caption) {
        if (caption.empty() || FindField(fields, caption) != nullptr) return;
        fields.push_back({std::move(caption), {}});
    };
    for (std::string_view name : kFixedFields) add(std::string(name));
    add(ReceivedCaption(d, 3));
    add(ReceivedCaption(d, 4));
    add(ReceivedCaption(d, 2));
    return fields;
}

void MapStandardAdifFields(std::vector<AdifLogField>& fields, const ContestDefinition& d,
                           const AdifFile& file) {
    const std::vector<std::string> names = file.FieldNames();
    const auto inFile = [&](std::string_view name) {
        return std::ranges::find(names, name) != names.end();
    };
    for (std::size_t i = 0; i < d.RcvdKinds.size(); ++i) {
        const bool locator =
            d.RcvdKinds[i] == contest::kKindLocator || d.RcvdKinds[i] == contest::kKindLocator6;
        if (locator && inFile("GRIDSQUARE"))
            (void)MapAdifField(fields, radio::Trim(d.RcvdLabels[i]), "GRIDSQUARE");
    }
    for (AdifLogField& field : fields)
        if (field.adifName.empty() && inFile(field.caption)) field.adifName = field.caption;
}

bool MapAdifField(std::vector<AdifLogField>& fields, std::string_view caption,
                  std::string_view adifName) {
    for (AdifLogField& f : fields) {
        if (f.caption != caption) continue;
        if (!f.adifName.empty() || adifName.empty()) return false;
        f.adifName = radio::UpperText(adifName);
        return true;
    }
    return false;
}

std::string AdifLogFieldText(const AdifLogField& field) {
    return field.adifName.empty() ? field.caption : field.caption + " (" + field.adifName + ")";
}

std::string AdifLogValue(const std::vector<AdifLogField>& fields, const AdifRecord& record,
                         std::string_view name) {
    if (name.empty()) return {};
    const AdifLogField* field = FindField(fields, name);
    if (field != nullptr && field->adifName.empty()) return {};
    const std::string value = radio::Trim(record.Value(field ? field->adifName : name));
    if (value.empty()) return {};
    if (name == "QSO_DATE") {
        const std::int32_t day = AdifDate(value);
        return day == radio::kNoDate ? value : radio::DateToText(radio::DateFormat, day);
    }
    if (name == "TIME_ON") {
        const std::int32_t seconds = AdifTime(value);
        return seconds == radio::kNoTime ? value : radio::TimeToText("hh:mm", seconds);
    }
    return value;
}

std::optional<AdifFile> ReadAdifFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    return ReadAdif(bytes);
}

char AdifBandAccepted(const ContestDefinition& d, std::string_view freq, std::string_view band) {
    const std::optional<double> mhz = ToBaender::ReadFrequency(freq);
    const char byFreq = mhz && *mhz > 0 ? ToBaender::BandFromFrequency(*mhz) : radio::kNoBand;
    const char byName = ToBaender::BandFromName(band);
    for (char b : d.Bands) {
        if (b == 0) continue;
        if (b == byFreq || b == byName) return b;
    }
    return radio::kNoBand;
}

AdifImportResult ImportAdif(LogSession& s, EntryState& st, const PanelLayout& layout,
                            const AdifFile& file, const std::vector<AdifLogField>& fields,
                            const PanelValues& defaults, const AdifImportOptions& options,
                            PassProgress& progress) {
    AdifImportResult result;
    const store::ScopedPageBuffers bulkCache(store::BulkPageBuffersFor(
        kLogKeyCount, std::int64_t{s.log->RecordCount()} + std::ssize(file.Records)));
    const ImportPass pass{s,
                          st,
                          layout,
                          fields,
                          defaults,
                          options,
                          s.mode,
                          IsMapped(fields, "MODE") || IsMapped(fields, "SUBMODE"),
                          IsMapped(fields, "FREQ") || IsMapped(fields, "BAND")};
    if (!options.noModeBandCheck) {
        if (!pass.bandMapped) result.unmapped.emplace_back("BAND/FREQ");
        if (!pass.modeMapped) result.unmapped.emplace_back("MODE");
    }
    const std::string rememberedName = s.rememberedName;
    const std::string rememberedQth = s.rememberedQth;
    BatchedFlush flush(*s.log);
    progress.Start(static_cast<std::int32_t>(file.Records.size()));
    std::int32_t done = 0;
    for (const AdifRecord& record : file.Records) {
        if (ImportRecord(pass, record, result) && !flush.Written()) result.flushFailed = true;
        if (++done % kProgressStep == 0) progress.Advance(done);
    }
    if (!flush.Finish()) result.flushFailed = true;
    s.mode = pass.sessionMode;
    s.rememberedName = rememberedName;
    s.rememberedQth = rememberedQth;
    progress.Finish();
    return result;
}

std::string AdifImportReport(const AdifImportResult& r) {
    std::string text = Count(r.imported) + " Datens\xE4tze importiert";
    auto line = [&](int n, std::string_view what) {
        if (n != 0) text += "\r\n" + Count(n) + std::string(what);
    };
    line(r.asDigital, " davon als Digitalmode des Contests gewertet");
    line(r.updateFailures, " davon ohne Punkte gespeichert");
    line(r.duplicates, " Calls doppelt");
    line(r.incomplete,
         " unvollst\xE4ndige Datens\xE4tze (Call, Datum oder Zeit fehlt oder falsch)");
    line(r.bandErrors, " fehlende oder falsche Bandangaben");
    line(r.modeErrors, " fehlende oder falsche Modeangaben");
    line(r.unreadable, " nicht lesbare Datens\xE4tze");
    line(r.checkRefused, " von den Contestregeln abgewiesene Datens\xE4tze");
    line(r.storeFailures, " Datens\xE4tze konnten nicht gespeichert werden");
    if (!r.unmapped.empty()) {
        text += "\r\nNicht zugeordnet: ";
        for (std::size_t i = 0; i < r.unmapped.size(); ++i)
            text += (i == 0 ? "" : ", ") + r.unmapped[i];
    }
    if (r.flushFailed) text += "\r\nDas Log konnte nicht vollst\xE4ndig gesichert werden.";
    constexpr std::size_t kShown = 20;
    for (std::size_t i = 0; i < r.refusals.size() && i < kShown; ++i) {
        const AdifRefusal& f = r.refusals[i];
        text += "\r\n  " + (f.call.empty() ? std::string("?") : f.call) + " " + f.datum + " " +
                f.zeit + ": " + f.reason;
    }
    if (r.refusals.size() > kShown)
        text += "\r\n  ... " + Count(static_cast<int>(r.refusals.size() - kShown)) + " weitere";
    return text;
}

}  // namespace mss::log

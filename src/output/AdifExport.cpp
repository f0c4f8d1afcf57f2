#include "output/AdifExport.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "log/Exchange.h"
#include "output/StationTexts.h"
#include "platform/Clock.h"
#include "platform/Messages.h"
#include "radio/Baender.h"
#include "radio/DateTime.h"
#include "radio/Locator.h"
#include "radio/ProgramValues.h"
#include "radio/Text.h"

namespace mss::output {

namespace {

using log::QsoRecord;

constexpr char kSprintCode = 'j';
constexpr std::string_view kVersionWord = " Version ";

bool IsInteger(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The exchange after the report: an integer field when it is a number (a
// serial), else the string field, since ADIF takes only numbers in STX/SRX.
std::string ExchangeField(std::string_view integerTag, std::string_view stringTag,
                          std::string_view value) {
    return AdifField(IsInteger(value) ? integerTag : stringTag, value);
}

std::string Rest(const std::string& exchange) {
    return exchange.size() > 3 ? exchange.substr(3) : std::string();
}

// The report of an exchange: always 3 characters, padded when the exchange
// is shorter, so the stated length holds.
std::string Report(const std::string& exchange) {
    return radio::Fit(std::string_view(exchange).substr(0, 3), 3);
}

// A QSL flag as ADIF knows it, or nothing: "J" is Yes, other characters
// only when they are one of the flag's values.
std::string QslFlag(char flag, std::string_view values) {
    if (flag == 0 || flag == ' ') return {};
    if (flag == 'J' || flag == 'j') return "Y";
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(flag)));
    return values.find(upper) != std::string_view::npos ? std::string(1, flag) : std::string();
}

std::string Timestamp() {
    const platform::CivilTime t = platform::CurrentClock().Utc();
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d %02d%02d%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    return text;
}

class AdifLayout : public QsoListLayout {
  public:
    void Header(QsoListRun& run) override;
    std::string Line(QsoListRun& run, const QsoRecord& r, int number) override;
    void Footer(QsoListRun&, int) override {}

  private:
    std::string ReportFields(const QsoListRun& run, const QsoRecord& r) const;
    std::string DokField(const QsoListRun& run, const QsoRecord& r) const;
    std::string DxccFields(const QsoListRun& run, const QsoRecord& r) const;
    static std::string OwnLocator(const QsoRecord& r);

    bool reportOnly_ = true;
};

void AdifLayout::Header(QsoListRun& run) {
    const std::string& title = run.job.definition.Title;
    run.out.RawLine("ADIF-Export generated with Brevant " + title + " " +
                    std::string(kMakerWebAddress));
    const std::size_t version = title.rfind(kVersionWord);
    run.out.RawLine(AdifField("ADIF_VER", kAdifVersion));
    run.out.RawLine(AdifField("PROGRAMID", title.substr(0, version)));
    if (version != std::string::npos) {
        run.out.RawLine(AdifField("PROGRAMVERSION", title.substr(version + kVersionWord.size())));
    }
    run.out.RawLine(AdifField("CREATED_TIMESTAMP", Timestamp()));
    run.out.RawLine("<EOH>");
    reportOnly_ =
        run.job.entry.Code() == 'A' || platform::CurrentMessages().Question(kAdifReportQuestion);
}

std::string AdifLayout::ReportFields(const QsoListRun& run, const QsoRecord& r) const {
    const std::string s = log::SentExchangeOf(r);
    const std::string rcvd = log::RcvdExchangeOf(r);
    std::string f;
    if (run.job.definition.EntryFlag == 1) {
        f += AdifField("RST_SENT", reportOnly_ ? Report(rcvd) : rcvd);
        f += AdifField("CALL_WKD", r.Call2());
        return f + AdifField("RST_WKD", Report(s));
    }
    if (!reportOnly_) return AdifField("RST_SENT", s) + AdifField("RST_RCVD", rcvd);
    f += AdifField("RST_SENT", Report(s));
    f += AdifField("RST_RCVD", Report(rcvd));
    if (s.size() > 3) f += ExchangeField("STX", "STX_STRING", Rest(s));
    if (rcvd.size() > 3) f += ExchangeField("SRX", "SRX_STRING", Rest(rcvd));
    return f;
}

std::string AdifLayout::DokField(const QsoListRun& run, const QsoRecord& r) const {
    const contest::ByteSet& features = run.job.definition.Features;
    const std::string_view tag = features.test(8) ? "AREA" : features.test(17) ? "LDK" : "DOK";
    return AdifField(tag, radio::Trim(log::DokOf(r)));
}

std::string AdifLayout::DxccFields(const QsoListRun& run, const QsoRecord& r) const {
    const std::string prefix = radio::Trim(r.Prefix());
    if (prefix.empty()) return {};
    // The entity number is an integer: no padding, and none when unknown.
    const std::string number = radio::Trim(radio::DxccNumber(prefix, run.job.dxccFinder));
    std::string f = number.empty() ? std::string() : AdifField("DXCC", number);
    return f + AdifField("DXCC_PFX", prefix);
}

// A whole locator of 4 or 6 characters (the check passes partial ones).
bool IsWholeLocator(const std::string& text) {
    return (text.size() == 4 || text.size() == 6) && radio::ToLocator::IsValidLocator(text);
}

// The locator this station sent, else the program's own one.
std::string AdifLayout::OwnLocator(const QsoRecord& r) {
    const std::string sent = radio::Trim(Rest(log::SentExchangeOf(r)));
    if (IsWholeLocator(sent)) return sent;
    const std::string own = radio::Trim(radio::Program().OwnLocator);
    return IsWholeLocator(own) ? own : std::string();
}

std::string AdifLayout::Line(QsoListRun& run, const QsoRecord& r, int) {
    const char code = run.job.entry.Code();
    std::string f;
    if (r.Datum() > 0) f += AdifField("QSO_DATE", radio::DateToText("yyyymmdd", r.Datum()));
    if (r.Zeit() >= 0) f += AdifField("TIME_ON", radio::TimeToText("hhmm", r.Zeit()));
    f += AdifField("CALL", r.Call());
    f += ReportFields(run, r);
    if (code == 'A' && log::RcvdExchangeOf(r).size() > 3) {
        f += AdifField("LDK", Rest(log::RcvdExchangeOf(r)));
    }
    f += AdifField("BAND", radio::ToBaender::BandName(r.Band(), true));
    f += AdifField("MODE", radio::Trim(r.Mode()) == "PR" ? std::string("PKT") : r.Mode());
    f += AdifField("PTS", std::to_string(r.Punkte()));
    f += DokField(run, r);
    f += AdifField("GRIDSQUARE", radio::Trim(r.Locator()));
    if (code == kSprintCode) {
        if (const std::string own = OwnLocator(r); !own.empty()) {
            f += AdifField("MY_GRIDSQUARE", own);
        }
    }
    f += DxccFields(run, r);
    if (r.Freq() > 0) {
        char mhz[32];
        std::snprintf(mhz, sizeof mhz, "%.4f", static_cast<double>(r.Freq()));
        f += AdifField("FREQ", radio::Trim(mhz));
    }
    const std::string nameQth = r.NameQth();
    const std::size_t semicolon = nameQth.find(';');
    const std::string name = radio::Trim(nameQth.substr(0, semicolon));
    const std::string qth =
        radio::Trim(semicolon == std::string::npos ? nameQth : nameQth.substr(semicolon + 1));
    if (!name.empty()) f += AdifField("NAME", name);
    if (!qth.empty()) f += AdifField("QTH", qth);
    if (const std::string q = QslFlag(r.QslSend(), "YNRQI"); !q.empty()) {
        f += AdifField("QSL_SENT", q);
    }
    if (const std::string q = QslFlag(r.QslRcvd(), "YNRIV"); !q.empty()) {
        f += AdifField("QSL_RCVD", q);
    }
    if (code == kSprintCode) {
        f += AdifField("PROP_MODE", "MS");
        if (const std::string own = radio::Trim(radio::Program().OwnCall); !own.empty()) {
            f += AdifField("STATION_CALLSIGN", own);
        }
    }
    return f + "<EOR>";
}

}  // namespace

std::string AdifField(std::string_view tag, std::string_view value) {
    return "<" + std::string(tag) + ":" + std::to_string(value.size()) + ">" + std::string(value) +
           " ";
}

std::unique_ptr<QsoListLayout> MakeAdifLayout() {
    return std::make_unique<AdifLayout>();
}

}  // namespace mss::output

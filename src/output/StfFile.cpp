#include "output/StfFile.h"

#include <string>
#include <string_view>
#include <vector>

#include "contest/StationSettings.h"
#include "log/Exchange.h"
#include "log/LogKeys.h"
#include "output/LogWalk.h"
#include "output/StationTexts.h"
#include "radio/DateTime.h"
#include "radio/ProgramValues.h"
#include "radio/Text.h"

namespace mss::output {

namespace {

using log::QsoRecord;

constexpr int kKeyWidth = 13;
constexpr char kSixCentimetres = 'p';

// A header line: the key padded to 13, then the value; a key without a
// value stands alone.
std::string Keyed(std::string_view key, std::string_view value) {
    if (value.empty()) return std::string(key);
    return radio::Fit(key, kKeyWidth) + std::string(value);
}

// Contests whose exchange carries two values after the report.
bool TwoExchangeValues(char code) {
    return code == 'J' || code == 'G' || code == 'B' || code == '1';
}

// The claimed contacts are the contact records: the highest running number
// would count deleted numbers as well.
WriteStatus CountContacts(store::TFileblockObject& log, long long& count) {
    count = 0;
    return WalkLog(log, log::kByNummer, [&](const QsoRecord& r) {
        if (!r.IsBandChange()) ++count;
    });
}

// The club-class sentence of contest 'b' by the entry's class value.
std::string_view ClassSentence(std::int32_t extraNumber) {
    if (extraNumber == 3) {
        return "Im OQRPC habe ich auf dem 80/40/20m-Band mit einem individuellen Unikat "
               "teilgenommen.";
    }
    if (extraNumber == 2) {
        return "Im OQRPC habe ich auf dem 80/40/20m-Band mit einem von mir selbstgebauten "
               "Bausatz teilgenommen.";
    }
    return {};
}

// The equipment line from the entry's station file; empty without one.
std::string EquipmentLine(const contest::ContestEntry& entry) {
    const char code = entry.Code();
    const std::vector<std::string> lines =
        ReadStationFile(StationFilePath(code == 'b' ? "OQRP" : "mssprint", entry.Number()));
    if (lines.empty()) return {};
    std::string line = radio::Fit("Equipment", kKeyWidth);
    if (code == 'b') line += ClassSentence(entry.ExtraNumber());
    for (const std::string& l : lines) line += " " + l;
    return line;
}

std::string QsoOrder(char code) {
    if (TwoExchangeValues(code)) {
        return "QsoOrder     Date Time Band Mode Call SRst Sent Sent2 RRst Rcvd Rcvd2";
    }
    std::string order = "QsoOrder     Date Time Band Mode Call SRst Sent RRst Rcvd";
    if (code == 'O') order += " Name";
    return order;
}

// The report and the exchange of one exchange text, as the STF line has them.
std::string ExchangeFields(const std::string& exchange, char code) {
    const std::string_view text = exchange;
    const std::string report(text.substr(0, 3));
    std::string rest(text.size() > 3 ? text.substr(3, 17) : std::string_view{});
    if (TwoExchangeValues(code)) {
        if (!rest.empty() && rest.front() == '/') {
            rest = "-   " + rest.substr(1);
        } else if (radio::Trim(rest) == "-") {
            rest = "-   -";
        } else if (const std::size_t slash = rest.find('/'); slash != std::string::npos) {
            rest[slash] = ' ';
        } else {
            rest += " -";
        }
    }
    const std::string reportField = radio::Trim(report).empty() ? " - " : radio::Fit(report, 3);
    const std::string restField =
        radio::Trim(rest).empty() ? " -" + std::string(15, ' ') : radio::Fit(rest, 17);
    return reportField + " " + restField;
}

std::string BandField(char band) {
    return band == kSixCentimetres ? std::string("5   ") : BandText(band, false);
}

class StfLayout : public QsoListLayout {
  public:
    void Header(QsoListRun& run) override;
    std::string Line(QsoListRun& run, const QsoRecord& r, int number) override;
    void Footer(QsoListRun& run, int) override { run.out.RawLine("EndQSOList"); }
};

void StfLayout::Header(QsoListRun& run) {
    const OutputJob& job = run.job;
    const contest::ContestDefinition& def = job.definition;
    const contest::ContestEntry& entry = job.entry;
    long long contacts = 0;
    if (WriteStatus s = CountContacts(*job.log, contacts); !s.Ok()) {
        run.out.Fail(s);
        return;
    }
    const auto [postcode, town] = contest::SplitPostcodeTown(job.address.postcodeTown);
    const std::string country = radio::Trim(job.address.country);
    const std::string call = radio::Trim(entry.Call());
    const int category = entry.Category();
    const std::vector<std::string> lines = {
        "STF1",
        "#Data written \"" + radio::TodayText(radio::DateFormat) + "  " +
            radio::NowText(radio::TimeFormat) + "\"",
        "#STF-Export generated with Brevant " + def.Title + " " + std::string(kMakerWebAddress),
        "Header",
        Keyed("Contest", radio::Trim(entry.Name())),
        Keyed("MyCall", call),
        Keyed("Operators", call),
        Keyed("Category", category > 0 && category <= static_cast<int>(def.Categories.size())
                              ? def.Categories[static_cast<std::size_t>(category - 1)].Text
                              : std::string()),
        Keyed("MailAddress", radio::Trim(radio::Program().OwnName)),
        Keyed("MailAddress", radio::Trim(job.address.street)),
        Keyed("MailAddress", radio::Trim(town)),
        Keyed("MailAddress", radio::Trim(postcode)),
        Keyed("MailAddress", country.empty() ? std::string("Germany") : country),
        "EMail",
        Keyed("ClaimedQSO", std::to_string(contacts)),
        Keyed("ClaimedPts", std::to_string(run.totals.points)),
    };
    for (const std::string& line : lines) run.out.RawLine(line);
    if (def.Features.any()) {
        run.out.RawLine(Keyed("ClaimedMult", std::to_string(run.totals.mult1)));
        if (run.totals.mult2 > 0) {
            run.out.RawLine(Keyed("ClaimedMult2", std::to_string(run.totals.mult2)));
        }
        if (run.totals.mult3 > 0) {
            run.out.RawLine(Keyed("ClaimedMult3", std::to_string(run.totals.mult3)));
        }
    }
    if (entry.Code() != '5' && entry.Code() != 'P') {
        run.out.RawLine(Keyed("ClaimedScore", std::to_string(run.totals.score)));
    }
    run.out.RawLine("Club");
    run.out.RawLine(Keyed("Specific", radio::Trim(entry.Dok()).substr(0, 6)));
    if (entry.Code() == 'b' || entry.Code() == 'j') run.out.RawLine(EquipmentLine(entry));
    for (const std::string_view line : {"Power", "Soapbox", "Soapbox"}) run.out.RawLine(line);
    run.out.RawLine(QsoOrder(entry.Code()));
    for (const std::string_view line : {"EndHeader", "", "QsoList"}) run.out.RawLine(line);
}

std::string StfLayout::Line(QsoListRun& run, const QsoRecord& r, int) {
    const char code = run.job.entry.Code();
    const std::string mode = radio::Trim(r.Mode()).empty() ? " - " : r.Mode();
    const std::string call = radio::Trim(r.Call()).empty() ? "-" : r.Call();
    std::string line = r.Datum() > 0 ? radio::DateToText("yyyymmdd", r.Datum()) : "    -   ";
    line += " " + radio::TimeToText("hhmm", r.Zeit());
    line += " " + BandField(r.Band());
    line += " " + radio::Fit(mode, 6);
    line += " " + radio::Fit(call, run.columns.call);
    const std::string sent = ExchangeFields(log::SentExchangeOf(r), code);
    const std::string rcvd = ExchangeFields(log::RcvdExchangeOf(r), code);
    if (run.job.definition.EntryFlag == 1) {
        line += " " + rcvd + " " + radio::Fit(r.Call2(), 9) + " " + sent;
    } else {
        line += " " + sent + " " + rcvd;
    }
    if (code == 'O' && radio::Trim(r.NameQth()) != ";") {
        const std::string nameQth = r.NameQth();
        line += " " + nameQth.substr(0, nameQth.find(';'));
    }
    return radio::UpperText(line);
}

}  // namespace

std::unique_ptr<QsoListLayout> MakeStfLayout() {
    return std::make_unique<StfLayout>();
}

}  // namespace mss::output

#include "output/EdiFile.h"

#include <set>
#include <string_view>
#include <vector>

#include "log/Exchange.h"
#include "log/LogKeys.h"
#include "output/LogWalk.h"
#include "radio/DateTime.h"
#include "radio/ProgramValues.h"
#include "radio/Text.h"

namespace mss::output {

namespace {

using log::QsoRecord;

// The last line that log checkers take as the end of the file.
constexpr std::string_view kProgramName = "Tarvolt MSSprint";
constexpr std::size_t kEquipmentLine = 36;

// No tab or other control character may stand in a header value: the
// section texts of the dialog end in a tab.
std::string Clean(std::string_view text) {
    std::string clean;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x20) clean += c;
    }
    return radio::Trim(clean);
}

int ModeCode(const std::string& mode) {
    static constexpr struct {
        std::string_view mode;
        int code;
    } kModes[] = {{"SSB", 1}, {"CW", 2}, {"AM", 5}, {"FM", 6}, {"RTTY", 7}};
    const std::string m = radio::Trim(mode);
    for (const auto& entry : kModes) {
        if (entry.mode == m) return entry.code;
    }
    return 0;
}

// The report of an exchange text (0 to 3 characters, no padding).
std::string ReportOf(const std::string& exchange) {
    return radio::Trim(std::string_view(exchange).substr(0, 3));
}

// The number after the report, up to the first "/": four-digit numbers stay whole.
std::string NumberOf(const std::string& exchange) {
    if (exchange.size() <= 3) return {};
    const std::string rest = exchange.substr(3);
    return radio::Trim(rest.substr(0, rest.find('/')));
}

// The received exchange: the first character of the field after the first
// "/", unless that field is the locator, which has its own field.
std::string ExchangeOf(const contest::ContestDefinition& def, const std::string& exchange) {
    const std::size_t slash = exchange.find('/');
    if (slash == std::string::npos || slash + 1 >= exchange.size()) return {};
    const std::int32_t kind = def.RcvdKinds[1];
    if (kind == contest::kKindLocator || kind == contest::kKindLocator6) return {};
    return Clean(exchange.substr(slash + 1, 1));
}

// Locators in capitals, as the format writes them.
std::string LocatorOf(const QsoRecord& r) {
    return radio::UpperText(Clean(r.Locator()));
}

bool DatesGiven(const contest::ContestEntry& entry) {
    return entry.StartDate() >= 1 && entry.EndDate() >= 1;
}

std::string TDate(const contest::ContestEntry& entry) {
    return "TDate=" + radio::DateToText("yyyymmdd", entry.StartDate()) + ";" +
           radio::DateToText("yyyymmdd", entry.EndDate());
}

class EdiLayout : public QsoListLayout {
  public:
    void Header(QsoListRun& run) override;
    std::string Line(QsoListRun& run, const QsoRecord& r, int) override {
        return EdiLine(run.job.definition, r);
    }
    void Footer(QsoListRun& run, int) override {
        run.out.RawLine("[END; " + std::string(kProgramName) + "]");
    }
};

void EdiLayout::Header(QsoListRun& run) {
    const OutputJob& job = run.job;
    // Refused before the dialog: a file without the contest's dates is no entry.
    if (!DatesGiven(job.entry)) return run.out.Fail({kEdiDatesMissing});
    EdiFigures figures;
    if (WriteStatus s = CountEdiFigures(*job.log, figures); !s.Ok()) return run.out.Fail(s);
    EdiStation station = PrefillEdiStation(job);
    const std::string memory = EdiMemoryPath();
    ReadEdiMemory(memory, station);
    if (!CurrentEdiStationDialog().Ask(job, station)) return run.out.Fail({kEdiStationDeclined});

    const std::string& title = job.definition.Title;
    run.out.RawLine("[" + title + "]");
    run.out.RawLine("This data was exported using BREVANT " + title);
    run.out.RawLine("Call:" + radio::Trim(job.entry.Call()));
    run.out.RawLine("Logs generated on " + radio::TodayText(radio::DateFormat) + " " +
                    radio::NowText("hh:mm:ss"));
    for (const std::string& line : EdiHeader(job, station, figures, run.totals.points)) {
        run.out.RawLine(line);
    }
    run.out.RawLine("[QSORecords;" + std::to_string(figures.contacts) + "]");
    // Remembered for the next run; a failure costs only the pre-fill.
    (void)WriteEdiMemory(memory, station);
}

}  // namespace

WriteStatus CountEdiFigures(store::TFileblockObject& log, EdiFigures& f) {
    f = EdiFigures{};
    std::set<std::string> squares;
    std::set<std::string> countries;
    std::int32_t longest = 0;
    const WriteStatus walked = WalkLog(log, log::kByTime, [&](const QsoRecord& r) {
        if (r.IsBandChange()) return;
        ++f.contacts;
        const std::string square = radio::UpperText(radio::Trim(r.Locator()).substr(0, 4));
        if (!square.empty()) squares.insert(square);
        const std::string prefix = radio::UpperText(radio::Trim(r.Prefix()));
        if (!prefix.empty()) countries.insert(prefix);
        if (r.Qrb() > longest) {
            longest = r.Qrb();
            f.longest = radio::Trim(r.Call()) + ";" + LocatorOf(r) + ";" + std::to_string(r.Qrb());
        }
    });
    f.squares = static_cast<std::int64_t>(squares.size());
    f.countries = static_cast<std::int64_t>(countries.size());
    return walked;
}

std::vector<std::string> EdiHeader(const OutputJob& job, const EdiStation& s, const EdiFigures& f,
                                   std::int64_t points) {
    const std::string call = radio::Trim(job.entry.Call());
    const std::string pts = std::to_string(points);
    return {
        "[REG1TEST;1]",
        "TName=" + Clean(job.definition.ContestName),
        TDate(job.entry),
        "PCall=" + Clean(s.pcall),
        "PWWLo=" + Clean(s.ploc),
        "PExch=",
        "PAdr1=" + Clean(s.padr1),
        "PAdr2=" + Clean(s.padr2),
        "PSect=" + Clean(s.psect),
        "PBand=" + Clean(s.pband),
        "PClub=" + Clean(s.pclub1) + ";" + Clean(s.pclub2),
        "RName=" + Clean(s.rname),
        "RCall=" + call,
        "RAdr1=" + Clean(s.radr1),
        "RAdr2=" + Clean(s.radr2),
        "RPoCo=" + Clean(s.rpoco),
        "RCity=" + Clean(s.rcity),
        "RCoun=" + Clean(s.rcoun),
        "RPhon=",
        "RHBBS=" + Clean(s.remail),
        "MOpe1=" + Clean(s.mope1),
        "MOpe2=" + Clean(s.mope2),
        ("STXEq=" + Clean(job.entry.Equipment())).substr(0, kEquipmentLine),
        "SPowe=" + Clean(s.rpower),
        "SRXEq=" + Clean(s.rtrx),
        "SAnte=" + Clean(s.rant),
        "SAntH=0;0",
        "CQSOs=" + std::to_string(f.contacts) + ";1",
        "CQSOP=" + pts,
        "CWWLs=" + std::to_string(f.squares) + ";0;1",
        "CWWLB=0",
        "CExcs=0;0;1",
        "CExcB=",
        "CDXCs=" + std::to_string(f.countries) + ";0;1",
        "CDXCB=0",
        "CToSc=" + pts,
        "CODXC=" + f.longest,
        "[Remarks]",
        s.rremarks,
    };
}

std::string EdiLine(const contest::ContestDefinition& def, const QsoRecord& r) {
    const std::string sent = log::SentExchangeOf(r);
    const std::string rcvd = log::RcvdExchangeOf(r);
    const std::vector<std::string> fields = {
        r.Datum() > 0 ? radio::DateToText("yymmdd", r.Datum()) : std::string(),
        r.Zeit() >= 0 ? radio::TimeToText("hhmm", r.Zeit()) : std::string(),
        Clean(r.Call()),
        std::to_string(ModeCode(r.Mode())),
        ReportOf(sent),
        NumberOf(sent),
        ReportOf(rcvd),
        NumberOf(rcvd),
        ExchangeOf(def, rcvd),
        LocatorOf(r),
        std::to_string(r.Qrb()),
    };
    std::string line;
    for (const std::string& field : fields) line += Clean(field) + ";";
    // The new-exchange, new-square, new-country and duplicate marks stay empty.
    return line + ";;;";
}

std::unique_ptr<QsoListLayout> MakeEdiLayout() {
    return std::make_unique<EdiLayout>();
}

}  // namespace mss::output

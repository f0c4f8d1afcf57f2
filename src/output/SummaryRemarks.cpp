#include "output/SummaryRemarks.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

#include "log/Exchange.h"
#include "log/LogKeys.h"
#include "output/LogWalk.h"
#include "output/StationTexts.h"
#include "radio/Text.h"

namespace mss::output {

namespace {

using log::QsoRecord;

WriteStatus ExtraMultiplierRemark(ListOutput& out, const OutputJob& job) {
    bool f28 = false, ht06 = false;
    const WriteStatus status = WalkLog(*job.log, log::kByNummer, [&](const QsoRecord& r) {
        const std::string marker = radio::Trim(r.MultiCol1());
        f28 = f28 || marker == "F28";
        ht06 = ht06 || marker == "HT06";
    });
    if (f28 && ht06) {
        out.Line("Multiberechnung inklusive Zusatzmultipunkte F28 und HT06");
    } else if (f28) {
        out.Line("Multiberechnung inklusive Zusatzmultipunkt F28");
    } else if (ht06) {
        out.Line("Multiberechnung inklusive Zusatzmultipunkt HT06");
    }
    return status;
}

WriteStatus CountsRemark(ListOutput& out, const OutputJob& job) {
    std::set<std::string> prefixes, squares;
    QsoRecord farthest;
    bool any = false;
    const WriteStatus status = WalkLog(*job.log, log::kByNummer, [&](const QsoRecord& r) {
        if (r.IsBandChange()) return;
        if (const std::string p = radio::Trim(r.Prefix()); !p.empty()) prefixes.insert(p);
        if (const std::string l = radio::Trim(r.Locator()); l.size() >= 4) {
            squares.insert(l.substr(0, 4));
        }
        if (!any || r.Punkte() > farthest.Punkte()) farthest = r;
        any = true;
    });
    out.Line("Anzahl gearbeiteter DXCC: " + std::to_string(prefixes.size()));
    out.Line("Anzahl gearbeiteter Loc : " + std::to_string(squares.size()));
    if (any) {
        out.Line("ODX                     : " + radio::Trim(farthest.Call()) + " " +
                 radio::Trim(farthest.Locator()) + " " + std::to_string(farthest.Punkte()));
    }
    return status;
}

void ClubStatement(ListOutput& out, const OutputJob& job) {
    const std::int32_t kind = job.entry.ExtraNumber();
    if (kind == 2 || kind == 3) {
        out.Line("Im OQRPC habe ich auf dem 80/40/20m-Band");
        out.Line(kind == 3 ? "mit einem individuellen Unikat teilgenommen."
                           : "mit einem von mir selbstgebauten Bausatz teilgenommen.");
    }
    for (const std::string& line : ReadStationFile(StationFilePath("OQRP", job.entry.Number()))) {
        out.Line(line);
    }
}

// The label, then the values separated by blanks; a line that would pass 80
// characters goes on under the first value.
void WrappedList(ListOutput& out, const std::string& label, const std::set<std::string>& values) {
    std::string line = label;
    for (const std::string& value : values) {
        const bool atStart = line.back() == ' ';
        if (!atStart && line.size() + 1 + value.size() > 80) {
            out.Line(line);
            line = std::string(label.size(), ' ');
        }
        line += (line.back() == ' ' ? "" : " ") + value;
    }
    out.Line(line);
}

// A district DOK: a letter and two digits.
bool IsDistrictDok(const std::string& dok) {
    return dok.size() == 3 && std::isalpha(static_cast<unsigned char>(dok[0])) &&
           std::isdigit(static_cast<unsigned char>(dok[1])) &&
           std::isdigit(static_cast<unsigned char>(dok[2]));
}

WriteStatus ActivityWeekLists(ListOutput& out, const OutputJob& job) {
    std::set<std::string> districts, doks, specialDoks, squares, specialCalls;
    const auto& special = job.definition.SpecialCalls;
    const WriteStatus status = WalkLog(*job.log, log::kByNummer, [&](const QsoRecord& r) {
        if (r.IsBandChange()) return;
        if (const std::string dok = radio::Trim(log::DokOf(r)); IsDistrictDok(dok)) {
            districts.insert(dok.substr(0, 1));
            doks.insert(dok);
        } else if (!dok.empty()) {
            specialDoks.insert(dok);
        }
        if (const std::string l = radio::Trim(r.Locator()); l.size() >= 4) {
            squares.insert(l.substr(0, 4));
        }
        const std::string call = radio::Trim(r.Call());
        if (std::find(special.begin(), special.end(), call) != special.end()) {
            specialCalls.insert(call);
        }
    });
    WrappedList(out, "Distrikte: ", districts);
    WrappedList(out, "DOK:       ", doks);
    WrappedList(out, "S-DOK:     ", specialDoks);
    WrappedList(out, "Loc:       ", squares);
    WrappedList(out, "Sondercall:", specialCalls);
    return status;
}

WriteStatus ZDokList(ListOutput& out, const OutputJob& job) {
    std::set<std::string> doks;
    const WriteStatus status = WalkLog(*job.log, log::kByNummer, [&](const QsoRecord& r) {
        const std::string dok = radio::Trim(log::DokOf(r));
        if (!r.IsBandChange() && !dok.empty() && (dok[0] == 'Z' || dok[0] == 'z')) {
            doks.insert(dok);
        }
    });
    WrappedList(out, "Z-DOK: ", doks);
    return status;
}

}  // namespace

void WriteCategoryAdditions(ListOutput& out, const OutputJob& job) {
    const std::int32_t value = job.entry.ExtraNumber();
    switch (job.entry.Code()) {
        case 'P':
            out.Line("Lebensalter: " +
                     (value == -1 ? std::string("XX") : radio::PadLeft(std::to_string(value), 2)));
            break;
        case 'Z':
            out.Line(std::string("IPARC-Mitglied: ") + (job.entry.ExtraFlag() ? "Ja" : "Nein"));
            out.Line(" ");
            break;
        case 'Y': {
            static constexpr const char* kGroups[] = {"S: Single = Single OP/Single TX",
                                                      "M: Multi = Multi OP/Single TX", "SWL"};
            if (value >= 0 && value <= 2)
                out.Line(std::string("Wertungsgruppe: ") + kGroups[value]);
            break;
        }
        default:
            break;
    }
}

WriteStatus WriteContestRemarks(ListOutput& out, const OutputJob& job) {
    switch (job.entry.Code()) {
        case 'G':
            return job.log ? ExtraMultiplierRemark(out, job) : WriteStatus{kLogReadFailed};
        case '8':
            return job.log ? CountsRemark(out, job) : WriteStatus{kLogReadFailed};
        case 'b':
            ClubStatement(out, job);
            return {};
        default:
            return {};
    }
}

WriteStatus WriteWorkedLists(ListOutput& out, const OutputJob& job) {
    const char code = job.entry.Code();
    if (code != 'h' && code != 'o') return {};
    if (!job.log) return {kLogReadFailed};
    return code == 'h' ? ActivityWeekLists(out, job) : ZDokList(out, job);
}

}  // namespace mss::output

#include "output/SummarySheet.h"

#include <string>

#include "output/ClaimedTotals.h"
#include "output/StationTexts.h"
#include "output/SummaryBandTable.h"
#include "output/SummaryRemarks.h"
#include "radio/DateTime.h"
#include "radio/FormatPicture.h"
#include "radio/ProgramValues.h"
#include "radio/Text.h"

namespace mss::output {

namespace {

using radio::Bilingual;
using radio::Fit;
using radio::Trim;

const std::string kIndent(10, ' ');
constexpr std::string_view kStationFileStem = "mssprint";

bool German() {
    return radio::Program().LanguageGerman == 1;
}

void Blanks(ListOutput& out, int lines) {
    for (int i = 0; i < lines; ++i) out.Line(" ");
}

// The text padded on both sides to 60, (60 - length) div 2 blanks in front.
std::string Centre(const std::string& text) {
    const std::size_t front = text.size() < 60 ? (60 - text.size()) / 2 : 0;
    const std::string line = std::string(front, ' ') + text;
    return line.size() < 60 ? Fit(line, 60) : line;
}

void AddressLines(ListOutput& out, const OutputJob& job) {
    const PostalAddress& a = job.address;
    out.SetBold(true);
    out.Line(Fit("Name:", 12) + radio::Program().OwnName);
    out.Line(Fit(Bilingual("Anschrift:", "Address:"), 12) + Trim(a.street));
    out.Line(Fit(German() ? "Ort:" : "", 12) + Trim(a.postcodeTown));
    out.Line(" ");
    out.SetBold(false);
    out.Line(German() ? " " : Fit("Country:", 12) + Trim(a.country));
    out.Line(" ");
}

// The member number some contests print on the call line.
std::string MemberAddition(const OutputJob& job) {
    const std::int32_t number = job.entry.ExtraNumber();
    if (number <= 0) return {};
    const std::string digits = radio::FormatPicture("@@@@", number);
    switch (job.entry.Code()) {
        case '7':
            return "DIG: " + digits;
        case 'm':
            return "Teiln.-Nr: " + digits;
        case '4':
            return "RTC: " + digits;
        default:
            return {};
    }
}

std::string CallLine(const OutputJob& job) {
    const radio::ProgramValues& p = radio::Program();
    const int label = German() ? 6 : 10;
    const int width = German() && job.definition.EntryFlag != 1 ? 13 : 20;
    std::string s = job.definition.EntryFlag == 1
                        ? Fit("SWL:", label) + Fit(p.SwlNumber, width)
                        : Fit(Bilingual("Call:", "Callsign:"), label) + Fit(p.OwnCall, width);
    const char code = job.entry.Code();
    if (code == 'A' || code == '4') {
        s += Fit("LDK:", 5) + Fit(job.entry.Ldk(), 13);
    } else {
        s += Fit("DOK:", 5) + Fit(job.entry.Dok(), 13);
    }
    return s + Fit("Loc:", 5) + Fit(p.OwnLocator, 9) + MemberAddition(job);
}

std::string CategoryLine(const OutputJob& job) {
    const int category = job.entry.Category();
    if (category <= 0 || category > static_cast<int>(job.definition.Categories.size())) return "";
    return Fit(Bilingual("Teilnahmeart:", "Category:"), German() ? 14 : 10) +
           job.definition.Categories[static_cast<std::size_t>(category - 1)].Text;
}

std::string ResultText(const OutputJob& job, const ClaimedTotals& t) {
    const contest::ContestDefinition& def = job.definition;
    const std::string points = std::to_string(t.points);
    const std::string mults = std::to_string(t.multipliers);
    const std::string unit(Bilingual(" Punkte", " Points"));
    if (def.PerBandProduct != 0) return radio::PadLeft(std::to_string(t.score), 6);
    if (def.Features.none()) return points + std::string(Bilingual(" Punkte", "  Points"));
    if (def.PointsOnly != 0) {
        switch (job.entry.Code()) {
            case '5':
                return points + std::string(Bilingual(" Punkte /  ", " Points /  ")) + mults +
                       " PLZ-Bereiche";
            case 'P':
                return points + std::string(Bilingual(" Punkte   ", " Points   ")) + mults +
                       " Prefixe";
            default:
                return points + std::string(Bilingual(" Punkte (", " Points (")) + mults +
                       " Multi) = " + points + unit;
        }
    }
    return points + std::string(Bilingual(" Punkte x ", " Points x ")) + mults +
           " Multi = " + std::to_string(t.score) + unit;
}

void ResultLines(ListOutput& out, const OutputJob& job, const ClaimedTotals& t) {
    out.Line(kIndent + std::string(Bilingual("Endergebnis:", "Final Score:")) + "  " +
             ResultText(job, t));
    int rule = 47;
    if (job.definition.PerBandProduct != 0) rule += 8;
    if (job.entry.Code() == 'h') rule += 16;
    out.Line(kIndent + std::string(static_cast<std::size_t>(rule), '_'));
    out.Line(" ");
}

void Declaration(ListOutput& out, const OutputJob& job) {
    const std::string& name = job.definition.ContestName;
    if (!German()) {
        out.Line("I affirm that I have observed all rules of ");
        out.Line(name + ".");
        return;
    }
    if (job.entry.Code() == 'j') {
        const std::vector<std::string> station =
            ReadStationFile(StationFilePath(kStationFileStem, job.entry.Number()));
        if (!station.empty()) {
            out.Line(" ");
            out.Line("Angaben zur Station:");
            for (const std::string& line : station) out.Line(line);
            out.Line(" ");
        }
    }
    out.Line("Ich erkl\xE4re, dass ich die Regeln f\xFCr \"" + name + "\"");
    out.Line("beachtet und die Lizenzbestimmungen meines Landes eingehalten habe.");
    out.Line("Die Angaben des Logs entsprechen der Wahrheit.");
    out.Line(" ");
}

// Appends `tail` to `line` when the line stays short enough, else writes the
// line and a blank one and starts anew with `alone`.
void Append(ListOutput& out, std::string& line, std::size_t extra, const std::string& tail,
            const std::string& alone) {
    if (line.size() + extra < 80) {
        line += tail;
        return;
    }
    out.Line(line);
    out.Line(" ");
    line = alone;
}

void ClosingBlock(ListOutput& out, const OutputJob& job) {
    const std::string today = radio::TodayText(radio::DateFormat);
    const std::string town = Trim(job.address.postcodeTown);
    const std::string swl = Trim(radio::Program().SwlNumber);
    const std::string call = Trim(radio::Program().OwnCall);
    const bool german = German();
    std::string line = (german ? "Ort: " : " City:") + town;
    if (german) {
        Append(out, line, 18, "     Datum: " + today, "Datum: " + today);
    } else {
        Append(out, line, 16, " Date " + today, "Date " + today);
    }
    const bool listener = german ? job.entry.Category() == 4 : job.definition.EntryFlag == 1;
    const std::string& who = listener ? swl : call;
    if (german) {
        Append(out, line, who.size() + (listener ? 6 : 9),
               (listener ? "     SWL :" : "   Call: ") + who,
               (listener ? "SWL :" : " Call: ") + who);
    } else {
        Append(out, line, who.size() + 6, (listener ? " SWL  " : " Call ") + who,
               (listener ? "SWL  " : "Call ") + who);
    }
    const std::string sign(Bilingual("Unterschrift _______________", "Sign _______________"));
    if (line.size() + (german ? 27 : 20) < 70) {
        line = Fit(line, german ? 43 : 50);
        out.Line(out.OnPaper() ? line + sign : line);
        return;
    }
    out.Line(line);
    out.Line(" ");
    out.Line(out.OnPaper() ? sign : " ");
}

}  // namespace

WriteStatus WriteSummarySheet(ListOutput& out, const OutputJob& job) {
    ClaimedTotals totals;
    if (WriteStatus s = ComputeClaimedTotals(job, totals); !s.Ok()) return s;
    Blanks(out, 3);
    AddressLines(out, job);
    out.BoldLine(Centre(job.definition.ContestName));
    out.Line(" ");
    out.SetBold(true);
    out.Line(CallLine(job));
    out.Line("");
    out.Line(CategoryLine(job));
    WriteCategoryAdditions(out, job);
    out.SetBold(false);
    out.Line(" ");
    if (ShowsBandTable(job)) WriteBandTable(out, job);
    Blanks(out, 2);
    ResultLines(out, job, totals);
    if (WriteStatus s = WriteContestRemarks(out, job); !s.Ok()) return s;
    Declaration(out, job);
    out.Line(" ");
    if (WriteStatus s = WriteWorkedLists(out, job); !s.Ok()) return s;
    ClosingBlock(out, job);
    if (out.OnPaper()) out.Line(" ");
    out.Line(German() ? "Dieses ContestLog wurde mit " + job.definition.Title + " erstellt. (" +
                            std::string(kMakerWebAddress) + ")"
                      : "Printed with Quorvane " + std::string(kSuiteWebAddress));
    Blanks(out, 3);
    return out.Status();
}

}  // namespace mss::output

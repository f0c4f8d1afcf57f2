#include "contest/Catalogue.h"

#include "contest/CatalogueBuild.h"
#include "platform/Clock.h"
#include "radio/DateTime.h"

#include <algorithm>
#include <array>

namespace mss::contest {

namespace {

// What every contest shares: the main window's display, the module title,
// the name, the default dates and times and the duplicate rule. The rest of
// a contest's rules is built by its branch.
struct CatalogueRow {
    char code;
    std::string_view display;
    std::string_view picture;
    std::string_view module;  // the title is "Tarvolt <module> Version 2012-1.0"
    std::string_view name;
    bool nameWithYear;  // the start year of the entry follows the name
    std::string_view dateFrom, dateTo, timeFrom, timeTo;
    std::uint8_t dupeRule;
    bool totalsInExtra;  // the contest keeps its evaluation in the extra record
};

constexpr std::string_view kNotice = " - (c) Brevant Software, alle Rechte vorbehalten";

// clang-format off
constexpr std::array<CatalogueRow, 49> kRows = {{
    {'V', "Mecklenburg-Vorpommern - Contest", "tarvoltmvp.bmp", "MVP-Contest", "MVP-Contest ", true, "17.03.2012", "17.03.2012", "13:00:00", "18:30:00", 1, true},
    {'B', "Baden - W\xFCrttemberg Aktivit\xE4t", "tarvoltbwa.bmp", "BWA-Contest", "BWA-Contest ", true, "07.04.2012", "07.04.2012", "07:00:00", "12:00:00", 1, false},
    {'H', "Holyland - Contest", "tarvoltholyland.bmp", "Holyland-Contest", "Holyland-Contest ", true, "", "", "00:00:01", "23:59:59", 1, true},
    {'D', "Deutschland Contest des DTC e.V.", "tarvoltdtc.bmp", "DTC-Contest", "DTC-Contest ", true, "09.04.2012", "09.04.2012", "06:00:00", "09:00:00", 2, false},
    {'q', "Handtastenparty", "tarvolthandtaste.bmp", "Handtastenparty", "Handtastenparty ", true, "", "", "", "", 2, false},
    {'5', "Funkertag-QSO-Party 2012", "tarvoltfunkertag.bmp", "Funkertag", "Funkertag-QSO-Party 2012", false, "09.06.2012", "09.06.2012", "06:00:00", "16:00:00", 2, false},
    {'P', "Februar-QSO-Party 2011", "tarvoltparty.bmp", "Party", "Tarvolt Party Februar-QSO-Party 2012 Version 1", false, "05.02.2012", "05.02.2012", "07:00:00", "16:00:00", 2, false},
    {'E', "Europatag der Schulstationen", "tarvolteuropatag.bmp", "Europatag", "Europatag der Schulstationen", false, "05.05.2012", "05.05.2012", "08:00:00", "14:00:00", 3, true},
    {'F', "Aktivit\xE4tswettbewerb Franken", "tarvoltfranken.bmp", "Franken", "Aktivit\xE4tswettbewerb Franken", false, "12.05.2012", "13.05.2012", "16:00:00", "10:00:00", 2, false},
    {'J', "Hamburg Contest", "tarvolthamburg.bmp", "Hamburg-Contest", "Hamburg Contest", false, "20.05.2012", "20.05.2012", "10:00:00", "18:00:00", 2, true},
    {'G', "Hessencontest", "tarvolthessen.bmp", "Hessencontest", "Hessencontest 2012", false, "19.05.2012", "20.05.2012", "13:00:00", "10:00:00", 1, false},
    {'R', "Rheinland-Pfalz - Aktivit\xE4tsabende", "tarvoltrlpabende.bmp", "RLP-Aktivit\xE4tsabende", "Rheinland-Pfalz - Aktivit\xE4tsabende", false, "16.05.2012", "26.05.2012", "18:00:00", "20:00:00", 2, false},
    {'h', "Rheinland-Pfalz - Aktivit\xE4tswoche", "tarvoltrlpwoche.bmp", "RLP-Aktivit\xE4tswoche", "Rheinland-Pfalz - Aktivit\xE4tswoche", false, "01.01.2012", "07.01.2012", "00:00:00", "23:59:59", 4, false},
    {'N', "Nordic Activity Contest", "tarvoltnac.bmp", "NAC", "Nordic Activity Contest", false, "", "", "17:00:00", "21:00:00", 2, true},
    {'S', "Aktivit\xE4tswettbewerbe H, S, W", "tarvolthsw.bmp", "HSW-Aktivit\xE4t", "Aktivit\xE4tswettbewerbe H, S, W", false, "25.08.2012", "25.08.2012", "06:00:00", "15:00:00", 2, false},
    {'T', "Th\xFCringen-Contest", "tarvoltthueringen.bmp", "Th\xFCringen-Contest", "Th\xFCringen-Contest", false, "17.09.2011", "17.09.2011", "06:00:00", "16:00:00", 2, false},
    {'L', "Kurzcontest Ruhrgebiet", "tarvoltruhrgebiet.bmp", "Ruhrgebiet", "Kurzcontest Ruhrgebiet", false, "25.09.2011", "25.09.2011", "07:00:00", "11:00:00", 2, false},
    {'U', "Bayern-Ost-Contest", "tarvoltbayernost.bmp", "Bayern-Ost-Contest", "Bayern-Ost-Contest", false, "15.10.2011", "16.10.2011", "06:00:00", "10:00:00", 1, false},
    {'I', "Kurzwellenaktivit\xE4tstag Nordsee", "tarvoltnordseekw.bmp", "Nordsee-KW", "Kurzwellenaktivit\xE4tstag des Distriktes Nordsee", false, "03.10.2008", "03.10.2008", "08:00:00", "11:30:00", 1, false},
    {'l', "Aktivit\xE4tstag Nordsee", "tarvoltnordsee.bmp", "Nordsee-Aktivit\xE4tstag", "Aktivit\xE4tstag des Distriktes Nordsee", false, "03.10.2011", "03.10.2011", "08:00:00", "11:30:00", 1, false},
    {'g', "Nordsee-Contest UKW", "tarvoltnordseeukw.bmp", "Nordsee-UKW", "UKW Nordsee-Contest ", true, "15.11.2008", "16.11.2008", "08:30", "17:00", 1, true},
    {'Z', "IPARC-Contest", "tarvoltiparc.bmp", "IPARC-Contest", "IPARC-Contest", false, "05.11.2011", "06.11.2011", "06:00:00", "18:00:00", 1, false},
    {'C', "Brandenburg-Berlin-Contest", "tarvoltbbc.bmp", "BB-Contest", "Brandenburg-Berlin-Contest ", true, "04.12.2011", "04.12.2011", "07:00:00", "11:00:00", 1, false},
    {'O', "Aktivit\xE4tswochenende Schleswig-Holstein", "tarvoltsh.bmp", "SH-Aktivit\xE4t", "Aktivit\xE4tswochenende SH", false, "12.11.2011", "13.11.2011", "09:00:00", "18:00:00", 1, false},
    {'Q', "Schwabenkontest", "tarvoltschwaben.bmp", "Schwaben-Contest", "Schwaben-Contest ", true, "07.01.2012", "07.01.2012", "07:00:00", "16:00:00", 1, false},
    {'1', "DARC 10 m-Contest", "tarvolt10m.bmp", "10m-Contest", "DARC 10-m-Contest ", true, "08.01.2012", "08.01.2012", "09:00:00", "11:00:00", 2, false},
    {'K', "Herbstcontest K\xF6ln-Aachen", "tarvoltkoeln.bmp", "Herbst-Contest", "Herbst-Contest K\xF6ln-Aachen ", true, "19.11.2011", "20.11.2011", "08:30:00", "20:30:00", 1, false},
    {'A', "Deutscher Telegraphie-Contest", "tarvoltdtc-cw.bmp", "DTC-CW", "Deutscher Telegraphie-Contest ", true, "03.10.2011", "03.10.2011", "07:00:00", "10:00:00", 2, false},
    {'f', "Happy New Year-Contest", "tarvolthny.bmp", "HNY-Contest", "Happy New Year-Contest ", true, "01.01.2012", "01.01.2012", "09:00:00", "12:00:00", 2, false},
    {'i', "Naval-Contest", "tarvoltnaval.bmp", "Naval-Contest", "Naval-Contest", false, "10.12.2011", "11.12.2011", "16:00:00", "15:59:00", 2, false},
    {'j', "MMMonVHF MS SPRINT CONTEST", "tarvoltmssprint.bmp", "MSSprint", "MSSprint-Contest", false, "12.08.2012", "13.08.2012", "12:00:00", "12:00:00", 2, true},
    {'Y', "VFDB-Contest", "tarvoltvfdb.bmp", "VFDB-Contest", "VFDB-Contest", false, "11.02.2012", "11.02.2012", "12:00:00", "16:00:00", 1, false},
    {'o', "VFDB-Aktivit\xE4tstage", "tarvoltvfdbakt.bmp", "VFDB-Aktivit\xE4tstage", "VFDB-Aktivit\xE4tstage", false, "07.05.2012", "13.05.2012", "16:00:00", "18:00:00", 4, false},
    {'2', "Westfalen Nord QRP Aktivit\xE4ts Contest", "tarvoltwnqac.bmp", "WNQAC", "WNQAC", false, "", "", "19:00:00", "21:00:00", 2, false},
    {'3', "Westfalen Nord Contest", "tarvoltwnc.bmp", "WNC", "WNC", false, "", "", "", "", 2, false},
    {'c', "Westfalen Nord Aktivit\xE4tstag", "tarvoltwnat.bmp", "WN-Aktivit\xE4tstag", "Westfalen Nord Aktivit\xE4tstag", false, "", "", "19:00", "21:00", 5, false},
    {'4', "Party des Radio Telegraphy Club e.V.", "tarvoltrtc.bmp", "RTC-Party", "RTC-Party ", true, "18.12.2011", "18.12.2011", "08:00:00", "10:00:00", 2, false},
    {'6', "HSC-CW-Contest", "tarvolthsc.bmp", "HSC-CW-Contest", "HSC-CW-Contest", false, "28.02.2010", "07.11.2010", "09:00:00", "17:00:00", 4, false},
    {'7', "DIG-QSO-Party", "tarvoltdig.bmp", "DIG-QSO-Party", "DIG-QSO-Party", false, "", "", "", "", 1, false},
    {'8', "AGCW - VHF/UHF-Contest", "tarvoltagcwvhf.bmp", "AGCW-VHF", "AGCW - VHF/UHF-Contest ", true, "", "", "", "", 2, true},
    {'9', "IARU-Region-1-Fieldday", "tarvoltfieldday.bmp", "Fieldday", "IARU-Region-1-Fieldday ", true, "", "", "", "", 2, true},
    {'a', "Nordrhein-Aktivit\xE4t", "tarvoltnordrhein.bmp", "Nordrhein-Aktivit\xE4t", "Nordrhein-Aktivit\xE4t ", true, "14.01.2012", "14.01.2012", "08:00", "17:00", 2, false},
    {'b', "Original-QRP-Contest", "tarvoltoqrp.bmp", "OQRP-Contest", "Original-QRP-Contest ", true, "07.07.2012", "08.07.2012", "15:00", "15:00", 2, false},
    {'d', "SAAR-Contest", "tarvoltsaar.bmp", "SAAR-Contest", "SAAR-Contest ", true, "21.07.2012", "22.07.2012", "06:00", "09:00", 1, false},
    {'e', "Nord-Contest", "tarvoltnord.bmp", "Nord-Contest", "Nord-Contest ", true, "16.04.2011", "17.04.2011", "13:00", "16:00", 1, false},
    {'k', "QCWA-Party", "tarvoltqcwa.bmp", "QCWA-Party", "QCWA-Party", false, "19.09.2010", "19.09.2010", "06:00:00", "10:00:00", 1, false},
    {'m', "Gro\xDFraum-Mobilwettbewerb 80m", "tarvoltmobil.bmp", "Mobilwettbewerb", "Gro\xDFraum-Mobilwettbewerb 80m ", true, "", "", "05:30", "07:30", 2, true},
    {'n', "IBFD-Aktivit\xE4tstag", "tarvoltibfd.bmp", "IBFD-Aktivit\xE4tstag", "IBFD-Aktivit\xE4tstag", false, "15.10.2010", "15.10.2010", "15:00", "19:00", 2, false},
    {'p', "DSW-Kurzcontest", "tarvoltdsw.bmp", "DSW-Kurzcontest", "DSW-Kurzcontest", false, "30.12.2011", "30.12.2011", "13:00:00", "18:00:00", 1, false},
}};
// clang-format on

const CatalogueRow* FindRow(char code) {
    const auto* it = std::find_if(kRows.begin(), kRows.end(),
                                  [code](const CatalogueRow& row) { return row.code == code; });
    return it == kRows.end() ? nullptr : it;
}

// The four-digit year of the entry's start, or of today for an entry that
// has no start date yet (a new one, which will most likely run this year).
std::string StartYear(const ContestEntry& entry) {
    const std::int32_t start = entry.StartDate() > 0 ? entry.StartDate() : radio::TodayLocal();
    return radio::DateToText("yyyy", start);
}

// Listener categories log a second call with every contact.
bool IsListenerCategory(const ContestDefinition& def, int category) {
    if (category > static_cast<int>(def.Categories.size())) return false;
    const std::string& text = def.Categories[static_cast<std::size_t>(category - 1)].Text;
    return text.find("SWL") != std::string::npos;
}

void FillCommon(const CatalogueRow& row, const ContestEntry& entry, ContestDefinition& def) {
    def.Title = "Tarvolt " + std::string(row.module) + " Version 2012-1.0";
    def.Footer = def.Title + std::string(kNotice);
    def.ContestName = std::string(row.name);
    if (row.nameWithYear) def.ContestName += StartYear(entry);
    def.DateFrom = row.dateFrom;
    def.DateTo = row.dateTo;
    def.TimeFrom = row.timeFrom;
    def.TimeTo = row.timeTo;
    def.DupeRule = row.dupeRule;
}

}  // namespace

std::string_view CatalogueCodes() {
    static const std::string codes = [] {
        std::string s;
        for (const CatalogueRow& row : kRows) s += row.code;
        return s;
    }();
    return codes;
}

ContestDefinition FillContestDefinition(char code, ContestEntry& entry) {
    ContestDefinition def;
    build::SetOutputs(def, {1, 2, 3, 4, 5, 6, 7});
    def.UtcOffsetHours = platform::UtcOffsetHours(platform::CurrentClock().Zone());

    const CatalogueRow* row = FindRow(code);
    if (!row) return def;
    FillCommon(*row, entry, def);
    if (!build::FillVhfContest(code, entry, def)) build::FillHfContest(code, entry, def);
    if (IsListenerCategory(def, build::CategoryOf(entry))) def.EntryFlag = 1;
    if (row->totalsInExtra) entry.SetTotalsInExtra(true);
    return def;
}

ContestDisplay DisplayOf(char code) {
    const CatalogueRow* row = FindRow(code);
    if (!row) return {};
    return {row->display, row->picture};
}

}  // namespace mss::contest

// The rules of the catalogue's VHF/UHF and distance contests.
#include "contest/CatalogueBuild.h"

#include "radio/DateTime.h"

#include <algorithm>

namespace mss::contest::build {

namespace {

void FillMsSprint(const ContestEntry& entry, ContestDefinition& def) {
    SetCategories(def, {{"QRP (maximal 1,5 KW ERP/2.5KW EIRP)"},
                        {"QRO (gr\xF6\xDF"
                         "er 1,5 KW ERP/12KW EIRP)"},
                        {"TEAM (ohne Leistungbegrenzung)"}});
    // The team category works without the meteor-scatter digital mode.
    if (CategoryOf(entry) == 3) {
        SetModes(def, {"CW", "SSB"});
    } else {
        SetModes(def, {"CW", "SSB", "FSK441"});
    }
    SetBands(def, "k");
    SetExchange(def, {LocatorField()});
    def.MultMode = 1;
    SetOutputs(def, {kOutElogCover, kOutElogQsoList, kOutAdif, kOutPaperCover, kOutPaperQsoList,
                     kOutElogBandList});
}

void FillMecklenburgVorpommern(const ContestEntry& entry, ContestDefinition& def) {
    SetCategories(def, {{"Klasse A - Einmann CW, 80 m/160 m", 0, "Klasse A"},
                        {"Klasse B - Einmann SSB, 80 m/160 m", 0, "Klasse B"},
                        {"Klasse C - Einmann gemischt CW/SSB, 80 m/160 m", 0, "Klasse C"},
                        {"Klasse D - Einmann digital, 80 m/160 m", 0, "Klasse D"},
                        {"Klasse E - Mehrmann gemischt, 80 m/160 m", 0, "Klasse E"},
                        {"Klasse F1 - Einmann UKW, 2 m/70 cm", 0, "Klasse F1"},
                        {"Klasse F2 - Mehrmann UKW, 2 m/70 cm", 0, "Klasse F2"},
                        {"Klasse G - nur QSOs mit Stationen aus V", 0, "Klasse G"},
                        {"Klasse S - SWL", 0, "Klasse S"}});
    const int category = CategoryOf(entry);
    switch (category) {
        case 1:
            SetModes(def, {"CW"});
            break;
        case 2:
            SetModes(def, {"SSB"});
            break;
        case 4:
            SetModes(def, {"DIGITAL", "RTTY"});
            break;
        case 6:
        case 7:
            SetModes(def, {"CW", "SSB", "FM", "PR"});
            break;
        default:
            SetModes(def, {"CW", "SSB"});
            break;
    }
    const bool vhf = category == 6 || category == 7;
    SetBands(def, vhf ? "kl" : category >= 8 ? "bakl" : "ba");
    if (vhf) {
        SetExchange(def, {DokField(entry), LocatorField()});
    } else {
        SetExchange(def, {DokField(entry), {kKindFreeText, "PLZ", kKindFreeText, entry.Plz()}});
    }
    SetMultipliers(def, {"DOK", "DXCC"}, {2, 4});
    SetList(def.BonusDoks, {"MVP", "VMV", "HST"});
    SetLetters(def.BonusLetters, "V");
    SetLetters(def.SpecialLetters, "V");
    // Stations of class G count only contacts with the district.
    if (category == 8) {
        def.DokCheckList = def.BonusDoks;
        def.DokCheckLetters = def.BonusLetters;
    }
    def.BandByTime = 1;
    SetPeriod(def, 1, MakePeriod("17.03.2012", "13:00:00", "15:00:00", "b"));
    SetPeriod(def, 2, MakePeriod("17.03.2012", "15:00:00", "16:30:00", "a"));
    SetPeriod(def, 3, MakePeriod("17.03.2012", "16:30:00", "17:30:00", "l"));
    SetPeriod(def, 4, MakePeriod("17.03.2012", "17:30:00", "18:30:00", "k"));
}

void FillNordicActivity(const ContestEntry& entry, ContestDefinition& def) {
    const std::string today = radio::TodayText(radio::DateFormat);
    def.DateFrom = today;
    def.DateTo = today;
    SetCategories(def, {{"1. Dienstag im Monat - 2 m"},
                        {"2. Dienstag im Monat - 70 cm"},
                        {"3. Dienstag im Monat - 23 cm"},
                        {"2. Donnerstag im Monat - 6 m"},
                        {"4. Dienstag im Monat - 13 cm und h\xF6her"}});
    static constexpr std::string_view kBandOfCategory[] = {"k", "l", "m", "j", "nopqst"};
    SetBands(def, kBandOfCategory[std::min(CategoryOf(entry), 5) - 1]);
    SetModes(def, {"CW", "SSB", "FM"});
    SetExchange(def, {SerialField(), LocatorField()});
    SetMultipliers(def, {"Loc"}, {5});
    def.PointsOnly = 1;
    SetOutputs(def, {1, 2, 3, 4, 5, 6, kOutEdi});
}

// The club stations whose calls count as multipliers in Rhineland-Palatinate.
void FillRheinlandPfalz(char code, const ContestEntry& entry, ContestDefinition& def) {
    if (code == 'R') {
        SetCategories(def, {{"Klubstation Kurzwelle"},
                            {"Einzelstation Kurzwelle"},
                            {"Klubstation UKW"},
                            {"Einzelstation UKW"},
                            {"Klubstation gemischt"},
                            {"SWL"}});
        SetBands(def, "bckl");
    } else {
        SetCategories(def, {{"Einmann"}, {"Mehrmann"}, {"SWL"}});
        SetBands(def, "klmn");
    }
    SetModes(def, {"CW", "SSB", "FM"});
    SetExchange(def, {DokField(entry)});
    SetMultipliers(def, {"DOK", "Callmulti"}, {4, 10});
    SetList(def.SpecialCalls,
            {"DF0RLP", "DK0KL", "DL0RP", "DK0MZ", "DF0TR", "DL0KO", "DK0LU", "DF0PS"});
    SetLetters(def.SpecialLetters, "K");
}

void FillNordseeUkw(const ContestEntry& entry, ContestDefinition& def) {
    SetCategories(def, {{"Einmann"}, {"Mehrmann"}, {"SWL"}});
    SetModes(def, {"CW", "SSB", "FM"});
    SetBands(def, "klm");
    SetExchange(def, {SerialField(), LocatorField(), DokField(entry)});
    SetMultipliers(def, {"Loc", "DOK"}, {4, 5});
    SetLetters(def.SpecialLetters, "I");
}

void FillHessen(const ContestEntry& entry, ContestDefinition& def) {
    SetCategories(def, {{"KW Einmann"},
                        {"KW Mehrmann"},
                        {"UKW 2 m Einmann"},
                        {"UKW 2 m Mehrmann"},
                        {"UKW 70 cm Einmann"},
                        {"UKW 70 cm Mehrmann"},
                        {"KW QRP"},
                        {"UKW QRP"}});
    const int category = CategoryOf(entry);
    static constexpr std::string_view kBands[] = {"bc", "bc", "k", "k", "l", "l", "bc", "kl"};
    SetBands(def, kBands[std::min(category, 8) - 1]);
    const bool vhf = kBands[std::min(category, 8) - 1][0] != 'b';
    if (vhf) {
        SetModes(def, {"CW", "SSB", "FM"});
        SetExchange(def, {DokField(entry), LocatorField()});
    } else {
        SetModes(def, {"CW", "SSB"});
        SetExchange(def, {DokField(entry)});
    }
    SetMultipliers(def, {"DOK"}, {4});
    SetLetters(def.SpecialLetters, "F");
}

// District activities with short-wave and VHF classes: the DOK always, the
// locator in the VHF classes too.
void FillDistrictMixed(const ContestEntry& entry, ContestDefinition& def, std::string_view district,
                       bool vhfClass) {
    SetModes(def, {"CW", "SSB", "FM"});
    SetBands(def, "bckl");
    if (vhfClass) {
        SetExchange(def, {DokField(entry), LocatorField()});
    } else {
        SetExchange(def, {DokField(entry)});
    }
    SetMultipliers(def, {"DOK"}, {4});
    SetLetters(def.SpecialLetters, district);
}

void FillFranken(const ContestEntry& entry, ContestDefinition& def) {
    SetCategories(def, {{"KW CW"}, {"KW SSB"}, {"UKW 2 m"}, {"UKW 70 cm"}});
    FillDistrictMixed(entry, def, "B", CategoryOf(entry) >= 3);
}

void FillHamburg(const ContestEntry& entry, ContestDefinition& def) {
    SetCategories(def, {{"Einmann"}, {"Mehrmann"}, {"SWL"}});
    SetModes(def, {"CW", "SSB", "FM"});
    SetBands(def, "bkl");
    SetExchange(def, {DokField(entry), LocatorField()});
    SetMultipliers(def, {"DOK", "Loc"}, {4, 5});
    SetList(def.SpecialValues, {"HH", "HAM", "E00"});
    SetLetters(def.SpecialLetters, "E");
    def.ExtendedDokCheck = 1;
}

void FillKoelnAachen(const ContestEntry& entry, ContestDefinition& def) {
    SetCategories(def, {{"KW"}, {"UKW"}, {"SWL"}});
    FillDistrictMixed(entry, def, "G", CategoryOf(entry) == 2);
}

void FillSchleswigHolstein(const ContestEntry& entry, ContestDefinition& def) {
    SetCategories(def, {{"KW"}, {"UKW"}, {"SWL"}});
    FillDistrictMixed(entry, def, "M", CategoryOf(entry) == 2);
    def.ExtraText = entry.Dok();
}

void FillBadenWuerttemberg(const ContestEntry& entry, ContestDefinition& def) {
    SetCategories(def, {{"KW"}, {"UKW 2 m"}, {"UKW 70 cm"}, {"Portabel/Mobil"}});
    const int category = CategoryOf(entry);
    FillDistrictMixed(entry, def, "AP", category == 2 || category == 3);
    def.ExtraText = entry.Dok();
}

void FillBayernOst(const ContestEntry& entry, ContestDefinition& def) {
    SetCategories(def, {{"KW"}, {"UKW"}, {"SWL"}});
    FillDistrictMixed(entry, def, "U", CategoryOf(entry) == 2);
}

void FillEuropatag(ContestDefinition& def) {
    SetCategories(def, {{"Schulstation"}, {"Sonstige Station"}, {"SWL"}});
    SetModes(def, {"CW", "SSB", "FM"});
    SetBands(def, "bcegikl");
    SetExchange(def, {SerialField(), LocatorField()});
    SetMultipliers(def, {"DXCC"}, {2, 9});
}

// The VFDB contests count the special DOKs of the association.
void FillVfdb(const ContestEntry& entry, ContestDefinition& def) {
    SetCategories(def, {{"Mitglied"}, {"Nichtmitglied"}, {"SWL"}});
    SetModes(def, {"CW", "SSB", "FM"});
    SetBands(def, "bcekl");
    SetExchange(def, {DokField(entry)});
    SetMultipliers(def, {"DOK"}, {4});
    SetList(def.SpecialValues, {"Z11", "Z12", "Z21", "Z22", "Z31", "Z41", "Z51", "Z61", "Z71"});
}

void FillAgcwVhf(ContestDefinition& def) {
    SetCategories(def, {{"Klasse A - bis 3,5 W"},
                        {"Klasse B - bis 25 W"},
                        {"Klasse C - bis 100 W"},
                        {"Klasse D - \xFC"
                         "ber 100 W"}});
    SetModes(def, {"CW"});
    SetBands(def, "kl");
    SetExchange(def,
                {SerialField(), {kKindFreeText, "Klasse", kKindFreeText, "A"}, LocatorField()});
}

void FillMobil80(ContestDefinition& def) {
    SetCategories(def, {{"Mobil"}, {"Feststation"}});
    SetModes(def, {"SSB", "CW"});
    SetBands(def, "b");
    SetExchange(def, {LocatorField()});
}

}  // namespace

bool FillVhfContest(char code, const ContestEntry& entry, ContestDefinition& def) {
    switch (code) {
        case 'j':
            FillMsSprint(entry, def);
            return true;
        case 'V':
            FillMecklenburgVorpommern(entry, def);
            return true;
        case 'N':
            FillNordicActivity(entry, def);
            return true;
        case 'R':
        case 'h':
            FillRheinlandPfalz(code, entry, def);
            return true;
        case 'g':
            FillNordseeUkw(entry, def);
            return true;
        case 'G':
            FillHessen(entry, def);
            return true;
        case 'F':
            FillFranken(entry, def);
            return true;
        case 'J':
            FillHamburg(entry, def);
            return true;
        case 'K':
            FillKoelnAachen(entry, def);
            return true;
        case 'O':
            FillSchleswigHolstein(entry, def);
            return true;
        case 'B':
            FillBadenWuerttemberg(entry, def);
            return true;
        case 'U':
            FillBayernOst(entry, def);
            return true;
        case 'E':
            FillEuropatag(def);
            return true;
        case 'Y':
        case 'o':
            FillVfdb(entry, def);
            return true;
        case '8':
            FillAgcwVhf(def);
            return true;
        case 'm':
            FillMobil80(def);
            return true;
        default:
            return false;
    }
}

}  // namespace mss::contest::build

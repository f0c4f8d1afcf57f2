// The rules of the catalogue's short-wave contests and of the district
// activities that are worked mainly on short wave.
#include "contest/CatalogueBuild.h"

#include "radio/ProgramValues.h"

#include <algorithm>

namespace mss::contest::build {

namespace {

void FillHolyland(ContestDefinition& def) {
    // An international contest: every bilingual text of the program is
    // shown in English from now on.
    radio::Program().LanguageGerman = 0;
    SetCategories(def, {{"Single operator, all bands, mixed"},
                        {"Single operator, all bands, CW"},
                        {"Single operator, all bands, SSB"},
                        {"Multi operator"},
                        {"SWL"}});
    SetModes(def, {"CW", "SSB", "DIGITAL"});
    SetBands(def, "abcegi");
    SetExchange(def, {{kKindArea, "Area", kKindSerial, std::string(kFirstSerial)}});
    SetMultipliers(def, {"Area"}, {8});
    SetOutputs(def, {1, 2, 3, 4, 5, 6, 7, kOutCabrillo});
}

// Short-wave contests of one German district: the DOK is the exchange and
// the multiplier.
void FillDistrictHf(const ContestEntry& entry, ContestDefinition& def, std::string_view district,
                    std::string_view bands) {
    SetCategories(def, {{"Einmann"}, {"Mehrmann"}, {"QRP"}, {"SWL"}});
    SetModes(def, {"CW", "SSB"});
    SetBands(def, bands);
    SetExchange(def, {DokField(entry)});
    // District DOKs count as a multiplier kind of their own where the
    // contest belongs to districts.
    if (district.empty()) {
        SetMultipliers(def, {"DOK"}, {4});
    } else {
        SetMultipliers(def, {"DOK"}, {4, 18});
    }
    SetLetters(def.SpecialLetters, district);
}

void FillHandtastenparty(const ContestEntry& entry, ContestDefinition& def) {
    SetCategories(def, {{"80 m - bis 100 W"},
                        {"80 m - QRP bis 5 W"},
                        {"80 m - QRPP bis 1 W"},
                        {"80 m - SWL"},
                        {"40 m - bis 100 W"},
                        {"40 m - QRP bis 5 W"},
                        {"40 m - QRPP bis 1 W"},
                        {"40 m - SWL"}});
    SetModes(def, {"CW"});
    SetBands(def, CategoryOf(entry) >= 5 ? "c" : "b");
    SetExchange(def, {SerialField(), {kKindFreeText, "Klasse", kKindFreeText, "A"}});
}

// The QSO parties count the points only, without multiplication.
void FillParty(const ContestEntry& entry, ContestDefinition& def, char code) {
    SetCategories(def, {{"Einmann"}, {"Mehrmann"}, {"SWL"}});
    SetModes(def, {"CW", "SSB"});
    SetBands(def, "bc");
    if (code == '5') {
        SetExchange(def, {{kKindPostcode, "PLZ", kKindPostcode, entry.Plz()}});
        SetMultipliers(def, {"PLZ"}, {15});
    } else {
        SetExchange(def, {{kKindContestNumber, "Name-Alter", kKindContestNumber, ""}});
        SetMultipliers(def, {"Prefix"}, {1, 2});
        def.ShowEvaluation = 1;
    }
    def.PointsOnly = 1;
    SetOutputs(def, {kOutStf, kOutAdif, kOutPaperCover, kOutPaperQsoList, kOutPaperBandList,
                     kOutPaperMultList});
}

void FillIparc(ContestDefinition& def) {
    SetCategories(def, {{"IPA-Mitglied"}, {"Nichtmitglied"}, {"SWL"}});
    SetModes(def, {"CW", "SSB"});
    SetBands(def, "bcegi");
    SetExchange(def, {SerialField(), {kKindUsState, "US-State", kKindFreeText, "IPA"}});
    SetMultipliers(def, {"DXCC", "US-State"}, {2, 12});
    def.PerBandProduct = 1;
    def.ClubName = "IPA";
    def.ClubName2 = "IPA";
}

void FillBrandenburgBerlin(const ContestEntry& entry, ContestDefinition& def) {
    SetCategories(def, {{"Einmann KW"}, {"Mehrmann KW"}, {"UKW"}, {"QRP"}, {"SWL"}});
    SetModes(def, {"CW", "SSB"});
    SetBands(def, CategoryOf(entry) == 3 ? "kl" : "bc");
    SetExchange(def, {DokField(entry)});
    SetMultipliers(def, {"DOK"}, {4});
    SetLetters(def.SpecialLetters, "DY");
    SetLetters(def.BonusLetters, "DY");
    SetList(def.BonusDoks, {"BB", "BLN", "D00"});
}

// Contests where a serial number and the DOK are exchanged.
void FillSerialAndDok(const ContestEntry& entry, ContestDefinition& def, bool cwOnly,
                      std::string_view bands) {
    SetCategories(def, {{"Einmann"}, {"Mehrmann"}, {"QRP"}, {"SWL"}});
    if (cwOnly) {
        SetModes(def, {"CW"});
    } else {
        SetModes(def, {"CW", "SSB"});
    }
    SetBands(def, bands);
    SetExchange(def, {SerialField(), DokField(entry)});
    SetMultipliers(def, {"DOK", "DXCC"}, {2, 4});
}

// Club contests: members give their member number, which is the multiplier.
void FillClubContest(const ContestEntry& entry, ContestDefinition& def, std::string_view multName,
                     int feature, std::int32_t kind, bool cwOnly, std::string_view bands) {
    SetCategories(def, {{"Mitglied"}, {"Nichtmitglied"}, {"SWL"}});
    if (cwOnly) {
        SetModes(def, {"CW"});
    } else {
        SetModes(def, {"CW", "SSB"});
    }
    SetBands(def, bands);
    SetExchange(def, {SerialField(), MemberField(kind, "Teiln.Nr.", entry)});
    SetMultipliers(def, {multName}, {feature});
}

void FillNaval(const ContestEntry& entry, ContestDefinition& def) {
    FillClubContest(entry, def, "DXCC", 2, kKindMemberNumber, false, "bcegi");
    def.Features.set(19);
    def.ClubName = "Naval";
}

void FillRtc(const ContestEntry& entry, ContestDefinition& def) {
    SetCategories(def, {{"Mitglied"}, {"Nichtmitglied"}, {"SWL"}});
    SetModes(def, {"CW"});
    SetBands(def, "bc");
    SetExchange(def, {SerialField(), MemberField(kKindClubNumber, "RTC-Nr", entry)});
    SetMultipliers(def, {"DXCC"}, {2});
}

void FillWestfalenNord(const ContestEntry& entry, ContestDefinition& def, char code) {
    if (code == '2') {  // the QRP contest is an evening on 80 m
        FillDistrictHf(entry, def, "N", "b");
        SetCategories(def, {{"QRP bis 5 W"}, {"QRPP bis 1 W"}, {"SWL"}});
    } else {
        FillDistrictHf(entry, def, "N", "bckl");
        SetModes(def, {"CW", "SSB", "FM"});
    }
}

void FillFieldday(ContestDefinition& def) {
    SetCategories(def, {{"Portabel Einmann"}, {"Portabel Mehrmann"}, {"Feststation"}, {"SWL"}});
    SetModes(def, {"CW", "SSB"});
    SetBands(def, "abcegi");
    SetExchange(def, {SerialField()});
    SetMultipliers(def, {"DXCC"}, {2});
}

void FillNordrhein(const ContestEntry& entry, ContestDefinition& def) {
    FillDistrictHf(entry, def, "R", "bckl");
    SetExchange(def, {{kKindLdk, "LDK", kKindLdk, entry.Ldk()}});
    SetMultipliers(def, {"LDK"}, {17});
}

void FillOriginalQrp(ContestDefinition& def) {
    SetCategories(def, {{"VLP - bis 1 W"}, {"QRP - bis 5 W"}, {"MP - bis 20 W"}, {"SWL"}});
    SetModes(def, {"CW"});
    SetBands(def, "bceg");
    SetExchange(def, {SerialField(), {kKindFreeText, "Klasse", kKindFreeText, "QRP"}});
    SetMultipliers(def, {"DXCC"}, {2});
}

void FillDsw(const ContestEntry& entry, ContestDefinition& def) {
    SetCategories(def, {{"Einmann KW"}, {"Mehrmann KW"}, {"UKW"}, {"Paddler"}});
    SetModes(def, {"CW", "SSB", "FM"});
    SetBands(def, "bckl");
    SetExchange(def, {MemberField(kKindMemberNumber, "DSW/Paddel", entry), LocatorField()});
    SetMultipliers(def, {"DSW", "Loc"}, {19, 5});
}

}  // namespace

bool FillHfContest(char code, const ContestEntry& entry, ContestDefinition& def) {
    switch (code) {
        case 'H':
            FillHolyland(def);
            return true;
        case 'D':
            FillDistrictHf(entry, def, "", "bc");
            return true;
        case 'q':
            FillHandtastenparty(entry, def);
            return true;
        case '5':
        case 'P':
            FillParty(entry, def, code);
            return true;
        case 'S':
            FillDistrictHf(entry, def, "HSW", "bckl");
            return true;
        case 'T':
            FillDistrictHf(entry, def, "X", "bckl");
            return true;
        case 'L':
            FillDistrictHf(entry, def, "L", "bc");
            return true;
        case 'I':
            FillDistrictHf(entry, def, "I", "bc");
            return true;
        case 'l':
            FillDistrictHf(entry, def, "I", "bckl");
            return true;
        case 'Q':
            FillDistrictHf(entry, def, "T", "bckl");
            return true;
        case 'd':
            FillDistrictHf(entry, def, "Q", "bckl");
            return true;
        case 'e':
            FillDistrictHf(entry, def, "EIM", "bckl");
            return true;
        case 'Z':
            FillIparc(def);
            return true;
        case 'C':
            FillBrandenburgBerlin(entry, def);
            return true;
        case '1':
            FillSerialAndDok(entry, def, false, "i");
            return true;
        case 'A':
            FillSerialAndDok(entry, def, true, "bc");
            return true;
        case 'f':
            FillClubContest(entry, def, "AGCW", 16, kKindClubNumber, true, "bce");
            return true;
        case 'i':
            FillNaval(entry, def);
            return true;
        case '2':
        case '3':
        case 'c':
            FillWestfalenNord(entry, def, code);
            return true;
        case '4':
            FillRtc(entry, def);
            return true;
        case '6':
            FillClubContest(entry, def, "DXCC", 2, kKindClubNumber, true, "bcegi");
            return true;
        case '7':
            FillClubContest(entry, def, "DIG", 16, kKindClubNumber, false, "bcegi");
            return true;
        case '9':
            FillFieldday(def);
            return true;
        case 'a':
            FillNordrhein(entry, def);
            return true;
        case 'b':
            FillOriginalQrp(def);
            return true;
        case 'k':
            FillClubContest(entry, def, "QCWA", 19, kKindMemberNumber, false, "bc");
            return true;
        case 'n':
            FillClubContest(entry, def, "IBFD", 16, kKindClubNumber, false, "bckl");
            return true;
        case 'p':
            FillDsw(entry, def);
            return true;
        default:
            return false;
    }
}

}  // namespace mss::contest::build

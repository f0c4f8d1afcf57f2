#include "contest/SetupCheck.h"

#include "contest/EntrySetup.h"
#include "radio/DateTime.h"
#include "radio/Locator.h"
#include "radio/Text.h"

namespace mss::contest {

namespace {

// Field capacities of the records the texts go to.
struct Capacity {
    SetupField field;
    std::size_t chars;
    const char* label;
};

bool Empty(const std::string& text) {
    return radio::Trim(text).empty();
}

void Add(std::vector<SetupProblem>& problems, SetupField field, std::string message) {
    problems.push_back({field, std::move(message)});
}

void CheckLengths(const SetupInput& in, const ContestDefinition& d, char code,
                  std::vector<SetupProblem>& problems) {
    const std::string postcodeTown = in.postcode + " " + in.town;
    const std::size_t district = SettingsUseLdk(d, code) ? kLdkCapacity : kDokCapacity;
    const std::string districtLabel = DistrictLabel(d);
    const std::pair<Capacity, const std::string*> fields[] = {
        {{SetupField::Name, kNameCapacity, "Contestname"}, &in.name},
        {{SetupField::Town, kAddressCapacity, "PLZ+Ort"}, &postcodeTown},
        {{SetupField::Street, kAddressCapacity,
          "Stra\xDF"
          "e"},
         &in.street},
        {{SetupField::Country, kAddressCapacity, "Land"}, &in.country},
        {{SetupField::OwnName, kAddressCapacity, "Name"}, &in.ownName},
        {{SetupField::Call, kCallCapacity, "Call"}, &in.call},
        {{SetupField::Swl, kSwlCapacity, "SWL-Nr."}, &in.swl},
        {{SetupField::Dok, district, districtLabel.c_str()}, &in.district},
    };
    for (const auto& [capacity, text] : fields)
        if (text->size() > capacity.chars)
            Add(problems, capacity.field,
                std::string("Die Angabe \"") + capacity.label +
                    "\" ist zu lang (h\xF6"
                    "chstens " +
                    std::to_string(capacity.chars) + " Zeichen).");
}

void CheckLocator(const SetupInput& in, const ContestDefinition& d,
                  std::vector<SetupProblem>& problems) {
    if (Empty(in.locator)) {
        if (SendsLocator(d))
            Add(problems, SetupField::Locator, "Angabe des Standortlocators notwendig.");
        return;
    }
    // The own locator is the origin of every distance: a wrong one gives
    // every contact wrong points.
    if (in.locator.size() != 6 || !radio::ToLocator::IsValidLocator(in.locator))
        Add(problems, SetupField::Locator,
            "Der Standortlocator ist ung\xFCltig: erwartet werden 6 Zeichen wie JO62MM.");
}

void CheckDistrict(const SetupInput& in, const ContestDefinition& d,
                   std::vector<SetupProblem>& problems) {
    const bool empty = Empty(WithoutBlanks(in.district));
    const auto& f = d.Features;
    if (empty && f.test(kFeatureDok) && !f.test(kFeatureArea) && !f.test(kFeatureLdk) &&
        !in.afterContest)
        problems.push_back({SetupField::Dok, "Kein DOK angegeben. Trotzdem weiter?", true});
    if (empty && f.test(kFeatureLdk))
        problems.push_back({SetupField::Dok, "Kein LDK angegeben. Trotzdem weiter?", true});
}

void CheckDatesAndTimes(const SetupInput& in, std::vector<SetupProblem>& problems) {
    const std::int32_t start = radio::TextToDate(radio::DateFormat, in.startDate);
    const std::int32_t end = radio::TextToDate(radio::DateFormat, in.endDate);
    if (start <= 0) {
        Add(problems, SetupField::StartDate, "Eingabe eines Contest-Datums notwendig.");
        return;
    }
    if (end <= 0) {
        Add(problems, SetupField::EndDate, "Eingabe eines Contest-Datums notwendig.");
        return;
    }
    // An empty time is allowed and counts as the day's start or end.
    auto time = [](const std::string& text) { return Empty(text) ? 0 : ReadSetupTime(text); };
    const std::int32_t from = time(in.startTime);
    const std::int32_t to = time(in.endTime);
    if (from < 0) Add(problems, SetupField::StartTime, "Die Uhrzeit (von) ist ung\xFCltig.");
    if (to < 0) Add(problems, SetupField::EndTime, "Die Uhrzeit (bis) ist ung\xFCltig.");
    if (from < 0 || to < 0) return;
    const std::int64_t begins = std::int64_t{start} * radio::kSecondsPerDay + from;
    const std::int64_t ends = std::int64_t{end} * radio::kSecondsPerDay + to;
    if (ends < begins)
        Add(problems, SetupField::EndDate, "Das Contest-Ende liegt vor dem Contest-Beginn.");
}

}  // namespace

std::int32_t ReadSetupTime(const std::string& text) {
    const std::string trimmed = radio::Trim(text);
    if (trimmed.size() != 5 || trimmed[2] != ':') return radio::kNoTime;
    return radio::TextToTime(radio::TimeFormat, trimmed);
}

std::vector<SetupProblem> SetupProblems(const SetupInput& in, const ContestDefinition& d,
                                        char code) {
    std::vector<SetupProblem> problems;
    if (Empty(in.name)) Add(problems, SetupField::Name, "Eingabe eines Contest-Namens notwendig.");
    if (Empty(in.postcode))
        Add(problems, SetupField::Postcode, "Angabe der Postleitzahl und des Ortes notwendig.");
    CheckLocator(in, d, problems);
    CheckDistrict(in, d, problems);
    if (Empty(in.call) && Empty(in.swl))
        Add(problems, SetupField::Call, "Eingabe des Rufzeichens notwendig.");
    CheckDatesAndTimes(in, problems);
    if (in.clockChoiceOpen)
        Add(problems, SetupField::ClockGroup,
            "Es wurde nicht bestimmt, ob der Computer mit Ortszeit l\xE4uft.");
    CheckLengths(in, d, code, problems);
    if (in.categoryMissing)
        Add(problems, SetupField::CategoryGroup, "Sie haben keine Teilnahmeart angegeben.");
    if (code == 'j' && Empty(in.station))
        problems.push_back(
            {SetupField::Station, "Sie haben keine Angaben zur Station get\xE4tigt.", false, true});
    return problems;
}

}  // namespace mss::contest

#include "contest/EntrySetup.h"

#include <algorithm>

#include "radio/DateTime.h"
#include "radio/ProgramValues.h"

namespace mss::contest {

namespace {

std::int32_t DefaultDate(const std::string& text) {
    return radio::TextToDate("dd.mm.yyyy", text);
}

std::int32_t DefaultTime(const std::string& text) {
    return radio::TextToTime("hh:mm:ss", text);
}

// Half a year in days: a contest further back than this is next year's.
constexpr std::int32_t kHalfYear = 183;

std::int32_t ShiftYears(std::int32_t dayNumber, int years) {
    if (dayNumber < 0) return dayNumber;
    const radio::CalendarDate date = radio::DayMonthYear(dayNumber);
    const std::int32_t shifted = radio::DayNumber(date.day, date.month, date.year + years);
    return shifted >= 0 ? shifted : radio::DayNumber(date.day - 1, date.month, date.year + years);
}

}  // namespace

ContestDates NearestContestDates(const std::string& dateFrom, const std::string& dateTo,
                                 std::int32_t today) {
    const std::int32_t from = DefaultDate(dateFrom);
    const std::int32_t to = DefaultDate(dateTo);
    if (from < 0 || today < 0) return {from, to};
    const int thisYear = radio::DayMonthYear(today).year;
    int years = thisYear - radio::DayMonthYear(from).year;
    if (today - ShiftYears(from, years) > kHalfYear) ++years;
    return {ShiftYears(from, years), ShiftYears(to, years)};
}

void PrepareNewEntry(ContestEntry& entry, ContestExtra& extra, char code) {
    const auto& values = radio::Program();
    entry = ContestEntry{};
    extra = ContestExtra{};
    entry.SetLocator(values.OwnLocator);
    entry.SetCall(values.OwnCall);
    entry.SetCode(code);
    entry.SetDateAuto(true);
    entry.SetTimeAuto(true);
    entry.SetRstSentFree(false);
    entry.SetRstRcvdFree(false);
    entry.MarkNew();
}

void ProposeContestTimes(ContestEntry& entry, const ContestDefinition& d, std::int32_t today) {
    const ContestDates dates = NearestContestDates(d.DateFrom, d.DateTo, today);
    if (entry.StartDate() == 0) entry.SetStartDate(dates.from);
    if (entry.EndDate() == 0) entry.SetEndDate(dates.to);
    if (entry.StartTime() == 0) entry.SetStartTime(DefaultTime(d.TimeFrom));
    if (entry.EndTime() == 0) entry.SetEndTime(DefaultTime(d.TimeTo));
}

bool EntryUsesLdk(const ContestDefinition& d, char code) {
    return d.Features.test(kFeatureLdk) || code == 'A';
}

bool SettingsUseLdk(const ContestDefinition& d, char code) {
    return d.Features.test(kFeatureLdk) || code == '4' || code == 'A';
}

std::string DistrictLabel(const ContestDefinition& d) {
    if (d.Features.test(kFeatureLdk)) return "LDK";
    if (d.Features.test(kFeatureArea)) return "Area";
    return "DOK";
}

ModeButtons DesignedModeButtons() {
    return {{{true, "CW"}, {true, "SSB"}, {true, "FM"}, {true, "PR"}}};
}

ModeButtons ModeButtonsFor(const ContestDefinition& d) {
    ModeButtons buttons = DesignedModeButtons();
    for (ModeButton& button : buttons) button.enabled = false;
    for (const std::string& mode : d.Modes) {
        if (mode == "CW") buttons[kModeCw].enabled = true;
        if (mode == "SSB") buttons[kModeSsb].enabled = true;
        if (mode == "FM") buttons[kModeFm].enabled = true;
        if (mode == "PR") buttons[kModePr].enabled = true;
        if (mode == "DIGITAL" || mode == "FSK441" || mode == "RTTY") {
            buttons[kModePr].enabled = true;
            buttons[kModePr].caption = mode == "DIGITAL" ? "DIGI" : mode;
        }
    }
    return buttons;
}

std::optional<ContestPeriod> CategoryPeriod(const ContestDefinition& d, int category) {
    if (category < 1 || category > static_cast<int>(d.Categories.size())) return std::nullopt;
    const int period = d.Categories[category - 1].Period;
    if (period < 1 || period > static_cast<int>(d.Periods.size())) return std::nullopt;
    ContestPeriod proposal = d.Periods[period - 1];
    if (proposal.DateTo.empty()) proposal.DateTo = proposal.Date;
    return proposal;
}

std::vector<std::string> CategoryTexts(const ContestDefinition& d) {
    std::vector<std::string> texts;
    for (const ContestCategory& category : d.Categories)
        if (!category.Text.empty()) texts.push_back(category.Text);
    return texts;
}

bool SendsLocator(const ContestDefinition& d) {
    auto locator = [](std::int32_t kind) { return kind == kKindLocator || kind == kKindLocator6; };
    return locator(d.SentKinds[0]) || locator(d.SentKinds[1]);
}

std::string WithoutBlanks(std::string_view text) {
    std::string result(text);
    std::erase(result, ' ');
    return result;
}

}  // namespace mss::contest

#include "app/cli/CommandEntries.h"

#include "app/cli/CommandOutput.h"
#include "app/cli/CommandStatus.h"
#include "app/cli/CommandStore.h"
#include "contest/Catalogue.h"
#include "contest/ContestStore.h"
#include "contest/EntryLifecycle.h"
#include "contest/EntrySetup.h"
#include "contest/SetupCheck.h"
#include "contest/SetupEvaluation.h"
#include "contest/SetupTaking.h"
#include "contest/StationFile.h"
#include "contest/StationSettings.h"
#include "log/ContestLog.h"
#include "log/QsoRecord.h"
#include "radio/Baender.h"
#include "radio/DateTime.h"
#include "radio/ProgramValues.h"
#include "radio/Text.h"

namespace mss::app {

namespace {

// This build's contest.
constexpr char kCode = 'j';

std::string DateText(std::int32_t day) {
    return day < 0 ? std::string() : radio::DateToText(radio::DateFormat, day);
}

std::string TimeText(std::int32_t seconds) {
    return seconds < 0 ? std::string() : radio::TimeToText(radio::TimeFormat, seconds);
}

// The operator's station data: as stored, with what the options give.
contest::StationSettings StationFromOptions(const ParsedArguments& args) {
    contest::StationSettings station = contest::ReadStationSettings();
    station.operatorName = args.Value("--operator", radio::Program().OwnName);
    station.street = args.Value("--street", station.street);
    station.postcodeTown = args.Value("--town", station.postcodeTown);
    station.country = args.Value("--country", station.country);
    station.dok = station.ldk = contest::WithoutBlanks(args.Value("--dok", station.dok));
    station.locator = args.Value("--locator");
    return station;
}

contest::SetupInput InputOf(const ParsedArguments& args, const contest::ContestEntry& entry,
                            const contest::ContestDefinition& definition,
                            const contest::StationSettings& station) {
    contest::SetupInput in;
    in.name = args.Value("--name", definition.ContestName);
    const auto [postcode, town] = contest::SplitPostcodeTown(station.postcodeTown);
    in.postcode = postcode;
    in.town = town;
    in.street = station.street;
    in.country = station.country;
    in.ownName = station.operatorName;
    in.locator = station.locator;
    in.district = station.dok;
    in.call = args.Value("--call");
    in.swl = radio::Program().SwlNumber;
    in.startDate = args.Value("--start", DateText(entry.StartDate()));
    in.endDate = args.Value("--end", DateText(entry.EndDate()));
    in.startTime = TimeText(entry.StartTime());
    in.endTime = TimeText(entry.EndTime());
    in.station = args.Value("--station");
    in.categoryMissing = !args.Has("--category") && !contest::CategoryTexts(definition).empty();
    return in;
}

// The checks of the setup dialog; a question passes with --yes. False when
// the input is refused (the reason is on standard error).
bool PassChecks(const ParsedArguments& args, const contest::SetupInput& in,
                const contest::ContestDefinition& definition) {
    for (const contest::SetupProblem& problem : contest::SetupProblems(in, definition, kCode)) {
        if (problem.goesOnSilently || (problem.question && args.Has("--yes"))) {
            PrintError("note: " + problem.message);
            continue;
        }
        PrintError(problem.message);
        return false;
    }
    return true;
}

}  // namespace

CommandSyntax EntryNewSyntax() {
    return MakeSyntax(
        "entry new",
        "--call CALL --locator LOC [--name TEXT] [--category N] [--start DATE] [--end DATE]\n"
        "          [--operator NAME] [--street TEXT] [--town 'POSTCODE TOWN'] [--country "
        "TEXT]\n          [--dok DOK] [--station TEXT] [--free-reports] [--yes]",
        "Creates a contest entry with the checks of the setup dialog and prints its number.\n"
        "DATE is dd.mm.yyyy; the contest's dates are proposed. --category is the number of\n"
        "the category in the order the setup dialog lists them (1 QRP, 2 QRO, 3 TEAM).\n"
        "The address options replace the station data of the suite settings; --station\n"
        "is the description of the station; --free-reports lets the operator type both\n"
        "reports of every contact instead of fixing them; --yes answers the setup's\n"
        "questions with Yes.",
        {{"--call", true, true},
         {"--locator", true, true},
         {"--name"},
         {"--category"},
         {"--start"},
         {"--end"},
         {"--operator"},
         {"--street"},
         {"--town"},
         {"--country"},
         {"--dok"},
         {"--station"},
         {"--free-reports", false},
         {"--yes", false}});
}

int RunEntryNew(const ParsedArguments& args) {
    std::uint8_t category = 0;
    if (args.Has("--category")) {
        const auto n = PositiveNumber(args.Value("--category"));
        if (!n || *n > 255) {
            PrintError("--category needs a category number");
            return kExitUsage;
        }
        category = static_cast<std::uint8_t>(*n);
    }
    CommandStore files;
    if (!files.OpenAll()) return kExitFailed;
    contest::ContestEntry entry;
    contest::ContestExtra extra;
    contest::PrepareNewEntry(entry, extra, kCode);
    if (category > 0) entry.SetCategory(category);
    const contest::ContestDefinition definition = contest::FillContestDefinition(kCode, entry);
    if (category > contest::CategoryTexts(definition).size()) {
        PrintError("the contest has no category " + std::to_string(category));
        return kExitUsage;
    }
    contest::ProposeContestTimes(entry, definition, radio::TodayLocal());
    const contest::StationSettings station = StationFromOptions(args);
    const contest::SetupInput in = InputOf(args, entry, definition, station);
    if (!PassChecks(args, in, definition)) return kExitFailed;
    contest::TakeSetupInput(in, definition, kCode, entry);
    if (category > 0) entry.SetCategory(category);
    if (args.Has("--free-reports")) {
        entry.SetRstSentFree(true);
        entry.SetRstRcvdFree(true);
    }
    // A command line speaks UTC.
    radio::Program().ClockOffset = 0;
    // Contest 'j' keeps the sent report open for every contact.
    extra.SetRstNotLocked(true);
    (void)contest::WriteStationSettings(station, contest::SettingsUseLdk(definition, kCode));
    if (contest::StoreEntry(true, entry, extra) != 0) {
        PrintError("Fehler bei Dateneingabe. Datensatz evtl. schon vorhanden.");
        return kExitFailed;
    }
    if (!radio::Trim(in.station).empty() &&
        !contest::WriteStationFile(
            contest::StationFileName(radio::Program().RunDir, entry.Number()), in.station))
        PrintError("Die Beschreibung der Station konnte nicht gespeichert werden.");
    PrintLine(std::to_string(entry.Number()));
    return kExitOk;
}

CommandSyntax EntryListSyntax() {
    return MakeSyntax(
        "entry list", "",
        "Lists the contest entries, one a line, tab-separated: number, name, start date,\n"
        "end date, contacts, score.",
        {});
}

int RunEntryList(const ParsedArguments&) {
    CommandStore files;
    if (!files.OpenAll()) return kExitFailed;
    for (const contest::ContestEntry& listed : contest::ListContestEntries(kCode)) {
        const std::optional<StoredEntry> stored = ReadStoredEntry(listed.Number());
        if (!stored) return kExitFailed;
        const contest::Evaluation evaluation =
            contest::EvaluateEntry(stored->entry, stored->extra, stored->definition);
        PrintLine(std::to_string(listed.Number()) + "\t" + radio::Trim(listed.Name()) + "\t" +
                  DateText(listed.StartDate()) + "\t" + DateText(listed.EndDate()) + "\t" +
                  std::to_string(evaluation.qsos) + "\t" + std::to_string(evaluation.score));
    }
    return kExitOk;
}

CommandSyntax ScoreSyntax() {
    return MakeSyntax(
        "score", "--entry N",
        "Prints the entry's evaluation as the setup dialog shows it: contacts, contacts\n"
        "kept out of the score, contacts and points per band, the totals and the score.",
        {{"--entry", true, true}});
}

namespace {

// Contacts of the log that score nothing (void duplicates); -1 when the log
// cannot be read.
std::int64_t VoidContacts(std::int32_t number) {
    if (!log::OpenContestLog(number)) return -1;
    store::TFileblockObject& file = *log::OpenLog();
    std::int64_t count = 0;
    int level = file.First(1);
    for (; level == 0; level = file.Next(1)) {
        const log::QsoRecord record = log::BufferRecord(file);
        if (!record.IsBandChange() && record.Void() != 0) ++count;
    }
    log::CloseContestLog();
    return level == 1 ? count : -1;
}

}  // namespace

int RunScore(const ParsedArguments& args) {
    const std::optional<int> number = EntryOption(args);
    if (!number) return kExitUsage;
    CommandStore files;
    if (!files.OpenAll()) return kExitFailed;
    const std::optional<StoredEntry> stored = ReadStoredEntry(*number);
    if (!stored) return kExitFailed;
    const std::int64_t kept = VoidContacts(*number);
    if (kept < 0) {
        PrintError("the log of entry " + std::to_string(*number) + " cannot be read");
        return kExitFailed;
    }
    const contest::Evaluation evaluation =
        contest::EvaluateEntry(stored->entry, stored->extra, stored->definition);
    const contest::EvaluationTexts texts =
        contest::EvaluationLabels(evaluation, stored->definition, kCode);
    PrintLine("contacts\t" + std::to_string(evaluation.qsos));
    PrintLine("kept out\t" + std::to_string(kept));
    for (int i = 0; i < contest::ContestEntry::kBandIndexes; ++i) {
        const char band = stored->definition.Bands[static_cast<std::size_t>(i)];
        if (band == 0) continue;
        const contest::BandTotals& totals = evaluation.bands[static_cast<std::size_t>(i)];
        PrintLine("band\t" + std::string(radio::ToBaender::BandName(band, false)) + "\t" +
                  std::to_string(totals.qsos) + "\t" + std::to_string(totals.points));
    }
    PrintLine("points\t" + std::to_string(evaluation.points));
    PrintLine("score\t" + std::to_string(evaluation.score));
    std::string shown = texts.qsoTotal;
    if (texts.multipliersShown) shown += "  " + texts.multTotal;
    if (texts.multipliersShown && texts.pointsTotalShown) shown += "  " + texts.pointsTotal;
    if (texts.scoreShown) shown += "  " + texts.score;
    PrintLine("shown\t" + radio::Trim(shown));
    return kExitOk;
}

}  // namespace mss::app

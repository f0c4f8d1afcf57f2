#include "app/cli/CommandImport.h"

#include "app/cli/CommandOutput.h"
#include "app/cli/CommandStatus.h"
#include "app/cli/CommandStore.h"
#include "log/AdifImport.h"
#include "log/AdifReader.h"
#include "log/LogOpening.h"
#include "log/Scoring.h"
#include "platform/Cp1252.h"
#include "radio/Text.h"

namespace mss::app {

namespace {

using MapPairs = std::vector<std::pair<std::string, std::string>>;  // file field, log field

// The --map options as pairs; the usage error when one is not NAME=NAME.
std::optional<std::string> MapOptions(const ParsedArguments& args, MapPairs& pairs) {
    const auto it = args.values.find("--map");
    if (it == args.values.end()) return std::nullopt;
    for (const std::string& pair : it->second) {
        const auto eq = pair.find('=');
        if (eq == std::string::npos || eq == 0 || eq + 1 == pair.size())
            return "--map needs ADIFFIELD=LOGFIELD, not " + pair;
        pairs.emplace_back(radio::UpperText(pair.substr(0, eq)),
                           radio::UpperText(pair.substr(eq + 1)));
    }
    return std::nullopt;
}

// The mapping: the options' pairs first, then the standard names.
std::optional<std::string> MapFields(const MapPairs& pairs,
                                     const contest::ContestDefinition& definition,
                                     const log::AdifFile& file,
                                     std::vector<log::AdifLogField>& fields) {
    for (const auto& [adif, logField] : pairs)
        if (!log::MapAdifField(fields, logField, adif))
            return "no log field " + logField + " to map " + adif + " onto, or it is mapped twice";
    log::MapStandardAdifFields(fields, definition, file);
    return std::nullopt;
}

void PrintRefusal(const log::AdifRefusal& refusal) {
    PrintError("refused " + (refusal.call.empty() ? std::string("?") : refusal.call) + " " +
               refusal.datum + " " + refusal.zeit + ": " + refusal.reason);
}

// The counts on standard output, every refused record on standard error.
void ReportImport(const log::AdifFile& file, const log::AdifImportResult& r) {
    PrintLine("read\t" + std::to_string(file.Records.size()));
    PrintLine("stored\t" + std::to_string(r.imported));
    PrintLine("as digital mode\t" + std::to_string(r.asDigital));
    PrintLine("duplicates\t" + std::to_string(r.duplicates));
    PrintLine("refused\t" + std::to_string(r.incomplete + r.bandErrors + r.modeErrors +
                                           r.unreadable + r.checkRefused));
    if (r.storeFailures > 0) PrintLine("not stored\t" + std::to_string(r.storeFailures));
    if (r.updateFailures > 0)
        PrintLine("stored without points\t" + std::to_string(r.updateFailures));
    for (const std::string& name : r.unmapped) PrintError("no file field is mapped to " + name);
    if (r.flushFailed) PrintError("the log could not be written out");
    for (const log::AdifRefusal& refusal : r.counted) PrintRefusal(refusal);
    for (const log::AdifRefusal& refusal : r.refusals) PrintRefusal(refusal);
}

}  // namespace

CommandSyntax ImportAdifSyntax() {
    CommandSyntax syntax = MakeSyntax(
        "import-adif",
        "--entry N FILE [--map ADIFFIELD=LOGFIELD ...] [--no-mode-band-check] [--strict-modes]",
        "Imports the contacts of an ADIF file into the entry's log as the log form's import\n"
        "does: every record is checked and saved like a typed contact. A file field maps to\n"
        "the log field of its name, GRIDSQUARE to the received locator; --map adds others.\n"
        "MSK144, JT6M and FSK441 count as the contest's digital mode, as for the contacts\n"
        "WSJT-X and MSHV announce; --strict-modes admits only the contest's own modes.\n"
        "Prints the counts; every refused record is named on standard error. Exit status 1\n"
        "when the file cannot be read or the store refuses a record.",
        {{"--entry", true, true},
         {"--map", true, false, true},
         {"--no-mode-band-check", false},
         {"--strict-modes", false}});
    syntax.minPositional = syntax.maxPositional = 1;
    syntax.positionalName = "FILE";
    return syntax;
}

int RunImportAdif(const ParsedArguments& args) {
    const std::optional<int> number = EntryOption(args);
    if (!number) return kExitUsage;
    MapPairs pairs;
    if (const auto problem = MapOptions(args, pairs)) {
        PrintError(*problem);
        return kExitUsage;
    }
    const std::string path = args.PathOf(args.positional.front());
    const std::optional<log::AdifFile> read = log::ReadAdifFile(path);
    if (!read) {
        PrintError(platform::Utf8ToCp1252(path) + " cannot be read");
        return kExitFailed;
    }
    const log::AdifFile& file = *read;
    CommandStore files;
    if (!files.OpenAll()) return kExitFailed;
    std::optional<contest::ContestDefinition> definition = log::EntryDefinition(*number);
    if (!definition) {
        PrintError("entry " + std::to_string(*number) + " cannot be read");
        return kExitFailed;
    }
    std::vector<log::AdifLogField> fields = log::AdifLogFields(*definition);
    if (const auto problem = MapFields(pairs, *definition, file, fields)) {
        PrintError(*problem);
        return kExitUsage;
    }
    log::LogSession session;
    session.definition = std::move(*definition);
    log::ClearTotals(session);
    log::EntryState state;
    contest::ContestExtra extra;
    if (!log::OpenLogSession(*number, session, state, extra)) {
        PrintError("the log of entry " + std::to_string(*number) + " cannot be opened");
        return kExitFailed;
    }
    log::SilentProgress progress;
    log::PrepareLogSession(session, progress);
    const log::PanelLayout layout = log::LayoutOf(session, extra);
    log::PrepareNewContact(session, state, layout);
    const log::PanelValues defaults = log::PanelOf(state.contact, session);
    log::AdifImportOptions options;
    options.noModeBandCheck = args.Has("--no-mode-band-check");
    options.digitalAsContestMode = !args.Has("--strict-modes");
    const log::AdifImportResult result =
        log::ImportAdif(session, state, layout, file, fields, defaults, options, progress);
    log::SilentProgress results, renumbering;
    const bool written = log::WriteBackSession(session, extra, results, renumbering);
    log::CloseLogSession();
    ReportImport(file, result);
    if (!written) PrintError("the entry or its log could not be written");
    const bool allStored =
        result.storeFailures == 0 && result.updateFailures == 0 && !result.flushFailed;
    return written && allStored ? kExitOk : kExitFailed;
}

}  // namespace mss::app

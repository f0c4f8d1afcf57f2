#include "app/cli/CommandLine.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>

#include "app/cli/CommandCheck.h"
#include "app/cli/CommandEntries.h"
#include "app/cli/CommandImport.h"
#include "app/cli/CommandOutput.h"
#include "app/cli/CommandWrite.h"
#include "platform/DataDir.h"
#include "radio/ProgramValues.h"

namespace mss::app {

namespace {

struct Command {
    std::vector<std::string> words;  // {"entry", "new"}
    std::function<CommandSyntax()> syntax;
    std::function<int(const ParsedArguments&)> run;
};

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {{"entry", "new"}, EntryNewSyntax, RunEntryNew},
        {{"entry", "list"}, EntryListSyntax, RunEntryList},
        {{"import-adif"}, ImportAdifSyntax, RunImportAdif},
        {{"write"}, WriteSyntax, RunWrite},
        {{"score"}, ScoreSyntax, RunScore},
        {{"check"}, CheckSyntax, RunCheck},
    };
    return commands;
}

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The arguments without the data directory option.
std::vector<std::string> WithoutDataDir(const std::vector<std::string>& args) {
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--data-dir") {
            ++i;
            continue;
        }
        if (!args[i].starts_with("--data-dir=")) rest.push_back(args[i]);
    }
    return rest;
}

std::string ProgramUsage() {
    std::string text =
        "usage: tarvolt-mssprint [--data-dir DIR] COMMAND [OPTIONS]\n"
        "Without a command the program opens its window. Commands (each takes --help):\n";
    for (const Command& command : Commands()) {
        const CommandSyntax syntax = command.syntax();
        text +=
            "  " + syntax.name + " " + syntax.synopsis.substr(0, syntax.synopsis.find('\n')) + "\n";
    }
    return text;
}

int Usage(const std::string& problem, const std::string& usage) {
    if (!problem.empty()) std::fprintf(stderr, "tarvolt-mssprint: %s\n", problem.c_str());
    std::fprintf(stderr, "%s\n", usage.c_str());
    return kExitUsage;
}

// Makes the data directory the current one, as the window does.
bool EnterDataDirectory(const std::vector<std::string>& args) {
    const auto choice = platform::ChooseDataDir(args, std::filesystem::current_path(), Env("HOME"),
                                                Env("XDG_DATA_HOME"));
    std::string error = choice.error;
    std::optional<std::string> runDir;
    if (error.empty()) runDir = platform::EnterDataDir(choice.dir, error);
    if (!runDir) {
        std::fprintf(stderr, "tarvolt-mssprint: %s\n", error.c_str());
        return false;
    }
    radio::Program().RunDir = *runDir;
    return true;
}

}  // namespace

bool IsCommandLine(const std::vector<std::string>& args) {
    const std::vector<std::string> rest = WithoutDataDir(args);
    if (rest.empty()) return false;
    const std::string& first = rest.front();
    return first == "--help" || first == "-h" ||
           (!first.empty() && first.front() != '-' && first.front() != '/');
}

int RunCommandLine(const std::vector<std::string>& args) {
    for (std::size_t i = 0; i < args.size(); ++i)
        if (args[i] == "--data-dir" && i + 1 >= args.size())
            return Usage("--data-dir needs a directory", ProgramUsage());
    const std::vector<std::string> rest = WithoutDataDir(args);
    if (rest.front() == "--help" || rest.front() == "-h") {
        std::fputs(ProgramUsage().c_str(), stdout);
        return kExitOk;
    }
    for (const Command& command : Commands()) {
        if (rest.size() < command.words.size() ||
            !std::equal(command.words.begin(), command.words.end(), rest.begin()))
            continue;
        const CommandSyntax syntax = command.syntax();
        ParsedArguments parsed;
        parsed.startDir = std::filesystem::current_path();
        const std::vector<std::string> options(rest.begin() + command.words.size(), rest.end());
        if (const auto problem = ParseArguments(syntax, options, parsed))
            return Usage(*problem, UsageOf(syntax));
        if (parsed.help) {
            std::fprintf(stdout, "%s\n", UsageOf(syntax).c_str());
            return kExitOk;
        }
        if (!EnterDataDirectory(args)) return kExitFailed;
        ConsoleMessages messages;
        const platform::ScopedMessages install(messages);
        const int status = command.run(parsed);
        // A value the command could not take is a usage error too.
        if (status == kExitUsage) std::fprintf(stderr, "%s\n", UsageOf(syntax).c_str());
        return status;
    }
    return Usage("unknown command \"" + rest.front() + "\"", ProgramUsage());
}

}  // namespace mss::app

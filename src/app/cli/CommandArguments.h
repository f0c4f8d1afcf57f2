// The options of one command: which it takes, which need a value and which
// may repeat; parsing gives the values or a usage error.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace mss::app {

struct OptionSyntax {
    std::string name;  // "--call"
    bool takesValue = true;
    bool required = false;
    bool repeats = false;
};

struct CommandSyntax {
    std::string name;  // "entry new"
    std::string synopsis;
    std::string description;
    std::vector<OptionSyntax> options;
    int minPositional = 0;
    int maxPositional = 0;
    std::string positionalName;  // "FILE"
};

// A command without positional arguments.
CommandSyntax MakeSyntax(std::string name, std::string synopsis, std::string description,
                         std::vector<OptionSyntax> options);

struct ParsedArguments {
    std::map<std::string, std::vector<std::string>> values;
    std::vector<std::string> positional;
    bool help = false;
    // Where the program was started: file names are taken relative to it,
    // not to the data directory the command works in.
    std::filesystem::path startDir;

    bool Has(const std::string& name) const { return values.contains(name); }
    // The (last) value of an option, or `fallback`.
    std::string Value(const std::string& name, const std::string& fallback = {}) const;
    // A file name of the command line as an absolute path.
    std::string PathOf(const std::string& name) const;
};

// Parses `args` (what follows the command's words); "--opt VALUE" and
// "--opt=VALUE" are both read. Answers the error text of a usage error.
std::optional<std::string> ParseArguments(const CommandSyntax& syntax,
                                          const std::vector<std::string>& args,
                                          ParsedArguments& parsed);

// The usage text of a command.
std::string UsageOf(const CommandSyntax& syntax);

// The entry number of --entry; nullopt (and the reason on standard error)
// when it is not a whole positive number.
std::optional<int> EntryOption(const ParsedArguments& args);

// A whole positive number, else nullopt.
std::optional<int> PositiveNumber(const std::string& text);

}  // namespace mss::app

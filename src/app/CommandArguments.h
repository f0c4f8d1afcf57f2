// The options of one command: which it takes, which need a value and which
// may repeat; parsing gives the values or a usage error.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace mss::app {

struct OptionSpec {
    std::string name;  // "--call"
    bool takesValue = true;
    bool required = false;
    bool repeats = false;
};

struct CommandSpec {
    std::string name;  // "entry new"
    std::string synopsis;
    std::string description;
    std::vector<OptionSpec> options;
    int minPositional = 0;
    int maxPositional = 0;
    std::string positionalName;  // "FILE"
};

struct ParsedArguments {
    std::map<std::string, std::vector<std::string>> values;
    std::vector<std::string> positional;
    bool help = false;

    bool Has(const std::string& name) const { return values.contains(name); }
    // The (last) value of an option, or `fallback`.
    std::string Value(const std::string& name, const std::string& fallback = {}) const;
};

// Parses `args` (what follows the command's words); "--opt VALUE" and
// "--opt=VALUE" are both read. Answers the error text of a usage error.
std::optional<std::string> ParseArguments(const CommandSpec& spec,
                                          const std::vector<std::string>& args,
                                          ParsedArguments& parsed);

// The usage text of a command.
std::string UsageOf(const CommandSpec& spec);

// A whole positive number, else nullopt.
std::optional<int> PositiveNumber(const std::string& text);

}  // namespace mss::app

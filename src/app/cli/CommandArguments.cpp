#include "app/cli/CommandArguments.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace mss::app {

CommandSyntax MakeSyntax(std::string name, std::string synopsis, std::string description,
                         std::vector<OptionSyntax> options) {
    CommandSyntax syntax;
    syntax.name = std::move(name);
    syntax.synopsis = std::move(synopsis);
    syntax.description = std::move(description);
    syntax.options = std::move(options);
    return syntax;
}

std::string ParsedArguments::Value(const std::string& name, const std::string& fallback) const {
    const auto it = values.find(name);
    return it == values.end() || it->second.empty() ? fallback : it->second.back();
}

std::string ParsedArguments::PathOf(const std::string& name) const {
    return name.empty() ? name : (startDir / name).lexically_normal().string();
}

namespace {

const OptionSyntax* FindOption(const CommandSyntax& syntax, const std::string& name) {
    const auto it = std::find_if(syntax.options.begin(), syntax.options.end(),
                                 [&](const OptionSyntax& o) { return o.name == name; });
    return it == syntax.options.end() ? nullptr : &*it;
}

}  // namespace

std::optional<std::string> ParseArguments(const CommandSyntax& syntax,
                                          const std::vector<std::string>& args,
                                          ParsedArguments& parsed) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (arg == "--help" || arg == "-h") {
            parsed.help = true;
            return std::nullopt;
        }
        if (!arg.starts_with("--") || arg == "--") {
            parsed.positional.push_back(arg);
            continue;
        }
        std::optional<std::string> value;
        if (const auto eq = arg.find('='); eq != std::string::npos) {
            value = arg.substr(eq + 1);
            arg.resize(eq);
        }
        const OptionSyntax* option = FindOption(syntax, arg);
        if (option == nullptr) return "unknown option " + arg;
        if (!option->takesValue) {
            if (value) return arg + " takes no value";
            parsed.values[arg];
            continue;
        }
        if (!value) {
            if (i + 1 >= args.size()) return arg + " needs a value";
            value = args[++i];
        }
        auto& values = parsed.values[arg];
        if (!values.empty() && !option->repeats) return arg + " given twice";
        values.push_back(*value);
    }
    for (const OptionSyntax& option : syntax.options)
        if (option.required && !parsed.Has(option.name)) return option.name + " is required";
    const int count = static_cast<int>(parsed.positional.size());
    if (count < syntax.minPositional) return syntax.positionalName + " is missing";
    if (count > syntax.maxPositional) return "unexpected argument " + parsed.positional.back();
    return std::nullopt;
}

std::string UsageOf(const CommandSyntax& syntax) {
    return "usage: tarvolt-mssprint [--data-dir DIR] " + syntax.name + " " + syntax.synopsis +
           "\n" + syntax.description;
}

std::optional<int> EntryOption(const ParsedArguments& args) {
    const std::optional<int> number = PositiveNumber(args.Value("--entry"));
    if (!number) std::fputs("tarvolt-mssprint: --entry needs an entry number\n", stderr);
    return number;
}

std::optional<int> PositiveNumber(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value <= 0) return std::nullopt;
    return value;
}

}  // namespace mss::app

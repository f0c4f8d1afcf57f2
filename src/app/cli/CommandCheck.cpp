#include "app/cli/CommandCheck.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>

#include "app/cli/CommandOutput.h"
#include "app/cli/CommandStatus.h"
#include "app/cli/CommandStore.h"
#include "contest/ContestStore.h"
#include "log/ContestLog.h"
#include "platform/File.h"
#include "radio/ProgramValues.h"
#include "radio/Text.h"
#include "store/FileblockCheck.h"
#include "store/Rebuild.h"
#include "suite/SuiteFiles.h"

namespace mss::app {

namespace {

store::RebuildDefinition FromSuite(const suite::SuiteFileDefinition& d) {
    return {d.logicalName, d.recLen, d.varRecords, d.bufferSize, d.keys, d.keyBuilder, {}};
}

bool IsLogName(const std::string& name) {
    return name.size() == 8 && name.starts_with("QVLK") &&
           std::all_of(name.begin() + 4, name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The layout of a fileblock of this program by its name ("QVKK", "QVLK0001").
std::optional<store::RebuildDefinition> DefinitionOf(const std::string& name) {
    static const suite::SuiteFile kSuiteFiles[] = {
        suite::SuiteFile::QVSETUP,  suite::SuiteFile::QVSETUP2, suite::SuiteFile::QVPRO,
        suite::SuiteFile::QVPREFIX, suite::SuiteFile::QVPREFEE, suite::SuiteFile::QVPREFES,
        suite::SuiteFile::QVCBUCH,  suite::SuiteFile::QVCALL,   suite::SuiteFile::QVLKTEMP};
    for (suite::SuiteFile file : kSuiteFiles)
        if (suite::SuiteFileName(file) == name) return FromSuite(suite::DefinitionOf(file));
    if (name == contest::kContestFileName) return FromSuite(contest::ContestFileDefinition());
    if (name == contest::kExtraFileName) return FromSuite(contest::ExtraFileDefinition());
    if (!IsLogName(name)) return std::nullopt;
    const store::SharedDefinition log = log::ContestLogDefinition(name);
    return store::RebuildDefinition{name,
                                    log.object.recLen,
                                    log.object.varRecords,
                                    log.object.bufferSize,
                                    log.keys,
                                    log.object.keyBuilder,
                                    {}};
}

// The data files of the directory by base name in upper case, sorted.
std::map<std::string, std::string> DataFiles(const std::filesystem::path& dir) {
    std::map<std::string, std::string> files;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(dir, error)) {
        const std::filesystem::path path = item.path();
        if (!item.is_regular_file() || radio::UpperText(path.extension().string()) != ".DAT")
            continue;
        files[radio::UpperText(path.stem().string())] = (dir / path.stem()).string();
    }
    return files;
}

std::string Records(std::int32_t count) {
    return std::to_string(count) + (count == 1 ? " record" : " records");
}

// Checks one fileblock and repairs it when asked; false when it is left
// damaged or could not be checked.
bool CheckOne(const std::string& name, const std::string& base, store::RebuildDefinition definition,
              bool repair) {
    const std::int32_t buffer = std::max(definition.bufferSize, definition.recLen);
    store::FileblockCheck check =
        store::CheckFileblock(base, definition.varRecords, buffer, definition.keyBuilder);
    if (check.state == store::CheckState::kLocked) {
        PrintLine(name + "\tlocked\t" + check.detail + " (10140)");
        return false;
    }
    if (check.state == store::CheckState::kSound) {
        PrintLine(name + "\tok\t" + Records(check.records));
        return true;
    }
    PrintLine(name + "\tdamaged\t" + check.detail);
    if (!repair) return false;
    definition.baseName = base;
    const store::EngineCode code =
        store::RebuildFileblock(*platform::DefaultFileSystem(), definition);
    check = store::CheckFileblock(base, definition.varRecords, buffer, definition.keyBuilder);
    if (code != store::kOk || check.state != store::CheckState::kSound) {
        PrintLine(name + "\tnot repaired\trebuild failed (" + std::to_string(code) + ")");
        return false;
    }
    PrintLine(name + "\trebuilt\t" + Records(check.records));
    return true;
}

}  // namespace

CommandSyntax CheckSyntax() {
    return MakeSyntax(
        "check", "[--repair]",
        "Checks every fileblock of the data directory (the data header against the file,\n"
        "the free slots, every index against the data file) and prints one line per file:\n"
        "ok, damaged, locked (held open by another running copy) or, with --repair,\n"
        "rebuilt. Exit status 1 when a file is left damaged or could not be checked.",
        {{"--repair", false}});
}

int RunCheck(const ParsedArguments& args) {
    CommandStore files;
    if (!files.OpenEngine()) return kExitFailed;
    bool sound = true;
    for (const auto& [name, base] : DataFiles(radio::Program().RunDir)) {
        std::optional<store::RebuildDefinition> definition = DefinitionOf(name);
        if (!definition) {
            PrintLine(name + "\tskipped\tnot a file of this program");
            continue;
        }
        if (!CheckOne(name, base, std::move(*definition), args.Has("--repair"))) sound = false;
    }
    return sound ? kExitOk : kExitFailed;
}

}  // namespace mss::app

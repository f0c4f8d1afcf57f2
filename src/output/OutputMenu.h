// What the output menu decides without a window: its items in order with
// their captions and enabled states, the texts and default names of the
// file outputs, and the writing of a file output to a temporary file beside
// the target that replaces the target only once it was written, flushed and
// closed. The menu, the command line and tests all call these.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "contest/ContestDefinition.h"
#include "output/OutputJob.h"
#include "output/Outputs.h"
#include "platform/File.h"

namespace mss::output {

struct OutputMenuItem {
    int kind = 0;  // the output's job number; 0 for a separator
    std::string caption;
    bool enabled = false;
};

// The items of the menu for a contest, separators included.
std::vector<OutputMenuItem> OutputMenuItems(const contest::ContestDefinition& def);

bool IsPaperKind(int kind);
bool IsFileKind(int kind);

// The picture of the log (map and rates) as a PNG file: painted with Qt's
// painter, so neither a paper nor a text file kind.
inline constexpr int kPictureKind = 17;
// Its proposed name: the call with "/" as "_", then "-Karte.PNG".
std::string PictureFileName(std::string_view ownCall);

// The texts of a file output.
struct FileKindTexts {
    std::string_view extension;  // ".SUM", "-multi.txt" ...
    std::string_view notice;     // what the advance notice calls the file
    std::string_view filter;     // the save dialog's file type
};
FileKindTexts TextsOf(FileOutput kind);

// What the proposed file names begin with: the operator's call, or the
// entry's name when there is none (a listener), never empty and never with
// a leading dot, which would hide the file.
std::string FileNameBase(std::string_view ownCall, std::string_view entryName);

// The name the save dialog proposes: the call with "/" as "_", a hyphen and
// the category's short text (not for Cabrillo), then the extension.
std::string DefaultFileName(FileOutput kind, const contest::ContestDefinition& def, int category,
                            std::string_view ownCall);
// "Geben Sie im folgenden Dialog an, wohin die ... gespeichert werden soll."
std::string SaveNotice(FileOutput kind, std::string_view ownCall);
// The save dialog's default suffix: the extension without its dot.
std::string DefaultSuffix(FileOutput kind);

// The folder-local scratch name a file output is first written to.
std::string ScratchPathOf(const std::string& target);

// Writes the output into a scratch file beside `target`, and renames it over
// the target only when the writer, the flush and the close succeeded; on
// failure the scratch file is removed and the target stays as it was.
WriteStatus WriteOutputFileAt(platform::FileSystem& fs, FileOutput kind, const std::string& target,
                              const OutputJob& job);

// Replaces the file's bytes the same way: the target changes only when all
// of them were written.
WriteStatus ReplaceFileBytes(platform::FileSystem& fs, const std::string& target,
                             std::string_view bytes);

// The whole file job: opens the entry's contest log, writes, closes the log.
// nullopt when the log could not be opened (nothing was touched).
std::optional<WriteStatus> ProduceOutputFile(platform::FileSystem& fs, FileOutput kind,
                                             const std::string& target, OutputJob job);

// What the operator is told after a file job: "Datei … wurde erstellt."
// (nothing for the cover sheet alone, nor when the operator declined the
// EDI station dialog), or why the file was not written.
std::string OutcomeText(FileOutput kind, const std::string& target, WriteStatus status);

}  // namespace mss::output

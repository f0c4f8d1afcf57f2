// The contest notes of an entry, a diary in a text file beside the
// program's files, and the contest rules handed to the desktop.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mss::contest {

// The notes file of entry `number` in the data directory: "NOTIZ" + the
// number in 4 digits + ".TXT". Named after the number, not the entry's
// name, which two entries can share and the setup dialog changes.
std::string NotesFileName(std::string_view runDir, std::int32_t number);
// The file earlier versions kept the notes in: the entry name's blanks,
// "+", "-", digits, ASCII letters and "_" + ".TXT".
std::string NamedNotesFileName(std::string_view runDir, std::string_view entryName);

// The stamp that opens each opening's line: date ("dd.mm.yyyy"), time
// ("hh:mm"), the call padded to 10 and " > ". The caret goes after it.
std::string NotesStamp(std::int32_t today, std::int32_t now, std::string_view call);

// The text begins with a stamp line as NotesStamp writes it.
bool IsNotesText(std::string_view text);

// Puts `stamp` as the first line of the notes (read from `path`, else from
// `namedPath` when only that one exists and holds notes) and writes them to
// `path`. The notes as written; nullopt when the file cannot be written.
std::optional<std::string> StampNotes(const std::string& path, const std::string& namedPath,
                                      std::string_view stamp);

// Writes the notes ("\n" separated, Windows-1252) through a temporary file
// and a rename; false when that fails.
bool WriteNotes(const std::string& path, std::string_view text);

// The organiser's page of the rules of contest `code`; empty when unknown.
std::string RulesAddress(char code);
// What the desktop is handed for a document or address: "Ø" becomes "0",
// an address with "@" and without "mailto" (any case) gets "mailto:".
std::string DocumentTarget(std::string_view target);
// Hands a file path or an address to the desktop; false when nothing took it.
bool OpenDocument(std::string_view target);
// Opens the rules of contest `code`.
bool OpenRules(char code);

}  // namespace mss::contest

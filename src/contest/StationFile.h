// The station description of a contest entry: a text file beside the
// program's files named "mssprint" + the entry number in 6 places (leading
// blanks) + ".STN", Windows-1252 with CR LF line ends, read by the entry
// file writers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mss::contest {

std::string StationFileName(std::string_view runDir, std::int32_t number);

// The lines joined with "\n"; nullopt when the file does not exist.
std::optional<std::string> ReadStationFile(const std::string& path);
// Writes the lines of `text` ("\n" separated); false when the file cannot
// be written.
bool WriteStationFile(const std::string& path, std::string_view text);
// Removes the file; a missing file is no error.
bool RemoveStationFile(const std::string& path);

}  // namespace mss::contest

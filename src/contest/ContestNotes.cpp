#include "contest/ContestNotes.h"

#include "contest/StationFile.h"
#include "platform/Desktop.h"
#include "radio/AsciiChar.h"
#include "radio/DateTime.h"
#include "radio/FormatPicture.h"
#include "radio/Text.h"

namespace mss::contest {

std::string NotesFileName(std::string_view runDir, std::int32_t number) {
    return std::string(runDir) + "NOTIZ" + radio::FormatPicture("@@@@", number) + ".TXT";
}

std::string NamedNotesFileName(std::string_view runDir, std::string_view entryName) {
    std::string name;
    for (char c : entryName) {
        if (c == ' ' || c == '+' || c == '-' || c == '_' || radio::IsAsciiDigit(c) ||
            radio::IsAsciiLetter(c))
            name += c;
    }
    return std::string(runDir) + name + ".TXT";
}

std::string NotesStamp(std::int32_t today, std::int32_t now, std::string_view call) {
    return radio::DateToText(radio::DateFormat, today) + " " + radio::TimeToText("hh:mm", now) +
           " " + radio::Fit(call, 10) + " > ";
}

bool IsNotesText(std::string_view text) {
    // date, blank, time, blank, call in 10, " > "
    constexpr std::size_t kDate = 10, kTime = 5, kCall = 10;
    constexpr std::size_t kArrow = kDate + 1 + kTime + 1 + kCall;
    const std::string_view line = text.substr(0, text.find('\n'));
    if (line.size() < kArrow + 3 || line.substr(kArrow, 3) != " > ") return false;
    if (line[2] != '.' || line[5] != '.') return false;
    return radio::TextToDate(radio::DateFormat, line.substr(0, kDate)) >= 0 && line[kDate] == ' ' &&
           line[kDate + 1 + 2] == ':' &&
           radio::TextToTime("hh:mm", line.substr(kDate + 1, kTime)) >= 0 &&
           line[kDate + 1 + kTime] == ' ';
}

std::optional<std::string> StampNotes(const std::string& path, const std::string& namedPath,
                                      std::string_view stamp) {
    std::optional<std::string> text = ReadStationFile(path);
    if (!text) {
        // The old name-based file can be an E-Log total file of the same
        // name; only notes are taken over.
        text = ReadStationFile(namedPath);
        if (text && !IsNotesText(*text)) text.reset();
    }
    const std::string stamped =
        std::string(stamp) + (text && !text->empty() ? "\n" + *text : std::string());
    if (!WriteNotes(path, stamped)) return std::nullopt;
    return stamped;
}

bool WriteNotes(const std::string& path, std::string_view text) {
    return WriteStationFile(path, text);
}

std::string RulesAddress(char code) {
    return code == 'j' ? "https://www.mmmonvhf.de/" : "";
}

std::string DocumentTarget(std::string_view target) {
    std::string text;
    for (char c : target) text += c == '\xD8' ? '0' : c;
    const bool mail = text.find('@') != std::string::npos &&
                      radio::UpperText(text).find("MAILTO") == std::string::npos;
    return mail ? "mailto:" + text : text;
}

bool OpenDocument(std::string_view target) {
    const std::string text = DocumentTarget(target);
    const bool address =
        text.find("://") != std::string::npos || radio::UpperText(text).rfind("MAILTO:", 0) == 0;
    return address ? platform::CurrentDesktop().OpenUrl(text)
                   : platform::CurrentDesktop().OpenDocument(text);
}

bool OpenRules(char code) {
    const std::string address = RulesAddress(code);
    return !address.empty() && OpenDocument(address);
}

}  // namespace mss::contest

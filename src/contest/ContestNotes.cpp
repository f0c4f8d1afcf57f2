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

std::optional<std::string> StampNotes(const std::string& path, const std::string& namedPath,
                                      std::string_view stamp) {
    std::optional<std::string> text = ReadStationFile(path);
    if (!text) text = ReadStationFile(namedPath);
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

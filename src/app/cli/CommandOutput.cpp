#include "app/cli/CommandOutput.h"

#include <cstdio>

#include "platform/Cp1252.h"

namespace mss::app {

void PrintLine(std::string_view cp1252) {
    const std::string text = platform::Cp1252ToUtf8(cp1252) + "\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
}

void PrintError(std::string_view cp1252) {
    const std::string text = "tarvolt-mssprint: " + platform::Cp1252ToUtf8(cp1252) + "\n";
    std::fwrite(text.data(), 1, text.size(), stderr);
}

void ConsoleMessages::Information(std::string_view text) {
    std::string lines(text);
    // Boxes break their lines with a carriage return.
    for (char& c : lines)
        if (c == '\r') c = '\n';
    PrintError(lines);
}

bool ConsoleMessages::Question(std::string_view text) {
    Information(std::string(text) + " (no)");
    return false;
}

}  // namespace mss::app

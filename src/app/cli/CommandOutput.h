// What the commands print: texts of the records (Windows-1252) converted
// for the terminal, and the reasons of a refusal on standard error.
#pragma once

#include <string>
#include <string_view>

#include "platform/Messages.h"

namespace mss::app {

// Standard output, a record text converted to UTF-8, with a line end.
void PrintLine(std::string_view cp1252);
// Standard error, prefixed with the program's name.
void PrintError(std::string_view cp1252);

// The boxes of the store and the domain on standard error, converted for
// the terminal; a question is answered No, as nobody is there to answer.
class ConsoleMessages : public platform::Messages {
  public:
    void Information(std::string_view text) override;
    bool Question(std::string_view text) override;
};

}  // namespace mss::app

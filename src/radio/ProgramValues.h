// The program-wide values that start-up fills from the suite settings and
// every layer reads: run directory, language, station data, clock offset
// and letter-case style. Texts are Windows-1252 bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mss::radio {

struct ProgramValues {
    std::string RunDir;                 // data directory with a trailing "/"
    std::uint8_t LanguageGerman = 1;    // 1: German texts, anything else English
    std::string OwnCall;                // up to 14
    std::string SwlNumber;              // up to 20; shown when OwnCall is empty
    std::string OwnLocator = "JO62MM";  // 6
    std::string OwnName;                // up to 50
    std::int32_t ProfileNumber = 0;     // active station profile
    std::int32_t ClockOffset = -2;      // hours to add to the computer's clock for UTC
    std::uint8_t LetterCase = 4;        // style of names and QTHs, see ApplyLetterCase
};

// The single instance of the process.
ProgramValues& Program();

// Puts every value back to its initial state (for tests and a fresh start).
void ResetProgramValues();

// The German or the English text of a bilingual pair, by LanguageGerman.
std::string_view Bilingual(std::string_view german, std::string_view english);

}  // namespace mss::radio

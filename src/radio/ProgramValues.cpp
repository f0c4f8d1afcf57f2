#include "radio/ProgramValues.h"

namespace mss::radio {

ProgramValues& Program() {
    static ProgramValues values;
    return values;
}

void ResetProgramValues() {
    Program() = ProgramValues{};
}

std::string_view Bilingual(std::string_view german, std::string_view english) {
    return Program().LanguageGerman == 1 ? german : english;
}

}  // namespace mss::radio

#include "radio/Modi.h"

#include <string>

#include "radio/Text.h"

namespace mss::radio {
namespace {

struct ModeText {
    char modeClass;
    std::string_view text;
};

// Tested in this order; the first equal text decides.
constexpr ModeText kModeTexts[] = {
    {'a', "CW"},     {'a', "A1A"},   {'a', "A1"},                                   //
    {'b', "SSB"},    {'b', "USB"},   {'b', "J3E"},    {'b', "LSB"},                 //
    {'c', "AM"},     {'c', "A3E"},   {'c', "A3"},                                   //
    {'d', "FM"},     {'d', "F3E"},   {'d', "F3"},                                   //
    {'e', "RTTY"},   {'e', "HELL"},  {'e', "MFSK"},   {'e', "FSK"}, {'e', "WSJT"},  //
    {'e', "FSK441"}, {'e', "MT63"},  {'e', "RY"},                                   //
    {'f', "AMTOR"},                                                                 //
    {'g', "PACTOR"}, {'g', "TOR"},                                                  //
    {'h', "FAX"},                                                                   //
    {'i', "ATV"},                                                                   //
    {'j', "SSTV"},                                                                  //
    {'k', "SAT"},                                                                   //
    {'l', "PSK"},    {'l', "PSK31"}, {'l', "PSK-31"},                               //
    {'m', "PACKET"}, {'m', "PKT"},   {'m', "PR"},
};

}  // namespace

char ModeClass(std::string_view mode) {
    // The doubled-mode prefix counts only at the very start, before trimming.
    if (mode.size() >= 2 && mode[0] == '2' && (mode[1] == 'x' || mode[1] == 'X')) {
        mode.remove_prefix(2);
    }
    const std::string trimmed = Trim(mode);
    for (const ModeText& entry : kModeTexts) {
        if (trimmed == entry.text) return entry.modeClass;
    }
    return kNoModeClass;
}

}  // namespace mss::radio

// Contacts of contest 'j' for the benchmarks that need a real contest log:
// calls of twenty prefixes, six locators, a contact a second from the contest
// start, every third one in FSK441.
#pragma once

#include <iterator>
#include <string>

#include "log/Exchange.h"
#include "log/QsoRecord.h"
#include "radio/DateTime.h"
#include "radio/Locator.h"

namespace mss::bench {

inline std::string CallOf(int i) {
    static constexpr const char* kPrefixes[] = {"DL",  "DK", "DJ", "OE", "OK", "SP", "PA",
                                                "ON",  "G",  "F",  "SM", "OH", "LA", "OZ",
                                                "HB9", "I",  "EA", "YO", "LZ", "S5"};
    const int prefixes = static_cast<int>(std::size(kPrefixes));
    std::string call = kPrefixes[i % prefixes] + std::to_string((i / prefixes) % 10);
    int rest = i / (prefixes * 10);
    for (int letter = 0; letter < 3; ++letter, rest /= 26)
        call += static_cast<char>('A' + rest % 26);
    return call;
}

inline log::QsoRecord ContactOf(int i) {
    static constexpr const char* kLocators[] = {"JO40AA", "IO91WM", "KP20LE",
                                                "JN58TD", "JO62MM", "KO04AA"};
    log::QsoRecord r;
    r.SetCall(CallOf(i));
    r.SetBand('k');
    r.SetMode(i % 3 == 0 ? "FSK441" : "CW");
    r.SetDatum(radio::DayNumber(12, 8, 2012) + i / 86400);
    r.SetZeit(i % 86400);
    const char* locator = kLocators[i % std::size(kLocators)];
    log::StoreRcvdExchange(r, log::ComposeExchange({"   ", locator, "", ""}));
    r.SetLocator(locator);
    r.SetQrb(radio::QrbKm(locator));
    return r;
}

}  // namespace mss::bench

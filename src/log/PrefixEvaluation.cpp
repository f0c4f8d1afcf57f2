#include "log/PrefixEvaluation.h"

#include "log/Points.h"
#include "radio/AsciiChar.h"
#include "radio/Text.h"

namespace mss::log {

namespace {

std::optional<Country> CountryOf(LogSession& s, const QsoRecord& contact) {
    if (s.chosenCountry) return s.chosenCountry;
    if (!s.prefixLookup) return std::nullopt;
    bool chosen = false;
    std::optional<Country> country = s.prefixLookup(contact.Call(), contact.Datum(), chosen);
    if (chosen && country) s.chosenCountry = country;
    return country;
}

std::string PrefixFor(const contest::ContestDefinition& d, const std::optional<Country>& country,
                      std::string_view call) {
    if (d.Features.test(14) && country)
        return country->altPrefix.empty() ? country->dxccPrefix : country->altPrefix;
    if (d.Features.test(1)) return WpxPrefix(call);
    return country ? country->dxccPrefix : std::string();
}

}  // namespace

std::string WpxPrefix(std::string_view call) {
    if (call.empty()) return {};
    std::size_t end = 1;
    while (end < call.size() && !radio::IsAsciiDigit(call[end])) ++end;
    while (end < call.size() && radio::IsAsciiDigit(call[end])) ++end;
    return std::string(call.substr(0, end));
}

bool EvaluatePrefix(LogSession& s, QsoRecord& contact) {
    bool found = true;
    if (contact.PrefixFixed() == 0) {
        const std::optional<Country> country = CountryOf(s, contact);
        const bool wpx = s.definition.Features.test(1);
        if (country || wpx) {
            if (radio::Trim(contact.Prefix()).empty() || wpx)
                contact.SetPrefix(PrefixFor(s.definition, country, contact.Call()));
            contact.SetContinent(country ? country->continent : std::string());
        } else {
            contact.SetPrefix("");
            contact.SetContinent("");
            found = contact.Call().size() < 3;
        }
        contact.SetSpare172(0);
    }
    if (found) contact.SetPunkte(static_cast<std::uint16_t>(PointsOf(s, contact)));
    return found;
}

}  // namespace mss::log

#include "log/PrefixTables.h"

#include "radio/PrefixLookup.h"

namespace mss::log {

PrefixLookupFunction PrefixTables() {
    return [](std::string_view call, std::int32_t datum, bool& chosen) -> std::optional<Country> {
        if (radio::PrefixLookup(call, datum, 0, chosen) != radio::PrefixResult::kFound)
            return std::nullopt;
        const suite::PrefixRecord& country = radio::PrefixBuffer();
        return Country{country.DxccPrefix(), country.AltPrefix(), country.ContinentCode()};
    };
}

}  // namespace mss::log

// What a record browser lists: the entries of one index whose keys lie in a
// range of key prefixes, and the byte-level text rules of its rows and of
// its quick search. Free of Qt, so the browsing engine runs headless.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "store/Filer.h"

namespace mss::ui {

// One index entry as the browser sees it.
struct BrowEntry {
    std::string key;
    store::RecordRef ref = 0;
    friend bool operator==(const BrowEntry&, const BrowEntry&) = default;
};

inline constexpr store::RecordRef kMaxRef = std::numeric_limits<std::int32_t>::max();

// LowKey and HighKey limit the first |LowKey| and |HighKey| bytes of a key;
// an empty bound is unlimited.
struct BrowRange {
    std::string lowKey;
    std::string highKey;

    bool Contains(std::string_view key) const;
    // (LowKey, 0) and (HighKey padded with 0xFF to 50 bytes, the largest reference).
    BrowEntry Start() const;
    BrowEntry End() const;
    // An entry outside the range becomes the nearer end.
    BrowEntry Clamp(const BrowEntry& entry) const;
};

// Row texts are stored in the DOS code page for the umlauts and a few more;
// this maps them to the display code page (Windows-1252) in place.
void DosToDisplay(std::string& text);

// The quick search's upper-casing: a ... z and the umlauts of the display
// code page to their capitals.
std::string SearchUpper(std::string_view text);

}  // namespace mss::ui

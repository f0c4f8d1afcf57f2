// The band log of the log form: its orders (captions, key and key range),
// its heading line and the row text of a record. Texts are Windows-1252,
// columns separated by ";" as the record browser splits them.
#pragma once

#include <string>
#include <vector>

#include "contest/ContestDefinition.h"
#include "log/QsoRecord.h"

namespace mss::log {

// The entries of the sort list, in this order.
enum BandLogOrder : int {
    kBandByNumber = 0,  // key 8: the current band by running number
    kBandByCall = 1,    // key 9
    kBandByDxcc = 2,    // key 10
    kAllByNumber = 3,   // key 4 over the numbers 1 to 999999999
    kAllByCall = 4,     // key 2
    kAllByDxcc = 5,     // key 5
    kAllByDok = 6,      // key 18 (DOK, Area or LDK)
};
inline constexpr int kBandLogOrderCount = 7;
// The order the band log opens with.
inline constexpr BandLogOrder kOpeningOrder = kAllByNumber;

// A key of the log and the range of key prefixes the band log shows in it;
// an empty bound is unlimited.
struct BandLogKeyRange {
    int keyNr = 0;
    std::string low;
    std::string high;
    bool operator==(const BandLogKeyRange&) const = default;
};

// The captions of the sort list (German or English by LanguageGerman); the
// last names the DOK kind the contest counts.
std::vector<std::string> BandLogSortCaptions(const contest::ContestDefinition& definition);
// True for the orders restricted to the current band.
bool IsBandOrder(int order);
// Key and range of an order; `band` restricts the band orders. An order
// outside the list gives key 0 (no change).
BandLogKeyRange BandLogKeyRangeOf(int order, char band);

// The heading line: the column titles, the captions of the extra columns
// the contest shows, then 200 blanks.
std::string BandLogHeader(const contest::ContestDefinition& definition);
// The characters column `column` (1-based) of a new entry's band log is
// wide: its title, or what the widest value of this contest needs where the
// title is narrower (a call of 10 characters, "FSK441", points of 5 digits).
int BandLogColumnChars(const contest::ContestDefinition& definition, int column);
// The row text of a contact or a band-change marker; a marked record gets
// the character code 1 in front.
std::string BandLogRow(const contest::ContestDefinition& definition, const QsoRecord& record);

}  // namespace mss::log

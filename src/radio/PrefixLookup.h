// The prefix evaluation against the suite's prefix tables: the country of a
// call as of the contact's date (PrefixLookup), the country of a DXCC prefix
// (FindCountry), and the "Auswahl DXCC" choice when several entities share
// a prefix. The exception tables QVPREFEE and QVPREFES are consulted before
// QVPREFIX; each table is opened around every use and a table that cannot
// be opened is skipped.
//
// A successful lookup leaves the country record in the prefix buffer, from
// which callers take DxccPrefix, AltPrefix, ContinentCode and DxccCode.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ScopedInstall.h"
#include "suite/SuitePrefixRecord.h"

namespace mss::radio {

enum class PrefixResult : int {
    kFound = 0,
    kNotFound = 1,
    // The matched entry is outside its validity at the date; the contest
    // log treats it as not found.
    kNotCurrent = 2,
};

// The process-wide prefix buffer: the country record of the last lookup
// that found one (cleared by a lookup that found nothing).
suite::PrefixRecord& PrefixBuffer();

// The country of `call` at day number `date` (0 or less: today). mode is 0
// in this program. chosen tells whether the operator confirmed a choice in
// the "Auswahl DXCC" dialog.
PrefixResult PrefixLookup(std::string_view call, std::int32_t date, int mode, bool& chosen);

// The country record of a DXCC prefix, placed in the prefix buffer.
bool FindCountry(std::string_view dxccPrefix);
// The ADIF entity code of the country FindCountry finds; a DxccCodeFinder.
std::optional<int> FindCountryCode(std::string_view dxccPrefix);

// One row of the "Auswahl DXCC" dialog: the candidate brought up to date for
// the contact's date, and its remark ("  (deleted)" appended when the entry
// is no longer or not yet valid).
struct PrefixChoice {
    suite::PrefixRecord record;
    std::string remark;
};

// The candidates for a pattern shared by several entities: the QVPREFIX
// entries of that pattern in choice-number order, at most 30.
std::vector<PrefixChoice> ChoiceCandidates(std::string_view pattern, std::int32_t date);

// The "Auswahl DXCC" dialog, implemented by the log form; a test double
// answers in tests. Texts are Windows-1252 bytes.
class DxccChooser {
  public:
    virtual ~DxccChooser() = default;
    // The index of the row the operator took, or nothing when cancelled.
    virtual std::optional<std::size_t> Choose(std::string_view pattern,
                                              const std::vector<PrefixChoice>& candidates) = 0;
};
// Without an installed chooser every choice counts as cancelled, so a
// headless run never blocks.
using ScopedDxccChooser = platform::ScopedInstall<DxccChooser>;

// Runs the choice for a pattern: the chosen, updated candidate, or nothing
// when cancelled or when the pattern has no candidates.
std::optional<suite::PrefixRecord> ChooseDxcc(std::string_view pattern, std::int32_t date);

}  // namespace mss::radio

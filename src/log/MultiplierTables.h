// The multiplier tables of the open log: one sorted table of up to 500
// values per multiplier kind, each value with its state, and the value the
// contact being typed has provisionally added to each table.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mss::log {

// The multiplier kinds, in the order a contact is evaluated.
enum class MultKind : int {
    kPrefix,        // option 2: "DXCC" or "Prefix"
    kUsState,       // option 12: "US-State"
    kPlz,           // option 15: "PLZ"
    kClubNumber,    // option 16: "DIG", "IBFD", "AGCW"
    kMemberNumber,  // option 19: "QCWA", "DSW"
    kDok,           // options 4, 8, 17: "DOK", "Area", "LDK"
    kDistrictDok,   // option 18: "DOK" of a district letter and two digits
    kLocator,       // option 5: "Loc"
    kCallmulti,     // option 10: "Callmulti"
};
inline constexpr int kMultKindCount = 9;

enum class MultState : std::uint8_t {
    kSaved = 0,        // worked and saved
    kNew = 1,          // new with the contact being typed
    kWorkedAgain = 2,  // worked before and met again by the contact being typed
};

struct MultEntry {
    std::string value;  // 8 characters, padded with blanks
    std::string mode;   // the mode text where multipliers count per band and mode
    MultState state = MultState::kSaved;
};

class MultTable {
  public:
    static constexpr std::size_t kCapacity = 500;

    // Inserts in sorted place; a full table loses its last entry. False when
    // the new entry itself fell off the end.
    bool Insert(std::string_view value, std::string_view mode, MultState state);
    // Removes the entry; false when there is none.
    bool Remove(std::string_view value, std::string_view mode);
    MultEntry* Find(std::string_view value, std::string_view mode);
    void SetAllStates(MultState state);
    void ChangeStates(MultState from, MultState to);
    void Clear() { entries_.clear(); }
    std::size_t size() const { return entries_.size(); }
    const std::vector<MultEntry>& entries() const { return entries_; }

    // The table form of a value: cut or padded to 8 characters.
    static std::string TableValue(std::string_view value);

  private:
    std::vector<MultEntry> entries_;
};

// A value the contact being typed added, with what it added to the count.
struct ProvisionalValue {
    std::string value;
    std::string mode;
    std::int32_t weight = 1;
    char band = 0;  // where the count was stored
};

struct MultiplierTables {
    std::array<MultTable, kMultKindCount> tables;
    std::array<std::optional<ProvisionalValue>, kMultKindCount> provisional;

    MultTable& Table(MultKind kind) { return tables[static_cast<std::size_t>(kind)]; }
    const MultTable& Table(MultKind kind) const { return tables[static_cast<std::size_t>(kind)]; }
    std::optional<ProvisionalValue>& Provisional(MultKind kind) {
        return provisional[static_cast<std::size_t>(kind)];
    }
    void Clear();
};

}  // namespace mss::log

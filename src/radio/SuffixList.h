// The portable designators that never count as a prefix ("P", "MM", "LH" ...):
// BaseCall drops them. The suite settings may replace the first nine.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace mss::radio {

class SuffixList {
  public:
    static constexpr int kEntries = 16;
    static constexpr int kSettingsEntries = 9;
    static constexpr std::size_t kEntryLength = 3;

    // The built-in list: "A", "AM", "M", "MM", "P", "LH", "LGT", then empty.
    SuffixList();

    // The nine suffix entries of the suite settings replace entries 1 to 9,
    // but only when the first of them is not empty. Entries are stored
    // trimmed, upper case and cut to 3 characters.
    void TakeSettingsEntries(std::span<const std::string, kSettingsEntries> entries);

    // Entry 1 to 16; empty outside that range.
    std::string_view Entry(int number) const;

    // True when `part` equals a non-empty entry.
    bool Contains(std::string_view part) const;

  private:
    std::array<std::string, kEntries> entries_;
};

// The list of the process, which start-up fills from the suite settings.
SuffixList& ActiveSuffixList();

// Puts the process's list back to the built-in entries.
void ResetSuffixList();

}  // namespace mss::radio

#include "radio/SuffixList.h"

#include <algorithm>

#include "radio/Text.h"

namespace mss::radio {

namespace {

std::string NormalisedEntry(std::string_view text) {
    // Calls are compared upper case, so an entry typed "p" must still match.
    return UpperText(Trim(text)).substr(0, SuffixList::kEntryLength);
}

}  // namespace

SuffixList::SuffixList() : entries_{"A", "AM", "M", "MM", "P", "LH", "LGT"} {}

void SuffixList::TakeSettingsEntries(std::span<const std::string, kSettingsEntries> entries) {
    if (NormalisedEntry(entries[0]).empty()) return;
    std::ranges::transform(entries, entries_.begin(), NormalisedEntry);
}

std::string_view SuffixList::Entry(int number) const {
    if (number < 1 || number > kEntries) return {};
    return entries_[static_cast<std::size_t>(number - 1)];
}

bool SuffixList::Contains(std::string_view part) const {
    if (part.empty()) return false;
    return std::ranges::find(entries_, part) != entries_.end();
}

SuffixList& ActiveSuffixList() {
    static SuffixList list;
    return list;
}

void ResetSuffixList() {
    ActiveSuffixList() = SuffixList();
}

}  // namespace mss::radio

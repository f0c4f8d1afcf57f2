// The "Auswahl DXCC" choice: the candidates of a shared pattern, each brought
// up to date for the contact's date, and the chooser that picks one.
#include "radio/PrefixLookup.h"
#include "radio/PrefixMatch.h"
#include "suite/SuiteFiles.h"

namespace mss::radio {

namespace {

using suite::PrefixRecord;

constexpr std::size_t kMaxCandidates = 30;
constexpr int kByPatternChoice = 3;

bool ValidAt(const PrefixRecord& record, std::int32_t date) {
    return date >= record.ValidFrom() && (record.ValidTo() == 0 || date <= record.ValidTo());
}

// A successor or alias found through the lookup ("RA" successors and
// aliases) or as a DXCC prefix.
std::optional<PrefixRecord> Replacement(const std::string& text, std::int32_t date, bool byLookup) {
    if (byLookup) {
        bool chosen = false;
        PrefixRecord found;
        if (detail::Lookup(text, date, false, chosen, found) == PrefixResult::kFound) return found;
        return std::nullopt;
    }
    const PrefixRecord saved = PrefixBuffer();
    std::optional<PrefixRecord> found;
    if (FindCountry(text)) found = PrefixBuffer();
    PrefixBuffer() = saved;
    return found;
}

PrefixRecord UpToDate(const PrefixRecord& candidate, std::int32_t date) {
    PrefixRecord record = candidate;
    if (date < record.ValidFrom()) {
        record.SetCountryName("not current");
        return record;
    }
    std::optional<PrefixRecord> replacement;
    const auto inForce = [&](const std::string& successor, std::int32_t until) {
        return !successor.empty() && date <= until;
    };
    if (inForce(record.Successor1(), record.Successor1Until()))
        replacement = Replacement(record.Successor1(), date,
                                  record.Successor1().find("RA") != std::string::npos);
    else if (inForce(record.Successor2(), record.Successor2Until()))
        replacement = Replacement(record.Successor2(), date,
                                  record.Successor2().find("RA") != std::string::npos);
    else if (!record.Alias().empty())
        replacement = Replacement(record.Alias(), date, true);
    return replacement.value_or(record);
}

}  // namespace

std::vector<PrefixChoice> ChoiceCandidates(std::string_view pattern, std::int32_t date) {
    std::vector<PrefixChoice> candidates;
    const suite::SuiteFileUse use(suite::SuiteFile::QVPREFIX);
    store::TFileblockObject* table = use.get();
    if (table == nullptr) return candidates;
    const std::string wanted(pattern);
    const std::string key =
        suite::PadKeyText(wanted, prefix::kPatternWidth) + suite::PadKeyText("1", 3);
    std::vector<PrefixRecord> entries;
    for (int level = table->Search(kByPatternChoice, key);
         level == 0 && entries.size() < kMaxCandidates; level = table->Next(kByPatternChoice)) {
        const PrefixRecord entry = prefix::BufferOf(*table);
        if (entry.Pattern() != wanted) break;
        entries.push_back(entry);
    }
    // Updating reads the tables again, so it runs after the walk.
    for (const PrefixRecord& entry : entries) {
        std::string remark = entry.Remark();
        if (!ValidAt(entry, date)) remark += "  (deleted)";
        candidates.push_back({UpToDate(entry, date), remark});
    }
    return candidates;
}

std::optional<PrefixRecord> ChooseDxcc(std::string_view pattern, std::int32_t date) {
    const std::vector<PrefixChoice> candidates = ChoiceCandidates(pattern, date);
    DxccChooser* chooser = ScopedDxccChooser::Installed();
    if (candidates.empty() || chooser == nullptr) return std::nullopt;
    const std::optional<std::size_t> row = chooser->Choose(pattern, candidates);
    if (!row || *row >= candidates.size()) return std::nullopt;
    return candidates[*row].record;
}

}  // namespace mss::radio

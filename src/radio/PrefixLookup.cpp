#include "radio/PrefixLookup.h"

#include "radio/AsciiChar.h"
#include "radio/DateTime.h"
#include "radio/PrefixMatch.h"
#include "radio/SpecialDxccPair.h"
#include "radio/Text.h"
#include "suite/SuiteFiles.h"

namespace mss::radio {

namespace {

using prefix::Match;
using suite::PrefixRecord;
using suite::SuiteFile;
using suite::SuiteFileUse;

constexpr int kMaxDepth = 5;
constexpr std::size_t kMaxCallLength = 20;
constexpr int kByPattern = 1;
constexpr int kByDxccPattern = 2;

// An exception entry counts for every call it begins when AllCalls is "J",
// otherwise only for the call equal to its pattern.
std::optional<PrefixRecord> FindException(SuiteFile file, const std::string& call) {
    const SuiteFileUse use(file);
    store::TFileblockObject* table = use.get();
    if (table == nullptr) return std::nullopt;
    for (std::string t = call; !t.empty(); t.pop_back()) {
        const std::string key =
            suite::PadKeyText(t.substr(0, prefix::kPatternWidth), prefix::kPatternWidth);
        if (table->Find(kByPattern, key) != 0) continue;
        PrefixRecord record = prefix::BufferOf(*table);
        if (record.AllCalls() == 'J' || t.size() == call.size()) return record;
    }
    return std::nullopt;
}

// FR5ABC/G is looked up as FR/G: the pair's prefix and the ending.
std::string WithSpecialPair(const std::string& call) {
    const std::size_t slash = call.find('/');
    if (slash == std::string::npos) return call;
    const std::string first = call.substr(0, slash);
    const std::string ending = call.substr(slash + 1);
    const int length = SpecialDxccPair(first, ending);
    if (length == 0) return call;
    return first.substr(0, static_cast<std::size_t>(length)) + "/" + ending;
}

std::size_t FirstWildcard(const std::string& pattern) {
    for (char w : {'?', '#', '~'})
        if (const std::size_t at = pattern.find(w); at != std::string::npos) return at;
    return pattern.size();
}

std::string Rest(const std::string& call, std::size_t from) {
    return from < call.size() ? call.substr(from) : std::string();
}

// Resolves a call in QVPREFIX through successors, aliases and choices. The
// record the resolution ends on is `current`.
class Resolver {
  public:
    Resolver(store::TFileblockObject& table, bool allowChoice)
        : table_(table), allowChoice_(allowChoice) {}

    PrefixResult Resolve(const std::string& call, std::int32_t date, int depth) {
        if (++depth > kMaxDepth) return PrefixResult::kNotFound;
        std::string base = call.substr(0, kMaxCallLength);
        std::string t = base;
        // Each restart puts a wildcard in; a text can take no more of them
        // than it has characters, which keeps the loop finite.
        std::size_t restarts = 0;
        while (!t.empty()) {
            const std::optional<Match> match = prefix::MatchNormal(table_, t);
            if (match && match->wildcard == 0)
                return EntryStep(match->record, call, date, false, depth);
            if (match && base[match->position - 1] != match->wildcard && restarts < base.size()) {
                base[match->position - 1] = match->wildcard;
                t = base;
                ++restarts;
                continue;
            }
            t.pop_back();
        }
        return PrefixResult::kNotFound;
    }

    const PrefixRecord& Current() const { return current_; }
    bool Chosen() const { return chosen_; }

  private:
    PrefixResult EntryStep(PrefixRecord record, const std::string& call, std::int32_t date,
                           bool exact, int depth) {
        if (++depth > kMaxDepth) return PrefixResult::kNotFound;
        if (!record.ChoiceNumber().empty() && allowChoice_) {
            const std::optional<PrefixRecord> chosen = ChooseDxcc(record.Pattern(), date);
            chosen_ = chosen.has_value();
            record = chosen.value_or(PrefixRecord());
        }
        current_ = record;
        if (!exact) {
            if (!record.Successor1().empty() && date <= record.Successor1Until())
                return Successor(record.Successor1(), call, date, depth);
            if (!record.Successor2().empty() && date <= record.Successor2Until()) {
                std::string successor = record.Successor2();
                if (successor == "RA" && call.size() >= 3 && IsAsciiDigit(call[2]))
                    successor += call[2];
                return Successor(successor, call, date, depth);
            }
            if (date < record.ValidFrom() || (record.ValidTo() != 0 && date > record.ValidTo()))
                return PrefixResult::kNotCurrent;
        }
        return FollowAlias(record, call, date, exact, depth);
    }

    PrefixResult Successor(const std::string& successor, const std::string& call, std::int32_t date,
                           int depth) {
        std::optional<PrefixRecord> record;
        if (successor.find("RA") != std::string::npos) {
            if (const std::optional<Match> match = prefix::MatchNormal(table_, successor))
                record = match->record;
        } else {
            record = prefix::MatchExact(table_, successor);
        }
        if (!record) return PrefixResult::kNotFound;
        return EntryStep(*record, call, date, true, depth);
    }

    PrefixResult FollowAlias(const PrefixRecord& record, const std::string& call, std::int32_t date,
                             bool exact, int depth) {
        std::string alias = record.Alias();
        if (alias.empty()) return PrefixResult::kFound;
        const std::string pattern = prefix::PatternOf(record);
        if (alias.size() == pattern.size() && alias.find('#') == std::string::npos)
            return Resolve(alias + Rest(call, pattern.size()), date, depth);
        if (alias.back() == '#')
            return Resolve(alias.substr(0, alias.find('#')) + Rest(call, FirstWildcard(pattern)),
                           date, depth);
        const std::size_t nt = alias.find("-NT");
        if (nt != std::string::npos) alias.resize(nt);
        const std::optional<Match> match = prefix::MatchNormal(table_, alias);
        if (!match) return PrefixResult::kNotFound;
        const std::int32_t aliasDate = (nt != std::string::npos || exact) ? TodayUtc() : date;
        return EntryStep(match->record, call, aliasDate, false, depth);
    }

    store::TFileblockObject& table_;
    bool allowChoice_;
    PrefixRecord current_;
    bool chosen_ = false;
};

}  // namespace

suite::PrefixRecord& PrefixBuffer() {
    static PrefixRecord buffer;
    return buffer;
}

namespace detail {

// The lookup behind PrefixLookup; without a choice a shared pattern's entry
// is taken as it is (the candidates of a choice are updated this way, so
// that one dialog never opens another).
PrefixResult Lookup(std::string_view call, std::int32_t date, bool allowChoice, bool& chosen,
                    PrefixRecord& found) {
    chosen = false;
    const std::string text = UpperText(Trim(call));
    if (text.empty()) return PrefixResult::kNotFound;
    for (SuiteFile file : {SuiteFile::QVPREFEE, SuiteFile::QVPREFES}) {
        if (std::optional<PrefixRecord> exception = FindException(file, text)) {
            found = *exception;
            return PrefixResult::kFound;
        }
    }
    if (date <= 0) date = TodayUtc();
    const SuiteFileUse use(SuiteFile::QVPREFIX);
    if (use.get() == nullptr) return PrefixResult::kNotFound;
    Resolver resolver(*use.get(), allowChoice);
    const PrefixResult result = resolver.Resolve(WithSpecialPair(text), date, 0);
    chosen = resolver.Chosen();
    found = resolver.Current();
    return result;
}

}  // namespace detail

PrefixResult PrefixLookup(std::string_view call, std::int32_t date, int /*mode*/, bool& chosen) {
    PrefixRecord found;
    const PrefixResult result = detail::Lookup(call, date, true, chosen, found);
    PrefixBuffer() = result == PrefixResult::kNotFound ? PrefixRecord() : found;
    return result;
}

bool FindCountry(std::string_view dxccPrefix) {
    const std::string p = Trim(dxccPrefix);
    if (p.empty()) return false;
    const std::string padded = suite::PadKeyText(p, prefix::kPatternWidth);
    const auto findIn = [&](SuiteFile file, bool exactPair) {
        const SuiteFileUse use(file);
        store::TFileblockObject* table = use.get();
        if (table == nullptr) return false;
        const bool hit = exactPair ? table->Find(kByDxccPattern, padded + padded) == 0
                                   : table->Search(kByDxccPattern, padded) == 0 &&
                                         prefix::BufferOf(*table).DxccPrefix() == p;
        if (hit) PrefixBuffer() = prefix::BufferOf(*table);
        return hit;
    };
    for (SuiteFile file : {SuiteFile::QVPREFEE, SuiteFile::QVPREFES, SuiteFile::QVPREFIX})
        if (findIn(file, true)) return true;
    for (SuiteFile file : {SuiteFile::QVPREFIX, SuiteFile::QVPREFEE, SuiteFile::QVPREFES})
        if (findIn(file, false)) return true;
    return false;
}

std::optional<int> FindCountryCode(std::string_view dxccPrefix) {
    if (!FindCountry(dxccPrefix)) return std::nullopt;
    return PrefixBuffer().DxccCode();
}

}  // namespace mss::radio

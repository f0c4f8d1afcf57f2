#include "radio/SpecialDxccPair.h"

#include <algorithm>
#include <array>
#include <span>

namespace mss::radio {

namespace {

struct PairRule {
    std::string_view prefix;
    std::array<std::string_view, 5> endingSlots;
    std::size_t endingCount;

    constexpr std::span<const std::string_view> Endings() const {
        return std::span(endingSlots).first(endingCount);
    }
};

constexpr PairRule kPairRules[] = {
    {"SV", {"A"}, 1},
    {"JW", {"B", "S"}, 2},
    {"3Y", {"B", "P"}, 2},
    {"FR", {"B", "E", "G", "J", "T"}, 5},
    {"FO", {"A", "C", "F", "M"}, 4},
    {"3D2", {"C", "R"}, 2},
    {"VQ9", {"A", "D", "F"}, 3},
    {"ZK1", {"N", "S"}, 2},
    {"GM", {"SH", "SC"}, 2},
};

}  // namespace

int SpecialDxccPair(std::string_view firstPart, std::string_view ending) {
    for (const PairRule& rule : kPairRules) {
        if (!firstPart.starts_with(rule.prefix)) continue;
        const auto endings = rule.Endings();
        const bool listed = std::ranges::find(endings, ending) != endings.end();
        return listed ? static_cast<int>(rule.prefix.size()) : 0;
    }
    return 0;
}

}  // namespace mss::radio

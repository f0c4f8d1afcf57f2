#include "log/IncomingMode.h"

#include <algorithm>
#include <array>

#include "radio/Modi.h"
#include "radio/Text.h"

namespace mss::log {

namespace {

bool Lists(const contest::ContestDefinition& d, std::string_view mode) {
    return std::ranges::find(d.Modes, mode) != d.Modes.end();
}

bool HasDigitalMode(const contest::ContestDefinition& d) {
    return std::ranges::any_of(
        d.Modes, [](const std::string& m) { return m == "DIGITAL" || IsDigitalMode(m); });
}

}  // namespace

bool IsDigitalMode(std::string_view mode) {
    static constexpr std::array<std::string_view, 6> kMeteorScatter = {"MSK144", "FSK441", "FSK315",
                                                                       "JT6M",   "JTMS",   "ISCAT"};
    const std::string text = radio::UpperText(radio::Trim(mode));
    return std::ranges::find(kMeteorScatter, text) != kMeteorScatter.end() ||
           radio::ModeClass(text) == 'e';
}

bool ModeOfContestList(const contest::ContestDefinition& d, std::string_view mode) {
    const std::string upper = radio::UpperText(radio::Trim(mode));
    if (upper.empty()) return false;
    if (Lists(d, upper)) return true;
    return Lists(d, "DIGITAL") && upper != "CW" && upper != "SSB" && upper != "FM";
}

std::optional<ModeJudgement> JudgeIncomingMode(const contest::ContestDefinition& d,
                                               std::string_view sent, bool digitalAsContestMode) {
    std::string mode = radio::UpperText(radio::Trim(sent));
    if (ModeOfContestList(d, mode)) return ModeJudgement{std::move(mode), false};
    if (digitalAsContestMode && !mode.empty() && IsDigitalMode(mode) && HasDigitalMode(d))
        return ModeJudgement{std::move(mode), true};
    return std::nullopt;
}

}  // namespace mss::log

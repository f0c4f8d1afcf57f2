// How the mode of a contact that comes from outside the entry panel counts:
// one rule for the contacts a digital-mode program announces and for the
// records of an imported ADIF file, so that the same contact is judged alike
// however it arrives.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "contest/ContestDefinition.h"

namespace mss::log {

// The digital modes of meteor scatter and of the narrow-band digital class
// ("MSK144", "FSK441", "JT6M", "RTTY" ...).
bool IsDigitalMode(std::string_view mode);

// The contest's own rule: one of its modes, or with "DIGITAL" among them any
// mode other than "CW", "SSB" and "FM". Letter case does not count.
bool ModeOfContestList(const contest::ContestDefinition& definition, std::string_view mode);

struct ModeJudgement {
    std::string mode;        // the text the contact is logged with, upper case
    bool asDigital = false;  // admitted only as the contest's digital mode
};

// The mode an incoming contact is logged with, or nullopt when the contest
// does not admit it: the contest's own rule, and with `digitalAsContestMode`
// also any digital mode where the contest has a digital mode (meteor-scatter
// programs log MSK144 or JT6M where the contest names FSK441).
std::optional<ModeJudgement> JudgeIncomingMode(const contest::ContestDefinition& definition,
                                               std::string_view sent, bool digitalAsContestMode);

}  // namespace mss::log

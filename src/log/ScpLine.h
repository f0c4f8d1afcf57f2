// The super check partial line of the log form: the known calls that contain
// what the operator has typed so far, as many as one line holds, each marked
// when this log has already worked it (it would be a duplicate now).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "log/LogSession.h"
#include "radio/SuperCheckPartial.h"

namespace mss::log {

// Fewer typed characters match too many calls to help.
inline constexpr std::size_t kScpMinimumTyped = 2;

struct ScpCandidate {
    std::string call;
    bool worked = false;  // a duplicate on the current band and mode
};

struct ScpLine {
    std::vector<ScpCandidate> calls;
    bool more = false;  // further calls match
};

// The candidates for the typed call, at most `maxCount`; none for fewer
// than kScpMinimumTyped characters.
ScpLine ScpCandidates(const radio::SuperCheckPartial& scp, LogSession& session,
                      std::string_view typed, std::size_t maxCount);

// The line as text: calls separated by blanks, a worked one followed by "*",
// "..." at the end when more match.
std::string ScpLineText(const ScpLine& line);

}  // namespace mss::log

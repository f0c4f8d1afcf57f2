#include "log/ScpLine.h"

#include "log/DupeCheck.h"
#include "radio/Text.h"

namespace mss::log {

ScpLine ScpCandidates(const radio::SuperCheckPartial& scp, LogSession& s, std::string_view typed,
                      std::size_t maxCount) {
    ScpLine line;
    const std::string partial = radio::Trim(typed);
    if (partial.size() < kScpMinimumTyped) return line;
    const radio::SuperCheckPartial::Answer answer = scp.Find(partial, maxCount);
    line.more = answer.More;
    for (std::string_view call : answer.Calls) {
        QsoRecord probe;
        probe.SetCall(call);
        probe.SetBand(s.band);
        probe.SetMode(s.mode);
        const bool worked = s.log != nullptr && FindDupe(s, probe, true) != 0;
        line.calls.push_back({std::string(call), worked});
    }
    return line;
}

std::string ScpLineText(const ScpLine& line) {
    std::string text;
    for (const ScpCandidate& c : line.calls) {
        if (!text.empty()) text += ' ';
        text += c.call;
        if (c.worked) text += '*';
    }
    if (line.more) text += text.empty() ? "..." : " ...";
    return text;
}

}  // namespace mss::log

// Super check partial: while the operator types a call, the known calls that
// contain the typed text, from the contest community's list of active calls
// (MASTER.SCP, Debian package hamradio-files) and any further lists the
// caller adds (the suite's call history). Fast enough for every key press on
// the list's 85 000 calls: one search over all calls held as one text.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mss::radio {

inline constexpr std::string_view kMasterScpPath = "/usr/share/hamradio-files/MASTER.SCP";

class SuperCheckPartial {
  public:
    // The calls of a MASTER.SCP text: one call a line, "#" starts a comment line.
    void AddScpText(std::string_view text);
    // False when the file cannot be read; the calls held so far stay.
    [[nodiscard]] bool AddScpFile(const std::string& path);
    // Further calls. Blanks around a call are dropped, letters upper-cased;
    // an empty entry or one with a blank or control character inside is skipped.
    void AddCalls(std::span<const std::string> calls);

    // The number of distinct calls held.
    std::size_t Size() const { return starts_.size(); }

    struct Answer {
        std::vector<std::string_view> Calls;  // in ASCII order; valid until the next Add
        bool More = false;                    // further calls match beyond maxCount
    };
    // The calls that contain the partial call (any letter case), at most maxCount.
    Answer Find(std::string_view partial, std::size_t maxCount) const;

  private:
    void Merge(std::vector<std::string> calls);

    // Every call followed by "\n", sorted and distinct, and where each begins.
    std::string text_;
    std::vector<std::size_t> starts_;
};

}  // namespace mss::radio

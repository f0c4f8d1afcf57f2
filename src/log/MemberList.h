// A member list of a contest club ("dsw.csv" and the like): text lines of
// fields separated by ";", the first field a call. A missing file is an
// empty list.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace mss::log {

class MemberList {
  public:
    // Reads the file the first time it is asked for; later calls keep the list.
    void LoadOnce(const std::string& path);
    void LoadText(std::string_view text);
    bool Loaded() const { return loaded_; }

    // The fields of the first line whose first field equals `call`; empty
    // when the call is not listed.
    std::vector<std::string> Fields(std::string_view call) const;
    // The fourth field (the member number) of the call's line; empty when none.
    std::string MemberNumber(std::string_view call) const;
    bool Contains(std::string_view call) const { return !Fields(call).empty(); }

    // Adds the line call + ";;" + value unless the call is listed already.
    void AddLine(std::string_view call, std::string_view value);
    // Writes every line back with CR LF line ends; false when the file
    // cannot be written.
    bool WriteTo(const std::string& path) const;

  private:
    std::unordered_map<std::string, std::vector<std::string>> lines_;
    std::vector<std::string> text_;  // the lines as read and added, in order
    bool loaded_ = false;
};

}  // namespace mss::log

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

  private:
    std::unordered_map<std::string, std::vector<std::string>> lines_;
    bool loaded_ = false;
};

}  // namespace mss::log

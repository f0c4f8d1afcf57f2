// Modal message and question boxes behind one seam, so the domain can ask
// and tests can answer without a display. Texts are Windows-1252 bytes, the
// encoding of every domain text; the UI implementation converts them.
#pragma once

#include "platform/ScopedInstall.h"

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace mss::platform {

class Messages {
  public:
    virtual ~Messages() = default;
    // An information box with OK.
    virtual void Information(std::string_view text) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool Question(std::string_view text) = 0;
};

// The process-wide implementation. Until one is installed, information is
// written to standard error and every question is answered No, so that a
// headless run never blocks and never agrees to anything by itself.
Messages& CurrentMessages();
using ScopedMessages = ScopedInstall<Messages>;

// A test double: records every box and answers questions from a script
// (No once the script is used up).
class ScriptedMessages : public Messages {
  public:
    struct Shown {
        bool question;
        std::string text;
    };

    void Information(std::string_view text) override;
    bool Question(std::string_view text) override;

    void SetNextAnswers(std::initializer_list<bool> answers);
    const std::vector<Shown>& shown() const { return shown_; }
    // The text of the last box, or empty when none was shown.
    std::string LastText() const;
    void Clear() { shown_.clear(); }

  private:
    std::deque<bool> answers_;
    std::vector<Shown> shown_;
};

}  // namespace mss::platform

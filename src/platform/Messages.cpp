#include "platform/Messages.h"

#include <cstdio>

namespace mss::platform {
namespace {

class ConsoleMessages : public Messages {
  public:
    void Information(std::string_view text) override {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    }
    bool Question(std::string_view text) override {
        std::fprintf(stderr, "%.*s [No]\n", static_cast<int>(text.size()), text.data());
        return false;
    }
};

ConsoleMessages& Console() {
    static ConsoleMessages console;
    return console;
}

}  // namespace

Messages& CurrentMessages() {
    Messages* installed = ScopedInstall<Messages>::Installed();
    return installed ? *installed : Console();
}

void ScriptedMessages::Information(std::string_view text) {
    shown_.push_back({false, std::string(text)});
}

bool ScriptedMessages::Question(std::string_view text) {
    shown_.push_back({true, std::string(text)});
    if (answers_.empty()) return false;
    bool answer = answers_.front();
    answers_.pop_front();
    return answer;
}

void ScriptedMessages::SetNextAnswers(std::initializer_list<bool> answers) {
    answers_.insert(answers_.end(), answers.begin(), answers.end());
}

std::string ScriptedMessages::LastText() const {
    return shown_.empty() ? std::string() : shown_.back().text;
}

}  // namespace mss::platform

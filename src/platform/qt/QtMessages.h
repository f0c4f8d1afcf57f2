// Message and question boxes as modal Qt dialogs. They carry no title of
// their own: the application's name stands in the title bar.
#pragma once

#include "platform/Messages.h"

namespace mss::platform {

class QtMessages : public Messages {
  public:
    void Information(std::string_view text) override;
    bool Question(std::string_view text) override;
};

}  // namespace mss::platform

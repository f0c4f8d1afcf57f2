// Hands files and web pages to the desktop's default applications.
#pragma once

#include "platform/Desktop.h"

namespace mss::platform {

class QtDesktop : public Desktop {
  public:
    bool OpenDocument(const std::string& path) override;
    bool OpenUrl(std::string_view url) override;
    void Beep() override;
};

}  // namespace mss::platform

// Hands documents, web pages and help files to the desktop. A missing file
// or a desktop without a viewer is not an error: the request is dropped.
#pragma once

#include "platform/ScopedInstall.h"

#include <string>
#include <string_view>

namespace mss::platform {

class Desktop {
  public:
    virtual ~Desktop() = default;
    // Opens a local file (path in the local 8-bit encoding); false when the
    // file does not exist or nothing could take it.
    virtual bool OpenDocument(const std::string& path) = 0;
    virtual bool OpenUrl(std::string_view url) = 0;
    // Sounds the warning that goes with a refused call or an unknown prefix.
    virtual void Beep() {}
};

// The process-wide implementation; until one is installed, nothing opens.
Desktop& CurrentDesktop();
using ScopedDesktop = ScopedInstall<Desktop>;

}  // namespace mss::platform

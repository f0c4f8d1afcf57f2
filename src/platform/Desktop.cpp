#include "platform/Desktop.h"

namespace mss::platform {
namespace {

class NoDesktop : public Desktop {
  public:
    bool OpenDocument(const std::string&) override { return false; }
    bool OpenUrl(std::string_view) override { return false; }
};

}  // namespace

Desktop& CurrentDesktop() {
    static NoDesktop none;
    Desktop* installed = ScopedInstall<Desktop>::Installed();
    return installed ? *installed : none;
}

}  // namespace mss::platform

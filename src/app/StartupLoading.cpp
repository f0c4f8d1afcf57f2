#include "app/StartupLoading.h"

namespace mss::app {
namespace {

class InitialValuesOnly : public StartupLoading {
  public:
    bool LoadSettings(TContestBrow&) override { return true; }
    bool OpenContestStore(TContestBrow&) override { return true; }
    void ListEntries(TContestBrow&) override {}
    void FirstStart(TContestBrow&) override {}
    void CloseDown(TContestBrow&) override {}
};

}  // namespace

std::unique_ptr<StartupLoading> MakeStartupLoading() {
    return std::make_unique<InitialValuesOnly>();
}

}  // namespace mss::app

// What a long pass over the contest log (renumbering, the results into the
// contest entry) reports to the window that shows its progress.
#pragma once

#include <cstdint>

namespace mss::log {

class PassProgress {
  public:
    virtual ~PassProgress() = default;
    // The pass starts; the bar runs from 0 to `maximum`.
    virtual void Start(std::int32_t maximum) = 0;
    // The bar stands at `position`; called every 10 records. Pending window
    // messages may run here.
    virtual void Advance(std::int32_t position) = 0;
    virtual void Finish() = 0;
};

// A pass without a window.
class SilentProgress : public PassProgress {
  public:
    void Start(std::int32_t) override {}
    void Advance(std::int32_t) override {}
    void Finish() override {}
};

}  // namespace mss::log

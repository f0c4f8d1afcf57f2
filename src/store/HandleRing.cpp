#include "store/HandleRing.h"

#include <algorithm>

namespace mss::store {

void HandleRing::Reset(int handleLimit) {
    slots_.clear();
    limit_ = handleLimit;
    inUse_ = 0;
}

std::list<HandleRing::Slot>::iterator HandleRing::Find(const TFileblockObject* object) {
    return std::find_if(slots_.begin(), slots_.end(),
                        [object](const Slot& s) { return s.object == object; });
}

bool HandleRing::Contains(const TFileblockObject* object) const {
    return std::any_of(slots_.begin(), slots_.end(),
                       [object](const Slot& s) { return s.object == object; });
}

void HandleRing::Touch(const TFileblockObject* object) {
    auto it = Find(object);
    if (it != slots_.end()) slots_.splice(slots_.begin(), slots_, it);
}

void HandleRing::Enter(TFileblockObject* object, int handles) {
    Remove(object);
    slots_.push_front({object, handles});
    inUse_ += handles;
}

void HandleRing::Remove(const TFileblockObject* object) {
    auto it = Find(object);
    if (it == slots_.end()) return;
    inUse_ -= it->handles;
    slots_.erase(it);
}

TFileblockObject* HandleRing::LeastRecent() const {
    return slots_.empty() ? nullptr : slots_.back().object;
}

}  // namespace mss::store

// The ring of fileblock objects whose files are physically open, most recently
// used first, with the operating-system handles each holds (1 for a fileblock
// without keys, 2 with keys). The object layer closes objects from the least
// recently used end to stay below its handle limit.
#pragma once

#include <list>

namespace mss::store {

class TFileblockObject;

class HandleRing {
  public:
    void Reset(int handleLimit);
    int Limit() const { return limit_; }
    int HandlesInUse() const { return inUse_; }

    // Whether need more handles stay within the limit (one is kept spare).
    bool Fits(int need) const { return inUse_ + need <= limit_ - 1; }
    bool Contains(const TFileblockObject* object) const;
    // Makes an object of the ring the most recently used.
    void Touch(const TFileblockObject* object);
    void Enter(TFileblockObject* object, int handles);
    void Remove(const TFileblockObject* object);
    // The least recently used object, or nullptr when the ring is empty.
    TFileblockObject* LeastRecent() const;

  private:
    struct Slot {
        TFileblockObject* object;
        int handles;
    };
    std::list<Slot>::iterator Find(const TFileblockObject* object);

    std::list<Slot> slots_;
    int limit_ = 0;
    int inUse_ = 0;
};

}  // namespace mss::store

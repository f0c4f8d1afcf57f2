#include "log/MultiplierTables.h"

#include <algorithm>

#include "radio/Text.h"

namespace mss::log {

namespace {

bool Before(const MultEntry& e, std::string_view value, std::string_view mode) {
    if (e.value != value) return e.value < value;
    return e.mode < mode;
}

}  // namespace

std::string MultTable::TableValue(std::string_view value) {
    return radio::Fit(value, 8);
}

bool MultTable::Insert(std::string_view value, std::string_view mode, MultState state) {
    const std::string v = TableValue(value);
    auto at = std::find_if(entries_.begin(), entries_.end(),
                           [&](const MultEntry& e) { return !Before(e, v, mode); });
    const auto position = static_cast<std::size_t>(at - entries_.begin());
    entries_.insert(at, MultEntry{v, std::string(mode), state});
    if (entries_.size() <= kCapacity) return true;
    entries_.pop_back();
    return position < kCapacity;
}

bool MultTable::Remove(std::string_view value, std::string_view mode) {
    const std::string v = TableValue(value);
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [&](const MultEntry& e) { return e.value == v && e.mode == mode; });
    if (it == entries_.end()) return false;
    entries_.erase(it);
    return true;
}

MultEntry* MultTable::Find(std::string_view value, std::string_view mode) {
    const std::string v = TableValue(value);
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [&](const MultEntry& e) { return e.value == v && e.mode == mode; });
    return it == entries_.end() ? nullptr : &*it;
}

void MultTable::SetAllStates(MultState state) {
    for (MultEntry& e : entries_) e.state = state;
}

void MultTable::ChangeStates(MultState from, MultState to) {
    for (MultEntry& e : entries_)
        if (e.state == from) e.state = to;
}

void MultiplierTables::Clear() {
    for (MultTable& t : tables) t.Clear();
    for (auto& p : provisional) p.reset();
}

}  // namespace mss::log

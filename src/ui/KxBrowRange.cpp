#include "ui/KxBrowRange.h"

#include <algorithm>

#include "platform/Cp1252.h"
#include "radio/Text.h"
#include "store/FileFormat.h"
#include "store/KeyCodec.h"

namespace mss::ui {
namespace {

std::string_view Prefix(std::string_view key, std::size_t length) {
    return key.substr(0, std::min(key.size(), length));
}

}  // namespace

bool BrowRange::Contains(std::string_view key) const {
    if (!lowKey.empty() && store::CompareKeys(Prefix(key, lowKey.size()), lowKey) < 0) return false;
    if (!highKey.empty() && store::CompareKeys(Prefix(key, highKey.size()), highKey) > 0)
        return false;
    return true;
}

BrowEntry BrowRange::Start() const {
    return {lowKey, 0};
}

BrowEntry BrowRange::End() const {
    std::string key = highKey;
    key.resize(store::kMaxKeyLength, '\xFF');
    return {key, kMaxRef};
}

BrowEntry BrowRange::Clamp(const BrowEntry& entry) const {
    if (!lowKey.empty() && store::CompareKeys(Prefix(entry.key, lowKey.size()), lowKey) < 0)
        return Start();
    if (!highKey.empty() && store::CompareKeys(Prefix(entry.key, highKey.size()), highKey) > 0)
        return End();
    return entry;
}

void DosToDisplay(std::string& text) {
    text = platform::DosUmlautsToCp1252(text);
}

std::string SearchUpper(std::string_view text) {
    return radio::UpperText(text);
}

}  // namespace mss::ui

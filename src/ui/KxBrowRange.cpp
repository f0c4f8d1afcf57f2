#include "ui/KxBrowRange.h"

#include <algorithm>
#include <array>
#include <utility>

#include "store/FileFormat.h"
#include "store/KeyCodec.h"

namespace mss::ui {
namespace {

std::string_view Prefix(std::string_view key, std::size_t length) {
    return key.substr(0, std::min(key.size(), length));
}

constexpr std::array<std::pair<unsigned char, unsigned char>, 8> kDosToDisplay = {{
    {0x81, 0xFC},  // ü
    {0x84, 0xE4},  // ä
    {0x8E, 0xC4},  // Ä
    {0x94, 0xF6},  // ö
    {0x99, 0xD6},  // Ö
    {0x9A, 0xDC},  // Ü
    {0xE1, 0xDF},  // ß
    {0xFB, 'Y'},
}};

constexpr std::array<std::pair<unsigned char, unsigned char>, 3> kUmlautCapitals = {{
    {0xE4, 0xC4},
    {0xF6, 0xD6},
    {0xFC, 0xDC},
}};

template <std::size_t N>
char Mapped(char c, const std::array<std::pair<unsigned char, unsigned char>, N>& table) {
    const auto byte = static_cast<unsigned char>(c);
    for (auto [from, to] : table)
        if (byte == from) return static_cast<char>(to);
    return c;
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
    for (char& c : text) c = Mapped(c, kDosToDisplay);
}

std::string SearchUpper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else
            c = Mapped(c, kUmlautCapitals);
    }
    return upper;
}

}  // namespace mss::ui

#include "store/KeyCodec.h"

#include <cstring>

namespace mss::store {

int CompareKeys(std::string_view a, std::string_view b) {
    std::size_t common = a.size() < b.size() ? a.size() : b.size();
    if (common > 0) {
        // memcmp compares as unsigned char, which is the order keys need.
        int c = std::memcmp(a.data(), b.data(), common);
        if (c != 0) return c;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

std::string IntToKey(std::int32_t value) {
    auto v = static_cast<std::uint32_t>(value);
    std::string key(kIntKeyLength, '\0');
    // Top four bits with the sign inverted, low bit set so no byte is zero;
    // then four groups of seven bits, each with the high bit set.
    key[0] = static_cast<char>((((v >> 24) & 0xF0) ^ 0x80) | 0x01);
    for (int i = 1; i < kIntKeyLength; ++i) {
        int shift = 7 * (kIntKeyLength - 1 - i);
        key[i] = static_cast<char>(0x80 | ((v >> shift) & 0x7F));
    }
    return key;
}

std::int32_t KeyToInt(std::string_view key) {
    auto byte = [&](std::size_t i) -> std::uint32_t {
        return i < key.size() ? static_cast<std::uint8_t>(key[i]) : (i == 0 ? 0x81u : 0x80u);
    };
    std::uint32_t v = ((byte(0) ^ 0x80) & 0xF0) << 24;
    for (std::size_t i = 1; i < kIntKeyLength; ++i)
        v |= (byte(i) & 0x7F) << (7 * (kIntKeyLength - 1 - i));
    return static_cast<std::int32_t>(v);
}

}  // namespace mss::store

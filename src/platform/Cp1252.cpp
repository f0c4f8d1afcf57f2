#include "platform/Cp1252.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace mss::platform {

namespace {

// 0x80..0x9F is the only block where Windows-1252 differs from Latin-1.
constexpr std::array<char16_t, 32> kHighBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        // Windows-1252 reaches no further than the Basic Multilingual Plane.
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

struct Decoded {
    char32_t codePoint;  // kBad when the sequence is ill-formed
    std::size_t length;  // bytes consumed, at least 1
};
constexpr char32_t kBad = 0xFFFFFFFF;

// Decodes one UTF-8 sequence; an ill-formed one consumes its lead byte and
// the continuation bytes that were still acceptable, as the Unicode
// standard's "maximal subpart" practice does.
Decoded DecodeOne(std::string_view s, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(s[pos]);
    if (lead < 0x80) return {lead, 1};
    std::size_t need;
    char32_t value;
    unsigned char low = 0x80, high = 0xBF;  // range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2;
        value = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;   // overlong
        if (lead == 0xED) high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3;
        value = lead & 0x07;
        if (lead == 0xF0) low = 0x90;   // overlong
        if (lead == 0xF4) high = 0x8F;  // beyond U+10FFFF
    } else {
        return {kBad, 1};
    }
    for (std::size_t i = 1; i <= need; ++i) {
        if (pos + i >= s.size()) return {kBad, i};
        const auto b = static_cast<unsigned char>(s[pos + i]);
        const unsigned char lo = i == 1 ? low : 0x80;
        const unsigned char hi = i == 1 ? high : 0xBF;
        if (b < lo || b > hi) return {kBad, i};
        value = (value << 6) | (b & 0x3F);
    }
    return {value, need + 1};
}

}  // namespace

char32_t Cp1252ToUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kHighBlock[byte - 0x80];
    return byte;
}

char UnicodeToCp1252(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<char>(codePoint);
    }
    const auto* it = std::find(kHighBlock.begin(), kHighBlock.end(), codePoint);
    if (it != kHighBlock.end()) return static_cast<char>(0x80 + (it - kHighBlock.begin()));
    return '?';
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char b : bytes) AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(b)));
    return out;
}

ExactCp1252 Utf8ToCp1252Exact(std::string_view utf8) {
    ExactCp1252 result;
    result.text.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const Decoded d = DecodeOne(utf8, pos);
        const char byte = d.codePoint == kBad ? '?' : UnicodeToCp1252(d.codePoint);
        // UnicodeToCp1252 answers '?' for a character it has no byte for.
        if (result.exact && (d.codePoint == kBad || (byte == '?' && d.codePoint != U'?'))) {
            result.exact = false;
            result.refused = d.codePoint == kBad ? kIllFormedUtf8 : d.codePoint;
            result.refusedAt = pos;
        }
        result.text += byte;
        pos += d.length;
    }
    return result;
}

std::string Utf8ToCp1252(std::string_view utf8) {
    return Utf8ToCp1252Exact(utf8).text;
}

bool IsWellFormedUtf8(std::string_view bytes) {
    for (std::size_t pos = 0; pos < bytes.size();) {
        const Decoded d = DecodeOne(bytes, pos);
        if (d.codePoint == kBad) return false;
        pos += d.length;
    }
    return true;
}

std::string DosUmlautsToCp1252(std::string_view dosText) {
    struct Mapping {
        unsigned char dos;
        unsigned char cp1252;
    };
    static constexpr std::array<Mapping, 8> kMappings = {{
        {0x81, 0xFC},  // ü
        {0x84, 0xE4},  // ä
        {0x8E, 0xC4},  // Ä
        {0x94, 0xF6},  // ö
        {0x99, 0xD6},  // Ö
        {0x9A, 0xDC},  // Ü
        {0xE1, 0xDF},  // ß
        {0xFB, 'Y'},
    }};
    std::string text(dosText);
    for (char& c : text) {
        for (const Mapping& m : kMappings) {
            if (static_cast<unsigned char>(c) == m.dos) {
                c = static_cast<char>(m.cp1252);
                break;
            }
        }
    }
    return text;
}

}  // namespace mss::platform

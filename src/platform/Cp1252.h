// Windows-1252 <-> UTF-8: the one place where the bytes of records and files
// become Unicode text for the user interface, and back.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mss::platform {

// The Unicode code point of one Windows-1252 byte. The five bytes the code
// page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control
// of the same value, so every byte survives a round trip.
char32_t Cp1252ToUnicode(unsigned char byte);

// The Windows-1252 byte of a code point, or '?' when the code page has none.
char UnicodeToCp1252(char32_t codePoint);

std::string Cp1252ToUtf8(std::string_view bytes);

// Characters without a Windows-1252 byte and every ill-formed UTF-8 sequence
// (stray continuation bytes, overlong forms, surrogates, truncated sequences)
// become '?', one per character or bad sequence.
std::string Utf8ToCp1252(std::string_view utf8);

// Stands for an ill-formed UTF-8 sequence where a refused code point is named.
inline constexpr char32_t kIllFormedUtf8 = 0xFFFFFFFF;

// A conversion that must not lose anything: the text as Utf8ToCp1252 gives
// it, and the first character that has no Windows-1252 byte (kIllFormedUtf8
// for an ill-formed sequence) with its byte offset, if there was one.
struct ExactCp1252 {
    std::string text;
    bool exact = true;
    char32_t refused = 0;
    std::size_t refusedAt = 0;
};
ExactCp1252 Utf8ToCp1252Exact(std::string_view utf8);

// True when the bytes are well-formed UTF-8 throughout (plain ASCII is).
bool IsWellFormedUtf8(std::string_view bytes);

// Texts the suite's older programs stored in the DOS code page: their German
// letters (and the one other letter they use) become Windows-1252 bytes;
// every other byte stays.
std::string DosUmlautsToCp1252(std::string_view dosText);

}  // namespace mss::platform

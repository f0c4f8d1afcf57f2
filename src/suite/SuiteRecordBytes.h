// Reading and writing the fields of the suite's fixed-layout records, and the
// key parts the suite's key builders are made of. Every read is bounded by
// the record, so a damaged length byte or a short buffer never reads past
// its end; texts are Windows-1252 bytes.
//
// Key part notation of the suite's files:
//   S(o, n)  length-prefixed text at o, cut or padded right with blanks to n
//   R(o, n)  the same padded left to n (a longer text is cut to n)
//   C(o)     the byte at o as a one-character text
//   I(o)     the 5-byte integer key of the int32 at o
//   B(o)     the int32 at o as 4 bytes, most significant first
//   U(s)     s upper-cased (a-z, and 0xE4, 0xF6, 0xFC to 0xC4, 0xD6, 0xDC)
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace mss::suite {

using RecordBytes = std::span<const std::uint8_t>;
using MutableRecordBytes = std::span<std::uint8_t>;

// Integers (little-endian); 0 where the record is too short.
std::int32_t GetInt32(RecordBytes record, std::size_t offset);
std::int16_t GetInt16(RecordBytes record, std::size_t offset);
std::uint8_t GetByte(RecordBytes record, std::size_t offset);
// Writes nothing where the record is too short.
void PutInt32(MutableRecordBytes record, std::size_t offset, std::int32_t value);
void PutInt16(MutableRecordBytes record, std::size_t offset, std::int16_t value);
void PutByte(MutableRecordBytes record, std::size_t offset, std::uint8_t value);

// The text of a field of `capacity` characters (length byte at offset); a
// stored length above the capacity reads as the capacity.
std::string GetText(RecordBytes record, std::size_t offset, std::size_t capacity);
// Cuts the text to the capacity and zeroes the unused rest of the field.
void PutText(MutableRecordBytes record, std::size_t offset, std::size_t capacity,
             std::string_view text);

// The key parts.
std::string KeyS(RecordBytes record, std::size_t offset, std::size_t width);
std::string KeyR(RecordBytes record, std::size_t offset, std::size_t width);
std::string KeyC(RecordBytes record, std::size_t offset);
std::string KeyI(RecordBytes record, std::size_t offset);
std::string KeyB(RecordBytes record, std::size_t offset);
std::string KeyU(std::string_view text);

// A text cut or padded right with blanks to width, as S() does.
std::string PadKeyText(std::string_view text, std::size_t width);

}  // namespace mss::suite

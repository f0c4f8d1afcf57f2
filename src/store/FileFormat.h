// The on-disk layout of a fileblock's data file and index file, with the
// helpers that encode and decode it byte by byte (all integers little-endian).
//
// Data file: slot r (r >= 0) holds bytes r * RecLen ... r * RecLen + RecLen - 1.
// Slot 0 is the header; the bytes after the header up to RecLen are zero.
//   OFFSET | SIZE | FIELD
//        0 |    4 | FirstFree  int32, head of the free chain (last deleted slot), -1 = empty
//        4 |    4 | FreeCount  int32, slots in the free chain
//        8 |    4 | SlotCount  int32, highest slot ever allocated
//       12 |    4 | RecLen     int32, bytes per slot (at least 21)
//       16 |    4 | KeyCount   int32, number of indexes; only the low byte counts
//       20 |    1 | InUse      byte, 1 while changes are not flushed
// Record slot: bytes 0..3 are 0 in a live record, the next free slot (-1 = end)
// in a deleted one.
// Variable-length record section of L = RecLen bytes:
//        0 | L-6  | data (head: from record byte 0; continuation: byte 0 = 1, data from 1)
//      L-6 |    2 | uint16, record bytes held in this section
//      L-4 |    4 | int32, next continuation section, 0 = none
//
// Index file: rows of RowSize bytes; a row holds one page slot per key, in
// key order, of PageBytes(k) = 6 + PageCap * (KeyLen(k) + 9) bytes at
// SlotOffset(k) = PageBytes(1) + ... + PageBytes(k - 1). Page p of key k lies at
// p * RowSize + SlotOffset(k). Row 0 holds the key headers:
//   OFFSET | SIZE | FIELD
//        0 |    4 | FirstFree  int32, last freed page, -1 = none
//        4 |    4 | FreeCount  int32, pages in the free chain
//        8 |    4 | PageCount  int32, highest page allocated
//       12 |    4 | PageBytes  int32, size of one page slot
//       16 |    4 | Root       int32, root page, 0 while the index is empty
//       20 |    1 | AllowDups  byte, 1 = duplicate keys allowed
//       21 |    1 | (unused, written as 0)
//       22 |    4 | EntryCount int32, entries in the index
//       26 |    2 | PageCap    uint16, items per page (62; a stored 0 means 62)
// Page:
//        0 |    2 | ItemCount  uint16
//        2 |    4 | LeftChild  int32, page of the keys below the first item, 0 in a leaf
//        6 |  n*I | items, I = KeyLen + 9 bytes each:
//                   0 | 4 DataRef int32 | 4 | 4 RightChild int32 | 8 | 1 key length | 9 | KeyLen
//                   key bytes
// A freed page holds the next free page (-1 = end) in its first 4 bytes.
#pragma once

#include <cstdint>
#include <span>

namespace mss::store {

inline constexpr int kDataHeaderSize = 21;
inline constexpr int kMinRecordLength = 21;
// The first four bytes of every slot: 0 for a live record, else the free-chain link.
inline constexpr std::size_t kDeleteMarkSize = 4;
inline constexpr int kMaxKeys = 110;
inline constexpr int kMaxKeyLength = 50;
inline constexpr int kKeyHeaderSize = 28;
inline constexpr int kPageCapacity = 62;
inline constexpr int kPageHeaderSize = 6;
inline constexpr int kItemOverhead = 9;
inline constexpr int kMaxItemSize = kMaxKeyLength + kItemOverhead;
inline constexpr int kSectionTrailer = 6;
static_assert(kMaxItemSize == 59);
static_assert(kPageHeaderSize + kPageCapacity * kMaxItemSize == 3664);

constexpr std::int32_t PageBytesFor(int keyLen, int pageCap = kPageCapacity) {
    return kPageHeaderSize + pageCap * (keyLen + kItemOverhead);
}
static_assert(PageBytesFor(5) == 874);

inline void EncodeFixed16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void EncodeFixed32(std::uint8_t* p, std::int32_t value) {
    auto v = static_cast<std::uint32_t>(value);
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}
inline std::uint16_t DecodeFixed16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::int32_t DecodeFixed32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
        (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24));
}

struct DataHeader {
    std::int32_t firstFree = -1;
    std::int32_t freeCount = 0;
    std::int32_t slotCount = 0;
    std::int32_t recLen = 0;
    std::int32_t keyCount = 0;
    std::uint8_t inUse = 0;
};

void EncodeDataHeader(const DataHeader& h, std::span<std::uint8_t, kDataHeaderSize> out);
DataHeader DecodeDataHeader(std::span<const std::uint8_t, kDataHeaderSize> in);

struct KeyHeader {
    std::int32_t firstFree = -1;
    std::int32_t freeCount = 0;
    std::int32_t pageCount = 0;
    std::int32_t pageBytes = 0;
    std::int32_t root = 0;
    std::uint8_t allowDups = 0;
    std::int32_t entryCount = 0;
    std::uint16_t pageCap = kPageCapacity;  // as stored; 0 is read as 62
};

void EncodeKeyHeader(const KeyHeader& h, std::span<std::uint8_t, kKeyHeaderSize> out);
KeyHeader DecodeKeyHeader(std::span<const std::uint8_t, kKeyHeaderSize> in);

}  // namespace mss::store

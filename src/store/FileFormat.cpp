#include "store/FileFormat.h"

namespace mss::store {

void EncodeDataHeader(const DataHeader& h, std::span<std::uint8_t, kDataHeaderSize> out) {
    EncodeFixed32(&out[0], h.firstFree);
    EncodeFixed32(&out[4], h.freeCount);
    EncodeFixed32(&out[8], h.slotCount);
    EncodeFixed32(&out[12], h.recLen);
    EncodeFixed32(&out[16], h.keyCount);
    out[20] = h.inUse;
}

DataHeader DecodeDataHeader(std::span<const std::uint8_t, kDataHeaderSize> in) {
    DataHeader h;
    h.firstFree = DecodeFixed32(&in[0]);
    h.freeCount = DecodeFixed32(&in[4]);
    h.slotCount = DecodeFixed32(&in[8]);
    h.recLen = DecodeFixed32(&in[12]);
    h.keyCount = DecodeFixed32(&in[16]) & 0xFF;
    h.inUse = in[20];
    return h;
}

void EncodeKeyHeader(const KeyHeader& h, std::span<std::uint8_t, kKeyHeaderSize> out) {
    EncodeFixed32(&out[0], h.firstFree);
    EncodeFixed32(&out[4], h.freeCount);
    EncodeFixed32(&out[8], h.pageCount);
    EncodeFixed32(&out[12], h.pageBytes);
    EncodeFixed32(&out[16], h.root);
    out[20] = h.allowDups;
    out[21] = 0;
    EncodeFixed32(&out[22], h.entryCount);
    EncodeFixed16(&out[26], h.pageCap);
}

KeyHeader DecodeKeyHeader(std::span<const std::uint8_t, kKeyHeaderSize> in) {
    KeyHeader h;
    h.firstFree = DecodeFixed32(&in[0]);
    h.freeCount = DecodeFixed32(&in[4]);
    h.pageCount = DecodeFixed32(&in[8]);
    h.pageBytes = DecodeFixed32(&in[12]);
    h.root = DecodeFixed32(&in[16]);
    h.allowDups = in[20];
    h.entryCount = DecodeFixed32(&in[22]);
    h.pageCap = DecodeFixed16(&in[26]);
    return h;
}

}  // namespace mss::store

// Reads the big-endian serialisation of Qt's data streams (the form the
// digital-mode programs send their network messages in) from a buffer,
// never past its end: a read that does not fit fails the reader, every later
// read fails too and gives zero or an empty text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace mss::log {

class DataStreamReader {
  public:
    explicit DataStreamReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool Ok() const { return ok_; }
    // Every byte read, and no read failed.
    bool AtEnd() const { return ok_ && pos_ == bytes_.size(); }

    std::uint8_t U8() { return static_cast<std::uint8_t>(Read(1)); }
    std::uint32_t U32() { return static_cast<std::uint32_t>(Read(4)); }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
    std::uint64_t U64() { return Read(8); }
    std::int64_t I64() { return static_cast<std::int64_t>(U64()); }
    // A byte array: a 32-bit length, then that many bytes. The length
    // 0xFFFFFFFF marks a null array, read as an empty one.
    std::string Bytes();

  private:
    std::uint64_t Read(std::size_t n);

    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

}  // namespace mss::log

// The extra record of a contest entry as stored in QVKZ: 11,608 bytes kept
// byte for byte with typed accessors (per-band totals of the contests that
// keep them here, and two log options). Integers are little-endian; the
// reserved bytes are kept exactly as read.
//
// OFFSET | SIZE | FIELD
//      0 |    4 | delete mark (record store)
//      4 |    4 | Number of the entry it belongs to
//      8 |  400 | QsoCount, band index 1-100 (int32)
//    408 |  400 | MultCount (int32; element 1 holds all bands in MultMode 1)
//    808 |  400 | PointSum (int32)
//   1208 |  200 | Mult1Count (int16)
//   1408 |  200 | Mult2Count (int16)
//   1608 |  200 | Mult3Count (int16)
//   1808 |    1 | RstNotLocked (flag)
//   1809 |    1 | LogVoidDupes (flag)
//   1810 | 9798 | reserved
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace mss::contest {

class ContestExtra {
  public:
    static constexpr std::size_t kSize = 11608;
    static constexpr int kBandIndexes = 100;
    using Bytes = std::array<std::uint8_t, kSize>;

    ContestExtra() = default;
    explicit ContestExtra(std::span<const std::uint8_t, kSize> bytes);

    const Bytes& bytes() const { return bytes_; }
    Bytes& bytes() { return bytes_; }

    std::int32_t Number() const;
    void SetNumber(std::int32_t value);

    // Totals by band index 1-100; other indexes read 0 and are ignored.
    std::int32_t QsoCount(int bandIndex) const;
    void SetQsoCount(int bandIndex, std::int32_t value);
    std::int32_t MultCount(int bandIndex) const;
    void SetMultCount(int bandIndex, std::int32_t value);
    std::int32_t PointSum(int bandIndex) const;
    void SetPointSum(int bandIndex, std::int32_t value);
    std::int16_t Mult1Count(int bandIndex) const;
    void SetMult1Count(int bandIndex, std::int16_t value);
    std::int16_t Mult2Count(int bandIndex) const;
    void SetMult2Count(int bandIndex, std::int16_t value);
    std::int16_t Mult3Count(int bandIndex) const;
    void SetMult3Count(int bandIndex, std::int16_t value);
    // Zeroes every total of every band index.
    void ClearTotals();

    // Flags read true for any non-zero byte and are written as 255 or 0.
    bool RstNotLocked() const;
    void SetRstNotLocked(bool on);
    bool LogVoidDupes() const;
    void SetLogVoidDupes(bool on);

    bool operator==(const ContestExtra&) const = default;

  private:
    Bytes bytes_{};
};

}  // namespace mss::contest

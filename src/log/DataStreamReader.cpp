#include "log/DataStreamReader.h"

namespace mss::log {

std::uint64_t DataStreamReader::Read(std::size_t n) {
    if (!ok_ || bytes_.size() - pos_ < n) {
        ok_ = false;
        return 0;
    }
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < n; ++i) value = (value << 8) | bytes_[pos_ + i];
    pos_ += n;
    return value;
}

std::string DataStreamReader::Bytes() {
    const std::uint32_t length = U32();
    if (!ok_ || length == 0xFFFFFFFF) return {};
    if (bytes_.size() - pos_ < length) {
        ok_ = false;
        return {};
    }
    std::string text(reinterpret_cast<const char*>(bytes_.data() + pos_), length);
    pos_ += length;
    return text;
}

}  // namespace mss::log

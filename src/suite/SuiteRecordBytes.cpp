#include "suite/SuiteRecordBytes.h"

#include <algorithm>

#include "store/KeyCodec.h"

namespace mss::suite {

namespace {

bool Fits(std::size_t size, std::size_t offset, std::size_t width) {
    return offset <= size && width <= size - offset;
}

std::uint32_t GetUnsigned(RecordBytes record, std::size_t offset, std::size_t width) {
    if (!Fits(record.size(), offset, width)) return 0;
    std::uint32_t value = 0;
    for (std::size_t i = width; i-- > 0;) value = (value << 8) | record[offset + i];
    return value;
}

void PutUnsigned(MutableRecordBytes record, std::size_t offset, std::size_t width,
                 std::uint32_t value) {
    if (!Fits(record.size(), offset, width)) return;
    for (std::size_t i = 0; i < width; ++i)
        record[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// The stored text at offset, however long its length byte says it is, but
// never past the record.
std::string StoredText(RecordBytes record, std::size_t offset) {
    if (offset >= record.size()) return {};
    const std::size_t length = std::min<std::size_t>(record[offset], record.size() - offset - 1);
    const auto* first = record.data() + offset + 1;
    return std::string(first, first + length);
}

}  // namespace

std::int32_t GetInt32(RecordBytes record, std::size_t offset) {
    return static_cast<std::int32_t>(GetUnsigned(record, offset, 4));
}
std::int16_t GetInt16(RecordBytes record, std::size_t offset) {
    return static_cast<std::int16_t>(GetUnsigned(record, offset, 2));
}
std::uint8_t GetByte(RecordBytes record, std::size_t offset) {
    return offset < record.size() ? record[offset] : 0;
}
void PutInt32(MutableRecordBytes record, std::size_t offset, std::int32_t value) {
    PutUnsigned(record, offset, 4, static_cast<std::uint32_t>(value));
}
void PutInt16(MutableRecordBytes record, std::size_t offset, std::int16_t value) {
    PutUnsigned(record, offset, 2, static_cast<std::uint16_t>(value));
}
void PutByte(MutableRecordBytes record, std::size_t offset, std::uint8_t value) {
    if (offset < record.size()) record[offset] = value;
}

std::string GetText(RecordBytes record, std::size_t offset, std::size_t capacity) {
    std::string text = StoredText(record, offset);
    if (text.size() > capacity) text.resize(capacity);
    return text;
}

void PutText(MutableRecordBytes record, std::size_t offset, std::size_t capacity,
             std::string_view text) {
    if (!Fits(record.size(), offset, capacity + 1)) return;
    const std::size_t length = std::min(text.size(), capacity);
    record[offset] = static_cast<std::uint8_t>(length);
    auto* first = record.data() + offset + 1;
    std::copy_n(text.begin(), length, first);
    std::fill(first + length, first + capacity, 0);
}

std::string PadKeyText(std::string_view text, std::size_t width) {
    std::string padded(text.substr(0, width));
    padded.resize(width, ' ');
    return padded;
}

std::string KeyS(RecordBytes record, std::size_t offset, std::size_t width) {
    return PadKeyText(StoredText(record, offset), width);
}

std::string KeyR(RecordBytes record, std::size_t offset, std::size_t width) {
    // A text longer than the key is cut like S() cuts: the index refuses a
    // key longer than its definition, and that would stop the program.
    const std::string text = StoredText(record, offset);
    if (text.size() >= width) return text.substr(0, width);
    return std::string(width - text.size(), ' ') + text;
}

std::string KeyC(RecordBytes record, std::size_t offset) {
    return std::string(1, static_cast<char>(GetByte(record, offset)));
}

std::string KeyI(RecordBytes record, std::size_t offset) {
    return store::IntToKey(GetInt32(record, offset));
}

std::string KeyB(RecordBytes record, std::size_t offset) {
    const auto value = static_cast<std::uint32_t>(GetInt32(record, offset));
    std::string key(4, '\0');
    for (int i = 0; i < 4; ++i)
        key[static_cast<std::size_t>(i)] = static_cast<char>(value >> (24 - 8 * i));
    return key;
}

std::string KeyU(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 'a' && byte <= 'z')
            c = static_cast<char>(byte - 'a' + 'A');
        else if (byte == 0xE4 || byte == 0xF6 || byte == 0xFC)
            c = static_cast<char>(byte - 0x20);
    }
    return upper;
}

}  // namespace mss::suite

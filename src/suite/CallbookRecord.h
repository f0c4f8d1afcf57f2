// The records of the suite's callbook QVCBUCH (333 bytes) and call file
// QVCALL (71 bytes) with the fields the contest log reads and teaches. The
// suite numbers the fields of these records; the offsets below place each
// numbered field so that the files' key fields stay where their keys read
// them. Every other byte belongs to the suite's other programs and is
// carried unchanged. Texts are a length byte and Windows-1252 characters.
//
// QVCBUCH
// OFFSET | SIZE | FIELD
//      0 |    4 | delete mark
//      4 |   11 | Call (text, 10): the home call; key 1
//     15 |    7 | (suite data)
//     22 |    7 | field 1 (text, 6): club number of contest '7'; key 3
//     29 |    7 | field 2 (text, 6): club number of contest 'f'; key 2
//     36 |    7 | field 3 (suite data)
//     43 |   21 | field 4 Name (text, 20), DOS letters; key 5
//     64 |    7 | field 5 (text, 6): member number of contest 'i'
//     71 |    9 | field 6 DOK or area (text, 8)
//     80 |    7 | field 7 Locator (text, 6)
//     87 |  146 | (suite data; 96 and 107 hold the texts of keys 4 and 6)
//    233 |   66 | fields 8-13 (suite data; six texts of 10, keys 8-13)
//    299 |    9 | field 14 LDK (text, 8); key 7 with the call
//    308 |   21 | field 15 QTH (text, 20)
//    329 |    4 | (suite data)
//
// QVCALL
// OFFSET | SIZE | FIELD
//      0 |    4 | delete mark
//      4 |   11 | Call (text, 10): the home call; key 1
//     15 |    6 | field 1 (text, 5): club number of contest '7'; key 2
//     21 |    6 | field 2 (text, 5): club number of contest 'f'; key 3
//     27 |   10 | field 3 Name (text, 9), DOS letters; key 4
//     37 |    1 | field 4 (suite data; key 5)
//     38 |    7 | field 6 (text, 6): member number of contest 'i'
//     45 |    7 | field 7 DOK (text, 6)
//     52 |    7 | field 10 Locator (text, 6)
//     59 |   12 | fields 5, 8, 9 (suite data; 59 and 65 hold keys 6 and 7)
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "suite/SuiteFiles.h"

namespace mss::suite {

// The numbered fields of the two files that the contest log uses.
enum class CallField { Club1, Club2, Name, Member, Dok, Locator, Ldk, Qth };

// Where a numbered field lies in a file's record; capacity 0 when the file
// has no such field.
struct CallFieldPlace {
    std::size_t offset = 0;
    std::size_t capacity = 0;
};
CallFieldPlace CallbookPlace(CallField field);
CallFieldPlace CallHistoryPlace(CallField field);

// A record of one of the two files, kept byte for byte.
template <std::size_t N, CallFieldPlace (*PlaceOf)(CallField)>
class CallRecordOf {
  public:
    static constexpr std::size_t kSize = N;
    using Bytes = std::array<std::uint8_t, N>;
    static constexpr std::size_t kCallOffset = 4;
    static constexpr std::size_t kCallCapacity = 10;

    CallRecordOf() = default;
    // The record as read; a shorter span is padded with zeros.
    explicit CallRecordOf(RecordBytes bytes) {
        for (std::size_t i = 0; i < N && i < bytes.size(); ++i) bytes_[i] = bytes[i];
    }
    const Bytes& bytes() const { return bytes_; }

    std::string Call() const { return GetText(bytes_, kCallOffset, kCallCapacity); }
    void SetCall(std::string_view call) { PutText(bytes_, kCallOffset, kCallCapacity, call); }
    // Empty for a field the file does not have.
    std::string Get(CallField field) const {
        const CallFieldPlace place = PlaceOf(field);
        return place.capacity == 0 ? std::string() : GetText(bytes_, place.offset, place.capacity);
    }
    void Set(CallField field, std::string_view text) {
        const CallFieldPlace place = PlaceOf(field);
        if (place.capacity != 0) PutText(bytes_, place.offset, place.capacity, text);
    }

  private:
    Bytes bytes_{};
};

using CallbookRecord = CallRecordOf<333, CallbookPlace>;
using CallHistoryRecord = CallRecordOf<71, CallHistoryPlace>;
static_assert(CallbookRecord::kSize == kQvCbuchLength);
static_assert(CallHistoryRecord::kSize == kQvCallLength);

// The key 1 text of a home call: cut or padded with blanks to 10.
std::string CallbookKeyText(std::string_view baseCall);

// The record of a home call in the open file, or nullopt when the file is
// not open or does not know the call. The file's buffer is left as it was.
std::optional<CallbookRecord> FindInCallbook(std::string_view baseCall);
std::optional<CallHistoryRecord> FindInCallFile(std::string_view baseCall);

// Stores the record in the open callbook: the record of its call is updated,
// a missing one is added. Answers the store's ErrorLevel (0 success).
int StoreInCallbook(const CallbookRecord& record);

}  // namespace mss::suite

#include "suite/KnownCalls.h"

#include <algorithm>

#include "suite/CallbookRecord.h"
#include "suite/SuiteFiles.h"

namespace mss::suite {

namespace {

template <class Record>
void AddCallsOf(SuiteFile file, std::vector<std::string>& calls) {
    TFileblockObject* object = SuiteObject(file);
    if (object == nullptr) return;
    const std::span<std::uint8_t> buffer = object->RecordBuffer();
    const std::vector<std::uint8_t> saved(buffer.begin(), buffer.end());
    for (int level = object->First(1); level == 0; level = object->Next(1))
        calls.push_back(Record(object->RecordBuffer()).Call());
    std::ranges::copy(saved, buffer.begin());
}

}  // namespace

std::vector<std::string> KnownCalls() {
    std::vector<std::string> calls;
    AddCallsOf<CallbookRecord>(SuiteFile::QVCBUCH, calls);
    AddCallsOf<CallHistoryRecord>(SuiteFile::QVCALL, calls);
    return calls;
}

}  // namespace mss::suite

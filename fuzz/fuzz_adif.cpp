// Any bytes as an ADIF file: the reader must neither crash, hang nor read
// outside the buffer, and every record it gives must be usable.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "log/AdifReader.h"

namespace {
volatile std::size_t sink;  // keeps the results from being optimised away
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace mss::log;
    const AdifFile file = ReadAdif(std::string_view(reinterpret_cast<const char*>(data), size));
    std::size_t seen = file.FieldNames().size();
    for (const AdifRecord& record : file.Records) {
        if (record.Offset >= size) __builtin_trap();
        seen += AdifFaultText(record).size();
        for (const AdifField& field : record.Fields) {
            if (!record.Find(field.Name)) __builtin_trap();
            seen += static_cast<std::size_t>(AdifDate(field.Value)) + AdifTime(field.Value);
        }
    }
    sink = seen;
    return 0;
}

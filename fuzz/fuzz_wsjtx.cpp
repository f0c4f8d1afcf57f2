// Any bytes as a datagram from WSJT-X or MSHV: the decoder must neither crash,
// hang nor read outside the buffer.
#include <cstddef>
#include <cstdint>
#include <span>

#include "log/WsjtxDatagram.h"

namespace {
volatile bool sink;  // keeps the results from being optimised away
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace mss::log;
    const WsjtxDatagram d = DecodeWsjtxDatagram(std::span(data, size));
    if (d.Outcome == WsjtxOutcome::Contact) {
        if (d.Contact.Call.size() > size) __builtin_trap();
        sink = SameContact(d.Contact, d.Contact);
    }
    return 0;
}

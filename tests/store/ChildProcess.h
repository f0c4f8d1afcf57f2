// Helpers of the tests that kill a child process: whole reads and writes
// over a pipe.
#pragma once

#include <poll.h>
#include <unistd.h>

#include <cstddef>

namespace mss::store::test {

inline bool WriteAll(int fd, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = write(fd, bytes, size);
        if (n <= 0) return false;
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Reads exactly size bytes; false at the end of the pipe or after the timeout.
inline bool ReadAll(int fd, void* data, std::size_t size, int timeoutMs) {
    auto* bytes = static_cast<char*>(data);
    std::size_t got = 0;
    while (got < size) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, timeoutMs) <= 0) return false;
        const ssize_t n = read(fd, bytes + got, size - got);
        if (n <= 0) return false;
        got += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace mss::store::test

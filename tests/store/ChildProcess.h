// Helpers of the tests that kill a child process: whole reads and writes
// over a pipe, and numbers from the environment.
#pragma once

#include <poll.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <random>

namespace mss::store::test {

inline int EnvOr(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && std::atoi(value) > 0 ? std::atoi(value) : fallback;
}

// MSS_KILL_SEED replays a run; otherwise a fresh seed.
inline std::uint32_t SeedFromEnv() {
    return static_cast<std::uint32_t>(
        EnvOr("MSS_KILL_SEED", static_cast<int>(std::random_device{}() & 0x7FFFFFFF)));
}

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

#include "platform/SignalPipe.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace mss::platform {

namespace {

int pipeEnds[2] = {-1, -1};

extern "C" void WriteSignalNumber(int signal) {
    const int savedErrno = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    // A full pipe already holds a request to end; losing this one is harmless.
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &number, 1);
    errno = savedErrno;
}

}  // namespace

bool SignalPipe::Install(std::initializer_list<int> numbers) {
    if (pipeEnds[0] < 0 && ::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    struct sigaction action {};
    action.sa_handler = WriteSignalNumber;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : numbers)
        if (::sigaction(signal, &action, nullptr) != 0) return false;
    return true;
}

int SignalPipe::ReadEnd() {
    return pipeEnds[0];
}

int SignalPipe::Take() {
    unsigned char number = 0;
    return ::read(pipeEnds[0], &number, 1) == 1 ? number : 0;
}

}  // namespace mss::platform

// Termination signals (SIGTERM, SIGHUP, SIGINT) turned into bytes on a pipe,
// so that the program ends through its ordinary close-down in the main
// loop: the handler only writes the signal number, which is all a signal
// handler may safely do; nothing of the program's state is touched there.
#pragma once

#include <initializer_list>

namespace mss::platform {

class SignalPipe {
  public:
    // Installs the handler for the signals; false when the pipe or a handler
    // could not be set up. One pipe per process.
    static bool Install(std::initializer_list<int> numbers);
    // The end to watch for reading; -1 before Install.
    static int ReadEnd();
    // The next signal number written by the handler, or 0 when none is waiting.
    static int Take();
};

}  // namespace mss::platform

// Helpers of the tests that kill a child process: the child with a pipe
// back to the parent, and whole reads and writes over that pipe.
#pragma once

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#include <functional>

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

// A forked child that runs body with the write end of a pipe and then ends;
// the parent keeps the read end. A child still running when the object goes
// (a failed assertion) is killed, so no test leaves one behind.
class ChildWithPipe {
  public:
    explicit ChildWithPipe(const std::function<void(int writeFd)>& body) {
        int fds[2];
        if (pipe(fds) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            close(fds[0]);
            body(fds[1]);
            _exit(0);
        }
        close(fds[1]);
        if (pid_ < 0) {
            close(fds[0]);
            return;
        }
        fd_ = fds[0];
    }
    ChildWithPipe(const ChildWithPipe&) = delete;
    ChildWithPipe& operator=(const ChildWithPipe&) = delete;
    ~ChildWithPipe() {
        if (pid_ <= 0) return;
        Kill();
        int status = 0;
        (void)Wait(status);
    }

    bool Started() const { return fd_ >= 0; }
    int Fd() const { return fd_; }
    void Kill() const { kill(pid_, SIGKILL); }
    // Closes the parent's end and reaps the child; false when waiting failed.
    bool Wait(int& status) {
        if (fd_ >= 0) close(fd_);
        fd_ = -1;
        const pid_t waited = waitpid(pid_, &status, 0);
        pid_ = -1;
        return waited > 0;
    }

  private:
    pid_t pid_ = -1;
    int fd_ = -1;
};

}  // namespace mss::store::test

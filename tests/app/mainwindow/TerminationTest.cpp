// The real program, started in a fresh directory and ended by a termination
// signal, closes every fileblock cleanly: the next start needs no rebuild.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "common/TempDir.h"
#include "store/FileFormat.h"

namespace mss::app {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

pid_t StartProgram(const fs::path& dir) {
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("HOME", dir.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    if (::chdir(dir.c_str()) != 0) ::_exit(126);
    ::execl(MSS_PROGRAM, MSS_PROGRAM, "--data-dir", dir.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
}

// The exit status, or -1 when the program did not end in time.
int WaitForExit(pid_t pid, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (std::chrono::steady_clock::now() < end) {
        if (::waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        std::this_thread::sleep_for(20ms);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    return -1;
}

bool WaitFor(const fs::path& file, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!fs::exists(file))
        if (std::chrono::steady_clock::now() > end)
            return false;
        else
            std::this_thread::sleep_for(20ms);
    return true;
}

struct DataHeader {
    std::int32_t slotCount = 0;
    std::int32_t recLen = 0;
    std::uint8_t inUse = 0;
};

DataHeader ReadHeader(const fs::path& file) {
    std::vector<std::uint8_t> bytes(store::kDataHeaderSize);
    std::ifstream in(file, std::ios::binary);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return {store::DecodeFixed32(&bytes[8]), store::DecodeFixed32(&bytes[12]), bytes[20]};
}

TEST(TerminationTest, EverySignalOfLogoutAndCtrlCClosesEveryFileblockCleanly) {
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
        mss::test::TempDir dir;
        const pid_t pid = StartProgram(dir.path());
        ASSERT_GT(pid, 0);
        // The list of entries is the last file start-up touches; after it
        // the first start is waiting for the operator.
        const bool started = WaitFor(dir.path() / "QVKK.DAT", 60s);
        std::this_thread::sleep_for(500ms);
        ::kill(pid, started ? signal : SIGKILL);
        ASSERT_TRUE(started) << "signal " << signal;
        EXPECT_EQ(WaitForExit(pid, 20s), 0) << "signal " << signal;

        int files = 0;
        for (const auto& entry : fs::directory_iterator(dir.path())) {
            if (entry.path().extension() != ".DAT") continue;
            ++files;
            const DataHeader header = ReadHeader(entry.path());
            EXPECT_EQ(header.inUse, 0) << entry.path();
            ASSERT_GT(header.recLen, 0) << entry.path();
            EXPECT_EQ(fs::file_size(entry.path()),
                      static_cast<std::uintmax_t>(header.slotCount + 1) * header.recLen)
                << entry.path();
        }
        EXPECT_GE(files, 7) << "signal " << signal;
        EXPECT_FALSE(fs::exists(dir.path() / "KX.ERR"));
        // The window's place was kept for the next start.
        EXPECT_TRUE(fs::exists(dir.path() / "config" / "tarvolt" / "tarvolt-mssprint.ini"));
    }
}

}  // namespace
}  // namespace mss::app

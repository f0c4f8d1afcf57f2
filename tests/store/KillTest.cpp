// A process that adds, updates and deletes contest-log records is killed with
// SIGKILL at random moments; every acknowledged record must be found again.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <random>
#include <thread>

#include "ChildProcess.h"
#include "ObjectCrashModel.h"

namespace mss::store::test {
namespace {

constexpr const char* kLogName = "QVLK0001";

// The child: works on the log until it is killed, reporting over the pipe.
[[noreturn]] void RunChild(const TempDir& dir, int fd, std::uint32_t seed, std::uint64_t firstId) {
    auto log = CreateDefined(LogDefinition(dir.Dir(), kLogName));
    if (!log) _exit(2);
    LogWorkload workload(*log, seed, firstId);
    if (ErrorLevel() > 1) _exit(3);
    auto announce = [fd](OpKind kind, std::uint8_t done, std::uint64_t id,
                         std::span<const std::uint8_t> record) {
        const OpMessage m = MakeMessage(kind, done, id, record);
        if (!WriteAll(fd, &m, sizeof m)) _exit(4);
    };
    for (int i = 0; i < 1000000; ++i)
        if (!workload.Step(announce)) _exit(5);
    _exit(0);
}

bool ReadMessage(int fd, OpMessage& m, int timeoutMs) {
    return ReadAll(fd, &m, sizeof m, timeoutMs);
}

TEST(KillTest, EveryAcknowledgedRecordSurvivesSigkillAtRandomMoments) {
    const int wantedKills = EnvOr("MSS_LONG_KILL_TEST", 200);
    const std::uint32_t seed = SeedFromEnv("MSS_KILL_SEED");
    RecordProperty("seed", static_cast<int>(seed));
    std::mt19937 random(seed);
    TempDir dir;
    ASSERT_EQ(InitFiles(0, 160, 32), 0);
    CrashModel model;
    int kills = 0;
    int checks = 0;
    int acknowledged = 0;
    int rebuilds = 0;
    for (int round = 0; kills < wantedKills; ++round) {
        ASSERT_LT(round, 2 * wantedKills) << "the child keeps ending by itself; seed " << seed;
        ChildWithPipe child([&](int fd) {
            RunChild(dir, fd, seed + static_cast<std::uint32_t>(round),
                     1 + static_cast<std::uint64_t>(round) * 1000000);
        });
        ASSERT_TRUE(child.Started());
        // Kill after some acknowledged operations and a pause that lands
        // anywhere inside the next ones.
        const int waitFor = std::uniform_int_distribution<int>(0, 8)(random);
        const int pauseUs = std::uniform_int_distribution<int>(0, 6000)(random);
        OpMessage m;
        for (int done = 0; done < waitFor && ReadMessage(child.Fd(), m, 20000);) {
            model.Apply(m);
            done += m.done;
            acknowledged += m.done;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(pauseUs));
        child.Kill();
        while (ReadMessage(child.Fd(), m, 20000)) {
            model.Apply(m);
            acknowledged += m.done;
        }
        int status = 0;
        ASSERT_TRUE(child.Wait(status));
        ASSERT_FALSE(WIFEXITED(status))
            << "the child failed with " << WEXITSTATUS(status) << "; seed " << seed;
        if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) ++kills;

        auto log = CreateDefined(LogDefinition(dir.Dir(), kLogName));
        ASSERT_TRUE(log) << "seed " << seed;
        ASSERT_EQ(log->SetProgressHook([&rebuilds](const Progress& p) {
            rebuilds += p.type == 0 ? 1 : 0;
            return true;
        }),
                  0);
        const std::vector<std::string> problems = model.Check(*log, checks);
        ASSERT_TRUE(problems.empty())
            << problems.front() << " after kill " << kills << "; seed " << seed;
    }
    EXPECT_EQ(ExitFiles(), 0);
    // Most kills must land inside an operation, or the rebuild went untested.
    EXPECT_GT(rebuilds, kills / 4);
    std::cout << "[ kill test ] " << kills << " kills, " << rebuilds << " rebuilds, "
              << acknowledged << " acknowledged operations, " << checks << " checks, seed " << seed
              << "\n";
}

}  // namespace
}  // namespace mss::store::test

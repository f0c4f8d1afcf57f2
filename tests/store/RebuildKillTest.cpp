// A log left marked in use is rebuilt when it is next opened; the process
// doing that is killed with SIGKILL at random moments of the rebuild. The
// next open must succeed with every acknowledged record, whatever the
// killed run left on disk.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <random>
#include <thread>

#include "ChildProcess.h"
#include "ObjectCrashModel.h"

namespace mss::store::test {
namespace {

constexpr const char* kLogName = "QVLK0005";

using Clock = std::chrono::steady_clock;

// The child: opens the log, which rebuilds it, and tells how long that took.
[[noreturn]] void RunChild(const TempDir& dir, int fd) {
    const char started = 1;
    if (!WriteAll(fd, &started, 1)) _exit(2);
    const Clock::time_point begin = Clock::now();
    auto log = CreateDefined(LogDefinition(dir.Dir(), kLogName));
    if (!log || log->EnsureOpen() != 0) _exit(3);
    const auto micros = static_cast<std::int64_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - begin).count());
    if (!WriteAll(fd, &micros, sizeof micros)) _exit(4);
    _exit(0);
}

// As a crash leaves it: the data file's in-use byte set.
void MarkInUse(const TempDir& dir) {
    const std::string path = dir.Path(std::string(kLogName) + ".DAT");
    std::vector<std::uint8_t> data = ReadBytes(path);
    ASSERT_GT(data.size(), 20u);
    data[20] = 1;
    WriteBytes(path, data);
}

TEST(RebuildKillTest, EveryAcknowledgedRecordSurvivesSigkillInsideTheAutomaticRebuild) {
    const int wantedKills = EnvOr("MSS_REBUILD_KILLS", 200);
    const std::uint32_t seed = SeedFromEnv("MSS_KILL_SEED");
    RecordProperty("seed", static_cast<int>(seed));
    std::mt19937 random(seed);
    TempDir dir;
    ASSERT_EQ(InitFiles(0, 160, 32), 0);
    CrashModel model;
    auto announce = [&model](OpKind kind, std::uint8_t done, std::uint64_t id,
                             std::span<const std::uint8_t> record) {
        model.Apply(MakeMessage(kind, done, id, record));
    };
    std::int64_t rebuildMicros = 20000;  // learnt from the runs that finish
    int kills = 0;
    int finished = 0;
    int checks = 0;
    for (int round = 0; kills < wantedKills; ++round) {
        ASSERT_LT(round, 3 * wantedKills) << "the kills keep missing the rebuild; seed " << seed;
        {
            // Some work, so that every round rebuilds another log.
            auto log = CreateDefined(LogDefinition(dir.Dir(), kLogName));
            ASSERT_TRUE(log);
            LogWorkload workload(*log, seed + static_cast<std::uint32_t>(round),
                                 1 + static_cast<std::uint64_t>(round) * 1000000);
            const int steps = round == 0 ? 150 : std::uniform_int_distribution<int>(0, 6)(random);
            for (int i = 0; i < steps; ++i) ASSERT_TRUE(workload.Step(announce)) << "seed " << seed;
        }
        MarkInUse(dir);
        ChildWithPipe child([&](int fd) { RunChild(dir, fd); });
        ASSERT_TRUE(child.Started());
        char started = 0;
        ASSERT_TRUE(ReadAll(child.Fd(), &started, 1, 20000)) << "seed " << seed;
        const auto delay =
            std::uniform_int_distribution<std::int64_t>(0, rebuildMicros * 6 / 5)(random);
        std::this_thread::sleep_for(std::chrono::microseconds(delay));
        child.Kill();
        std::int64_t micros = 0;
        if (ReadAll(child.Fd(), &micros, sizeof micros, 20000)) rebuildMicros = micros;
        int status = 0;
        ASSERT_TRUE(child.Wait(status));
        if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) {
            ++kills;
        } else {
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
                << "the child failed; seed " << seed;
            ++finished;
        }

        auto log = CreateDefined(LogDefinition(dir.Dir(), kLogName));
        ASSERT_TRUE(log);
        const std::vector<std::string> problems = model.Check(*log, checks);
        ASSERT_TRUE(problems.empty()) << problems.front() << " after kill " << kills << " of a "
                                      << rebuildMicros << " us rebuild; seed " << seed;
        for (const char* left : {".SAV", "-NEW.DAT", "-NEW.IX"})
            ASSERT_FALSE(std::filesystem::exists(dir.Path(kLogName + std::string(left))))
                << left << " left after the open; seed " << seed;
    }
    EXPECT_EQ(ExitFiles(), 0);
    std::cout << "[ rebuild kill test ] " << kills << " kills inside a rebuild of about "
              << rebuildMicros << " us, " << finished << " rebuilds finished first, " << checks
              << " checks, seed " << seed << "\n";
}

}  // namespace
}  // namespace mss::store::test

// A process renumbering a contest log is killed with SIGKILL at random
// moments; every contact must be found again when the log is next opened,
// and the log's indexes must agree with its records.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <set>
#include <thread>

#include "LogTestSupport.h"
#include "log/Renumber.h"
#include "store/ObjectTestSupport.h"

namespace mss::log::test {
namespace {

using Clock = std::chrono::steady_clock;

int EnvOr(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && std::atoi(value) > 0 ? std::atoi(value) : fallback;
}

std::multiset<std::string> ContactsOfLog() {
    std::multiset<std::string> ids;
    store::TFileblockObject& log = *OpenLog();
    for (int level = log.First(kByNummer); level == 0; level = log.Next(kByNummer)) {
        const QsoRecord r = BufferRecord(log);
        if (!r.IsBandChange()) ids.insert(r.Call() + "@" + std::to_string(r.Zeit()));
    }
    return ids;
}

[[noreturn]] void RenumberUntilKilled() {
    if (store::InitFiles(0, 160, 32) != 0 || !OpenContestLog(1)) _exit(2);
    LogSession session = SprintSession();
    SilentProgress progress;
    for (;;)
        if (Renumber(session, progress) != RenumberResult::kDone) _exit(3);
}

TEST(RenumberKill, NoContactIsLostWhenTheProcessDiesWhileRenumbering) {
    const int wantedKills = EnvOr("MSS_RENUMBER_KILLS", 40);
    const auto seed = static_cast<std::uint32_t>(
        EnvOr("MSS_KILL_SEED", static_cast<int>(std::random_device{}() & 0x7FFFFFFF)));
    RecordProperty("seed", static_cast<int>(seed));
    std::mt19937 random(seed);
    mss::test::TempDir dir;
    radio::ResetProgramValues();
    radio::Program().RunDir = dir.RunDir();
    platform::ScriptedMessages messages;
    platform::ScopedMessages install(messages);

    ASSERT_EQ(store::InitFiles(0, 160, 32), 0);
    ASSERT_TRUE(OpenContestLog(1));
    for (int i = 0; i < 400; ++i) {
        QsoRecord r = Contact("DL" + std::to_string(i) + "AB", i % 3 == 0 ? 'l' : 'k',
                              i % 2 == 0 ? "CW" : "SSB", (i * 37) % radio::kSecondsPerDay);
        if (i % 50 == 0) r = BandChange('k', 'l', i);
        ASSERT_EQ(AddContact(*OpenLog(), r), 0);
    }
    const std::multiset<std::string> expected = ContactsOfLog();
    LogSession session = SprintSession();
    SilentProgress progress;
    const auto started = Clock::now();
    ASSERT_EQ(Renumber(session, progress), RenumberResult::kDone);
    const auto passMs = std::max<long>(
        1, std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started).count());
    CloseContestLog();
    ASSERT_EQ(store::ExitFiles(), 0);

    // The deadline only shortens a long run: the minimum number of kills is
    // always made, however slow the machine (sanitizers, load) makes each one.
    constexpr int kMinimumKills = 10;
    const auto deadline = Clock::now() + std::chrono::seconds(40);
    std::uniform_int_distribution<long> pause(0, 3 * passMs + 20);
    int kills = 0;
    int midPass = 0;  // kills that left a renumbered log being built or moved
    for (; kills < wantedKills && (kills < kMinimumKills || Clock::now() < deadline); ++kills) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) RenumberUntilKilled();
        std::this_thread::sleep_for(std::chrono::milliseconds(pause(random)));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the renumbering child ended by itself: " << status;
        if (std::filesystem::exists(dir.path() / "QVLN0001.DAT") ||
            std::filesystem::exists(dir.path() / "QVLN0001.IX"))
            ++midPass;

        ASSERT_EQ(store::InitFiles(0, 160, 32), 0);
        ASSERT_TRUE(OpenContestLog(1)) << "after kill " << kills;
        EXPECT_EQ(ContactsOfLog(), expected) << "after kill " << kills << ", seed " << seed;
        const store::test::Contents contents = store::test::ReadAndCheck(*OpenLog());
        EXPECT_TRUE(contents.problems.empty()) << contents.problems.front();
        CloseContestLog();
        ASSERT_EQ(store::ExitFiles(), 0);
        if (HasFailure()) break;
    }
    EXPECT_GE(kills, kMinimumKills);
    EXPECT_GT(midPass, 0) << "no kill hit a renumbering pass";
    RecordProperty("midPass", midPass);
    radio::ResetProgramValues();
}

}  // namespace
}  // namespace mss::log::test

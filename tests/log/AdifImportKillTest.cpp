// A large ADIF import interrupted in the middle: a process killed with
// SIGKILL, and the power lost under a running import. Every contact up to
// the last batch flush must be in the log when it is next opened, the log
// must agree with its indexes, and running the import again must store
// exactly the rest.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>

#include "LogTestSupport.h"
#include "log/AdifImport.h"
#include "log/BatchedFlush.h"
#include "log/ContactEntry.h"
#include "platform/FaultInjectingFileSystem.h"
#include "store/ObjectTestSupport.h"

namespace mss::log::test {
namespace {

constexpr int kRecords = 2000;
// The child is killed once it reported this many records done.
constexpr int kKillAfter = 1200;

std::string CallOf(int i) {
    std::string suffix;
    for (int n = i, k = 0; k < 3; ++k, n /= 26) suffix += static_cast<char>('a' + n % 26);
    return "dl" + std::to_string(i % 10) + suffix;
}

// A WSJT-X log of distinct 2 m contacts, lower case as that program writes it.
std::string LargeFile() {
    std::string text = "WSJT-X ADIF Export<eoh>\n";
    for (int i = 0; i < kRecords; ++i) {
        const std::string call = CallOf(i);
        const int minute = i % (24 * 60);
        char time[7];
        std::snprintf(time, sizeof time, "%02d%02d00", minute / 60, minute % 60);
        text += "<call:" + std::to_string(call.size()) + ">" + call +
                " <gridsquare:4>jo31 <mode:4>MFSK <submode:6>MSK144 <qso_date:8>20120812"
                " <time_on:6>" +
                time + " <band:2>2m <freq:10>144.360000 <eor>\n";
    }
    return text;
}

// Reports the records done down a pipe.
class PipeProgress : public SilentProgress {
  public:
    explicit PipeProgress(int fd) : fd_(fd) {}
    void Advance(std::int32_t position) override {
        if (write(fd_, &position, sizeof position) != sizeof position) _exit(4);
    }

  private:
    int fd_;
};

struct Imported {
    AdifImportResult result;
    std::int32_t recordsBefore = 0;
};

// Opens the log of entry 1 and imports `file` with the standard mapping.
Imported ImportIntoLog(const AdifFile& file, PassProgress& progress) {
    LogSession session = SprintSession();
    const PanelLayout layout = LayoutOf(session, contest::ContestExtra{});
    EntryState state;
    PrepareNewContact(session, state, layout);
    std::vector<AdifLogField> fields = AdifLogFields(session.definition);
    MapStandardAdifFields(fields, session.definition, file);
    Imported imported;
    imported.recordsBefore = session.log->RecordCount();
    imported.result = ImportAdif(session, state, layout, file, fields,
                                 PanelOf(state.contact, session), {}, progress);
    return imported;
}

// The log of a scratch directory and the large file for it.
class AdifImportKill : public testing::Test {
  protected:
    void SetUp() override {
        radio::ResetProgramValues();
        radio::Program().RunDir = dir_.RunDir();
        ASSERT_EQ(file_.Records.size(), static_cast<std::size_t>(kRecords));
    }
    void TearDown() override { radio::ResetProgramValues(); }

    // Opens the log the interrupted import left through `disk`: it holds at
    // least the `flushed` contacts and at most `atMost`, agrees with its
    // indexes, and the import run again stores exactly the rest.
    void ReopenAndImportAgain(std::shared_ptr<platform::FileSystem> disk, std::int32_t flushed,
                              std::int32_t atMost) {
        ASSERT_EQ(store::InitFiles(0, 160, 32, std::move(disk)), 0);
        ASSERT_TRUE(OpenContestLog(1));
        const std::int32_t kept = OpenLog()->RecordCount();
        EXPECT_GE(kept, flushed);
        EXPECT_LE(kept, atMost);
        const store::test::Contents contents = store::test::ReadAndCheck(*OpenLog());
        EXPECT_TRUE(contents.problems.empty()) << contents.problems.front();

        SilentProgress progress;
        const Imported again = ImportIntoLog(file_, progress);
        EXPECT_EQ(again.recordsBefore, kept);
        EXPECT_EQ(again.result.duplicates, kept);
        EXPECT_EQ(again.result.imported, kRecords - kept);
        std::set<std::string> calls;
        store::TFileblockObject& log = *OpenLog();
        for (int level = log.First(kByNummer); level == 0; level = log.Next(kByNummer))
            calls.insert(BufferRecord(log).Call());
        EXPECT_EQ(calls.size(), static_cast<std::size_t>(kRecords));
        EXPECT_EQ(log.RecordCount(), kRecords);
        CloseContestLog();
        EXPECT_EQ(store::ExitFiles(), 0);
    }

    mss::test::TempDir dir_;
    platform::ScriptedMessages messages_;
    platform::ScopedMessages install_{messages_};
    const AdifFile file_ = ReadAdif(LargeFile());
};

std::int32_t Flushed(std::int32_t done) {
    return done / BatchedFlush::kBatch * BatchedFlush::kBatch;
}

TEST_F(AdifImportKill, AKilledImportKeepsItsFlushedBatchesAndARunAgainStoresTheRest) {
    int report[2];
    ASSERT_EQ(pipe(report), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(report[0]);
        if (store::InitFiles(0, 160, 32) != 0 || !OpenContestLog(1)) _exit(2);
        PipeProgress progress(report[1]);
        (void)ImportIntoLog(file_, progress);
        _exit(3);
    }
    close(report[1]);
    std::int32_t done = 0;
    while (done < kKillAfter && read(report[0], &done, sizeof done) == sizeof done) {
    }
    kill(child, SIGKILL);
    close(report[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the importing child ended by itself: " << status;
    ASSERT_GE(done, kKillAfter);
    ReopenAndImportAgain(nullptr, Flushed(done), kRecords - 1);
}

// Cuts the power when the import reports the records done, and stops it.
class PowerCutProgress : public SilentProgress {
  public:
    struct Cut {};
    explicit PowerCutProgress(platform::FaultInjectingFileSystem& disk) : disk_(disk) {}
    void Advance(std::int32_t position) override {
        if (position < kKillAfter) return;
        disk_.SimulatePowerLoss();
        throw Cut{};
    }

  private:
    platform::FaultInjectingFileSystem& disk_;
};

TEST_F(AdifImportKill, APowerLossKeepsTheFlushedBatchesAndARunAgainStoresTheRest) {
    auto disk = std::make_shared<platform::FaultInjectingFileSystem>(platform::DefaultFileSystem());
    ASSERT_EQ(store::InitFiles(0, 160, 32, disk), 0);
    ASSERT_TRUE(OpenContestLog(1));
    PowerCutProgress cut(*disk);
    EXPECT_THROW((void)ImportIntoLog(file_, cut), PowerCutProgress::Cut);
    CloseContestLog();
    (void)store::ExitFiles();  // the files died with the power
    ReopenAndImportAgain(disk, Flushed(kKillAfter), kKillAfter);
}

}  // namespace
}  // namespace mss::log::test

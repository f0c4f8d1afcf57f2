// Failed writes, failed commits and power losses under the engine, through
// the fault-injecting file system.
#include "StoreTestSupport.h"
#include "platform/FaultInjectingFileSystem.h"
#include "platform/PosixFileSystem.h"

namespace mss::store::test {
namespace {

constexpr std::int32_t kRecLen = 32;

class EngineFaultTest : public StoreTest {
  protected:
    void UseFaultyFileSystem(int buffers = 160) {
        fs_ = std::make_shared<platform::FaultInjectingFileSystem>(
            std::make_shared<platform::PosixFileSystem>());
        RestartEngine(fs_, buffers);
        const KeyDefinition keys[] = {{5, false}, {8, true}};
        ASSERT_EQ(CreateFileblock(Base("P"), kRecLen, keys), kOk);
        ASSERT_EQ(OpenFileblock(Base("P"), false, fb_), kOk);
    }
    void AddKeyed(int i) {
        RecordRef ref = 0;
        ASSERT_EQ(AddRecord(fb_, Record(kRecLen, static_cast<std::uint8_t>(i)), ref), kOk);
        ASSERT_EQ(AddKey(fb_, 1, ref, IntToKey(i)), kOk);
        ASSERT_EQ(AddKey(fb_, 2, ref, "G" + std::to_string(i % 5)), kOk);
    }
    // Loses the power, then restarts the engine on the same disk.
    EngineCode PowerLossAndReopen() {
        fs_->SimulatePowerLoss();
        (void)ExitEngine();  // the dead handles fail to write; nothing reaches the disk
        fs_->ClearFaults();
        RestartEngine(fs_);
        return OpenFileblock(Base("P"), false, fb_);
    }

    std::shared_ptr<platform::FaultInjectingFileSystem> fs_;
    Fileblock fb_;
};

TEST_F(EngineFaultTest, FailedWriteOfAnAppendedRecordGivesTheSlotBack) {
    UseFaultyFileSystem();
    AddKeyed(1);
    fs_->FailWritesAfter(10);
    RecordRef ref = 0;
    EXPECT_EQ(AddRecord(fb_, Record(kRecLen, 2), ref), kShortWrite);
    EXPECT_EQ(LastOsFailure().op, FileOp::Write);
    fs_->ClearFaults();
    ASSERT_EQ(AddRecord(fb_, Record(kRecLen, 2), ref), kOk);
    EXPECT_EQ(ref, 2);
}

TEST_F(EngineFaultTest, FailedWriteOfAReusedRecordPutsTheSlotBackOnTheChain) {
    UseFaultyFileSystem();
    for (int i = 1; i <= 3; ++i) AddKeyed(i);
    ASSERT_EQ(DeleteRecord(fb_, 2), kOk);
    fs_->FailWritesAfter(0);
    RecordRef ref = 0;
    EXPECT_EQ(AddRecord(fb_, Record(kRecLen, 9), ref), kShortWrite);
    fs_->ClearFaults();
    std::int32_t used = 0;
    ASSERT_EQ(CountUsedRecords(fb_, used), kOk);
    EXPECT_EQ(used, 2);
    ASSERT_EQ(AddRecord(fb_, Record(kRecLen, 9), ref), kOk);
    EXPECT_EQ(ref, 2);
}

TEST_F(EngineFaultTest, ReusedSlotWrittenOnlyInPartStaysFreeWithItsLink) {
    UseFaultyFileSystem();
    for (int i = 1; i <= 3; ++i) AddKeyed(i);
    ASSERT_EQ(DeleteRecord(fb_, 2), kOk);
    std::int32_t freeLink = 0;
    ASSERT_EQ(GetDeleteMark(fb_, 2, freeLink), kOk);
    ASSERT_NE(freeLink, 0);
    fs_->FailWritesAfter(kRecLen / 2);
    RecordRef ref = 0;
    EXPECT_EQ(AddRecord(fb_, Record(kRecLen, 9), ref), kShortWrite);
    fs_->ClearFaults();
    std::int32_t mark = 0;
    ASSERT_EQ(GetDeleteMark(fb_, 2, mark), kOk);
    EXPECT_EQ(mark, freeLink);  // still free, still chained: a rebuild skips it
    ASSERT_EQ(AddRecord(fb_, Record(kRecLen, 9), ref), kOk);
    EXPECT_EQ(ref, 2);
    std::vector<std::uint8_t> read(kRecLen);
    ASSERT_EQ(GetRecord(fb_, 2, read), kOk);
    EXPECT_EQ(read, Record(kRecLen, 9));
}

TEST_F(EngineFaultTest, FlushCommitsDataAndIndexFiles) {
    UseFaultyFileSystem();
    const int before = fs_->SyncCount();
    ASSERT_EQ(FlushFileblock(fb_), kOk);
    EXPECT_EQ(fs_->SyncCount(), before);  // nothing changed, nothing to commit
    AddKeyed(1);
    ASSERT_EQ(FlushFileblock(fb_), kOk);
    EXPECT_GE(fs_->SyncCount(), before + 3);  // records + mark, index, clean header
    const int afterAdd = fs_->SyncCount();
    ASSERT_EQ(PutRecord(fb_, 1, Record(kRecLen, 4)), kOk);  // not a marked change
    ASSERT_EQ(FlushFileblock(fb_), kOk);
    EXPECT_EQ(fs_->SyncCount(), afterAdd + 1);  // ... but still committed: the data file alone
}

TEST_F(EngineFaultTest, FlushedRecordsAndKeysSurviveAPowerLoss) {
    // With 8 buffers pages are written (and the mark committed) long before
    // the flush, which then has records of its own left to commit.
    for (int buffers : {8, 160}) {
        SCOPED_TRACE(buffers);
        UseFaultyFileSystem(buffers);
        for (int i = 0; i < 300; ++i) AddKeyed(i);
        ASSERT_EQ(FlushFileblock(fb_), kOk);
        ASSERT_EQ(PowerLossAndReopen(), kOk);
        std::int32_t count = 0;
        ASSERT_EQ(CountUsedRecords(fb_, count), kOk);
        EXPECT_EQ(count, 300);
        for (int k = 1; k <= 2; ++k) {
            ASSERT_EQ(CountKeys(fb_, k, count), kOk);
            EXPECT_EQ(count, 300);
        }
        RecordRef ref = 0;
        ASSERT_EQ(FindKey(fb_, 1, IntToKey(299), ref), kOk);
        std::vector<std::uint8_t> out(kRecLen);
        ASSERT_EQ(GetRecord(fb_, ref, out), kOk);
        EXPECT_EQ(out[10], 299 % 256);
        ASSERT_EQ(CloseFileblock(fb_), kOk);
        CheckTree(PathOf("P.IX"), {5, 8}, 1);
        TearDown();
        SetUp();
    }
}

TEST_F(EngineFaultTest, UnflushedChangesNeverLeaveAnIndexThatLooksClean) {
    // A small cache writes index pages long before the flush; whatever the
    // power loss leaves must either be the flushed state or be marked in use.
    for (int buffers : {8, 160}) {
        UseFaultyFileSystem(buffers);
        for (int i = 0; i < 200; ++i) AddKeyed(i);
        ASSERT_EQ(FlushFileblock(fb_), kOk);
        for (int i = 200; i < 2000; ++i) AddKeyed(i);
        for (int i = 0; i < 100; ++i) ASSERT_EQ(DeleteKey(fb_, 1, 0, IntToKey(i)), kOk);
        EngineCode code = PowerLossAndReopen();
        if (buffers == 8) {
            EXPECT_EQ(code, kNotClosedProperly);  // pages reached the disk: mark is durable
        }
        if (code == kOk) {
            std::int32_t count = 0;
            ASSERT_EQ(CountKeys(fb_, 1, count), kOk);
            EXPECT_EQ(count, 200);
            ASSERT_EQ(CloseFileblock(fb_), kOk);
            TreeReport report = CheckTree(PathOf("P.IX"), {5, 8}, 1);
            EXPECT_EQ(report.entryCount, 200);
        } else {
            EXPECT_EQ(code, kNotClosedProperly);
        }
        TearDown();
        SetUp();
    }
}

TEST_F(EngineFaultTest, IndexChangeThatFailedHalfWayKeepsTheFileblockMarkedInUse) {
    UseFaultyFileSystem();
    for (int i = 0; i < 62; ++i) ASSERT_EQ(AddKey(fb_, 1, i + 1, IntToKey(i)), kOk);
    fs_->FailWritesAfter(0);  // the split needs a new row
    EXPECT_EQ(AddKey(fb_, 1, 63, IntToKey(62)), kShortWrite);
    fs_->ClearFaults();
    EXPECT_EQ(CloseFileblock(fb_), kShortRead);
    EXPECT_EQ(ReadFileBytes(PathOf("P.DAT"))[20], 1);
    EXPECT_EQ(OpenFileblock(Base("P"), false, fb_), kNotClosedProperly);
}

TEST_F(EngineFaultTest, FailedCommitLeavesTheFileblockMarkedInUse) {
    UseFaultyFileSystem();
    AddKeyed(1);
    fs_->FailSyncs(true);
    EXPECT_EQ(FlushFileblock(fb_), kOsFailure);
    EXPECT_EQ(LastOsFailure().op, FileOp::Flush);
    EXPECT_EQ(PowerLossAndReopen(), kNotClosedProperly);
}

TEST_F(EngineFaultTest, ResizingThePageCacheBetweenChangesKeepsEveryEntry) {
    UseFaultyFileSystem(8);
    // Each step adds entries, some on a larger cache for a while, then sets
    // the size: shrinking must write what only the dropped buffers held.
    struct Step {
        int scoped;  // 0 = no larger cache while adding
        int size;
    };
    const Step steps[] = {{0, 400}, {0, 8}, {3000, 2000}, {50, 9}, {0, 8}};
    int added = 0;
    for (const Step& step : steps) {
        const int before = PageBufferCount();
        {
            const ScopedPageBuffers bulk(step.scoped);
            EXPECT_EQ(PageBufferCount(), std::max(step.scoped, before));
            for (int i = 0; i < 150; ++i) AddKeyed(++added);
        }
        EXPECT_EQ(PageBufferCount(), before);
        int obtained = 0;
        ASSERT_EQ(ResizePageCache(step.size, obtained), kOk);
        EXPECT_EQ(obtained, step.size);
    }
    ASSERT_EQ(CloseFileblock(fb_), kOk);
    const TreeReport numbers = CheckTree(PathOf("P.IX"), {5, 8}, 1);
    ASSERT_EQ(static_cast<int>(numbers.entries.size()), added);
    for (int i = 0; i < added; ++i) EXPECT_EQ(numbers.entries[i].ref, i + 1);
    EXPECT_EQ(static_cast<int>(CheckTree(PathOf("P.IX"), {5, 8}, 2).entries.size()), added);
}

TEST_F(EngineFaultTest, PageLostWhileTheCacheShrinksLeavesTheFileblockToBeRebuilt) {
    UseFaultyFileSystem(8);
    int obtained = 0;
    ASSERT_EQ(ResizePageCache(400, obtained), kOk);
    for (int i = 1; i <= 200; ++i) AddKeyed(i);
    fs_->FailWritesAfter(0);
    EXPECT_EQ(ResizePageCache(8, obtained), kShortWrite);
    EXPECT_EQ(obtained, 8);
    fs_->ClearFaults();
    EXPECT_EQ(CloseFileblock(fb_), kShortRead);
    EXPECT_EQ(ReadFileBytes(PathOf("P.DAT"))[20], 1);
    EXPECT_EQ(OpenFileblock(Base("P"), false, fb_), kNotClosedProperly);
}

}  // namespace
}  // namespace mss::store::test

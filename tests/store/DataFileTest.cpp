#include <array>
#include <filesystem>

#include "StoreTestSupport.h"

namespace mss::store::test {
namespace {

class DataFileTest : public StoreTest {
  protected:
    Fileblock CreateAndOpen(const std::string& name, std::int32_t recLen,
                            std::vector<KeyDefinition> keys = {}) {
        Fileblock fb;
        EXPECT_EQ(CreateFileblock(Base(name), recLen, keys), kOk);
        EXPECT_EQ(OpenFileblock(Base(name), false, fb), kOk);
        return fb;
    }
    RecordRef Add(Fileblock fb, std::uint8_t fill) {
        RecordRef ref = 0;
        EXPECT_EQ(AddRecord(fb, Record(100, fill), ref), kOk);
        return ref;
    }
};

TEST_F(DataFileTest, NewFileblockWithoutKeysIsOneHeaderSlot) {
    ASSERT_EQ(CreateFileblock(Base("T"), 100, {}), kOk);
    std::vector<std::uint8_t> bytes = ReadFileBytes(PathOf("T.DAT"));
    ASSERT_EQ(bytes.size(), 100u);
    const std::array<std::uint8_t, 21> header = {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0,
                                                 0,    100,  0,    0,    0, 0, 0, 0, 0, 0};
    EXPECT_TRUE(std::equal(header.begin(), header.end(), bytes.begin()));
    EXPECT_TRUE(std::all_of(bytes.begin() + 21, bytes.end(), [](auto b) { return b == 0; }));
    EXPECT_FALSE(std::filesystem::exists(PathOf("T.IX")));

    Fileblock fb;
    ASSERT_EQ(OpenFileblock(Base("T"), false, fb), kOk);
    RecordRef ref = 0;
    ASSERT_EQ(AddRecord(fb, Record(100, 7), ref), kOk);
    EXPECT_EQ(ref, 1);
    ASSERT_EQ(CloseFileblock(fb), kOk);
    bytes = ReadFileBytes(PathOf("T.DAT"));
    ASSERT_EQ(bytes.size(), 200u);
    EXPECT_EQ(Int32At(bytes, 0), -1);  // FirstFree
    EXPECT_EQ(Int32At(bytes, 4), 0);   // FreeCount
    EXPECT_EQ(Int32At(bytes, 8), 1);   // SlotCount
    EXPECT_EQ(bytes[20], 0);           // InUse
    EXPECT_EQ(bytes[150], 7);
}

TEST_F(DataFileTest, DeletedSlotsAreReusedLastInFirstOut) {
    Fileblock fb = CreateAndOpen("T", 100);
    for (std::uint8_t i = 1; i <= 3; ++i) EXPECT_EQ(Add(fb, i), i);
    ASSERT_EQ(DeleteRecord(fb, 1), kOk);
    ASSERT_EQ(DeleteRecord(fb, 3), kOk);
    std::int32_t used = 0;
    ASSERT_EQ(CountUsedRecords(fb, used), kOk);
    EXPECT_EQ(used, 1);
    ASSERT_EQ(FlushFileblock(fb), kOk);
    std::vector<std::uint8_t> bytes = ReadFileBytes(PathOf("T.DAT"));
    EXPECT_EQ(Int32At(bytes, 0), 3);
    EXPECT_EQ(Int32At(bytes, 4), 2);
    EXPECT_EQ(Int32At(bytes, 300), 1);  // slot 3 links to slot 1
    EXPECT_EQ(Int32At(bytes, 100), -1);
    EXPECT_EQ(bytes[350], 3);  // the rest of a deleted slot stays
    std::int32_t mark = 0;
    ASSERT_EQ(GetDeleteMark(fb, 3, mark), kOk);
    EXPECT_EQ(mark, 1);

    EXPECT_EQ(Add(fb, 9), 3);
    EXPECT_EQ(Add(fb, 9), 1);
    EXPECT_EQ(Add(fb, 9), 4);
    std::int32_t slots = 0;
    ASSERT_EQ(CountSlots(fb, slots), kOk);
    EXPECT_EQ(slots, 5);
    ASSERT_EQ(CountUsedRecords(fb, used), kOk);
    EXPECT_EQ(used, 4);
}

TEST_F(DataFileTest, ReferencesOutsideTheFileAreRefused) {
    Fileblock fb = CreateAndOpen("T", 100);
    Add(fb, 1);
    Add(fb, 2);
    EXPECT_EQ(DeleteRecord(fb, 0), kReferenceOutOfRange);
    EXPECT_EQ(DeleteRecord(fb, 3), kReferenceOutOfRange);
    EXPECT_FALSE(EngineOk());
    EXPECT_EQ(EngineError(), kReferenceOutOfRange);
    std::int32_t used = 0;
    ASSERT_EQ(CountUsedRecords(fb, used), kOk);
    EXPECT_TRUE(EngineOk());
    EXPECT_EQ(used, 2);
    EXPECT_EQ(PutRecord(fb, 0, Record(100, 1)), kWriteToReferenceZero);
    EXPECT_EQ(PutRecord(fb, 3, Record(100, 1)), kReferenceOutOfRange);
    std::vector<std::uint8_t> out(100);
    EXPECT_EQ(GetRecord(fb, 3, out), kShortRead);
    EXPECT_EQ(GetRecord(fb, 1000000, out), kShortRead);
    EXPECT_EQ(GetRecord(fb, -1, out), kShortRead);
}

TEST_F(DataFileTest, RecordsReadBackAsWrittenAndPutDoesNotMarkTheFile) {
    Fileblock fb = CreateAndOpen("T", 100);
    RecordRef ref = Add(fb, 5);
    ASSERT_EQ(FlushFileblock(fb), kOk);
    std::vector<std::uint8_t> changed = Record(100, 6);
    ASSERT_EQ(PutRecord(fb, ref, changed), kOk);
    EXPECT_EQ(ReadFileBytes(PathOf("T.DAT"))[20], 0);
    std::vector<std::uint8_t> out(100);
    ASSERT_EQ(GetRecord(fb, ref, out), kOk);
    EXPECT_EQ(out, changed);
    // A short record is padded with zeros.
    ASSERT_EQ(PutRecord(fb, ref, std::vector<std::uint8_t>(10, 0)), kOk);
    ASSERT_EQ(GetRecord(fb, ref, out), kOk);
    EXPECT_EQ(out, std::vector<std::uint8_t>(100, 0));
}

TEST_F(DataFileTest, InUseMarkIsSetByChangesAndClearedByFlushAndClose) {
    Fileblock fb = CreateAndOpen("T", 100);
    Add(fb, 1);
    EXPECT_EQ(ReadFileBytes(PathOf("T.DAT"))[20], 1);
    ASSERT_EQ(FlushFileblock(fb), kOk);
    EXPECT_EQ(ReadFileBytes(PathOf("T.DAT"))[20], 0);
    ASSERT_EQ(DeleteRecord(fb, 1), kOk);
    EXPECT_EQ(ReadFileBytes(PathOf("T.DAT"))[20], 1);
    ASSERT_EQ(CloseFileblock(fb), kOk);
    EXPECT_EQ(ReadFileBytes(PathOf("T.DAT"))[20], 0);
}

TEST_F(DataFileTest, UncleanFileblockOrMissingIndexFailsToOpen) {
    ASSERT_EQ(CreateFileblock(Base("T"), 100, {}), kOk);
    std::vector<std::uint8_t> bytes = ReadFileBytes(PathOf("T.DAT"));
    bytes[20] = 1;
    WriteFileBytes(PathOf("T.DAT"), bytes);
    Fileblock fb;
    EXPECT_EQ(OpenFileblock(Base("T"), false, fb), kNotClosedProperly);

    const KeyDefinition key{5, false};
    ASSERT_EQ(CreateFileblock(Base("K"), 100, {&key, 1}), kOk);
    std::filesystem::remove(PathOf("K.IX"));
    EXPECT_EQ(OpenFileblock(Base("K"), false, fb), kNotClosedProperly);
    EXPECT_EQ(OpenFileblock(Base("missing"), false, fb), kFileNotFound);
    EXPECT_EQ(OpenFileblock(Base("nodir/X"), false, fb), kPathNotFound);
    EXPECT_EQ(CreateFileblock(Base("nodir/X"), 100, {}), kPathNotFound);
    EXPECT_EQ(ErrorClass(EngineError()), 2);
}

TEST_F(DataFileTest, InvalidCreationsFailAndLeaveNoFiles) {
    EXPECT_EQ(CreateFileblock(Base("A"), 20, {}), kRecordLengthTooSmall);
    std::vector<KeyDefinition> many(111, KeyDefinition{5, false});
    EXPECT_EQ(CreateFileblock(Base("A"), 100, many), kTooManyKeys);
    const KeyDefinition longKey{51, false};
    EXPECT_EQ(CreateFileblock(Base("A"), 100, {&longKey, 1}), kBadKeyLength);
    const KeyDefinition emptyKey{0, false};
    EXPECT_EQ(CreateFileblock(Base("A"), 100, {&emptyKey, 1}), kBadKeyLength);
    EXPECT_TRUE(std::filesystem::is_empty(dir_));
    EXPECT_EQ(CreateFileblock(Base("A"), 21, {}), kOk);
    std::vector<KeyDefinition> most(110, KeyDefinition{1, true});
    EXPECT_EQ(CreateFileblock(Base("B"), 100, most), kOk);
}

TEST_F(DataFileTest, CreateReplacesOldFilesAndStaleJournal) {
    Fileblock fb = CreateAndOpen("T", 100);
    Add(fb, 1);
    ASSERT_EQ(CloseFileblock(fb), kOk);
    WriteFileBytes(PathOf("T.DIA"), {1, 2, 3});
    ASSERT_EQ(CreateFileblock(Base("T"), 50, {}), kOk);
    EXPECT_EQ(ReadFileBytes(PathOf("T.DAT")).size(), 50u);
    EXPECT_FALSE(std::filesystem::exists(PathOf("T.DIA")));
    ASSERT_EQ(DeleteFileblock(Base("T")), kOk);
    EXPECT_TRUE(std::filesystem::is_empty(dir_));
    EXPECT_EQ(DeleteFileblock(Base("T")), kOk);  // nothing left to delete is fine
}

TEST_F(DataFileTest, ReadOnlyFileblockRefusesWritesButReads) {
    const KeyDefinition key{5, false};
    ASSERT_EQ(CreateFileblock(Base("T"), 100, {&key, 1}), kOk);
    Fileblock fb;
    ASSERT_EQ(OpenFileblock(Base("T"), false, fb), kOk);
    RecordRef ref = 0;
    ASSERT_EQ(AddRecord(fb, Record(100, 4), ref), kOk);
    ASSERT_EQ(AddKey(fb, 1, ref, "A"), kOk);
    ASSERT_EQ(CloseFileblock(fb), kOk);

    ASSERT_EQ(OpenFileblock(Base("T"), true, fb), kOk);
    EXPECT_EQ(AddRecord(fb, Record(100, 1), ref), kReadOnly);
    EXPECT_EQ(DeleteRecord(fb, 1), kReadOnly);
    EXPECT_EQ(PutRecord(fb, 1, Record(100, 1)), kReadOnly);
    EXPECT_EQ(AddKey(fb, 1, 1, "B"), kReadOnly);
    EXPECT_EQ(DeleteKey(fb, 1, 1, "A"), kReadOnly);
    EXPECT_EQ(AddVarRecord(fb, Record(10, 1), ref), kReadOnly);
    std::vector<std::uint8_t> out(100);
    EXPECT_EQ(GetRecord(fb, 1, out), kOk);
    EXPECT_EQ(out[50], 4);
    EXPECT_EQ(FindKey(fb, 1, "A", ref), kOk);
    EXPECT_EQ(CloseFileblock(fb), kOk);
}

TEST_F(DataFileTest, SecondOpenOfAnOpenFileblockFailsAndTouchesNothing) {
    const KeyDefinition key{5, false};
    ASSERT_EQ(CreateFileblock(Base("T"), 100, {&key, 1}), kOk);
    Fileblock fb;
    ASSERT_EQ(OpenFileblock(Base("T"), false, fb), kOk);
    RecordRef ref = 0;
    ASSERT_EQ(AddRecord(fb, Record(100, 4), ref), kOk);
    const auto before = ReadFileBytes(PathOf("T.DAT"));
    Fileblock second;
    EXPECT_EQ(OpenFileblock(Base("T"), false, second), kOsFailure);
    EXPECT_EQ(OpenFileblock(Base("T"), true, second), kOsFailure);
    EXPECT_EQ(LastOsFailure().op, FileOp::Open);
    EXPECT_EQ(CreateFileblock(Base("T"), 100, {}), kOsFailure);
    EXPECT_EQ(DeleteFileblock(Base("T")), kOsFailure);
    EXPECT_EQ(ReadFileBytes(PathOf("T.DAT")), before);
    ClearEngineDiagnostic();
    EXPECT_EQ(LastOsFailure().op, FileOp::None);
    ASSERT_EQ(CloseFileblock(fb), kOk);
    EXPECT_EQ(OpenFileblock(Base("T"), false, second), kOk);
}

TEST_F(DataFileTest, StaleAndUnknownHandlesAreRefused) {
    Fileblock fb = CreateAndOpen("T", 100);
    ASSERT_EQ(CloseFileblock(fb), kOk);
    RecordRef ref = 0;
    EXPECT_EQ(AddRecord(fb, Record(100, 1), ref), kNotAFileblock);
    EXPECT_EQ(CloseFileblock(fb), kNotOpen);
    EXPECT_EQ(FlushFileblock(Fileblock{9999}), kNotAFileblock);
    bool locked = true;
    EXPECT_EQ(IsRecordLocked(fb, 1, locked), kNotAFileblock);
}

TEST_F(DataFileTest, LockOperationsSucceedWithoutEffect) {
    Fileblock fb = CreateAndOpen("T", 100);
    EXPECT_EQ(LockRecord(fb, 1), kOk);
    EXPECT_EQ(LockFileblock(fb), kOk);
    EXPECT_EQ(LockAllFileblocks(), kOk);
    bool locked = true;
    EXPECT_EQ(IsRecordLocked(fb, 1, locked), kOk);
    EXPECT_FALSE(locked);
    locked = true;
    EXPECT_EQ(IsFileblockLocked(fb, locked), kOk);
    EXPECT_FALSE(locked);
    EXPECT_EQ(UnlockRecord(fb, 1), kOk);
    EXPECT_EQ(UnlockFileblock(fb), kOk);
    EXPECT_EQ(UnlockAllFileblocks(), kOk);
}

TEST_F(DataFileTest, EngineLifecycleIsChecked) {
    int obtained = 0;
    EXPECT_EQ(InitEngine(160, obtained), kAlreadyInitialised);
    Fileblock fb = CreateAndOpen("T", 100);
    RecordRef ref = Add(fb, 3);
    ASSERT_EQ(ExitEngine(), kOk);  // closes the open fileblock
    EXPECT_EQ(ReadFileBytes(PathOf("T.DAT"))[20], 0);
    EXPECT_EQ(ExitEngine(), kNotInitialised);
    EXPECT_EQ(AddRecord(fb, Record(100, 1), ref), kNotInitialised);
    EXPECT_EQ(CreateFileblock(Base("U"), 100, {}), kNotInitialised);
    EXPECT_EQ(InitEngine(7, obtained), kTooFewBuffersRequested);
    EXPECT_EQ(InitEngine(8, obtained), kOk);
    EXPECT_EQ(obtained, 8);
}

TEST_F(DataFileTest, FileNamesFollowTheBaseNameRules) {
    const KeyDefinition key{5, false};
    ASSERT_EQ(CreateFileblock(Base("Q.OLD"), 30, {&key, 1}), kOk);
    EXPECT_TRUE(std::filesystem::exists(PathOf("Q.DAT")));
    EXPECT_TRUE(std::filesystem::exists(PathOf("Q.IX")));
    std::filesystem::create_directory(dir_ / "sub.d");
    ASSERT_EQ(CreateFileblock(Base("sub.d/R") + ";" + Base("IDX"), 30, {&key, 1}), kOk);
    EXPECT_TRUE(std::filesystem::exists(PathOf("sub.d/R.DAT")));
    EXPECT_TRUE(std::filesystem::exists(PathOf("IDX.IX")));
    Fileblock fb;
    ASSERT_EQ(OpenFileblock(Base("sub.d/R") + ";" + Base("IDX"), false, fb), kOk);
    EXPECT_EQ(AddKey(fb, 1, 1, "K"), kOk);
    EXPECT_EQ(CloseFileblock(fb), kOk);
}

}  // namespace
}  // namespace mss::store::test

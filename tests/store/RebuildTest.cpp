#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "ObjectTestSupport.h"
#include "platform/Messages.h"
#include "platform/PosixFileSystem.h"
#include "store/Rebuild.h"
#include "store/RecordStore.h"

namespace mss::store::test {
namespace {

constexpr std::int32_t kRecLen = 32;

// Key 1: the 6-byte code at offset 8; duplicates as the test decides.
std::string CodeKey(std::span<const std::uint8_t> record, int keyNr) {
    if (keyNr != 1) return {};
    return std::string(reinterpret_cast<const char*>(record.data() + 8), 6);
}

SharedDefinition CodeDefinition(const std::string& dir, bool dups, int keyLen = 6) {
    SharedDefinition d;
    d.object.logicalName = "CODES";
    d.object.fileName = dir + "CODES";
    d.object.recLen = kRecLen;
    d.object.keyCount = 1;
    d.object.keyBuilder = CodeKey;
    d.keys = {{keyLen, dups}};
    return d;
}

int AddCode(TFileblockObject& object, const char* code) {
    object.ClearRecord();
    std::memcpy(object.RecordBuffer().data() + 8, code, 6);
    return object.Add();
}

std::string CodeOf(const TFileblockObject& object) {
    return std::string(reinterpret_cast<const char*>(object.RecordBuffer().data() + 8), 6);
}

DataHeader HeaderOf(const std::string& path) {
    std::vector<std::uint8_t> bytes = ReadBytes(path);
    bytes.resize(std::max<std::size_t>(bytes.size(), kDataHeaderSize));
    return DecodeDataHeader(
        std::span<const std::uint8_t, kDataHeaderSize>(bytes.data(), kDataHeaderSize));
}

// Slot order of the live records.
std::vector<std::pair<RecordRef, std::string>> SlotOrder(TFileblockObject& object) {
    std::vector<std::pair<RecordRef, std::string>> order;
    for (RecordRef from = 1; object.GotoPosition({0, from, "", &object}, 2) == 0;) {
        from = object.SavePosition(0).ref;
        order.emplace_back(from, CodeOf(object));
        ++from;
    }
    return order;
}

using RebuildTest = ObjectLayerTest;

TEST_F(RebuildTest, DeletedSlotsAreDroppedAndRecordsRenumberedInTheirOldOrder) {
    auto object = CreateDefined(CodeDefinition(dir_.Dir(), true));
    for (const char* code : {"EEEEEE", "DDDDDD", "CCCCCC", "BBBBBB", "AAAAAA"})
        ASSERT_EQ(AddCode(*object, code), 0);
    for (RecordRef ref : {2, 4}) {
        ASSERT_EQ(object->Read(ref), 0);
        ASSERT_EQ(object->Delete(0), 0);
    }
    object.reset();
    std::filesystem::remove(dir_.Path("CODES.IX"));

    object = CreateDefined(CodeDefinition(dir_.Dir(), true));
    using Order = std::vector<std::pair<RecordRef, std::string>>;
    EXPECT_EQ(SlotOrder(*object), (Order{{1, "EEEEEE"}, {2, "CCCCCC"}, {3, "AAAAAA"}}));
    EXPECT_EQ(object->EntryCount(1), 3);
    object.reset();
    const DataHeader header = HeaderOf(dir_.Path("CODES.DAT"));
    EXPECT_EQ(header.freeCount, 0);
    EXPECT_EQ(header.firstFree, -1);
    EXPECT_EQ(header.slotCount, 3);
    EXPECT_EQ(header.inUse, 0);
    EXPECT_FALSE(std::filesystem::exists(dir_.Path("CODES.SAV")));
}

TEST_F(RebuildTest, RecordsDuplicatingAUniqueKeyGoToTheDumpFile) {
    auto object = CreateDefined(CodeDefinition(dir_.Dir(), true));
    ASSERT_EQ(AddCode(*object, "SAMEAA"), 0);
    ASSERT_EQ(AddCode(*object, "SAMEAA"), 0);
    ASSERT_EQ(AddCode(*object, "OTHERB"), 0);
    ASSERT_EQ(object->Read(1), 0);
    const std::vector<std::uint8_t> kept(object->RecordBuffer().begin(),
                                         object->RecordBuffer().end());
    ASSERT_EQ(object->Read(2), 0);
    const std::vector<std::uint8_t> rejected(object->RecordBuffer().begin(),
                                             object->RecordBuffer().end());
    object.reset();
    platform::ScriptedMessages messages;
    platform::ScopedMessages installed(messages);
    InstallErrorRegister(std::make_unique<TErrorHandler>());

    // The program now wants key 1 without duplicates: the layout changed.
    object = CreateDefined(CodeDefinition(dir_.Dir(), false));
    ASSERT_EQ(object->RecordCount(), 2);
    using Order = std::vector<std::pair<RecordRef, std::string>>;
    EXPECT_EQ(SlotOrder(*object), (Order{{1, "SAMEAA"}, {3, "OTHERB"}}));
    std::string expected =
        "Key:<SAMEAA> KeyNr: 1 Ref: 2 not added\r\nData record deleted - Dump follows\r\n";
    expected.append(rejected.begin(), rejected.end());
    // Either of the two may be the damaged one: the one that stays is shown too.
    expected += "\r\n\r\nKey:<SAMEAA> KeyNr: 1 Ref: 1 kept\r\nData record kept - Dump follows\r\n";
    expected.append(kept.begin(), kept.end());
    expected += "\r\n\r\n";
    const std::vector<std::uint8_t> dump = ReadBytes(dir_.Path("CODES.MSG"));
    EXPECT_EQ(std::string(dump.begin(), dump.end()), expected);
    Contents c = ReadAndCheck(*object);
    EXPECT_TRUE(c.problems.empty());
    ASSERT_EQ(messages.shown().size(), 1u) << "the user is told";
    EXPECT_EQ(messages.LastText(), SetAsideMessage("CODES", 1, dir_.Path("CODES.MSG"), true));
    object.reset();
    InstallErrorRegister(nullptr);
}

TEST_F(RebuildTest, ALeftoverSavFileStopsTheReorganisationAndChangesNothing) {
    auto object = CreateDefined(CodeDefinition(dir_.Dir(), true));
    ASSERT_EQ(AddCode(*object, "AAAAAA"), 0);
    object.reset();
    const std::vector<std::uint8_t> data = ReadBytes(dir_.Path("CODES.DAT"));
    WriteBytes(dir_.Path("CODES.SAV"), {1, 2, 3});
    EXPECT_EQ(ReorganiseDataFile(StoreFileSystem(), dir_.Path("CODES"), kRecLen, false),
              rebuilderr::kUnfinishedReorganisation);
    EXPECT_EQ(ReadBytes(dir_.Path("CODES.DAT")), data);
    EXPECT_EQ(ReadBytes(dir_.Path("CODES.SAV")), (std::vector<std::uint8_t>{1, 2, 3}));

    // Through an object that finds its index missing, the same stop is fatal.
    std::filesystem::remove(dir_.Path("CODES.IX"));
    object = CreateDefined(CodeDefinition(dir_.Dir(), true));
    EXPECT_EQ(object->First(1), 4);
    EXPECT_EQ(Errors().Worst()->code, rebuilderr::kUnfinishedReorganisation);
    EXPECT_EQ(ReadBytes(dir_.Path("CODES.DAT")), data);
}

TEST_F(RebuildTest, APartlyWrittenTrailingSlotIsDroppedAndTheLogOpens) {
    auto object = CreateDefined(CodeDefinition(dir_.Dir(), true));
    for (const char* code : {"AAAAAA", "BBBBBB", "CCCCCC"}) ASSERT_EQ(AddCode(*object, code), 0);
    object.reset();
    // A fourth record whose append was cut off after 20 bytes, while the
    // file was marked as in use.
    std::vector<std::uint8_t> data = ReadBytes(dir_.Path("CODES.DAT"));
    data[20] = 1;
    data.insert(data.end(), 20, 0);
    std::memcpy(data.data() + data.size() - 12, "DDDDDD", 6);
    WriteBytes(dir_.Path("CODES.DAT"), data);

    object = CreateDefined(CodeDefinition(dir_.Dir(), true));
    using Order = std::vector<std::pair<RecordRef, std::string>>;
    EXPECT_EQ(SlotOrder(*object), (Order{{1, "AAAAAA"}, {2, "BBBBBB"}, {3, "CCCCCC"}}));
    EXPECT_EQ(object->EntryCount(1), 3);
    object.reset();
    EXPECT_EQ(ReadBytes(dir_.Path("CODES.DAT")).size(), 4u * kRecLen);
}

TEST_F(RebuildTest, AMissingDataFileIsTakenFromTheSavFileNotCreatedEmpty) {
    auto object = CreateDefined(CodeDefinition(dir_.Dir(), true));
    for (const char* code : {"AAAAAA", "BBBBBB"}) ASSERT_EQ(AddCode(*object, code), 0);
    object.reset();
    std::filesystem::rename(dir_.Path("CODES.DAT"), dir_.Path("CODES.SAV"));
    object = CreateDefined(CodeDefinition(dir_.Dir(), true));
    EXPECT_EQ(object->RecordCount(), 2);
    ASSERT_EQ(object->Find(1, "BBBBBB"), 0);
    EXPECT_FALSE(std::filesystem::exists(dir_.Path("CODES.SAV")));
}

TEST_F(RebuildTest, AChangedKeyLengthRebuildsTheIndexOnFirstUse) {
    auto object = CreateDefined(CodeDefinition(dir_.Dir(), true, 6));
    for (const char* code : {"BBBBBB", "AAAAAA"}) ASSERT_EQ(AddCode(*object, code), 0);
    object.reset();
    int starts = 0;
    SharedDefinition longer = CodeDefinition(dir_.Dir(), true, 10);
    object = CreateDefined(longer);
    ASSERT_EQ(object->SetProgressHook([&](const Progress& p) {
        starts += p.type == 0;
        return true;
    }),
              0);
    ASSERT_EQ(object->First(1), 0);
    EXPECT_EQ(CodeOf(*object), "AAAAAA");
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(object->EntryCount(1), 2);
}

TEST_F(RebuildTest, TheProgressHookSeesEveryRecordAndCanStopTheRun) {
    auto object = CreateDefined(CodeDefinition(dir_.Dir(), true));
    for (const char* code : {"AAAAAA", "BBBBBB", "CCCCCC"}) ASSERT_EQ(AddCode(*object, code), 0);
    object.reset();
    RebuildDefinition d;
    d.baseName = dir_.Path("CODES");
    d.recLen = kRecLen;
    d.keys = {{6, true}};
    d.keyBuilder = CodeKey;
    std::vector<std::pair<int, int>> seen;  // (type, keyNr)
    d.progress = [&](const Progress& p) {
        seen.emplace_back(p.type, p.keyNr);
        return true;
    };
    ASSERT_EQ(RebuildFileblock(StoreFileSystem(), d), kOk);
    const std::vector<std::pair<int, int>> expected = {{0, 0}, {1, 0}, {1, 0}, {1, 0},
                                                       {1, 1}, {1, 1}, {1, 1}, {2, 0}};
    EXPECT_EQ(seen, expected);
    d.progress = [](const Progress& p) { return p.type != 1; };
    EXPECT_EQ(RebuildFileblock(StoreFileSystem(), d), rebuilderr::kStoppedByHook);
    EXPECT_TRUE(std::filesystem::exists(dir_.Path("CODES.DAT"))) << "moved back from SAV";
    EXPECT_FALSE(std::filesystem::exists(dir_.Path("CODES.SAV")));
}

TEST_F(RebuildTest, ADamagedDataFileIsRefusedByTheIndexRebuild) {
    auto object = CreateDefined(CodeDefinition(dir_.Dir(), true));
    ASSERT_EQ(AddCode(*object, "AAAAAA"), 0);
    object.reset();
    std::vector<std::uint8_t> data = ReadBytes(dir_.Path("CODES.DAT"));
    data.resize(data.size() + 5);
    WriteBytes(dir_.Path("CODES.DAT"), data);
    RebuildDefinition d;
    d.baseName = dir_.Path("CODES");
    d.recLen = kRecLen;
    d.keys = {{6, true}};
    d.keyBuilder = CodeKey;
    EXPECT_EQ(RebuildIndexes(StoreFileSystem(), d), rebuilderr::kDataFileDamaged);
}

}  // namespace
}  // namespace mss::store::test

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "ObjectTestSupport.h"
#include "platform/FaultInjectingFileSystem.h"
#include "platform/Messages.h"
#include "platform/PosixFileSystem.h"

namespace mss::store::test {
namespace {

// A small fileblock: key 1 the auto-numbered record number (unique), key 2 a
// 10-byte name at offset 8; byte 30 belongs to no key.
constexpr std::int32_t kSmallRecLen = 40;

std::string SmallKey(std::span<const std::uint8_t> record, int keyNr) {
    if (keyNr == 1) return IntToKey(DecodeFixed32(record.data() + 4));
    if (keyNr == 2) return std::string(reinterpret_cast<const char*>(record.data() + 8), 10);
    return {};
}

SharedDefinition SmallDefinition(const std::string& dir, const std::string& name,
                                 int nameKeyLen = 10, bool nameDups = true) {
    SharedDefinition d;
    d.object.logicalName = name;
    d.object.fileName = dir + name;
    d.object.recLen = kSmallRecLen;
    d.object.keyCount = 2;
    d.object.keyBuilder = SmallKey;
    d.keys = {{5, false}, {nameKeyLen, nameDups}};
    d.autoNumbers = {{1, 4}};
    return d;
}

void SetName(TFileblockObject& object, const char* name) {
    auto buffer = object.RecordBuffer();
    std::memset(buffer.data() + 8, ' ', 10);
    std::memcpy(buffer.data() + 8, name, std::strlen(name));
}

std::string NameOf(const TFileblockObject& object) {
    auto buffer = object.RecordBuffer();
    std::string name(reinterpret_cast<const char*>(buffer.data() + 8), 10);
    return name.substr(0, name.find_last_not_of(' ') + 1);
}

std::int32_t NumberIn(const TFileblockObject& object) {
    return DecodeFixed32(object.RecordBuffer().data() + 4);
}

int AddNamed(TFileblockObject& object, const char* name) {
    object.ClearRecord();
    SetName(object, name);
    return object.Add();
}

using FileblockObjectTest = ObjectLayerTest;

TEST_F(FileblockObjectTest, MissingFilesAreCreatedWithoutAQuestionAndFirstFindsNothing) {
    platform::ScriptedMessages messages;
    platform::ScopedMessages installed(messages);
    auto object = CreateDefined(SmallDefinition(dir_.Dir(), "NEW"));
    ASSERT_TRUE(object);
    EXPECT_EQ(object->First(1), 1);
    EXPECT_TRUE(std::filesystem::exists(dir_.Path("NEW.DAT")));
    EXPECT_TRUE(std::filesystem::exists(dir_.Path("NEW.IX")));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(FileblockObjectTest, AutoNumbersContinueFromTheHighestExistingNumber) {
    auto object = CreateDefined(SmallDefinition(dir_.Dir(), "NUM"));
    ASSERT_EQ(AddNamed(*object, "A"), 0);
    EXPECT_EQ(NumberIn(*object), 1);
    ASSERT_EQ(AddNamed(*object, "B"), 0);
    EXPECT_EQ(NumberIn(*object), 2);
    ASSERT_EQ(object->Delete(0), 0);
    ASSERT_EQ(AddNamed(*object, "C"), 0);
    EXPECT_EQ(NumberIn(*object), 2) << "the highest existing number plus one";
    ASSERT_EQ(object->Find(1, IntToKey(1)), 0);
    ASSERT_EQ(object->Delete(0), 0);
    ASSERT_EQ(AddNamed(*object, "D"), 0);
    EXPECT_EQ(NumberIn(*object), 3);
}

TEST_F(FileblockObjectTest, DuplicateOnAUniqueKeyLeavesNothingStored) {
    // Key 2 without duplicates: a second "SAME" is refused as not added.
    auto object = CreateDefined(SmallDefinition(dir_.Dir(), "DUP", 10, false));
    ASSERT_EQ(AddNamed(*object, "SAME"), 0);
    EXPECT_EQ(AddNamed(*object, "SAME"), 1);
    ASSERT_NE(Errors().Worst(), nullptr);
    EXPECT_EQ(Errors().Worst()->code, kEntryExists);
    EXPECT_EQ(Errors().Worst()->keyNr, 2);
    EXPECT_EQ(object->RecordCount(), 1);
    EXPECT_EQ(object->EntryCount(1), 1) << "the auto-number key of the refused record is gone";
    EXPECT_EQ(object->EntryCount(2), 1);
    // The refused record's slot is free again and reused by the next add.
    ASSERT_EQ(AddNamed(*object, "OTHER"), 0);
    EXPECT_EQ(object->SavePosition(0).ref, 2);
    EXPECT_TRUE(ReadAndCheck(*object).problems.empty());
}

TEST_F(FileblockObjectTest, UpdateTouchesOnlyChangedKeysAndWritesNothingWhenUnchanged) {
    auto faulty = std::make_shared<platform::FaultInjectingFileSystem>(
        std::make_shared<platform::PosixFileSystem>());
    ASSERT_EQ(ExitFiles(), 0);
    ASSERT_EQ(InitFiles(0, 160, 32, faulty), 0);
    auto object = CreateDefined(SmallDefinition(dir_.Dir(), "UPD"));
    ASSERT_EQ(AddNamed(*object, "BRAVO"), 0);
    ASSERT_EQ(AddNamed(*object, "ALPHA"), 0);
    ASSERT_EQ(object->Find(2, "BRAVO     "), 0);

    std::int64_t before = faulty->BytesWritten();
    ASSERT_EQ(object->Update(), 0);
    EXPECT_EQ(faulty->BytesWritten(), before) << "an unchanged buffer writes nothing";

    object->RecordBuffer()[30] = 7;
    before = faulty->BytesWritten();
    ASSERT_EQ(object->Update(), 0);
    EXPECT_EQ(faulty->BytesWritten() - before, kSmallRecLen) << "the record only, no index page";

    SetName(*object, "CHARLIE");
    ASSERT_EQ(object->Update(), 0);
    ASSERT_EQ(object->First(2), 0);
    EXPECT_EQ(NameOf(*object), "ALPHA");
    ASSERT_EQ(object->Next(2), 0);
    EXPECT_EQ(NameOf(*object), "CHARLIE");
    EXPECT_EQ(object->RecordBuffer()[30], 7);
    EXPECT_EQ(object->Find(2, "BRAVO     "), 1);
    Contents c = ReadAndCheck(*object);
    EXPECT_TRUE(c.problems.empty()) << c.problems.front();
    object.reset();
}

TEST_F(FileblockObjectTest, UpdateRefusedByAUniqueKeyChangesNoIndex) {
    auto object = CreateDefined(SmallDefinition(dir_.Dir(), "UPU", 10, false));
    ASSERT_EQ(AddNamed(*object, "ONE"), 0);
    ASSERT_EQ(AddNamed(*object, "TWO"), 0);
    ASSERT_EQ(AddNamed(*object, "THREE"), 0);
    ASSERT_EQ(object->Find(2, "TWO       "), 0);
    SetName(*object, "ONE");
    EXPECT_EQ(object->Update(), 1);
    EXPECT_EQ(Errors().Worst()->code, kEntryExists);
    ASSERT_EQ(object->Find(2, "TWO       "), 0) << "the old key is still there";
    EXPECT_EQ(NameOf(*object), "TWO");
    Contents c = ReadAndCheck(*object);
    EXPECT_TRUE(c.problems.empty()) << c.problems.front();
}

TEST_F(FileblockObjectTest, DeleteWithMoveNextFollowsTheLastIndexUsed) {
    auto object = CreateDefined(SmallDefinition(dir_.Dir(), "DEL"));
    for (const char* name : {"C", "A", "B"}) ASSERT_EQ(AddNamed(*object, name), 0);
    ASSERT_EQ(object->First(2), 0);
    ASSERT_EQ(object->Next(2), 0);
    ASSERT_EQ(NameOf(*object), "B");
    ASSERT_EQ(object->Delete(3), 0);
    EXPECT_EQ(NameOf(*object), "C") << "the third record is current";
    EXPECT_EQ(object->Delete(3), 1) << "nothing after the last one";
    EXPECT_EQ(object->SavePosition(0).ref, -1);
    ASSERT_EQ(object->First(2), 0);
    EXPECT_EQ(NameOf(*object), "A");
    ASSERT_EQ(object->Delete(4), 1);
    EXPECT_EQ(object->RecordCount(), 0);
}

TEST_F(FileblockObjectTest, DeleteInSlotOrderMovesToTheNeighbouringLiveSlot) {
    auto object = CreateDefined(SmallDefinition(dir_.Dir(), "SLOT"));
    for (const char* name : {"A", "B", "C", "D"}) ASSERT_EQ(AddNamed(*object, name), 0);
    ASSERT_EQ(object->Read(2), 0);
    ASSERT_EQ(object->Delete(3), 0);
    EXPECT_EQ(NameOf(*object), "C");
    ASSERT_EQ(object->Delete(4), 0);
    EXPECT_EQ(NameOf(*object), "A");
    ASSERT_EQ(object->Delete(1), 0);
    EXPECT_EQ(NameOf(*object), "D");
    ASSERT_EQ(object->Delete(3), 1);
    EXPECT_EQ(Errors().Worst()->code, objerr::kNoFurtherSlot);
}

TEST_F(FileblockObjectTest, NavigationStepsInKeyOrderAndStopsAtBothEnds) {
    auto object = CreateDefined(SmallDefinition(dir_.Dir(), "NAV"));
    for (const char* name : {"M", "A", "Z", "M"}) ASSERT_EQ(AddNamed(*object, name), 0);
    ASSERT_EQ(object->Last(2), 0);
    EXPECT_EQ(NameOf(*object), "Z");
    std::vector<std::string> backwards{NameOf(*object)};
    while (object->Prev(2) == 0) backwards.push_back(NameOf(*object));
    EXPECT_EQ(backwards, (std::vector<std::string>{"Z", "M", "M", "A"}));
    EXPECT_EQ(NameOf(*object), "A") << "a failed step keeps the buffer";
    ASSERT_EQ(object->Search(2, "N"), 0);
    EXPECT_EQ(NameOf(*object), "Z");
    EXPECT_EQ(object->Search(2, "ZZ"), 1);
    EXPECT_EQ(object->CurrentRef(), -1) << "the register shows the failure";
    EXPECT_EQ(NameOf(*object), "Z") << "a failed search keeps the current record";
    ASSERT_EQ(object->Prev(2), 0);
    EXPECT_EQ(NameOf(*object), "M");
    ASSERT_EQ(object->Find(2, "M         "), 0);
    EXPECT_EQ(object->SavePosition(0).ref, 1) << "the first of the duplicates";
    ASSERT_EQ(object->Next(1), 0) << "another index from the same record";
    EXPECT_EQ(NumberIn(*object), 2);
}

TEST_F(FileblockObjectTest, StepsStayRightAfterAnotherObjectUsedTheEngine) {
    auto object = CreateDefined(SmallDefinition(dir_.Dir(), "STEP"));
    for (const char* name : {"A", "B", "C"}) ASSERT_EQ(AddNamed(*object, name), 0);
    ASSERT_EQ(object->First(2), 0);
    RecordRef ref = 0;
    std::string key;
    ASSERT_EQ(object->FindEntry(2, ref, key = "C         ", 1), 0) << "moves the engine's position";
    ASSERT_EQ(CloseAllFiles(), 0);
    ASSERT_EQ(object->Next(2), 0);
    EXPECT_EQ(NameOf(*object), "B");
}

TEST_F(FileblockObjectTest, SavedPositionsAreFoundAgainByMode) {
    auto object = CreateDefined(SmallDefinition(dir_.Dir(), "POS"));
    for (const char* name : {"A", "B", "C"}) ASSERT_EQ(AddNamed(*object, name), 0);
    ASSERT_EQ(object->Find(2, "B         "), 0);
    const SavedPosition saved = object->SavePosition(2);
    ASSERT_EQ(object->Delete(0), 0);
    EXPECT_EQ(object->GotoPosition(saved, 0), 1);
    EXPECT_EQ(Errors().Worst()->code, objerr::kPositionNotFound);
    ASSERT_EQ(object->GotoPosition(saved, 2), 0);
    EXPECT_EQ(NameOf(*object), "C");
    ASSERT_EQ(object->GotoPosition(saved, 4), 0);
    EXPECT_EQ(NameOf(*object), "A");
    ASSERT_EQ(object->Find(2, "C         "), 0);
    const SavedPosition last = object->SavePosition(2);
    ASSERT_EQ(object->Delete(0), 0);
    EXPECT_EQ(object->GotoPosition(last, 2), 1);
    ASSERT_EQ(object->GotoPosition(last, 1), 0) << "falls back to the previous entry";
    EXPECT_EQ(NameOf(*object), "A");
    EXPECT_EQ(object->GotoPosition({2, 0, "", object.get()}, 0), 0);
    EXPECT_EQ(object->SavePosition(0).ref, -1) << "reference 0 leaves no current record";
}

TEST_F(FileblockObjectTest, NextWithoutACurrentRecordIsFatalAndHaltsAfterTheReport) {
    auto object = CreateDefined(SmallDefinition(dir_.Dir(), "NEXT"));
    ASSERT_EQ(AddNamed(*object, "A"), 0);
    auto fresh = CreateDefined(SmallDefinition(dir_.Dir(), "NEXT2"));
    ASSERT_EQ(fresh->First(1), 1);
    bool filesOpenAtHalt = true;
    int halts = 0;
    SetFatalHalt([&] {
        ++halts;
        filesOpenAtHalt = object->FilesOpen() || fresh->FilesOpen();
    });
    EXPECT_EQ(fresh->Next(1), 5);
    EXPECT_EQ(Errors().Worst()->code, objerr::kNoCurrentRecord);
    EXPECT_EQ(halts, 1);
    EXPECT_FALSE(filesOpenAtHalt) << "every fileblock is closed before the program ends";
}

TEST_F(FileblockObjectTest, OperationsFromACallbackAreRefusedAsNested) {
    auto object = CreateDefined(SmallDefinition(dir_.Dir(), "NEST"));
    TFileblockObject* self = object.get();
    int nestedLevel = -1;
    ASSERT_EQ(object->SetQuestion(32,
                                  [&](std::string_view, int type) {
                                      nestedLevel = self->RecordCount() >= 0 ? 0 : ErrorLevel();
                                      return type == question::kCreateMissing;
                                  }),
              0);
    EXPECT_EQ(object->First(1), 5);
    EXPECT_EQ(nestedLevel, 5);
    EXPECT_EQ(Errors().Worst()->code, objerr::kNestedCall);
}

TEST_F(FileblockObjectTest, SharedOpeningCountsUsersAndTheLastCloseDestroys) {
    const SharedDefinition d = SmallDefinition(dir_.Dir(), "Shared");
    TFileblockObject* first = OpenShared(d);
    ASSERT_NE(first, nullptr);
    TFileblockObject* second = OpenShared(SmallDefinition(dir_.Dir(), "SHARED"));
    EXPECT_EQ(second, first) << "names compare upper-cased";
    EXPECT_EQ(first->UseCount(), 1);
    ASSERT_EQ(AddNamed(*first, "X"), 0);
    EXPECT_EQ(NameOf(*second), "X") << "one record buffer";
    CloseShared(second);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(FindByName("shared"), first);
    TFileblockObject* keep = first;
    CloseShared(first);
    EXPECT_EQ(FindByName("SHARED"), nullptr);
    EXPECT_EQ(Errors().Worst()->code, objerr::kNoSuchObject);
    EXPECT_FALSE(IsValidObject(keep));
}

TEST_F(FileblockObjectTest, AnOpenSequenceThatFailsLeavesItsErrorAndNoObject) {
    SharedDefinition d = SmallDefinition(dir_.Dir(), "HALF");
    d.keys[1].keyLen = 0;
    EXPECT_EQ(OpenShared(d), nullptr);
    EXPECT_EQ(ErrorLevel(), 5);
    EXPECT_EQ(Errors().Worst()->code, objerr::kKeyLengthZero);
    EXPECT_EQ(OpenShared(SmallDefinition(dir_.Dir(), "HALF"))->UseCount(), 0)
        << "the name is free again";
    TFileblockObject* object = FindByName("HALF");
    CloseShared(object);
}

TEST_F(FileblockObjectTest, ExitWaitsForTheLastObjectAndInitNeedsEnoughHandles) {
    auto object = CreateDefined(SmallDefinition(dir_.Dir(), "EXIT"));
    ASSERT_EQ(AddNamed(*object, "A"), 0);
    EXPECT_EQ(ExitFiles(), 5);
    EXPECT_EQ(Errors().Worst()->code, objerr::kObjectsLeft);
    object.reset();
    ASSERT_EQ(ExitFiles(), 0);
    EXPECT_EQ(InitFiles(0, 160, 6), 5);
    EXPECT_EQ(Errors().Worst()->code, objerr::kHandleLimitTooSmall);
    ASSERT_EQ(InitFiles(0, 160, 32), 0);
    EXPECT_EQ(InitFiles(0, 160, 32), 5);
    EXPECT_EQ(Errors().Worst()->code, objerr::kAlreadyInitialised);
}

TEST_F(FileblockObjectTest, CreateRefusesBadDefinitions) {
    SharedDefinition d = SmallDefinition(dir_.Dir(), "BAD");
    auto good = TFileblockObject::Create(d.object);
    ASSERT_TRUE(good);
    auto expectRefused = [](ObjectDefinition def, EngineCode code) {
        EXPECT_EQ(TFileblockObject::Create(def), nullptr);
        ASSERT_NE(Errors().Worst(), nullptr);
        EXPECT_EQ(Errors().Worst()->code, code);
    };
    expectRefused(d.object, objerr::kNameInUse);
    ObjectDefinition other = d.object;
    other.logicalName = "OTHER";
    ObjectDefinition bad = other;
    bad.logicalName = "";
    expectRefused(bad, objerr::kEmptyName);
    bad = other;
    bad.fileName = "";
    expectRefused(bad, objerr::kEmptyFileName);
    bad = other;
    bad.recLen = 20;
    expectRefused(bad, objerr::kBadRecordLength);
    bad = other;
    bad.keyCount = 111;
    expectRefused(bad, objerr::kTooManyKeys);
    bad = other;
    bad.keyBuilder = nullptr;
    expectRefused(bad, objerr::kNoKeyBuilder);
    bad = other;
    bad.bufferSize = 50;
    expectRefused(bad, objerr::kBufferSizeDiffers);
    // A key that was never defined is refused at the first use.
    EXPECT_EQ(good->DefineKey(1, 5, false), 0);
    EXPECT_EQ(good->First(1), 5);
    EXPECT_EQ(Errors().Worst()->code, objerr::kKeyNotDefined);
    EXPECT_EQ(good->DefineKey(2, 51, true), 5);
    EXPECT_EQ(Errors().Worst()->code, objerr::kKeyTooLong);
}

TEST_F(FileblockObjectTest, EraseDeletesTheFilesAndTheNextUseStartsEmpty) {
    auto object = CreateDefined(SmallDefinition(dir_.Dir(), "ERA"));
    ASSERT_EQ(AddNamed(*object, "A"), 0);
    ASSERT_EQ(object->Erase(), 0);
    EXPECT_FALSE(std::filesystem::exists(dir_.Path("ERA.DAT")));
    EXPECT_FALSE(std::filesystem::exists(dir_.Path("ERA.IX")));
    EXPECT_EQ(object->RecordCount(), 0);
    ASSERT_EQ(AddNamed(*object, "B"), 0);
    EXPECT_EQ(NumberIn(*object), 1);
}

TEST_F(FileblockObjectTest, TwentyKeyedFileblocksShareThirtyTwoHandles) {
    std::vector<std::unique_ptr<TFileblockObject>> objects;
    for (int i = 0; i < 20; ++i) {
        objects.push_back(CreateDefined(SmallDefinition(dir_.Dir(), "RING" + std::to_string(i))));
        ASSERT_TRUE(objects.back());
    }
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 20; ++i) {
            const std::string name =
                std::string(1, static_cast<char>('A' + round)) + std::to_string(i);
            ASSERT_EQ(AddNamed(*objects[static_cast<std::size_t>(i)], name.c_str()), 0);
            int open = 0;
            for (auto& o : objects) open += o->FilesOpen() ? 1 : 0;
            EXPECT_LE(open * 2, 31) << "no more than the handle limit less one";
        }
    }
    for (int i = 19; i >= 0; --i) {
        TFileblockObject& o = *objects[static_cast<std::size_t>(i)];
        EXPECT_EQ(o.RecordCount(), 3);
        ASSERT_EQ(o.First(2), 0);
        EXPECT_EQ(NameOf(o), "A" + std::to_string(i));
        ASSERT_EQ(o.Next(2), 0);
        EXPECT_EQ(NameOf(o), "B" + std::to_string(i));
    }
    EXPECT_FALSE(objects[19]->FilesOpen()) << "least recently used, closed to make room";
}

TEST_F(FileblockObjectTest, EmptyDataFileBesideAnAltFileIsRecoveredFromIt) {
    {
        auto object = CreateDefined(SmallDefinition(dir_.Dir(), "ALTF"));
        ASSERT_EQ(AddNamed(*object, "KEPT"), 0);
    }
    std::filesystem::rename(dir_.Path("ALTF.DAT"), dir_.Path("ALTF.ALT"));
    WriteBytes(dir_.Path("ALTF.DAT"), {});
    auto object = CreateDefined(SmallDefinition(dir_.Dir(), "ALTF"));
    EXPECT_FALSE(std::filesystem::exists(dir_.Path("ALTF.ALT")));
    EXPECT_FALSE(std::filesystem::exists(dir_.Path("ALTF.IX"))) << "deleted so that it is rebuilt";
    ASSERT_EQ(object->Find(2, "KEPT      "), 0);
}

TEST_F(FileblockObjectTest, VariableLengthRecordsSurviveUpdateDeleteAndRebuild) {
    SharedDefinition d = SmallDefinition(dir_.Dir(), "VAR");
    d.object.varRecords = true;
    d.object.bufferSize = 400;
    auto object = CreateDefined(d);
    ASSERT_TRUE(object);
    auto fill = [&](const char* name, std::int32_t length, std::uint8_t pattern) {
        object->ClearRecord();
        SetName(*object, name);
        for (std::int32_t i = 20; i < length; ++i) object->RecordBuffer()[i] = pattern;
        object->SetVarLength(length);
    };
    fill("LONG", 300, 0xAB);
    ASSERT_EQ(object->Add(), 0);
    fill("SHORT", 30, 0xCD);
    ASSERT_EQ(object->Add(), 0);
    ASSERT_EQ(object->Find(2, "LONG      "), 0);
    EXPECT_EQ(object->VarLength(), 300);
    EXPECT_EQ(object->RecordBuffer()[299], 0xAB);
    object->SetVarLength(380);
    for (int i = 300; i < 380; ++i) object->RecordBuffer()[i] = 0xEF;
    ASSERT_EQ(object->Update(), 0);
    object.reset();
    std::filesystem::remove(dir_.Path("VAR.IX"));
    object = CreateDefined(d);
    ASSERT_EQ(object->Find(2, "LONG      "), 0);
    EXPECT_EQ(object->VarLength(), 380);
    EXPECT_EQ(object->RecordBuffer()[379], 0xEF);
    EXPECT_EQ(object->RecordCount(), 2);
    ASSERT_EQ(object->Delete(0), 0);
    ASSERT_EQ(object->First(2), 0);
    EXPECT_EQ(NameOf(*object), "SHORT");
    EXPECT_EQ(object->VarLength(), 30);
}

}  // namespace
}  // namespace mss::store::test

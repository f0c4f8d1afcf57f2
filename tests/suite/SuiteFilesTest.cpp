#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "store/ObjectTestSupport.h"
#include "suite/SuiteFiles.h"
#include "suite/SuiteStartup.h"

namespace mss::suite::test {
using namespace store::test;
namespace {

class SuiteFilesTest : public ObjectLayerTest {
  protected:
    void SetUp() override {
        ObjectLayerTest::SetUp();
        suite::SetSuiteDirectory(dir_.Dir());
    }
    void TearDown() override {
        suite::SetSuiteDirectory("");
        ObjectLayerTest::TearDown();
    }
};

constexpr SuiteFile kAllFiles[] = {SuiteFile::QVSETUP,  SuiteFile::QVSETUP2, SuiteFile::QVPRO,
                                   SuiteFile::QVPREFIX, SuiteFile::QVPREFEE, SuiteFile::QVPREFES,
                                   SuiteFile::QVCBUCH,  SuiteFile::QVCALL,   SuiteFile::QVLKTEMP};

std::vector<std::uint8_t> RandomRecord(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> record(size);
    for (auto& byte : record) byte = static_cast<std::uint8_t>(random());
    std::fill_n(record.begin(), 4, 0);  // the delete mark of a live record
    return record;
}

void PutString(std::vector<std::uint8_t>& record, std::size_t offset, std::string_view text) {
    record[offset] = static_cast<std::uint8_t>(text.size());
    std::copy(text.begin(), text.end(), record.begin() + static_cast<long>(offset) + 1);
}

TEST_F(SuiteFilesTest, StartingInAnEmptyDirectoryCreatesEveryFileTheStartUpOpens) {
    const SuiteStartup startup = SuiteStartupReads(0);
    ASSERT_TRUE(startup.ok);
    EXPECT_FALSE(startup.settingsFound);
    EXPECT_TRUE(startup.prefixTableEmpty);
    EXPECT_EQ(startup.profileNumber, 0);
    suite::CloseSuiteStartupFiles();

    for (const char* name : {"QVSETUP", "QVSETUP2", "QVPRO", "QVPREFIX", "QVPREFEE", "QVPREFES"}) {
        EXPECT_TRUE(std::filesystem::exists(dir_.Path(std::string(name) + ".DAT"))) << name;
        EXPECT_TRUE(std::filesystem::exists(dir_.Path(std::string(name) + ".IX"))) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(dir_.Path("QVCBUCH.DAT")));

    // Each is openable afterwards with the same definition; QVSETUP holds one
    // zero record numbered 1.
    for (suite::SuiteFile file :
         {suite::SuiteFile::QVSETUP, suite::SuiteFile::QVSETUP2, suite::SuiteFile::QVPRO,
          SuiteFile::QVPREFIX, SuiteFile::QVPREFEE, SuiteFile::QVPREFES}) {
        ASSERT_TRUE(suite::OpenSuiteFile(file)) << suite::SuiteFileName(file);
        TFileblockObject* object = suite::SuiteObject(file);
        const std::int32_t expected =
            (file == SuiteFile::QVSETUP || file == SuiteFile::QVSETUP2) ? 1 : 0;
        EXPECT_EQ(object->RecordCount(), expected) << suite::SuiteFileName(file);
        EXPECT_EQ(ErrorLevel(), 0) << suite::SuiteFileName(file);
        suite::CloseSuiteFile(file);
    }
    ASSERT_TRUE(suite::OpenQVSETUP());
    ASSERT_EQ(suite::SuiteObject(SuiteFile::QVSETUP)->First(1), 0);
    const auto record = suite::SuiteObject(SuiteFile::QVSETUP)->RecordBuffer();
    EXPECT_EQ(suite::GetInt32(record, 4), 1);
    EXPECT_TRUE(
        std::all_of(record.begin() + 8, record.end(), [](std::uint8_t b) { return b == 0; }));
    suite::CloseQVSETUP();
}

TEST_F(SuiteFilesTest, StartUpTakesTheProfileTheSettingsNameOrElseTheFirstOne) {
    ASSERT_TRUE(suite::OpenQVPRO());
    TFileblockObject& profiles = *suite::SuiteObject(SuiteFile::QVPRO);
    for (const char* name : {"Erstes", "Zweites", "Drittes"}) {
        profiles.ClearRecord();
        suite::PutText(profiles.RecordBuffer(), 8, 20, name);
        profiles.SetVarLength(200);
        ASSERT_EQ(profiles.Add(), 0);
    }
    profiles.Find(1, store::IntToKey(1));
    ASSERT_EQ(profiles.Delete(0), 0);  // profiles 2 and 3 are left
    suite::CloseQVPRO();

    const auto startWith = [&](std::int32_t settingsNumber, std::int32_t programNumber) {
        EXPECT_EQ(suite::UpdateSettingsRecord(
                      SuiteFile::QVSETUP,
                      [&](MutableRecordBytes r) { suite::PutInt32(r, 786, settingsNumber); }),
                  0);
        const SuiteStartup startup = SuiteStartupReads(programNumber);
        EXPECT_TRUE(startup.ok);
        EXPECT_TRUE(startup.settingsFound);
        const std::int32_t found = startup.profileNumber;
        const std::string name =
            suite::GetText(suite::SuiteObject(SuiteFile::QVPRO)->RecordBuffer(), 8, 20);
        suite::CloseSuiteStartupFiles();
        return std::make_pair(found, name);
    };
    EXPECT_EQ(startWith(3, 0), std::make_pair(3, std::string("Drittes")));
    EXPECT_EQ(startWith(7, 0), std::make_pair(2, std::string("Zweites"))) << "missing: the first";
    EXPECT_EQ(startWith(0, 3), std::make_pair(3, std::string("Drittes")))
        << "a number of 0 leaves the program's own in force";
}

TEST_F(SuiteFilesTest, StartUpWithoutProfilesClearsTheBuffer) {
    const SuiteStartup startup = SuiteStartupReads(5);
    EXPECT_TRUE(startup.ok);
    EXPECT_EQ(startup.profileNumber, 0);
    suite::CloseSuiteStartupFiles();
}

TEST_F(SuiteFilesTest, TwoCallersShareOneObjectUntilBothHaveClosedIt) {
    ASSERT_TRUE(suite::OpenQVCBUCH());
    TFileblockObject* first = suite::SuiteObject(SuiteFile::QVCBUCH);
    ASSERT_TRUE(suite::OpenQVCBUCH());
    EXPECT_EQ(suite::SuiteObject(SuiteFile::QVCBUCH), first);
    EXPECT_EQ(first->UseCount(), 1);

    first->ClearRecord();
    suite::PutText(first->RecordBuffer(), 4, 10, "DL1ABC");
    ASSERT_EQ(first->Add(), 0);
    suite::CloseQVCBUCH();
    ASSERT_EQ(suite::SuiteObject(SuiteFile::QVCBUCH), first) << "still open for the second caller";
    EXPECT_TRUE(first->FilesOpen());
    EXPECT_EQ(suite::GetText(first->RecordBuffer(), 4, 10), "DL1ABC") << "the buffer is shared";
    suite::CloseQVCBUCH();
    EXPECT_EQ(suite::SuiteObject(SuiteFile::QVCBUCH), nullptr);
    suite::CloseQVCBUCH();  // one close too many does nothing
    EXPECT_EQ(suite::SuiteObject("qvcbuch"), nullptr);
}

TEST_F(SuiteFilesTest, RecordsRoundTripByteForByte) {
    for (suite::SuiteFile file : kAllFiles) {
        ASSERT_TRUE(OpenSuiteFile(file)) << SuiteFileName(file);
        TFileblockObject& object = *SuiteObject(file);
        const std::size_t length = file == SuiteFile::QVPRO ? 20000 : object.RecordBuffer().size();
        std::vector<std::uint8_t> record = RandomRecord(length, static_cast<unsigned>(length));
        object.ClearRecord();
        std::copy(record.begin(), record.end(), object.RecordBuffer().begin());
        if (object.VarRecords()) object.SetVarLength(static_cast<std::int32_t>(length));
        ASSERT_EQ(object.Add(), 0) << SuiteFileName(file);
        // Auto-numbered files write the number into the record.
        std::copy_n(object.RecordBuffer().begin() + 4, 4, record.begin() + 4);
        const std::string key1 = object.BuildKey(1);
        object.ClearRecord();
        ASSERT_EQ(object.Find(1, key1), 0) << SuiteFileName(file);
        const auto read = object.RecordBuffer();
        EXPECT_TRUE(std::equal(record.begin(), record.end(), read.begin())) << SuiteFileName(file);
        CloseSuiteFile(file);
    }
}

// No key a builder makes is longer than its definition, whatever the record
// holds (the index would refuse it and stop the program).
TEST_F(SuiteFilesTest, KeyBuildersNeverExceedTheirDefinedLengths) {
    for (suite::SuiteFile file : kAllFiles) {
        const SuiteFileDefinition fileDefinition = DefinitionOf(file);
        EXPECT_EQ(fileDefinition.logicalName, SuiteFileName(file));
        for (unsigned seed : {1u, 2u, 3u}) {
            std::vector<std::uint8_t> record =
                RandomRecord(static_cast<std::size_t>(fileDefinition.recLen), seed);
            for (std::size_t k = 0; k < fileDefinition.keys.size(); ++k) {
                const int keyNr = static_cast<int>(k + 1);
                EXPECT_LE(fileDefinition.keyBuilder(record, keyNr).size(),
                          static_cast<std::size_t>(fileDefinition.keys[k].keyLen))
                    << SuiteFileName(file) << " key " << keyNr;
            }
            EXPECT_EQ(
                fileDefinition.keyBuilder(record, static_cast<int>(fileDefinition.keys.size()) + 1),
                "");
            EXPECT_EQ(fileDefinition.keyBuilder(record, 0), "");
        }
    }
}

TEST(SuiteKeys, PrefixKeysFollowTheTableLayout) {
    std::vector<std::uint8_t> record(suite::kPrefixRecordLength, 0);
    PutString(record, 4, "DL");
    PutString(record, 11, "DL");
    PutString(record, 18, "2");
    PutString(record, 31, "Deutschland \xe4\xf6\xfc");
    suite::PutInt16(record, 108, 230);
    record[179] = '*';
    EXPECT_EQ(suite::PrefixKey(record, 1), "DL    ");
    EXPECT_EQ(suite::PrefixKey(record, 2), "DL    DL    ");
    EXPECT_EQ(suite::PrefixKey(record, 3), "DL    2  ");
    EXPECT_EQ(suite::PrefixKey(record, 7),
              "DEUTSCHLAND \xc4\xd6\xdc" + std::string(15, ' ') + "DL    ");
    EXPECT_EQ(suite::PrefixKey(record, 10), std::string(1, '\2') + "DL    ");
    record[179] = 'J';
    EXPECT_EQ(suite::PrefixKey(record, 10), std::string(1, '\1') + "DL    ");
    record[179] = 'I';
    EXPECT_EQ(suite::PrefixKey(record, 10), std::string(1, '\0') + "DL    ");
    EXPECT_EQ(suite::PrefixKey(record, 13), store::IntToKey(230));
    suite::PutInt16(record, 108, -1);
    EXPECT_EQ(suite::PrefixKey(record, 13), store::IntToKey(-1)) << "the 16-bit field is signed";
    EXPECT_EQ(suite::PrefixKey(record, 14), "IDL    ");
    EXPECT_EQ(suite::PrefixExceptionKey(record, 13), "");
    PutString(record, 96, "UA");
    EXPECT_EQ(suite::PrefixExceptionKey(record, 12), "UA    ");
}

TEST(SuiteKeys, CallbookAndCallKeysPadAndCutTheirTexts) {
    std::vector<std::uint8_t> book(suite::kQvCbuchLength, 0);
    PutString(book, 4, "DL1ABCDEFGHIJ");  // longer than the key
    PutString(book, 107, "12");
    PutString(book, 299, "JO62");
    PutString(book, 288, "X");
    EXPECT_EQ(suite::CallbookKey(book, 1), "DL1ABCDEFG");
    EXPECT_EQ(suite::CallbookKey(book, 6), "  12");
    EXPECT_EQ(suite::CallbookKey(book, 7), "JO62    DL1ABCDEFG");
    EXPECT_EQ(suite::CallbookKey(book, 13), "X     ");
    PutString(book, 107, "12345");
    EXPECT_EQ(suite::CallbookKey(book, 6), "1234") << "the index takes no longer key";

    std::vector<std::uint8_t> call(suite::kQvCallLength, 0);
    call[37] = 'Q';
    PutString(call, 59, "7");
    EXPECT_EQ(suite::CallHistoryKey(call, 5), "Q");
    EXPECT_EQ(suite::CallHistoryKey(call, 6), "    7");

    // A damaged length byte never reads past the record.
    std::vector<std::uint8_t> shortRecord(suite::kQvCallLength, 0);
    shortRecord[65] = 200;
    EXPECT_EQ(suite::CallHistoryKey(shortRecord, 7).size(), 3u);
}

}  // namespace
}  // namespace mss::suite::test

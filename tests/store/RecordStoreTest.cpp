#include "store/RecordStore.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "ObjectTestSupport.h"
#include "platform/Clock.h"
#include "platform/Messages.h"

namespace mss::store::test {
namespace {

constexpr std::int32_t kRecLen = 40;

std::string NameKey(std::span<const std::uint8_t> record, int keyNr) {
    if (keyNr == 1) return IntToKey(DecodeFixed32(record.data() + 4));
    if (keyNr == 2) return std::string(reinterpret_cast<const char*>(record.data() + 8), 10);
    return {};
}

SharedDefinition LogOf(const std::string& dir, const std::string& name,
                       std::int32_t recLen = kRecLen) {
    SharedDefinition d;
    d.object.logicalName = name;
    d.object.fileName = dir + name;
    d.object.recLen = recLen;
    d.object.keyCount = 2;
    d.object.keyBuilder = NameKey;
    d.keys = {{5, false}, {10, true}};
    d.autoNumbers = {{1, 4}};
    d.autoFlush = true;
    return d;
}

TEST(RecordStoreDisplayCodeTest, CodesOfTheObjectLayerShowTheirLowTwelveBits) {
    EXPECT_EQ(DisplayCode(10070), 10070);
    EXPECT_EQ(DisplayCode(12287), 12287);
    EXPECT_EQ(DisplayCode(24591), 15);
    EXPECT_EQ(DisplayCode(28770), 98);
}

TEST(RecordStoreFatalMessageTest, SixLinesWithTheCodeRightAlignedInEightPlaces) {
    EXPECT_EQ(FatalMessage(10070, true),
              "Fehlercode:    10070\rDas Programm wird abgebrochen. \r"
              "M\xF6gliche Fehlerursache: Indexdatei defekt.\r"
              "M\xF6gliche Fehlerbehebung: Tritt dieser Fehler nach\r"
              "Neustart wieder auf: Informieren Sie die Hotline.\r");
    EXPECT_EQ(FatalMessage(15, true),
              "Fehlercode:       15\rDas Programm wird abgebrochen. \r\r\r\r");
    EXPECT_EQ(FatalMessage(15, false),
              "errorcode:       15\rThe program will be cancled. \r\r\r\r");
    EXPECT_EQ(
        FatalMessage(10140, false),
        "No data access!\rThe program will be cancled. \r"
        "Possible error cause: ZORDEX always activ.\rPossible error correction: Cancel ZORDEX\r\r");
    EXPECT_EQ(FatalMessage(10465, false),
              "errorcode:    10465\rThe program will be cancled. \r"
              "Possible error cause: Reorganisation failure.\r"
              "Possible error correction: Restart the program.\r"
              "If error continues: Rename .SAV-files\rto .DAT-files.");
}

class RecordStoreTest : public testing::Test {
  protected:
    void SetUp() override {
        RecordStoreSettings settings;
        settings.runDir = dir_.Dir();
        settings.halt = [this] {
            ++halts_;
            messagesAtHalt_ = messages_.shown().size();
        };
        settings.notify = [this] { ++notified_; };
        ASSERT_TRUE(InitRecordStore(settings));
    }
    void TearDown() override {
        ExitRecordStore();
        EXPECT_EQ(ErrorLevel(), 0);
        InstallErrorRegister(nullptr);
        SetDefaultQuestion(nullptr);
        SetRecordStoreLanguage(true);
    }

    std::string LogText(const std::string& name) {
        const std::vector<std::uint8_t> bytes = ReadBytes(dir_.Path(name));
        return {bytes.begin(), bytes.end()};
    }

    TempDir dir_;
    platform::ScriptedMessages messages_;
    platform::ScopedMessages installed_{messages_};
    platform::FakeClock clock_{{2026, 12, 9, 10, 30, 0}};
    platform::ScopedClock clockInstalled_{clock_};
    int halts_ = 0;
    int notified_ = 0;
    std::size_t messagesAtHalt_ = 0;
};

TEST_F(RecordStoreTest, ADamagedIndexEndsTheProgramWithLogMessageAndARebuildAtTheNextStart) {
    auto log = CreateDefined(LogOf(dir_.Dir(), "QVLK0007"));
    ASSERT_TRUE(log);
    log->ClearRecord();
    std::memcpy(log->RecordBuffer().data() + 8, "DL1ABC    ", 10);
    ASSERT_EQ(log->Add(), 0);
    ASSERT_EQ(CloseAllFiles(), 0);
    // The entry of key 2 (row 1, after key 1's page slot) gets a key the
    // record does not have.
    std::vector<std::uint8_t> index = ReadBytes(dir_.Path("QVLK0007.IX"));
    const std::size_t rowSize = (6 + 62 * 14) + (6 + 62 * 19);
    ASSERT_GE(index.size(), 2 * rowSize);
    ASSERT_EQ(index[rowSize + 6 + 62 * 14 + 6 + 9 + 5], 'C');
    index[rowSize + 6 + 62 * 14 + 6 + 9 + 5] = 'D';
    WriteBytes(dir_.Path("QVLK0007.IX"), index);

    EXPECT_EQ(log->Find(2, "DL1ABD    "), 4);
    EXPECT_EQ(Errors().Worst()->code, 10070);
    EXPECT_EQ(LogText("IFD.ERR"), "\r\n*->  09/12/2026  10:30\r\n     Fileblock  " + dir_.Dir() +
                                      "QVLK0007\r\n     - Err: 10070\r\n");
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_FALSE(messages_.shown()[0].question);
    EXPECT_EQ(messages_.LastText().substr(0, 21), "Fehlercode:    10070\r");
    EXPECT_FALSE(std::filesystem::exists(dir_.Path("QVLK0007.IX")));
    EXPECT_EQ(notified_, 1);
    EXPECT_EQ(halts_, 1);
    EXPECT_EQ(messagesAtHalt_, 1u) << "the report runs before the program ends";
    EXPECT_FALSE(log->FilesOpen());

    log.reset();
    messages_.Clear();
    log = CreateDefined(LogOf(dir_.Dir(), "QVLK0007"));
    ASSERT_EQ(log->Find(2, "DL1ABC    "), 0);
    EXPECT_TRUE(messages_.shown().empty()) << "the rebuild asks nothing";
}

TEST_F(RecordStoreTest, ARecordLengthMismatchShowsFifteenWithoutHints) {
    auto log = CreateDefined(LogOf(dir_.Dir(), "QVKZ"));
    ASSERT_EQ(log->First(1), 1);
    log.reset();
    SetRecordStoreLanguage(false);
    log = CreateDefined(LogOf(dir_.Dir(), "QVKZ", kRecLen + 4));
    EXPECT_EQ(log->First(1), 4);
    EXPECT_EQ(messages_.LastText(), "errorcode:       15\rThe program will be cancled. \r\r\r\r");
    EXPECT_TRUE(LogText("IFD.ERR").ends_with("/QVKZ\r\n     - Err: 15\r\n"));
    EXPECT_EQ(halts_, 1);
}

TEST_F(RecordStoreTest, AFileblockHeldByAnotherProgramIsRefusedWithTheAccessHint) {
    auto log = CreateDefined(LogOf(dir_.Dir(), "QVCBUCH"));
    ASSERT_EQ(log->First(1), 1);
    ASSERT_EQ(CloseAllFiles(), 0);
    std::unique_ptr<platform::File> held;
    ASSERT_EQ(platform::DefaultFileSystem()->Open(dir_.Path("QVCBUCH.DAT"),
                                                  platform::OpenMode::ReadWrite, held),
              0);
    EXPECT_EQ(log->First(1), 4);
    EXPECT_EQ(Errors().Worst()->code, kOsFailure);
    EXPECT_EQ(messages_.LastText().substr(0, 30), "Datenbankzugriff verweigert!\rD");
    EXPECT_NE(messages_.LastText().find("Tarvolt-Progr.beenden!"), std::string::npos);
    held->Close();
}

TEST_F(RecordStoreTest, RebuildAndCreateAreAgreedSilentlyOtherQuestionsAreAsked) {
    EXPECT_TRUE(AnswerQuestion("QVLK0001", question::kRebuild));
    EXPECT_TRUE(AnswerQuestion("QVLK0001", question::kCreateMissing));
    EXPECT_TRUE(messages_.shown().empty());
    messages_.SetNextAnswers({true, false});
    EXPECT_TRUE(AnswerQuestion("QVLK0001", question::kLocked));
    EXPECT_EQ(messages_.LastText(),
              "QVLK0001:  Record oder Datei gelockt. Noch einmal versuchen? ");
    EXPECT_FALSE(AnswerQuestion("QVLK0001", question::kRecordDeleted));
    EXPECT_EQ(messages_.LastText(), "QVLK0001:  Satz bereits gel\xF6scht. Neuanlegen? ");
    SetRecordStoreLanguage(false);
    EXPECT_FALSE(AnswerQuestion("QVLK0001", question::kDriveNotReady));
    EXPECT_EQ(messages_.LastText(), "QVLK0001:  Drive not ready. Retry ? ");
}

TEST_F(RecordStoreTest, AMissingPathAsksOnceAndADeclinedRetryIsNotFatal) {
    auto log = CreateDefined(LogOf(dir_.Path("no-such-dir") + "/", "QVCALL"));
    messages_.SetNextAnswers({false});
    EXPECT_EQ(log->First(1), 2);
    EXPECT_EQ(Errors().Worst()->code, kPathNotFound);
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(messages_.LastText(), "QVCALL:  undefinierter Fehler. Noch einmal versuchen? ");
    EXPECT_EQ(halts_, 0);
}

TEST_F(RecordStoreTest, AFailedInitialisationIsLoggedUnderItsEarlyNameAndExplained) {
    RecordStoreSettings again;
    again.runDir = dir_.Dir();
    EXPECT_FALSE(InitRecordStore(again));
    EXPECT_EQ(messages_.LastText(), "Dateiverwaltung konnte nicht initialisiert werden");
    EXPECT_NE(LogText("KX.ERR").find("     - Err: 72\r\n"), std::string::npos)
        << "28744, already initialised";
    EXPECT_FALSE(std::filesystem::exists(dir_.Path("IFD.ERR")));
}

}  // namespace
}  // namespace mss::store::test

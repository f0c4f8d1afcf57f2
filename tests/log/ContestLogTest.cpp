#include "log/ContestLog.h"

#include <filesystem>
#include <fstream>

#include "LogTestSupport.h"
#include "log/LogKeys.h"
#include "log/Points.h"
#include "store/FileFormat.h"
#include "store/KeyCodec.h"

namespace mss::log::test {
namespace {

class ContestLogFile : public ContestLogTest {};

TEST_F(ContestLogFile, OpeningCreatesTheLogInTheRunDirectory) {
    EXPECT_TRUE(std::filesystem::exists(dir_.path() / "QVLK0001.DAT"));
    EXPECT_TRUE(std::filesystem::exists(dir_.path() / "QVLK0001.IX"));
    EXPECT_EQ(OpenLogNumber(), 1);
    EXPECT_EQ(OpenLog()->RecordCount(), 0);
}

TEST_F(ContestLogFile, OneLogIsOpenAtATimeAndSharedByItsUsers) {
    EXPECT_TRUE(OpenContestLog(1));
    EXPECT_FALSE(OpenContestLog(2));
    CloseContestLog();
    EXPECT_NE(OpenLog(), nullptr) << "one user is left";
    CloseContestLog();
    EXPECT_EQ(OpenLog(), nullptr);
    EXPECT_EQ(OpenLogNumber(), 0);
    ASSERT_TRUE(OpenContestLog(12));
    EXPECT_TRUE(std::filesystem::exists(dir_.path() / "QVLK0012.DAT"));
    CloseContestLog();
    ASSERT_TRUE(OpenContestLog(1));
}

TEST_F(ContestLogFile, ASearchInBetweenLeavesTheCurrentRecordForTheUpdate) {
    const std::int32_t first = Put(Contact("DL1AAA", 'k', "CW", Hms(10, 0)));
    Put(Contact("DL1BBB", 'l', "CW", Hms(10, 1)));
    store::TFileblockObject& log = *OpenLog();
    ASSERT_EQ(log.Find(kByNummer, store::IntToKey(first)), 0);
    QsoRecord changed = BufferRecord(log);
    changed.SetNameQth("Hans;");
    SetBufferRecord(log, changed);
    (void)NextNumbers(log, 'l', "CW");
    QsoRecord typed = Contact("DL1BBB", 'l', "CW");
    EXPECT_EQ(FindDupe(session_, typed, true), 2);
    session_.entry.SetCode('R');
    session_.entry.SetDok("K01");
    StoreDok(typed, "K01");
    (void)PointsOf(session_, typed);
    ASSERT_EQ(BufferRecord(log).bytes(), changed.bytes());
    ASSERT_EQ(log.Update(), 0);
    const std::vector<QsoRecord> records = Records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].NameQth(), "Hans;");
    EXPECT_EQ(records[1].Call(), "DL1BBB");
    EXPECT_EQ(records[1].NameQth(), "");
}

// What a damaged index looks like when its walks still end cleanly: one key's
// EntryCount no longer matches its entries. The check finds it when the log
// was left open by a run that ended, or when the operator asks.
TEST_F(ContestLogFile, ADamagedIndexIsRebuiltWhenTheLogWasLeftOpenOrOnRequest) {
    for (int i = 0; i < 80; ++i) {
        const std::string call = std::string("DL1") + char('A' + i % 26) + char('A' + i / 26);
        Put(Contact(call, 'k', "CW", Hms(10, i % 60, i / 60)));
    }
    const std::vector<QsoRecord> before = Records();
    const std::filesystem::path mark = dir_.path() / "QVLK0001.RUN";
    const std::filesystem::path index = dir_.path() / "QVLK0001.IX";
    struct Case {
        const char* what;
        bool leftOpen;
        int keyNr;
        std::int32_t entries;
    };
    const Case cases[] = {{"left open by a run that ended", true, 1, 81},
                          {"checked on request", false, kByNummer, 79}};
    for (const Case& c : cases) {
        ASSERT_TRUE(std::filesystem::exists(mark)) << "an open log is marked";
        CloseContestLog();
        ASSERT_FALSE(std::filesystem::exists(mark)) << "a closed one is not";
        std::size_t header = 0;
        for (int k = 1; k < c.keyNr; ++k)
            header +=
                std::size_t(store::PageBytesFor(kLogKeyDefinitions[std::size_t(k - 1)].keyLen));
        {
            std::fstream file(index, std::ios::in | std::ios::out | std::ios::binary);
            std::uint8_t count[4];
            store::EncodeFixed32(count, c.entries);
            file.seekp(std::streamoff(header + 22));
            file.write(reinterpret_cast<const char*>(count), 4);
        }
        if (c.leftOpen) std::ofstream{mark};
        ASSERT_TRUE(OpenContestLog(1)) << c.what;
        EXPECT_EQ(CheckContestLog(), c.leftOpen ? LogCheck::kSound : LogCheck::kRebuilt) << c.what;
        UseContest('j');
        EXPECT_EQ(OpenLog()->EntryCount(c.keyNr), 80) << c.what;
        const std::vector<QsoRecord> after = Records();
        ASSERT_EQ(after.size(), before.size()) << c.what;
        for (std::size_t i = 0; i < after.size(); ++i)
            EXPECT_EQ(after[i].bytes(), before[i].bytes()) << c.what << ", record " << i;
    }
}

}  // namespace
}  // namespace mss::log::test

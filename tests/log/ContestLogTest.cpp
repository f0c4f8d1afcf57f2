#include "log/ContestLog.h"

#include <filesystem>

#include "LogTestSupport.h"
#include "log/Points.h"
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

}  // namespace
}  // namespace mss::log::test

// Renumbering: the numbers it gives, what it drops, and that no contact is
// lost when the replacement of the log is cut short.
#include <algorithm>
#include <cerrno>
#include <set>

#include "LogTestSupport.h"
#include "log/Renumber.h"
#include "store/KeyCodec.h"

namespace mss::log::test {
namespace {

// Every contact of a log, by what makes it itself.
std::multiset<std::string> Identities(const std::vector<QsoRecord>& records) {
    std::multiset<std::string> ids;
    for (const QsoRecord& r : records)
        if (!r.IsBandChange())
            ids.insert(r.Call() + "@" + std::to_string(r.Datum()) + "/" + std::to_string(r.Zeit()));
    return ids;
}

class CountingProgress : public RenumberProgress {
  public:
    void Start(std::int32_t total) override {
        ++starts;
        this->total = total;
    }
    void Advance(std::int32_t done) override { advances.push_back(done); }
    void Finish() override { ++finishes; }
    int starts = 0;
    int finishes = 0;
    std::int32_t total = -1;
    std::vector<std::int32_t> advances;
};

class RenumberTest : public ContestLogTest {
  protected:
    // A log written out of order, with markers, stale numbers and a deletion.
    void FillUntidyLog() {
        Put(Contact("DL1CCC", 'k', "CW", Hms(12, 30)));
        Put(BandChange('k', 'l', Hms(12, 31)));
        Put(Contact("DL1AAA", 'l', "SSB", Hms(12, 10)));
        const std::int32_t doomed = Put(Contact("DL1XXX", 'k', "CW", Hms(12, 15)));
        Put(Contact("DL1BBB", 'k', "USB", Hms(12, 20)));
        Put(Contact("DL1DDD", 'l', "CW", Hms(12, 40)));
        Put(BandChange('l', 'k', Hms(12, 41)));
        Put(Contact("DL1EEE", 'k', "CW", Hms(12, 50)));
        ASSERT_EQ(OpenLog()->Find(kByNummer, store::IntToKey(doomed)), 0);
        ASSERT_EQ(OpenLog()->Delete(0), 0);
    }
    CountingProgress progress_;
};

TEST_F(RenumberTest, ContactsAreNumberedChronologicallyAndMarkersAreDropped) {
    FillUntidyLog();
    ASSERT_EQ(Renumber(session_, progress_), RenumberResult::kDone);
    const std::vector<QsoRecord> log = Records(kByNummer);
    std::vector<std::string> calls;
    for (const QsoRecord& r : log) calls.push_back(r.Call());
    EXPECT_EQ(calls, (std::vector<std::string>{"DL1AAA", "DL1BBB", "DL1CCC", "DL1DDD", "DL1EEE"}));
    const std::vector<std::int32_t> expectedBandNr = {1, 1, 2, 2, 3};
    const std::vector<std::uint16_t> expectedModeNr = {1, 2, 1, 2, 3};  // by mode class
    for (std::size_t i = 0; i < log.size(); ++i) {
        SCOPED_TRACE(log[i].Call());
        EXPECT_EQ(log[i].Nummer(), static_cast<std::int32_t>(i + 1));
        EXPECT_EQ(log[i].LfdNr(), log[i].Nummer());
        EXPECT_EQ(log[i].BandNr(), expectedBandNr[i]);
        EXPECT_EQ(log[i].BandSeq(), expectedBandNr[i]);
        EXPECT_EQ(log[i].ModeNr(), expectedModeNr[i]);
    }
    EXPECT_EQ(progress_.starts, 1);
    EXPECT_EQ(progress_.finishes, 1);
    EXPECT_EQ(progress_.total, 7);
    EXPECT_EQ(NextNumbers(*OpenLog(), 'k', "CW"), (RunningNumbers{6, 4, 4, 4}));
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(RenumberTest, ASerialLogKeepsTheNumbersThatWereSent) {
    session_.definition.SentKinds[0] = contest::kKindNumber;
    for (int i = 0; i < 5; ++i)
        Put(Contact("DL1AA" + std::string(1, 'A' + i), 'k', "CW", Hms(14, 10 - i)));
    for (std::int32_t doomed : {2, 4}) {
        ASSERT_EQ(OpenLog()->Find(kByNummer, store::IntToKey(doomed)), 0);
        ASSERT_EQ(OpenLog()->Delete(0), 0);
    }
    ASSERT_EQ(Renumber(session_, progress_), RenumberResult::kDone);
    const std::vector<QsoRecord> log = Records(kByNummer);
    ASSERT_EQ(log.size(), 3u);
    const std::vector<std::int32_t> numbers = {1, 3, 5};
    for (std::size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(log[i].Nummer(), numbers[i]);
        EXPECT_EQ(log[i].LfdNr(), numbers[i]);
        EXPECT_EQ(log[i].BandNr(), static_cast<std::int32_t>(i + 1)) << "in the order of Nummer";
    }
    EXPECT_EQ(log[0].Call(), "DL1AAA");
    EXPECT_EQ(Put(Contact("DL1ZZZ", 'k', "CW", Hms(15, 0))), 6);
}

TEST_F(RenumberTest, AnEmptySerialLogIsErasedAndALogOfMarkersOnlyEmptied) {
    Put(BandChange('k', 'l', Hms(1, 0)));
    Put(BandChange('l', 'k', Hms(1, 1)));
    ASSERT_EQ(Renumber(session_, progress_), RenumberResult::kDone);
    EXPECT_EQ(OpenLog()->RecordCount(), 0);
    session_.definition.SentKinds[1] = contest::kKindNumber;
    ASSERT_EQ(Renumber(session_, progress_), RenumberResult::kDone);
    EXPECT_EQ(OpenLog()->RecordCount(), 0);
    EXPECT_EQ(Put(Contact("DL1AAA")), 1) << "the log is usable again";
}

TEST_F(RenumberTest, MultiplierMarkersAreEvaluatedAgainInLogOrder) {
    session_.definition.Features.set(2);
    session_.definition.MultMode = 1;
    session_.definition.MultNames[0] = "DXCC";
    for (auto [call, prefix, minute] :
         {std::tuple{"OE1AAA", "OE", 3}, {"OE2BBB", "OE", 1}, {"OK1AAA", "OK", 2}}) {
        QsoRecord r = Contact(call, 'k', "CW", Hms(10, minute));
        r.SetPrefix(prefix);
        r.SetMultiCol1("STALE");
        Put(r);
    }
    ASSERT_EQ(Renumber(session_, progress_), RenumberResult::kDone);
    std::vector<std::string> markers;
    for (const QsoRecord& r : Records(kByNummer)) markers.push_back(r.Call() + ":" + r.MultiCol1());
    EXPECT_EQ(markers, (std::vector<std::string>{"OE2BBB:OE", "OK1AAA:OK", "OE1AAA:"}));
}

TEST_F(RenumberTest, ProgressAdvancesEveryTenRecords) {
    for (int i = 0; i < 25; ++i)
        Put(Contact("DL" + std::to_string(i) + "ABC", 'k', "CW", Hms(10, i)));
    ASSERT_EQ(Renumber(session_, progress_), RenumberResult::kDone);
    EXPECT_EQ(progress_.total, 25);
    EXPECT_EQ(progress_.advances, (std::vector<std::int32_t>{10, 20}));
}

TEST_F(RenumberTest, OpeningClearsMarkerFieldsAndRenumbersALogWithoutMultiplierMarkers) {
    QsoRecord marker = BandChange('k', 'l', Hms(9, 0));
    marker.SetPrefix("DL");
    marker.SetLocator("JO62MM");
    StoreDok(marker, "A01");
    Put(marker);
    QsoRecord contact = Contact("DL1AAA", 'l', "CW", Hms(9, 1));
    contact.SetLfdNr(77);
    Put(contact);
    PrepareOpenedLog(session_, progress_);
    const std::vector<QsoRecord> log = Records();
    ASSERT_EQ(log.size(), 1u) << "renumbering dropped the marker";
    EXPECT_EQ(log[0].LfdNr(), 1);

    // Markers set in every record: the log is left as it is.
    QsoRecord marked = Contact("DL1BBB", 'l', "CW", Hms(9, 2));
    marked.SetMultiCol1("X");
    marked.SetMultiCol2("Y");
    marked.SetLfdNr(99);
    Put(marked);
    Put(marker);
    PrepareOpenedLog(session_, progress_);
    const std::vector<QsoRecord> kept = Records(kByTime);
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_TRUE(kept[0].IsBandChange());
    EXPECT_EQ(kept[0].Prefix(), "");
    EXPECT_EQ(kept[0].Locator(), "");
    EXPECT_EQ(DokOf(kept[0]), "");
    EXPECT_EQ(kept[2].LfdNr(), 99);
}

// A file system that fails one chosen step of replacing the log's files, as
// a crash at that moment would leave them.
class FailingStep : public platform::FileSystem {
  public:
    explicit FailingStep(std::string path) : path_(std::move(path)) {}
    int Open(const std::string& p, platform::OpenMode m,
             std::unique_ptr<platform::File>& f) override {
        return real_->Open(p, m, f);
    }
    // The log's index is the one file the replacement deletes; the
    // renumbered files are the ones it moves.
    int Delete(const std::string& p) override {
        return p == path_ && p.find("QVLK") != std::string::npos ? EIO : real_->Delete(p);
    }
    int Rename(const std::string& from, const std::string& to) override {
        return from == path_ ? EIO : real_->Rename(from, to);
    }
    bool Exists(const std::string& p) override { return real_->Exists(p); }
    bool DirectoryExists(const std::string& p) override { return real_->DirectoryExists(p); }

  private:
    std::shared_ptr<platform::FileSystem> real_ = platform::DefaultFileSystem();
    std::string path_;
};

class InterruptedRenumber : public RenumberTest, public testing::WithParamInterface<const char*> {
  protected:
    // Renumbers with the given step failing, then opens the log afresh.
    RenumberResult RenumberFailingAt(const std::string& file) {
        CloseContestLog();
        EXPECT_EQ(store::ExitFiles(), 0);
        EXPECT_EQ(store::InitFiles(0, 160, 32, std::make_shared<FailingStep>(dir_.RunDir() + file)),
                  0);
        if (!OpenContestLog(1)) return RenumberResult::kBuildFailed;
        session_.log = OpenLog();
        const RenumberResult result = Renumber(session_, progress_);
        CloseContestLog();
        EXPECT_EQ(store::ExitFiles(), 0);
        EXPECT_EQ(store::InitFiles(0, 160, 32), 0);
        EXPECT_TRUE(OpenContestLog(1));
        session_.log = OpenLog();
        return result;
    }
};

TEST_P(InterruptedRenumber, NoContactIsLostWhenTheReplacementStopsHalfWay) {
    FillUntidyLog();
    const std::multiset<std::string> before = Identities(Records());
    ASSERT_EQ(before.size(), 5u);
    EXPECT_EQ(RenumberFailingAt(GetParam()), RenumberResult::kReplaceFailed);
    EXPECT_EQ(messages_.LastText(), "Fehler beim Neuaufbau der Datenbank");
    const std::vector<QsoRecord> after = Records(kByTime);
    EXPECT_EQ(Identities(after), before);
    EXPECT_FALSE(dir_.path().empty());
    for (const char* leftover : {"QVLN0001.DAT", "QVLN0001.IX"})
        EXPECT_FALSE(std::filesystem::exists(dir_.path() / leftover)) << leftover;
    // A second run completes the renumbering.
    ASSERT_EQ(Renumber(session_, progress_), RenumberResult::kDone);
    const std::vector<QsoRecord> done = Records(kByNummer);
    EXPECT_EQ(Identities(done), before);
    for (std::size_t i = 0; i < done.size(); ++i)
        EXPECT_EQ(done[i].LfdNr(), static_cast<int>(i + 1));
}

INSTANTIATE_TEST_SUITE_P(EveryStep, InterruptedRenumber,
                         testing::Values("QVLK0001.IX", "QVLN0001.DAT", "QVLN0001.IX"));

}  // namespace
}  // namespace mss::log::test

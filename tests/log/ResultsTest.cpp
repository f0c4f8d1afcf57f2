// The results written into the contest entry: where each figure goes and
// what is counted.
#include "log/Results.h"

#include "LogTestSupport.h"

namespace mss::log::test {
namespace {

// Records what the progress window would show.
class RecordingProgress : public PassProgress {
  public:
    void Start(std::int32_t maximum) override { starts.push_back(maximum); }
    void Advance(std::int32_t position) override { positions.push_back(position); }
    void Finish() override { ++finished; }
    std::vector<std::int32_t> starts;
    std::vector<std::int32_t> positions;
    int finished = 0;
};

class ResultsTest : public ContestLogTest {
  protected:
    void Recounted() {
        ClearTotals(session_);
        Recount(session_, true);
    }
    void Write() { WriteResults(session_, entry_, extra_, progress_); }

    contest::ContestEntry entry_;
    contest::ContestExtra extra_;
    RecordingProgress progress_;
};

TEST_F(ResultsTest, SprintKeepsContactsAndPointsOfTwoMetresInTheExtraRecord) {
    ASSERT_TRUE(session_.entry.TotalsInExtra()) << "the catalogue keeps the sprint's totals there";
    entry_ = session_.entry;
    entry_.SetQsoCount(1, 77);
    entry_.SetPointSum(1, 7777);
    extra_.SetQsoCount(2, 9);
    extra_.SetMultCount(3, 9);
    const char* locators[] = {"JO31NF", "JN79FX", "JO80BM", "KN04FR", "IO91VS"};
    std::int32_t points = 0;
    for (int i = 0; i < 25; ++i) {
        QsoRecord r = Contact("DL" + std::to_string(i) + "AB", 'k', "CW", Hms(10, i));
        TakeLocator(r, locators[i % 5]);
        if (i == 3) r.SetVoid(255);  // scores nothing and still counts as a contact
        if (i != 3) points += r.Qrb();
        ASSERT_TRUE(Save(r));
    }
    Put(BandChange('k', 'k', Hms(11, 0)));
    Recounted();
    Write();

    EXPECT_EQ(extra_.QsoCount(1), 25);
    EXPECT_EQ(extra_.PointSum(1), points);
    EXPECT_GT(points, 25 * 500);
    EXPECT_EQ(extra_.MultCount(1), 0);
    EXPECT_EQ(extra_.Mult1Count(1), 0);
    EXPECT_EQ(extra_.QsoCount(2), 0) << "stale totals are cleared";
    EXPECT_EQ(extra_.MultCount(3), 0);
    EXPECT_EQ(entry_.QsoCount(1), 77) << "the entry's own totals are left alone";
    EXPECT_EQ(entry_.PointSum(1), 7777);
    // 26 records walked for the whole log and again for 2 m.
    EXPECT_EQ(progress_.starts, std::vector<std::int32_t>{kResultsProgressMaximum});
    EXPECT_EQ(progress_.positions, (std::vector<std::int32_t>{10, 20, 30, 40, 50}));
    EXPECT_EQ(progress_.finished, 1);
}

TEST_F(ResultsTest, TheBufferAndCurrentRecordSurviveThePass) {
    ASSERT_TRUE(Save(Contact("DL1AB", 'k', "CW", Hms(10, 0))));
    ASSERT_TRUE(Save(Contact("DL2AB", 'k', "CW", Hms(10, 1))));
    store::TFileblockObject& log = *OpenLog();
    ASSERT_EQ(log.First(kByNummer), 0);
    const QsoRecord first = BufferRecord(log);
    entry_ = session_.entry;
    Recounted();
    Write();
    EXPECT_EQ(BufferRecord(log).Call(), first.Call());
    EXPECT_EQ(log.Next(kByNummer), 0);
    EXPECT_EQ(BufferRecord(log).Call(), "DL2AB");
}

// Prefixes and DOKs on 80 and 40 m with 2 points a contact ('D'); the
// extra columns show the prefixes and the DOKs.
class PlacedResultsTest : public ResultsTest {
  protected:
    void SetUp() override {
        ResultsTest::SetUp();
        UseContest('D');
        contest::ContestDefinition& d = session_.definition;
        d.Features.reset();
        d.Features.set(2);
        d.Features.set(4);
        d.MultNames = {"DXCC", "DOK", "DXCC"};
        d.Bands = {'b', 'c'};
        session_.band = 'b';
        Add("OE1AA", 'b', "OE", "A01", 0);
        Add("OK1AA", 'b', "OK", "A01", 1);
        Add("OE2AA", 'b', "OE", "B02", 2);
        Add("OE1AA", 'c', "OE", "A01", 3);
        Add("SP1AA", 'c', "SP", "", 4);
        Put(BandChange('c', 'b', Hms(10, 5)));
        Recounted();
    }
    void Add(std::string_view call, char band, std::string_view prefix, std::string_view dok,
             int minute) {
        QsoRecord r = Contact(call, band, "CW", Hms(10, minute));
        r.SetPrefix(prefix);
        StoreDok(r, dok);
        Put(r);
    }
};

TEST_F(PlacedResultsTest, FiguresGoWhereTheEntryKeepsThem) {
    struct Case {
        const char* name;
        bool inExtra;
        std::uint8_t multMode;
        // band index 1 and 2
        std::array<std::int32_t, 2> qso, mult, mult1, mult2, mult3;
    };
    const Case cases[] = {
        // Per band: 80 m has OE, OK and A01, B02; 40 m has OE, SP and A01.
        {"entry, per band", false, 0, {3, 2}, {4, 3}, {2, 2}, {2, 1}, {0, 0}},
        {"extra, per band", true, 0, {3, 2}, {4, 3}, {2, 2}, {2, 1}, {2, 2}},
        {"entry, per band and mode", false, 2, {3, 2}, {4, 3}, {2, 2}, {2, 1}, {0, 0}},
        // Whole log: OE, OK, SP and A01, B02, all at index 1.
        {"entry, whole log", false, 1, {3, 2}, {5, 0}, {3, 0}, {2, 0}, {0, 0}},
        {"extra, whole log", true, 1, {3, 2}, {5, 0}, {3, 0}, {2, 0}, {3, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        session_.definition.MultMode = c.multMode;
        entry_ = contest::ContestEntry{};
        entry_.SetTotalsInExtra(c.inExtra);
        extra_ = contest::ContestExtra{};
        Write();
        for (int i = 1; i <= 2; ++i) {
            const auto at = static_cast<std::size_t>(i - 1);
            const std::int32_t points = i == 1 ? 6 : 4;
            if (c.inExtra) {
                EXPECT_EQ(extra_.QsoCount(i), c.qso[at]);
                EXPECT_EQ(extra_.PointSum(i), points);
                EXPECT_EQ(extra_.MultCount(i), c.mult[at]);
                EXPECT_EQ(extra_.Mult1Count(i), c.mult1[at]);
                EXPECT_EQ(extra_.Mult2Count(i), c.mult2[at]);
                EXPECT_EQ(extra_.Mult3Count(i), c.mult3[at]);
            } else {
                EXPECT_EQ(entry_.QsoCount(i), c.qso[at]);
                EXPECT_EQ(entry_.PointSum(i), points);
                EXPECT_EQ(entry_.MultCount(i), c.mult[at]);
                EXPECT_EQ(entry_.Mult1Count(i), c.mult1[at]);
                EXPECT_EQ(entry_.Mult2Count(i), c.mult2[at]);
            }
        }
        if (c.inExtra)
            EXPECT_EQ(entry_.QsoCount(1), 0);
        else
            EXPECT_EQ(extra_, contest::ContestExtra{});
    }
}

TEST_F(PlacedResultsTest, SevenBandsFillTheEntrysLateBlock) {
    contest::ContestDefinition& d = session_.definition;
    d.Bands = {'k', 'j', 'i', 'h', 'g', 'c', 'b'};
    d.MultMode = 0;
    ClearTotals(session_);
    Recount(session_, true);
    entry_.SetTotalsInExtra(false);
    Write();
    EXPECT_EQ(entry_.QsoCount(6), 2);
    EXPECT_EQ(entry_.PointSum(6), 4);
    EXPECT_EQ(entry_.MultCount(6), 3);
    EXPECT_EQ(entry_.QsoCount(7), 3);
    EXPECT_EQ(entry_.PointSum(7), 6);
    EXPECT_EQ(entry_.Mult2Count(7), 2);
    EXPECT_EQ(entry_.QsoCount(1), 0);
}

}  // namespace
}  // namespace mss::log::test

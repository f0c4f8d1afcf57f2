// The band list and the multiplier check list.
#include "output/OutputTestSupport.h"
#include "output/Outputs.h"

namespace mss::output::test {
namespace {

class BandListTest : public OutputTest {
  protected:
    std::vector<std::string> Written(FileOutput kind) {
        StringTextTarget file;
        EXPECT_TRUE(WriteOutputFile(kind, file, Job()).Ok());
        std::vector<std::string> lines;
        const std::string& text = file.text();
        for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
             start = end + 2) {
            lines.push_back(text.substr(start + 5, end - start - 5));
        }
        return lines;
    }
    std::vector<std::string> BandListLines() { return Written(FileOutput::ElogBandList); }
    std::vector<std::string> CheckListLines() { return Written(FileOutput::ElogMultList); }

    void Add(std::string_view call, char band, std::string_view dok, std::string_view prefix,
             std::string_view continent = "EU") {
        QsoRecord r = Stored(call, kFirstDay, Hms(12, 0) + ++added_ * 60, "CW", "599001/P01",
                             "599001/B05", 1, band);
        log::StoreDok(r, dok);
        r.SetPrefix(prefix);
        r.SetContinent(continent);
        r.SetBandSeq(added_);
        Put(r);
    }
    int added_ = 0;
};

TEST_F(BandListTest, EveryBandOfTheContestGetsItsSection) {
    UseEntry('V', 6);  // 2 m and 70 cm
    Add("DL1AA", 'k', "V01", "DL");
    Put(log::test::BandChange('k', 'l', Hms(13, 0)));
    const std::vector<std::string> lines = BandListLines();
    const std::string title = "Band List   DL1ABC   ";
    const std::vector<std::string> expected = {
        radio::Fit("MVP-Contest 2012  Band List   DL1ABC", 65),
        " ",
        "DATE   UTC  CALL     BAND MODE SENT         RCVD         DOK   DXCC   P",
        " ",
        " ",
        title + "2 m",
        " ",
        "120812 1201 DL1AA    2    CW   599 001/P01  599 001/B05 " + std::string(14, ' ') + "1",
        " ",
        " ",
        title + "70 cm",
        " ",
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(BandListTest, ListenerLogCarriesTheSecondCallBetweenTheExchanges) {
    UseEntry('1', 4);
    QsoRecord r = Stored("DL1AA", kFirstDay, Hms(12, 0), "CW", "599001/P01", "579007/B05", 12, 'i');
    r.SetCall2("DK0XX");
    Put(r);
    const std::vector<std::string> lines = BandListLines();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], radio::Fit("DARC 10-m-Contest 2012  Band List   DE-1234", 77));
    EXPECT_EQ(lines[2],
              "DATE   UTC  CALL     BAND MODE SENT         CALL2     SENT2        DOK   DXCC    P");
    EXPECT_EQ(lines[7],
              "120812 1200 DL1AA    10   CW   599 001/P01  DK0XX     579 007/B05  "
              "             12");
}

TEST_F(BandListTest, BandColumnKeepsTheUnitLetter) {
    UseEntry('V', 6);
    Add("DL1AA", 'l', "", "DL");
    EXPECT_EQ(BandListLines()[11].substr(21, 5), "70 c ");
}

TEST_F(BandListTest, CheckListShowsTheFirstCallOfAValuePerBand) {
    UseEntry('V', 6);  // DOK and DXCC multipliers on 2 m and 70 cm
    Add("DL1AA", 'k', "B05", "DL");
    Add("DL2BB", 'l', "B05", "DL");
    Add("DL3CC", 'k', "B05", "DL");
    Add("OK1DD", 'k', "P01", "OK");
    Add("W1EE", 'l', "", "W", "NA");
    Add("DL5FF", 'k', "Z12345AB", "DL");
    Add("DL6GG", 'l', "Z12345AB", "DL");
    Put(log::test::BandChange('k', 'l', Hms(18, 0)));
    const std::string blankRow = std::string(8 + 2 * 13, ' ');
    const auto row = [](std::string value, std::string k, std::string l) {
        return radio::Fit(value, 8) + radio::Fit(k, 13) + radio::Fit(l, 13);
    };
    const std::vector<std::string> expected = {
        radio::Fit("MVP-Contest 2012 Multiplier Check List   DL1ABC", 65),
        " ",
        " ",
        row("Multi", "2 m", "70 cm"),
        " ",
        blankRow,
        row("B05", "DL1AA", "DL2BB"),
        row("P01", "OK1DD", ""),
        row("Z12345AB", "DL5FF", "DL6GG"),
        blankRow,
        row("OK", "OK1DD", ""),
        row("W", "", "W1EE"),
    };
    EXPECT_EQ(CheckListLines(), expected);
}

TEST_F(BandListTest, PrefixPartFollowsTheContestsOptions) {
    const struct {
        const char* what;
        std::vector<int> options;
        std::vector<std::string> rows;
    } kCases[] = {
        {"DXCC", {2}, {"OK", "W"}},
        {"DL counts", {2, 3}, {"DL", "OK", "W"}},
        {"Europe only", {2, 9}, {"OK"}},
        {"no prefix option", {5}, {}},
    };
    for (const auto& c : kCases) {
        UseEntry('V', 6);
        ClearLog();
        session_.definition.Features.reset();
        for (const int o : c.options) session_.definition.Features.set(static_cast<std::size_t>(o));
        Add("DL1AA", 'k', "", "DL");
        Add("OK1DD", 'k', "", "OK");
        Add("W1EE", 'l', "", "W", "NA");
        const std::vector<std::string> lines = CheckListLines();
        std::vector<std::string> rows;
        for (std::size_t i = 6; i < lines.size(); ++i)
            rows.push_back(radio::Trim(lines[i].substr(0, 8)));
        EXPECT_EQ(rows, c.rows) << c.what;
        EXPECT_EQ(lines.size(), c.rows.empty() ? 5u : 6u + c.rows.size()) << c.what;
    }
}

TEST_F(BandListTest, SprintCheckListHoldsOnlyThePageHeader) {
    FillSprintLog();
    EXPECT_EQ(CheckListLines().size(), 5u);
}

}  // namespace
}  // namespace mss::output::test

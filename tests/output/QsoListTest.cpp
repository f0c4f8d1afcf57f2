// The tabular QSO list: widths, fields and footers that follow the log and
// the contest.
#include "output/OutputTestSupport.h"
#include "output/Outputs.h"

namespace mss::output::test {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = text.find("\r\n"); end != std::string::npos;
         start = end + 2, end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "every line ends with CR LF";
    return lines;
}

class QsoListTest : public OutputTest {
  protected:
    std::vector<std::string> List(FileOutput kind = FileOutput::ElogQsoList) {
        StringTextTarget file;
        EXPECT_TRUE(WriteOutputFile(kind, file, job_).Ok());
        return Lines(file.text());
    }
    void Add(std::string_view call, int zeit, std::uint16_t points, char band = 'k') {
        Put(Stored(call, kFirstDay, zeit, "CW", "599JO62MM", "599JO31LK", points, band));
    }
    OutputJob job_;
};

TEST_F(QsoListTest, EmptyLogGivesHeaderAndFooter) {
    job_ = Job();
    const std::vector<std::string> expected = {
        "     " + radio::Fit("MSSprint-Contest  -  QSO-Liste     CALL: DL1ABC", 77),
        "      ",
        "     Nr   DATE   UTC  CALL     BAND MODE   SENT      RCVD      P",
        "      ",
        "           0 Punkte",
    };
    EXPECT_EQ(List(), expected);
    EXPECT_EQ(List(FileOutput::Csv),
              std::vector<std::string>{"DATE  ;UTC ;CALL    ;BAND;MODE  ;SENT     ;RCVD     ;P"});
}

TEST_F(QsoListTest, LongestCallWidensTheColumnOfEveryLine) {
    Add("DL1A", Hms(12, 0), 5);
    Add("DL1ABCDEFGHI", Hms(12, 1), 5);
    job_ = Job();
    const std::vector<std::string> lines = List();
    // 12 characters + 2 = 14 wide, in the headings and in every line.
    EXPECT_EQ(lines[2].substr(22, 19), "CALL           BAND");
    EXPECT_EQ(lines[3].substr(22, 19), "DL1A           2   ");
    EXPECT_EQ(lines[4].substr(22, 19), "DL1ABCDEFGHI   2   ");
}

TEST_F(QsoListTest, TimeRangeBlanksPointsOutsideAndCountsOnlyInside) {
    Add("DL1AA", Hms(11, 59, 59), 100);
    Add("DL2BB", Hms(12, 0), 20);
    Add("DL3CC", Hms(13, 0), 3);
    Add("DL4DD", Hms(13, 0, 1), 4000);
    extra_.SetPointSum(1, 4123);
    job_ = Job();
    job_.range = TimeRange{Hms(12, 0), Hms(13, 0)};
    const std::vector<std::string> lines = List();
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[3].substr(lines[3].size() - 5), "     ");
    EXPECT_EQ(lines[4].substr(lines[4].size() - 5), "   20");
    EXPECT_EQ(lines[5].substr(lines[5].size() - 5), "    3");
    EXPECT_EQ(lines[6].substr(lines[6].size() - 5), "     ");
    EXPECT_EQ(radio::Trim(lines[8]), "23 Punkte");
    EXPECT_EQ(lines[8].size(), lines[4].size()) << "the total ends where the lines end";
}

TEST_F(QsoListTest, BandNamesLoseTheirUnit) {
    const struct {
        char band;
        const char* list;
        const char* csv;
    } kBands[] = {
        {'k', "2   ", "2"},
        {'l', "70  ", "70  "},
        {'a', "160 ", "160"},
        {'m', "23  ", "23  "},
    };
    for (const auto& b : kBands) {
        ClearLog();
        Add("DL1AA", Hms(12, 0), 1, b.band);
        job_ = Job();
        EXPECT_EQ(List()[3].substr(31, 4), b.list) << b.band;
        const std::string csv = List(FileOutput::Csv)[1];
        EXPECT_EQ(csv.substr(22, csv.find(";CW") - 22), b.csv) << b.band;
    }
}

TEST_F(QsoListTest, ListenerLogNamesTheSecondCall) {
    UseEntry('1', 4);  // "SWL"
    ASSERT_EQ(session_.definition.EntryFlag, 1);
    QsoRecord r = Stored("DL1AA", kFirstDay, Hms(12, 0), "CW", "599001/P01", "579007/B05", 1, 'i');
    r.SetCall2("DK0XX");
    r.SetMultiCol1("B05");
    Put(r);
    job_ = Job();
    const std::vector<std::string> lines = List();
    EXPECT_EQ(radio::Trim(lines[0]), "DARC 10-m-Contest 2012  -  QSO-Liste     SWL : DE-1234");
    EXPECT_EQ(lines[2],
              "     Nr   DATE   UTC  CALL     BAND MODE   SENT         CALL2     SENT2        DOK  "
              " DXCC   P");
    EXPECT_EQ(lines[3],
              "        1 120812 1200 DL1AA    10   CW     579 007/B05  DK0XX     599 001/P01  B05  "
              "        1");
}

TEST_F(QsoListTest, NameColumnOfTheContestsThatShowIt) {
    const struct {
        char code;
        const char* nameQth;
        const char* heading;
        const char* tail;
    } kCases[] = {
        {'I', "Hans;Bonn", " Name/QTH", " Hans/Bonn"},
        {'I', "Hans;", " Name/QTH", " Hans"},
        {'l', ";Bonn", " Name/QTH", " "},
        {'O', "Hans;Bonn", " Name", " Hans"},
        {'j', "Hans;Bonn", "Pkt", "310"},
    };
    for (const auto& c : kCases) {
        UseEntry(c.code, 1);
        ClearLog();
        QsoRecord r = Stored("DL1AA", kFirstDay, Hms(12, 0), "CW", "599", "599", 310, 'b');
        r.SetNameQth(c.nameQth);
        Put(r);
        job_ = Job();
        const std::vector<std::string> lines = List();
        const std::string heading = c.heading;
        const std::string tail = c.tail;
        EXPECT_EQ(lines[2].substr(lines[2].size() - heading.size()), heading) << c.code;
        EXPECT_EQ(lines[3].substr(lines[3].size() - tail.size()), tail) << c.code << c.nameQth;
    }
}

TEST_F(QsoListTest, FooterOfTheScoringRules) {
    const struct {
        const char* what;
        char code;
        std::function<void(contest::ContestDefinition&, contest::ContestExtra&)> setup;
        std::vector<std::string> footer;
    } kCases[] = {
        {"points only", '1', [](auto& d, auto&) { d.PointsOnly = 1; }, {" ", "     10 Punkte"}},
        {"no kind counted", '1', [](auto&, auto&) {}, {" ", " x      10", " ", "     40 Punkte"}},
        {"two kinds",
         '1',
         [](auto&, auto& x) {
             x.SetMult1Count(1, 3);
             x.SetMult2Count(2, 1);
         },
         {" ", "(    3 +     1) x      10", " ", "     40 Punkte"}},
        {"per band product",
         '1',
         [](auto& d, auto&) { d.PerBandProduct = 1; },
         {" ", "     22 Punkte"}},
        {"postcode areas",
         '5',
         [](auto& d, auto&) { d.PointsOnly = 1; },
         {" ", "     10 Punkte", "      4 PLZ-Bereiche"}},
    };
    for (const auto& c : kCases) {
        UseEntry(c.code, 1);
        session_.entry.SetTotalsInExtra(true);
        extra_ = contest::ContestExtra{};
        extra_.SetPointSum(1, 6);
        extra_.SetMultCount(1, 3);
        extra_.SetPointSum(2, 4);
        extra_.SetMultCount(2, 1);
        c.setup(session_.definition, extra_);
        job_ = Job();
        // An empty log: the footer starts after the headings, unpadded.
        const std::vector<std::string> lines = List();
        std::vector<std::string> footer;
        for (std::size_t i = 3; i < lines.size(); ++i) footer.push_back(lines[i].substr(5));
        EXPECT_EQ(footer, c.footer) << c.what;
    }
}

}  // namespace
}  // namespace mss::output::test

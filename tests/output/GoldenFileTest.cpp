// The files of a fixed contest log, byte for byte: every file output of the
// MS sprint, and the E-Log list of a contest with multipliers and serials.
#include "output/OutputTestSupport.h"
#include "output/Outputs.h"

namespace mss::output::test {
namespace {

class GoldenFileTest : public OutputTest {
  protected:
    std::string Written(FileOutput kind) {
        StringTextTarget file;
        EXPECT_TRUE(WriteOutputFile(kind, file, Job()).Ok());
        return file.text();
    }
};

TEST_F(GoldenFileTest, MsSprintFilesMatchTheirGoldenFiles) {
    FillSprintLog();
    session_.entry.SetCategory(1);
    WriteStationFile("IC-9700, 500 W\r\n2 x 17 Elemente Yagi\r\n");
    messages_.SetNextAnswers({true});

    const struct {
        FileOutput kind;
        const char* golden;
    } kFiles[] = {
        {FileOutput::ElogQsoList, "mssprint.ALL"},  {FileOutput::ElogCover, "mssprint.SUM"},
        {FileOutput::ElogBandList, "mssprint.BND"}, {FileOutput::ElogTotal, "mssprint.TXT"},
        {FileOutput::Csv, "mssprint.CSV"},          {FileOutput::Adif, "mssprint.ADI"},
    };
    for (const auto& f : kFiles) ExpectGolden(f.golden, Written(f.kind));
}

// Contest '1': serial numbers and DOK exchanged, DOK and DXCC multipliers,
// marked in the extra columns; the footer multiplies.
TEST_F(GoldenFileTest, SerialContestListMatchesItsGoldenFile) {
    UseEntry('1', 2);
    const std::int32_t day = radio::DayNumber(3, 9, 2012);
    QsoRecord a = Stored("DL0XYZ", day, Hms(8, 1), "CW", "599001/P01", "599014/B05", 1, 'i');
    a.SetMultiCol1("B05");
    a.SetMultiCol2("DL");
    Put(a);
    QsoRecord b = Stored("EA8/DJ2MX", day, Hms(8, 3), "SSB", "59 002/P01", "59 127/B37", 3, 'i');
    b.SetMultiCol2("EA8");
    Put(b);
    QsoRecord c = Stored("DK7ZH", day, Hms(8, 10), "CW", "599003/P01", "599003/B05", 1, 'i');
    Put(c);
    session_.entry.SetMultCount(1, 3);
    session_.entry.SetMult1Count(1, 1);
    session_.entry.SetMult2Count(1, 2);
    session_.entry.SetPointSum(1, 5);
    session_.entry.SetQsoCount(1, 3);
    session_.entry.SetTotalsInExtra(false);
    ExpectGolden("serial.ALL", Written(FileOutput::ElogQsoList));
}

// Meteor-scatter contacts whose reports were left blank: the exchange
// columns are as wide as the text they print, so no locator is cut.
TEST_F(GoldenFileTest, BlankReportsKeepTheLocatorsWhole) {
    Put(Placed(Stored("DL1ABC", kFirstDay, Hms(12, 5), "FSK441", "   JO62MM", "   JO31AA", 1165),
               "JO31AA", "DL", 1));
    Put(Placed(Stored("SP9XYZ/P", kFirstDay, Hms(12, 30), "MSK144", "   JO62MM", "   KN09AB", 402),
               "KN09AB", "SP", 2));
    extra_.SetQsoCount(1, 2);
    extra_.SetPointSum(1, 1165 + 402);
    ExpectGolden("blankreports.ALL", Written(FileOutput::ElogQsoList));
}

}  // namespace
}  // namespace mss::output::test

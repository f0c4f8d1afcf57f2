// The summary sheet: the lines that follow the entry, the address, the
// language and the scoring rules.
#include <algorithm>

#include "output/OutputTestSupport.h"
#include "output/Outputs.h"

namespace mss::output::test {
namespace {

class SummarySheetTest : public OutputTest {
  protected:
    // The sheet's lines without the 5 blanks every file line starts with.
    std::vector<std::string> Sheet(const OutputJob& job) {
        StringTextTarget file;
        EXPECT_TRUE(WriteOutputFile(FileOutput::ElogCover, file, job).Ok());
        std::vector<std::string> lines;
        const std::string& text = file.text();
        for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
             start = end + 2) {
            EXPECT_EQ(text.compare(start, 5, "     "), 0);
            lines.push_back(text.substr(start + 5, end - start - 5));
        }
        return lines;
    }
    static bool Has(const std::vector<std::string>& lines, const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    // The lines from the last that starts with `start`, `count` of them.
    static std::vector<std::string> From(const std::vector<std::string>& lines,
                                         const std::string& start, std::size_t count) {
        const auto last = std::find_if(lines.rbegin(), lines.rend(), [&](const std::string& l) {
            return l.rfind(start, 0) == 0;
        });
        if (last == lines.rend()) return {"(no line starts with " + start + ")"};
        const auto at = std::prev(last.base());
        return {at, at + static_cast<std::ptrdiff_t>(std::min<std::size_t>(
                             count, static_cast<std::size_t>(lines.end() - at)))};
    }
};

TEST_F(SummarySheetTest, CategoryZeroLeavesTheCategoryLineEmpty) {
    session_.entry.SetCategory(0);
    const std::vector<std::string> lines = Sheet(Job());
    ASSERT_GT(lines.size(), 14u);
    EXPECT_EQ(lines[11].substr(0, 5), "Call:");
    EXPECT_EQ(lines[12], "");
    EXPECT_EQ(lines[13], "");
    EXPECT_EQ(lines[14], " ");
}

TEST_F(SummarySheetTest, ClosingBlockWrapsByTheLengthOfTheTown) {
    const std::string town70(70, 'T');
    const struct {
        std::string town;
        std::uint8_t category;
        std::vector<std::string> closing;
    } kCases[] = {
        {"12345 Berlin", 1, {"Ort: 12345 Berlin     Datum: 14.08.2012   Call: DL1ABC", " ", " "}},
        {"", 1, {radio::Fit("Ort:      Datum: 14.08.2012   Call: DL1ABC", 43), "Dieses"}},
        {town70,
         1,
         {"Ort: " + town70, " ", radio::Fit("Datum: 14.08.2012   Call: DL1ABC", 43), "Dieses"}},
        {"", 4, {"Ort:      Datum: 14.08.2012     SWL :DE-1234", " ", " "}},
        {"Bonn", 4, {"Ort: Bonn     Datum: 14.08.2012     SWL :DE-1234", " ", " "}},
    };
    for (const auto& c : kCases) {
        session_.entry.SetCategory(c.category);
        OutputJob job = Job();
        job.address.postcodeTown = c.town;
        std::vector<std::string> closing = From(Sheet(job), "Ort: ", c.closing.size());
        // The credit line follows at once in a file when the block has no
        // line of its own for the signature.
        if (closing.back().rfind("Dieses ", 0) == 0) closing.back() = "Dieses";
        EXPECT_EQ(closing, c.closing) << c.town;
    }
}

TEST_F(SummarySheetTest, StationFileLinesFollowTheResultWhenTheFileHasLines) {
    const struct {
        const char* file;  // nullptr: no file
        bool shown;
    } kCases[] = {{nullptr, false}, {"", false}, {"IC-9700\r\n", true}, {"IC-9700", true}};
    for (const auto& c : kCases) {
        std::filesystem::remove(radio::Program().RunDir + "mssprint     1.STN");
        if (c.file) WriteStationFile(c.file);
        const std::vector<std::string> lines = Sheet(Job());
        EXPECT_EQ(Has(lines, "Angaben zur Station:"), c.shown) << (c.file ? c.file : "none");
        if (c.shown) {
            EXPECT_EQ(From(lines, "Angaben zur Station:", 3),
                      (std::vector<std::string>{"Angaben zur Station:", "IC-9700", " "}));
        }
    }
}

TEST_F(SummarySheetTest, EnglishSheet) {
    radio::Program().LanguageGerman = 0;
    FillSprintLog();
    WriteStationFile("IC-9700\r\n");
    const std::vector<std::string> lines = Sheet(Job());
    const std::vector<std::string> expected = {
        " ",
        " ",
        " ",
        "Name:       J\xFCrgen M\xFCller",
        "Address:    Hauptstra\xDF"
        "e 5",
        "            12345 Berlin",
        " ",
        "Country:    Deutschland",
        " ",
        std::string(22, ' ') + "MSSprint-Contest" + std::string(22, ' '),
        " ",
        "Callsign: DL1ABC              DOK:              Loc: JO62MM   ",
        "",
        "Category: QRP (maximal 1,5 KW ERP/2.5KW EIRP)",
        " ",
        " ",
        " ",
        "          Final Score:  1353  Points",
        "          " + std::string(47, '_'),
        " ",
        "I affirm that I have observed all rules of ",
        "MSSprint-Contest.",
        " ",
        radio::Fit(" City:12345 Berlin Date 14.08.2012 Call DL1ABC", 50),
        "Printed with Quorvane www.quorvane.example",
        " ",
        " ",
        " ",
    };
    EXPECT_EQ(lines, expected);
}

// Contest '1': multipliers per band, so the sheet shows the band table.
TEST_F(SummarySheetTest, BandTableOfAContestWithMultipliersPerBand) {
    UseEntry('1', 1);
    session_.entry.SetTotalsInExtra(false);
    session_.entry.SetQsoCount(1, 12);
    session_.entry.SetPointSum(1, 36);
    session_.entry.SetMultCount(1, 7);
    session_.entry.SetMult1Count(1, 5);
    session_.entry.SetMult2Count(1, 2);
    const std::vector<std::string> lines = Sheet(Job());
    const std::vector<std::string> expected = {
        "              Band    QSO   Punkte       DOK      DXCC",
        "              10 m     12       36         5         2",
        "             Summe     12       36         5         2",
        " ",
        " ",
        "          Endergebnis:  36 Punkte x 7 Multi = 252 Punkte",
    };
    EXPECT_EQ(From(lines, "              Band", expected.size()), expected);
}

TEST_F(SummarySheetTest, ResultLineFollowsTheScoringRules) {
    const struct {
        const char* what;
        char code;
        std::function<void(contest::ContestDefinition&)> rules;
        const char* result;
    } kCases[] = {
        {"no multipliers", 'j', [](auto&) {}, "36 Punkte"},
        {"points only", '1', [](auto& d) { d.PointsOnly = 1; }, "36 Punkte (7 Multi) = 36 Punkte"},
        {"postcodes", '5', [](auto& d) { d.PointsOnly = 1; }, "36 Punkte /  7 PLZ-Bereiche"},
        {"prefixes", 'P', [](auto& d) { d.PointsOnly = 1; }, "36 Punkte   7 Prefixe"},
        {"per band", '1', [](auto& d) { d.PerBandProduct = 1; }, "   216"},
        {"product", '1', [](auto&) {}, "36 Punkte x 7 Multi = 252 Punkte"},
    };
    for (const auto& c : kCases) {
        UseEntry(c.code, 1);
        session_.entry.SetTotalsInExtra(true);
        extra_ = contest::ContestExtra{};
        extra_.SetPointSum(1, 30);
        extra_.SetMultCount(1, 7);
        extra_.SetPointSum(2, 6);  // a band without multipliers adds its points
        c.rules(session_.definition);
        const std::vector<std::string> result = From(Sheet(Job()), "          E", 1);
        EXPECT_EQ(result[0], std::string("          Endergebnis:  ") + c.result) << c.what;
    }
}

TEST_F(SummarySheetTest, ContestAdditionsFollowTheEntryAndTheLog) {
    const struct {
        char code;
        std::int32_t extraNumber;
        const char* marker;  // MultiCol1 of an added contact, or nullptr
        std::vector<std::string> lines;
    } kCases[] = {
        {'P', 7, nullptr, {"Lebensalter:  7"}},
        {'P', -1, nullptr, {"Lebensalter: XX"}},
        {'Y', 1, nullptr, {"Wertungsgruppe: M: Multi = Multi OP/Single TX"}},
        {'G', 0, "F28", {"Multiberechnung inklusive Zusatzmultipunkt F28"}},
        {'G', 0, "HT06", {"Multiberechnung inklusive Zusatzmultipunkt HT06"}},
        {'8',
         0,
         nullptr,
         {"Anzahl gearbeiteter DXCC: 4", "Anzahl gearbeiteter Loc : 4",
          "ODX                     : PA3CMP JO22DC 588"}},
        {'b',
         3,
         nullptr,
         {"Im OQRPC habe ich auf dem 80/40/20m-Band",
          "mit einem individuellen Unikat teilgenommen."}},
    };
    for (const auto& c : kCases) {
        UseEntry(c.code, 1);
        ClearLog();
        FillSprintLog();
        if (c.marker) {
            // Its DOK is a district DOK, a special DOK and two Z-DOKs by turns.
            for (const char* dok : {"K01", "RLP", "Z44", "Z12"}) {
                QsoRecord r = Stored(c.code == 'h' ? "DK0KL" : "DL0F", kFirstDay, Hms(15, 0), "CW",
                                     "599", "599", 1);
                r.SetMultiCol1(c.marker);
                if (c.code == 'h' || c.code == 'o') log::StoreDok(r, dok);
                Put(r);
            }
        }
        session_.entry.SetExtraNumber(c.extraNumber);
        const std::vector<std::string> lines = Sheet(Job());
        for (const std::string& line : c.lines) {
            EXPECT_TRUE(Has(lines, line)) << c.code << ": " << line;
        }
    }
    UseEntry('Z', 1);
    session_.entry.SetExtraFlag(true);
    EXPECT_EQ(From(Sheet(Job()), "IPARC", 2),
              (std::vector<std::string>{"IPARC-Mitglied: Ja", " "}));
    UseEntry('7', 1);
    session_.entry.SetExtraNumber(12);
    EXPECT_EQ(From(Sheet(Job()), "Call:", 1)[0].substr(51), "DIG: 0012");
}

}  // namespace
}  // namespace mss::output::test

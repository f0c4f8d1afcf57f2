// The printed lists: rendered to a PDF through the Qt printer and read back
// with pdftotext, and drawn on a recording canvas to check page breaks.
#include <QPrinter>
#include <algorithm>
#include <cstdio>
#include <memory>

#include "common/QtApp.h"
#include "output/OutputTestSupport.h"
#include "output/Outputs.h"
#include "output/RecordingCanvas.h"
#include "platform/qt/QtPrinterCanvas.h"

namespace mss::output::test {
namespace {

// The standard output of a command.
std::string CommandOutput(const std::string& command) {
    std::string out;
    const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) return out;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe.get())) {
        out.append(buffer, n);
    }
    return out;
}

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

// Runs of blanks as one blank: pdftotext spaces words by their position.
std::string Squeezed(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c != ' ' || out.empty() || out.back() != ' ') out += c;
    }
    return out;
}

class PaperTest : public OutputTest {
  protected:
    void SetUp() override {
        OutputTest::SetUp();
        mss::test::QtApp();
    }
    // `n` contacts with the calls DL1000, DL1001, ...
    void FillContacts(int n) {
        for (int i = 0; i < n; ++i) {
            QsoRecord r = Stored("DL" + std::to_string(1000 + i), kFirstDay, Hms(12, 0) + i * 60,
                                 "CW", "599JO62MM", "599JO31LK", static_cast<std::uint16_t>(i));
            r.SetBandSeq(i + 1);
            Put(r);
        }
        extra_.SetQsoCount(1, n);
        extra_.SetPointSum(1, n * (n - 1) / 2);
    }
};

TEST_F(PaperTest, TwoHundredContactsPrintToPdfOnEveryPage) {
    FillContacts(200);
    const std::string pdf = dir_.RunDir() + "list.pdf";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));
    printer.setPageSize(QPageSize(QPageSize::A4));
    int lineHeight = 0, top = 0, pageHeight = 0, pages = 0;
    {
        platform::QtPrinterCanvas canvas(printer, "Courier New", 9);
        ASSERT_TRUE(canvas.IsActive());
        const PrintLayout layout = StandardPrintLayout(canvas);
        ASSERT_TRUE(PrintOutput(PaperOutput::QsoList, canvas, layout, Job()).Ok());
        lineHeight = layout.lineHeight;
        top = static_cast<int>(canvas.Resolution() / 2.54);
        pageHeight = canvas.PageHeight();
        pages = canvas.PageNumber();
        ASSERT_TRUE(canvas.Finish());
    }
    // Every page holds as many lines as fit below the top margin: the first
    // page the header (3 lines), a blank line and contacts, the others the
    // header and contacts; the footer's 2 lines need 4 free ones.
    const int perPage = (pageHeight - top) / lineHeight;
    ASSERT_GT(perPage, 10);
    int expected = 1;
    int left = 200 - (perPage - 4);
    while (left > 0) {
        ++expected;
        left -= perPage - 3;
    }
    const int lastLines = 3 + (left + perPage - 3);
    if (lastLines + 4 > perPage) ++expected;
    EXPECT_EQ(pages, expected);

    if (const char* shots = std::getenv("MSS_SCREENSHOT_DIR")) {
        std::filesystem::copy_file(pdf, std::filesystem::path(shots) / "qso-list.pdf",
                                   std::filesystem::copy_options::overwrite_existing);
    }
    const std::string info = CommandOutput("pdfinfo '" + pdf + "'");
    EXPECT_EQ(Squeezed(info).find("Pages: " + std::to_string(expected) + "\n") != std::string::npos,
              true)
        << info;
    const std::string text = CommandOutput("pdftotext -layout '" + pdf + "' -");
    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(Count(text, "DL" + std::to_string(1000 + i)), 1) << i;
    }
    for (int page = 1; page <= expected; ++page) {
        EXPECT_EQ(Count(text, "Page :" + radio::PadLeft(std::to_string(page), 4)), 1) << page;
    }
    EXPECT_EQ(Count(Squeezed(text), "MSSprint-Contest - QSO-Liste CALL: DL1ABC"), expected);
    EXPECT_EQ(Count(text, "19900 Punkte"), 1);
}

// A page of 25 lines: 10 dots each below a top margin of 39 dots.
TEST_F(PaperTest, PageBreakRepeatsTheHeaderWithTheNextPageNumber) {
    FillContacts(30);
    RecordingCanvas canvas(289);
    const PrintLayout layout{55, 10};
    ASSERT_TRUE(PrintOutput(PaperOutput::QsoList, canvas, layout, Job()).Ok());
    ASSERT_EQ(canvas.PageNumber(), 2);
    const std::vector<std::string> first = canvas.Page(1);
    const std::vector<std::string> second = canvas.Page(2);
    ASSERT_EQ(first.size(), 25u);
    EXPECT_EQ(first[0].substr(77), "Page :   1");
    EXPECT_EQ(first[3], " ");
    EXPECT_EQ(first[4].substr(0, 18), "   1 120812 1200 D");
    EXPECT_EQ(second[0].substr(77), "Page :   2");
    EXPECT_EQ(second[1], " ");
    EXPECT_EQ(second[2], first[2]) << "the column headings";
    EXPECT_EQ(second[3].substr(0, 4), "  22");
    EXPECT_EQ(second.back().substr(second.back().size() - 10), "435 Punkte");
    for (const RecordingCanvas::Text& t : canvas.texts()) {
        EXPECT_EQ(t.x, 55);
        EXPECT_EQ(t.bold, t.text.find("Page :") != std::string::npos) << t.text;
    }
    EXPECT_EQ(canvas.texts()[1].y - canvas.texts()[0].y, 10);
    EXPECT_EQ(canvas.texts()[0].y, 39);
}

// The footer's blank line and total stay together on the next page when
// fewer than four lines are left.
TEST_F(PaperTest, FooterMovesToTheNextPageWhenItWouldBeCut) {
    FillContacts(19);  // header 3 + blank 1 + 19 contacts = 23 of 25 lines
    RecordingCanvas canvas(289);
    ASSERT_TRUE(PrintOutput(PaperOutput::QsoList, canvas, {55, 10}, Job()).Ok());
    ASSERT_EQ(canvas.PageNumber(), 2);
    const std::vector<std::string> second = canvas.Page(2);
    ASSERT_EQ(second.size(), 5u);
    EXPECT_EQ(second[3], " ");
    EXPECT_NE(second[4].find("171 Punkte"), std::string::npos);
}

TEST_F(PaperTest, BandListBreakRepeatsThePageHeaderButNotTheSection) {
    FillContacts(30);
    RecordingCanvas canvas(289);
    ASSERT_TRUE(PrintOutput(PaperOutput::BandList, canvas, {55, 10}, Job()).Ok());
    const std::vector<std::string> second = canvas.Page(2);
    ASSERT_GE(second.size(), 4u);
    EXPECT_EQ(second[0].substr(65), "Page :   2");
    EXPECT_EQ(second[2].substr(0, 4), "DATE");
    EXPECT_EQ(second[3].substr(0, 16), "120812 1218 DL10");
    EXPECT_EQ(Count(canvas.Page(1)[5], "Band List   DL1ABC   2 m"), 1);
}

TEST_F(PaperTest, RefusedNewPageIsAFailure) {
    FillContacts(30);
    RecordingCanvas canvas(289);
    canvas.FailNewPage();
    EXPECT_EQ(PrintOutput(PaperOutput::QsoList, canvas, {55, 10}, Job()).error, kPrinterFailed);
}

TEST_F(PaperTest, SheetOnPaperIsSignedAndBold) {
    FillSprintLog();
    radio::Program().OwnCall = "DL1A";
    OutputJob job = Job();
    job.address.postcodeTown = "";
    RecordingCanvas canvas;
    ASSERT_TRUE(PrintOutput(PaperOutput::Cover, canvas, {55, 10}, job).Ok());
    const std::vector<std::string> lines = canvas.Page(1);
    const std::string closing = "Ort:      Datum: 14.08.2012   Call: DL1A";
    EXPECT_EQ(std::count(lines.begin(), lines.end(),
                         radio::Fit(closing, 43) + "Unterschrift _______________"),
              1);
    std::vector<std::string> bold;
    for (const RecordingCanvas::Text& t : canvas.texts()) {
        if (t.bold) bold.push_back(t.text);
    }
    const std::vector<std::string> expected = {
        "Name:       J\xFCrgen M\xFCller",
        "Anschrift:  Hauptstra\xDF"
        "e 5",
        "Ort:        ",
        " ",
        std::string(22, ' ') + "MSSprint-Contest" + std::string(22, ' '),
        "Call: DL1A         DOK:              Loc: JO62MM   ",
        "",
        "Teilnahmeart: QRP (maximal 1,5 KW ERP/2.5KW EIRP)",
    };
    EXPECT_EQ(bold, expected);
}

}  // namespace
}  // namespace mss::output::test

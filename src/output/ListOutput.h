// The line writer every listing goes through: on paper a line is drawn at
// the left margin and the next one starts one line height lower, with a new
// page (and the listing's page header) when a line would pass the page
// height; in a text file a line is written after its prefix with CR LF.
// The first failure is kept; later lines are skipped.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "output/TextTarget.h"
#include "output/WriteStatus.h"
#include "platform/Canvas.h"

namespace mss::output {

// Margins of the printed lists in dots, set up by whoever starts the print job.
struct PrintLayout {
    int leftMargin = 0;
    int lineHeight = 0;
};

// The usual layout in the canvas's current font: a left margin of 1.4 cm and
// a line height of 1.1 times the height of "XygW", both truncated.
PrintLayout StandardPrintLayout(const platform::Canvas& canvas);

// What a file line carries in front of it.
enum class LinePrefix {
    FiveBlanks,  // E-Log lists, sheet, ADIF records
    None,        // CSV
};

class ListOutput {
  public:
    ListOutput(TextTarget& file, LinePrefix prefix);
    ListOutput(platform::Canvas& canvas, PrintLayout layout);
    ListOutput(const ListOutput&) = delete;
    ListOutput& operator=(const ListOutput&) = delete;

    bool OnPaper() const { return canvas_ != nullptr; }

    // What a new page writes first (on paper only); it runs with the page
    // check switched off.
    void SetPageHeader(std::function<void()> header) { pageHeader_ = std::move(header); }

    // One line of the listing.
    void Line(std::string_view text);
    // A line in bold on paper; a plain line in a file.
    void BoldLine(std::string_view text);
    // A header line of an exchange file, written without prefix (files only).
    void RawLine(std::string_view text);

    // Paper: starts a new page with the header when `lines` more lines would
    // pass the page height. Nothing in a file.
    void KeepLinesTogether(int lines);
    // Paper: the position goes back to the top margin of the page.
    void TopOfPage();
    void SetBold(bool bold);
    int PageNumber() const;

    WriteStatus Status() const { return {error_}; }
    // Keeps a failure met by the listing itself (a log it could not read);
    // the first failure stays.
    void Fail(WriteStatus status) {
        if (error_ == 0) error_ = status.error;
    }

  private:
    bool WouldPass(int lines) const;
    void BreakPage();
    void Draw(std::string_view text);
    void WriteFileLine(std::string_view prefix, std::string_view text);

    TextTarget* file_ = nullptr;
    LinePrefix prefix_ = LinePrefix::FiveBlanks;
    platform::Canvas* canvas_ = nullptr;
    PrintLayout layout_;
    int y_ = 0;
    bool inHeader_ = false;
    std::function<void()> pageHeader_;
    int error_ = 0;
};

// fit and lpad of the listings and number(v, n): v right-aligned in n.
std::string Number(long long value, int width);

}  // namespace mss::output

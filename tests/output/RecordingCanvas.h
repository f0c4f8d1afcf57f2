// A printer canvas that records what is drawn, page by page, for the tests
// of the printed lists: a page of `pageHeight` dots at 100 dots per inch
// whose text is 10 dots high.
#pragma once

#include <string>
#include <vector>

#include "platform/Canvas.h"

namespace mss::output::test {

class RecordingCanvas : public platform::Canvas {
  public:
    struct Text {
        int page;
        int x;
        int y;
        bool bold;
        std::string text;
    };

    explicit RecordingCanvas(int pageHeight = 1000) : pageHeight_(pageHeight) {}

    int Resolution() const override { return 100; }
    int PageHeight() const override { return pageHeight_; }
    int TextHeight(std::string_view) const override { return 10; }
    int PageNumber() const override { return page_; }
    void SetBold(bool bold) override { bold_ = bold; }
    void DrawText(int x, int y, std::string_view text) override {
        texts_.push_back({page_, x, y, bold_, std::string(text)});
    }
    bool NewPage() override {
        if (failNewPage_) return false;
        ++page_;
        return true;
    }

    void FailNewPage() { failNewPage_ = true; }
    const std::vector<Text>& texts() const { return texts_; }
    // The texts of one page, in drawing order.
    std::vector<std::string> Page(int page) const {
        std::vector<std::string> lines;
        for (const Text& t : texts_) {
            if (t.page == page) lines.push_back(t.text);
        }
        return lines;
    }

  private:
    int pageHeight_;
    int page_ = 1;
    bool bold_ = false;
    bool failNewPage_ = false;
    std::vector<Text> texts_;
};

}  // namespace mss::output::test

// The printer's page as the list writers see it: text drawn at positions in
// device dots, a bold style, the page height and new pages. The Qt printer
// implements it for paper and PDF; tests record the calls.
#pragma once

#include <string_view>

namespace mss::platform {

class Canvas {
  public:
    virtual ~Canvas() = default;
    // Dots per inch, vertical and horizontal alike.
    virtual int Resolution() const = 0;
    // The printable height of a page in dots.
    virtual int PageHeight() const = 0;
    // The height of the text in the current font, in dots.
    virtual int TextHeight(std::string_view cp1252) const = 0;
    // 1 for the first page.
    virtual int PageNumber() const = 0;
    virtual void SetBold(bool bold) = 0;
    // Draws a Windows-1252 text whose top left corner is at (x, y).
    virtual void DrawText(int x, int y, std::string_view cp1252) = 0;
    // Starts the next page; false when the printer refuses.
    [[nodiscard]] virtual bool NewPage() = 0;
};

}  // namespace mss::platform

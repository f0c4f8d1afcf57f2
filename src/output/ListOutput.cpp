#include "output/ListOutput.h"

#include <string>

#include "radio/Text.h"

namespace mss::output {

namespace {

constexpr std::string_view kFiveBlanks = "     ";
constexpr std::string_view kLineEnd = "\r\n";

// The top margin of a printed page: 1 cm.
int TopMargin(const platform::Canvas& canvas) {
    return static_cast<int>(canvas.Resolution() / 2.54);
}

}  // namespace

PrintLayout StandardPrintLayout(const platform::Canvas& canvas) {
    PrintLayout layout;
    layout.leftMargin = static_cast<int>(canvas.Resolution() * 1.4 / 2.54);
    layout.lineHeight = static_cast<int>(canvas.TextHeight("XygW") * 1.1);
    return layout;
}

ListOutput::ListOutput(TextTarget& file, LinePrefix prefix) : file_(&file), prefix_(prefix) {}

ListOutput::ListOutput(platform::Canvas& canvas, PrintLayout layout)
    : canvas_(&canvas), layout_(layout), y_(TopMargin(canvas)) {}

void ListOutput::Line(std::string_view text) {
    if (error_ != 0) return;
    if (canvas_) {
        if (!inHeader_ && WouldPass(1)) BreakPage();
        Draw(text);
    } else {
        WriteFileLine(prefix_ == LinePrefix::FiveBlanks ? kFiveBlanks : "", text);
    }
}

void ListOutput::BoldLine(std::string_view text) {
    SetBold(true);
    Line(text);
    SetBold(false);
}

void ListOutput::RawLine(std::string_view text) {
    if (error_ == 0 && file_) WriteFileLine("", text);
}

void ListOutput::KeepLinesTogether(int lines) {
    if (error_ == 0 && canvas_ && WouldPass(lines)) BreakPage();
}

void ListOutput::TopOfPage() {
    if (canvas_) y_ = TopMargin(*canvas_);
}

void ListOutput::SetBold(bool bold) {
    if (canvas_) canvas_->SetBold(bold);
}

int ListOutput::PageNumber() const {
    return canvas_ ? canvas_->PageNumber() : 1;
}

bool ListOutput::WouldPass(int lines) const {
    return y_ + lines * layout_.lineHeight > canvas_->PageHeight();
}

void ListOutput::BreakPage() {
    if (!canvas_->NewPage()) {
        error_ = kPrinterFailed;
        return;
    }
    TopOfPage();
    if (!pageHeader_) return;
    inHeader_ = true;
    pageHeader_();
    inHeader_ = false;
}

void ListOutput::Draw(std::string_view text) {
    canvas_->DrawText(layout_.leftMargin, y_, text);
    y_ += layout_.lineHeight;
}

void ListOutput::WriteFileLine(std::string_view prefix, std::string_view text) {
    std::string line;
    line.reserve(prefix.size() + text.size() + kLineEnd.size());
    line.append(prefix).append(text).append(kLineEnd);
    error_ = file_->Write(line).error;
}

std::string Number(long long value, int width) {
    return radio::PadLeft(std::to_string(value), width);
}

}  // namespace mss::output

#include "platform/qt/QtPrinterCanvas.h"

#include <QFontMetrics>

#include "platform/qt/QtText.h"

namespace mss::platform {

QtPrinterCanvas::QtPrinterCanvas(QPagedPaintDevice& device, const QString& family,
                                 int pointSize)
    : printer_(device), font_(family, pointSize) {
    // Fixed pitch keeps the columns of the lists when the family is missing.
    font_.setStyleHint(QFont::Monospace);
    font_.setFixedPitch(true);
    if (painter_.begin(&printer_)) painter_.setFont(font_);
}

QtPrinterCanvas::~QtPrinterCanvas() {
    if (painter_.isActive()) painter_.end();
}

bool QtPrinterCanvas::Finish() {
    if (!painter_.isActive()) return false;
    return painter_.end();
}

int QtPrinterCanvas::Resolution() const {
    return printer_.logicalDpiY();
}

int QtPrinterCanvas::PageHeight() const {
    return printer_.pageLayout().paintRectPixels(printer_.logicalDpiY()).height();
}

int QtPrinterCanvas::TextHeight(std::string_view cp1252) const {
    return QFontMetrics(font_, &printer_).boundingRect(QtText(cp1252)).height();
}

void QtPrinterCanvas::SetBold(bool bold) {
    font_.setBold(bold);
    painter_.setFont(font_);
}

void QtPrinterCanvas::DrawText(int x, int y, std::string_view cp1252) {
    const int baseline = y + QFontMetrics(font_, &printer_).ascent();
    painter_.drawText(x, baseline, QtText(cp1252));
}

bool QtPrinterCanvas::NewPage() {
    if (!painter_.isActive() || !printer_.newPage()) return false;
    ++page_;
    return true;
}

}  // namespace mss::platform

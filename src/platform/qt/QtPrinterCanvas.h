// The printer canvas on a QPrinter: paper on any printer of the desktop, or
// a PDF file. The canvas begins painting when it is made and ends it when it
// is finished or destroyed.
#pragma once

#include <QFont>
#include <QPainter>
#include <QPrinter>

#include "platform/Canvas.h"

namespace mss::platform {

class QtPrinterCanvas : public Canvas {
  public:
    // Paints on `printer` with the font family at the point size.
    QtPrinterCanvas(QPrinter& printer, const QString& family, int pointSize);
    ~QtPrinterCanvas() override;
    QtPrinterCanvas(const QtPrinterCanvas&) = delete;
    QtPrinterCanvas& operator=(const QtPrinterCanvas&) = delete;

    // False when the printer could not be opened.
    bool IsActive() const { return painter_.isActive(); }
    // Ends the print job; false when the printer reports a failure.
    [[nodiscard]] bool Finish();

    int Resolution() const override;
    int PageHeight() const override;
    int TextHeight(std::string_view cp1252) const override;
    int PageNumber() const override { return page_; }
    void SetBold(bool bold) override;
    void DrawText(int x, int y, std::string_view cp1252) override;
    [[nodiscard]] bool NewPage() override;

  private:
    QPrinter& printer_;
    QPainter painter_;
    QFont font_;
    int page_ = 1;
};

}  // namespace mss::platform

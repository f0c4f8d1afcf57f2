// The printer canvas on a paged device: paper on any printer of the desktop
// (QPrinter), or a PDF file (QPrinter or QPdfWriter). The canvas begins painting when it is made and ends it when it
// is finished or destroyed.
#pragma once

#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>

#include "platform/Canvas.h"

namespace mss::platform {

class QtPrinterCanvas : public Canvas {
  public:
    // Paints on `device` with the font family at the point size.
    QtPrinterCanvas(QPagedPaintDevice& device, const QString& family, int pointSize);
    ~QtPrinterCanvas() override;
    QtPrinterCanvas(const QtPrinterCanvas&) = delete;
    QtPrinterCanvas& operator=(const QtPrinterCanvas&) = delete;

    // False when the printer could not be opened.
    bool IsActive() const { return painter_.isActive(); }
    // Ends the print job; false when painting could not be ended (a printer
    // reports its own failures through its state as well).
    [[nodiscard]] bool Finish();

    int Resolution() const override;
    int PageHeight() const override;
    int TextHeight(std::string_view cp1252) const override;
    int PageNumber() const override { return page_; }
    void SetBold(bool bold) override;
    void DrawText(int x, int y, std::string_view cp1252) override;
    [[nodiscard]] bool NewPage() override;

  private:
    QPagedPaintDevice& printer_;
    QPainter painter_;
    QFont font_;
    int page_ = 1;
};

}  // namespace mss::platform

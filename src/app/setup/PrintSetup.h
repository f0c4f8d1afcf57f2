// The print dialog of the printed lists and the review editor, behind a
// seam that tests answer (with a PDF file as the printer).
#pragma once

#include "platform/ScopedInstall.h"

class QPrinter;
class QWidget;

namespace mss::app {

class PrintSetupDialog {
  public:
    virtual ~PrintSetupDialog() = default;
    // Sets up `printer`; false when the operator cancelled.
    [[nodiscard]] virtual bool Ask(QWidget* parent, QPrinter& printer) = 0;
};
PrintSetupDialog& CurrentPrintSetupDialog();
using ScopedPrintSetupDialog = platform::ScopedInstall<PrintSetupDialog>;

}  // namespace mss::app

#include "app/setup/PrintSetup.h"

#include <QPrintDialog>
#include <QPrinter>

namespace mss::app {

namespace {

class QtPrintSetupDialog : public PrintSetupDialog {
  public:
    bool Ask(QWidget* parent, QPrinter& printer) override {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }
};

}  // namespace

PrintSetupDialog& CurrentPrintSetupDialog() {
    static QtPrintSetupDialog qt;
    PrintSetupDialog* installed = ScopedPrintSetupDialog::Installed();
    return installed ? *installed : qt;
}

}  // namespace mss::app

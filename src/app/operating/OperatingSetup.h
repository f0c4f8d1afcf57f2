// The dialog "Funkgerät und WSJT-X/MSHV" of the setup dialog: where the
// contacts of the digital-mode programs arrive, which radio gives the
// frequency, and which super check partial list is used. Stored in the
// operator's own settings.
#pragma once

#include <QDialog>

#include "app/operating/OperatingSettings.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace mss::app {

class TOperatingSetup : public QDialog {
    Q_OBJECT

  public:
    TOperatingSetup(const OperatingSettings& settings, QWidget* parent);
    // The settings as the dialog shows them; `typedPort` is the port field read.
    OperatingSettings Values(int& typedPort) const;

  private:
    void Accept();

    QCheckBox* cUDP_ = nullptr;
    QLineEdit* eUDPPort_ = nullptr;
    QLineEdit* eMulticast_ = nullptr;
    QComboBox* eRigModell_ = nullptr;
    QLineEdit* eRigPort_ = nullptr;
    QComboBox* eRigSpeed_ = nullptr;
    QLineEdit* eSCP_ = nullptr;
    OperatingSettings given_;
};

// The button of the setup dialog that opens it (and stores what it gives).
QPushButton* NewOperatingSetupButton(QWidget* parent);

}  // namespace mss::app

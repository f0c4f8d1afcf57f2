#include "app/operating/OperatingSetup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/HamlibModels.h"
#include "platform/Messages.h"
#include "platform/qt/QtText.h"

namespace mss::app {

namespace {

template <class W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QComboBox* ModelChoice(QWidget* parent, int current) {
    auto* box = Named(new QComboBox(parent), "eRigModell");
    box->addItem(QStringLiteral("kein Funkger\u00e4t"), 0);
    for (const platform::RigModel& m : platform::HamlibModels())
        box->addItem(QStringLiteral("%1  %2").arg(m.Model).arg(QString::fromStdString(m.Name)),
                     m.Model);
    const int index = box->findData(current);
    if (index >= 0) {
        box->setCurrentIndex(index);
    } else {
        // A model this Hamlib does not list stays as it was set.
        box->addItem(QString::number(current), current);
        box->setCurrentIndex(box->count() - 1);
    }
    return box;
}

QComboBox* SpeedChoice(QWidget* parent, int current) {
    auto* box = Named(new QComboBox(parent), "eRigSpeed");
    box->addItem(QStringLiteral("Standard des Modells"), 0);
    for (int speed : {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200})
        box->addItem(QString::number(speed), speed);
    const int index = box->findData(current);
    if (index < 0) box->addItem(QString::number(current), current);
    box->setCurrentIndex(index >= 0 ? index : box->count() - 1);
    return box;
}

}  // namespace

TOperatingSetup::TOperatingSetup(const OperatingSettings& s, QWidget* parent)
    : QDialog(parent), given_(s) {
    setObjectName(QStringLiteral("OperatingSetup"));
    setWindowTitle(QStringLiteral("Funkger\u00e4t und WSJT-X/MSHV"));
    auto* column = new QVBoxLayout(this);

    auto* udp = new QGroupBox(QStringLiteral("Kontakte von WSJT-X/MSHV (UDP)"), this);
    auto* udpForm = new QFormLayout(udp);
    cUDP_ = Named(new QCheckBox(QStringLiteral("geloggte Kontakte \u00fcbernehmen"), udp), "cUDP");
    cUDP_->setChecked(s.listen);
    eUDPPort_ = Named(new QLineEdit(QString::number(s.udpPort), udp), "eUDPPort");
    eMulticast_ = Named(new QLineEdit(s.multicastGroup, udp), "eMulticast");
    eMulticast_->setPlaceholderText(QStringLiteral("leer: direkt an diesen Rechner"));
    udpForm->addRow(cUDP_);
    udpForm->addRow(QStringLiteral("UDP-Port"), eUDPPort_);
    udpForm->addRow(QStringLiteral("Multicast-Gruppe"), eMulticast_);
    column->addWidget(udp);

    auto* rig = new QGroupBox(QStringLiteral("Funkger\u00e4t (Hamlib)"), this);
    auto* rigForm = new QFormLayout(rig);
    eRigModell_ = ModelChoice(rig, s.rig.Model);
    eRigPort_ = Named(new QLineEdit(QString::fromStdString(s.rig.Port), rig), "eRigPort");
    eRigPort_->setPlaceholderText(
        QStringLiteral("/dev/ttyUSB0, oder localhost:4532 f\u00fcr rigctld"));
    eRigSpeed_ = SpeedChoice(rig, s.rig.Speed);
    rigForm->addRow(QStringLiteral("Modell"), eRigModell_);
    rigForm->addRow(QStringLiteral("Schnittstelle"), eRigPort_);
    rigForm->addRow(QStringLiteral("Baudrate"), eRigSpeed_);
    column->addWidget(rig);

    auto* scp = new QGroupBox(QStringLiteral("Super Check Partial"), this);
    auto* scpForm = new QFormLayout(scp);
    eSCP_ = Named(new QLineEdit(s.scpFile, scp), "eSCP");
    scpForm->addRow(QStringLiteral("Datei"), eSCP_);
    column->addWidget(scp);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    column->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &TOperatingSetup::Accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

OperatingSettings TOperatingSetup::Values(int& typedPort) const {
    OperatingSettings o = given_;
    o.listen = cUDP_->isChecked();
    bool number = false;
    typedPort = eUDPPort_->text().trimmed().toInt(&number);
    if (!number) typedPort = 0;
    if (typedPort > 0 && typedPort <= 65535) o.udpPort = static_cast<std::uint16_t>(typedPort);
    o.multicastGroup = eMulticast_->text().trimmed();
    o.rig.Model = eRigModell_->currentData().toInt();
    o.rig.Port = eRigPort_->text().trimmed().toStdString();
    o.rig.Speed = eRigSpeed_->currentData().toInt();
    o.scpFile = eSCP_->text().trimmed();
    return o;
}

void TOperatingSetup::Accept() {
    int typedPort = 0;
    const OperatingSettings o = Values(typedPort);
    if (const QString error = OperatingSettingsError(o, typedPort); !error.isEmpty()) {
        platform::CurrentMessages().Information(platform::Cp1252Text(error));
        return;
    }
    SaveOperatingSettings(o);
    accept();
}

QPushButton* NewOperatingSetupButton(QWidget* parent) {
    auto* button =
        Named(new QPushButton(QStringLiteral("Funkger\u00e4t und WSJT-X/MSHV ..."), parent),
              "btnFunkgeraet");
    button->setAutoDefault(false);  // Enter stays with "Contest starten"
    QObject::connect(button, &QPushButton::clicked, button, [button] {
        TOperatingSetup dialog(LoadOperatingSettings(), button->window());
        dialog.exec();
    });
    return button;
}

}  // namespace mss::app

#include "app/operating/OperatingSettings.h"

#include <QHostAddress>
#include <QSettings>
#include <algorithm>

namespace mss::app {

namespace {

// The file main() keeps the window placement in.
QString Organisation() {
    return QStringLiteral("tarvolt");
}
QString Application() {
    return QStringLiteral("tarvolt-mssprint");
}

}  // namespace

OperatingSettings LoadOperatingSettings() {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, Organisation(), Application());
    OperatingSettings o;
    o.listen = s.value(QStringLiteral("wsjtx/listen"), true).toBool();
    const int port = s.value(QStringLiteral("wsjtx/port"), kWsjtxDefaultPort).toInt();
    if (port > 0 && port <= 65535) o.udpPort = static_cast<std::uint16_t>(port);
    o.multicastGroup = s.value(QStringLiteral("wsjtx/multicastGroup")).toString().trimmed();
    o.rig.Model = std::max(0, s.value(QStringLiteral("rig/model"), 0).toInt());
    o.rig.Port = s.value(QStringLiteral("rig/port")).toString().trimmed().toStdString();
    o.rig.Speed = std::max(0, s.value(QStringLiteral("rig/speed"), 0).toInt());
    o.scpFile = s.value(QStringLiteral("scp/file"),
                        QString::fromStdString(std::string(radio::kMasterScpPath)))
                    .toString();
    return o;
}

void SaveOperatingSettings(const OperatingSettings& o) {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, Organisation(), Application());
    s.setValue(QStringLiteral("wsjtx/listen"), o.listen);
    s.setValue(QStringLiteral("wsjtx/port"), o.udpPort);
    s.setValue(QStringLiteral("wsjtx/multicastGroup"), o.multicastGroup);
    s.setValue(QStringLiteral("rig/model"), o.rig.Model);
    s.setValue(QStringLiteral("rig/port"), QString::fromStdString(o.rig.Port));
    s.setValue(QStringLiteral("rig/speed"), o.rig.Speed);
    s.setValue(QStringLiteral("scp/file"), o.scpFile);
    s.sync();
}

QString OperatingSettingsError(const OperatingSettings& o, int typedPort) {
    if (typedPort < 1 || typedPort > 65535)
        return QStringLiteral("Der UDP-Port muss zwischen 1 und 65535 liegen.");
    if (!o.multicastGroup.isEmpty()) {
        const QHostAddress group(o.multicastGroup);
        if (group.isNull() || !group.isMulticast())
            return QStringLiteral(
                "Die Multicast-Gruppe ist keine Multicast-Adresse "
                "(224.0.0.0 bis 239.255.255.255).");
    }
    if (o.rig.Model < 0) return QStringLiteral("Die Hamlib-Modellnummer darf nicht negativ sein.");
    if (o.rig.Speed < 0) return QStringLiteral("Die Baudrate darf nicht negativ sein.");
    return {};
}

}  // namespace mss::app

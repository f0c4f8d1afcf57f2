#include "platform/qt/QtDesktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace mss::platform {

bool QtDesktop::OpenDocument(const std::string& path) {
    const QString file = QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size()));
    if (!QFileInfo::exists(file)) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

bool QtDesktop::OpenUrl(std::string_view url) {
    return QDesktopServices::openUrl(
        QUrl(QString::fromUtf8(url.data(), static_cast<qsizetype>(url.size()))));
}

void QtDesktop::Beep() {
    QApplication::beep();
}

}  // namespace mss::platform

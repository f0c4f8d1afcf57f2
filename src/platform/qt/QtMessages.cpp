#include "platform/qt/QtMessages.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/qt/QtText.h"

namespace mss::platform {

void QtMessages::Information(std::string_view text) {
    QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(), QtText(text),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

bool QtMessages::Question(std::string_view text) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), QtText(text),
                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace mss::platform

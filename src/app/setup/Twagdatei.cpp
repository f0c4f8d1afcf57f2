#include "app/setup/Twagdatei.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include "app/setup/PrintSetup.h"
#include "output/OutputMenu.h"
#include "platform/Messages.h"
#include "platform/qt/QtText.h"

namespace mss::app {

namespace {

// The file's bytes are Windows-1252 with CR LF line ends.
QString ReadText(const std::string& path) {
    QFile file(QFile::decodeName(path.c_str()));
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    return platform::QtText(
               std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

Twagdatei::Twagdatei(std::string path, QWidget* parent,
                     std::shared_ptr<platform::FileSystem> fileSystem)
    : QDialog(parent), path_(std::move(path)), fileSystem_(std::move(fileSystem)) {
    setObjectName("Twagdatei");
    setWindowTitle(QFile::decodeName(path_.c_str()));
    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName("Memo1");
    memo_->setFont(QFont(QStringLiteral("Courier New"), 9));
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setPlainText(ReadText(path_));
    auto* save = new QPushButton(QStringLiteral("Speichern und Beenden"), this);
    save->setObjectName("btnSpeichern");
    auto* print = new QPushButton(QStringLiteral("Drucken"), this);
    print->setObjectName("btnDrucken");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(print);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memo_);
    layout->addLayout(buttons);
    resize(760, 520);
    connect(save, &QPushButton::clicked, this, &Twagdatei::SpeichernClick);
    connect(print, &QPushButton::clicked, this, &Twagdatei::DruckenClick);
}

bool Twagdatei::WriteBack() {
    QString text = memo_->toPlainText();
    if (!text.isEmpty() && !text.endsWith('\n')) text += '\n';
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    const bool ok = output::ReplaceFileBytes(*fileSystem_, path_, platform::Cp1252Text(text)).Ok();
    if (!ok) {
        platform::CurrentMessages().Information("Die Datei " + path_ +
                                                " konnte nicht gespeichert werden.");
    }
    return ok;
}

void Twagdatei::SpeichernClick() {
    if (!WriteBack()) return;
    memo_->clear();
    done(1);
}

void Twagdatei::DruckenClick() {
    if (!WriteBack()) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QFile::decodeName(path_.c_str()));
    if (!CurrentPrintSetupDialog().Ask(this, printer)) return;
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Courier New"), 9));
    document.setPlainText(ReadText(path_));
    document.print(&printer);
}

}  // namespace mss::app

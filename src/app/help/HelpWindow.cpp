#include "app/help/HelpWindow.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace mss::app {

namespace {

constexpr int kPictureWidth = 700;

QString PathText(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

// Reads the pages' pictures ("bilder/...") from the pictures' folder, which
// in a build tree is not the pages' folder.
class GuideBrowser : public QTextBrowser {
  public:
    explicit GuideBrowser(QWidget* parent) : QTextBrowser(parent) {}

    void SetGuide(const GuidePlace& guide) { guide_ = guide; }

    QVariant loadResource(int type, const QUrl& name) override {
        if (type == QTextDocument::ImageResource) {
            const QString asked = name.isRelative() ? name.path() : name.toLocalFile();
            const QString relative = QDir(PathText(guide_.pages)).relativeFilePath(asked);
            const QString picture = QDir(PathText(guide_.pictures)).filePath(relative);
            if (!relative.startsWith(QStringLiteral("..")) && QFileInfo::exists(picture)) {
                const QImage image(picture);
                // A window's picture fits the help window's width.
                return image.width() > kPictureWidth
                           ? image.scaledToWidth(kPictureWidth, Qt::SmoothTransformation)
                           : image;
            }
        }
        return QTextBrowser::loadResource(type, name);
    }

  private:
    GuidePlace guide_;
};

}  // namespace

THelpWindow::THelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("THelpWindow"));
    setWindowTitle(QStringLiteral("Hilfe – Tarvolt MSSprint"));
    browser_ = new GuideBrowser(this);
    browser_->setObjectName(QStringLiteral("browser"));
    // Links to web pages leave the program; links between pages stay here.
    browser_->setOpenExternalLinks(true);

    auto* inhalt = new QPushButton(QStringLiteral("Inhalt"), this);
    inhalt->setObjectName(QStringLiteral("btnInhalt"));
    auto* zurueck = new QPushButton(QStringLiteral("Zurück"), this);
    zurueck->setObjectName(QStringLiteral("btnZurueck"));
    auto* schliessen = new QPushButton(QStringLiteral("Schließen"), this);
    schliessen->setObjectName(QStringLiteral("btnSchliessen"));
    zurueck->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, zurueck, &QPushButton::setEnabled);
    connect(inhalt, &QPushButton::clicked, this, [this] { browser_->setSource(start_); });
    connect(zurueck, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(schliessen, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(inhalt);
    buttons->addWidget(zurueck);
    buttons->addStretch();
    buttons->addWidget(schliessen);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_);
    layout->addLayout(buttons);
    resize(760, 640);
}

bool THelpWindow::Open(const GuidePlace& guide, const GuideSection& section) {
    start_ = QUrl::fromLocalFile(PathText(guide.pages / kGuideStartPage));
    static_cast<GuideBrowser*>(browser_)->SetGuide(guide);
    browser_->setSource(QUrl::fromLocalFile(PathText(guide.pages / section.page)),
                        QTextDocument::MarkdownResource);
    show();
    raise();
    activateWindow();
    if (section.heading.empty()) return true;
    return ScrollToHeading(QString::fromStdString(section.heading));
}

bool THelpWindow::ScrollToHeading(const QString& heading) {
    const QTextDocument* document = browser_->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0 || block.text() != heading) continue;
        const int top = qRound(document->documentLayout()->blockBoundingRect(block).top());
        browser_->verticalScrollBar()->setValue(top);
        return true;
    }
    return false;
}

QString THelpWindow::TopHeading() const {
    const QTextDocument* document = browser_->document();
    // The document's margin lies above its first block.
    const qreal top = browser_->verticalScrollBar()->value() + document->documentMargin() + 1;
    QString heading;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (document->documentLayout()->blockBoundingRect(block).top() > top) break;
        if (block.blockFormat().headingLevel() > 0) heading = block.text();
    }
    return heading;
}

}  // namespace mss::app

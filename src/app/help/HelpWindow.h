// The help window: the user guide's Markdown pages in a browser, with
// "Inhalt", "Zurück" and "Schließen". It opens at the heading of the
// window that asked.
#pragma once

#include <QString>
#include <QWidget>
#include <filesystem>

#include "app/help/GuideLookup.h"

class QTextBrowser;

namespace mss::app {

class THelpWindow : public QWidget {
    Q_OBJECT

  public:
    explicit THelpWindow(QWidget* parent = nullptr);

    // Shows the page of `section` from `guide`, scrolled so that its heading
    // is at the top. False when the page has no such heading (then at the
    // page's top).
    bool Open(const GuidePlace& guide, const GuideSection& section);

    // The text of the heading at the top of the view, or empty.
    QString TopHeading() const;

  private:
    bool ScrollToHeading(const QString& heading);

    QTextBrowser* browser_ = nullptr;
    QUrl start_;
};

}  // namespace mss::app

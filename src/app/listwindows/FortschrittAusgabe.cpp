#include "app/listwindows/FortschrittAusgabe.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>

namespace mss::app {

namespace {

constexpr int kLabelLeft = 12;
constexpr int kLabelTop = 10;
constexpr int kLineHeight = 22;
constexpr int kWidth = 320;

}  // namespace

TFortschrittAusgabe::TFortschrittAusgabe(const QString& caption, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FortschrittAusgabe"));
    setWindowTitle(QStringLiteral("Datensicherung"));
    setModal(false);
    int top = kLabelTop;
    for (QLabel** label : {&Label1_, &Label2_, &Label3_, &Label4_}) {
        *label = new QLabel(this);
        (*label)->setGeometry(kLabelLeft, top, kWidth - 2 * kLabelLeft, kLineHeight);
        top += kLineHeight;
    }
    Label1_->setObjectName(QStringLiteral("Label1"));
    Label2_->setObjectName(QStringLiteral("Label2"));
    Label3_->setObjectName(QStringLiteral("Label3"));
    Label4_->setObjectName(QStringLiteral("Label4"));
    ProgressBar1_ = new QProgressBar(this);
    ProgressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1_->setGeometry(kLabelLeft, top + 4, kWidth - 2 * kLabelLeft, kLineHeight);
    ProgressBar1_->setTextVisible(false);

    // The passes show their own caption, two lines of text and the bar
    // moved up to the fourth line's place.
    setWindowTitle(caption);
    Label1_->setText(caption);
    Label2_->setText(QStringLiteral("Bitte warten ..."));
    Label3_->hide();
    Label4_->hide();
    ProgressBar1_->move(kLabelLeft, Label4_->y());
    setFixedSize(kWidth, ProgressBar1_->y() + ProgressBar1_->height() + kLabelTop);
}

TFortschrittAusgabe::~TFortschrittAusgabe() {
    if (running_) Finish();
}

void TFortschrittAusgabe::Start(std::int32_t maximum) {
    running_ = true;
    emit PassStarted();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ProgressBar1_->setRange(0, std::max<std::int32_t>(maximum, 1));
    ProgressBar1_->setValue(0);
    show();
    raise();
    // Paints the window; the operator's keys and clicks wait until the pass
    // is over, so nothing acts on the log while it is rebuilt.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TFortschrittAusgabe::Advance(std::int32_t position) {
    ProgressBar1_->setValue(std::clamp(position, 0, ProgressBar1_->maximum()));
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TFortschrittAusgabe::Finish() {
    if (!running_) return;
    running_ = false;
    hide();
    QApplication::restoreOverrideCursor();
    emit PassFinished();
}

}  // namespace mss::app

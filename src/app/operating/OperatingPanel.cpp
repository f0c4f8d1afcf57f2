#include "app/operating/OperatingPanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "app/operating/RigPoller.h"
#include "app/operating/WsjtxListener.h"
#include "platform/qt/QtText.h"
#include "radio/Baender.h"
#include "radio/DateTime.h"
#include "radio/FormatPicture.h"
#include "radio/Text.h"

namespace mss::app {

namespace {

using platform::QtText;

constexpr int kPollMilliseconds = 1000;
constexpr int kRefusedRows = 4;
constexpr int kRetryMilliseconds = 250;

template <class W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

void Warning(QLabel& label, bool warning) {
    label.setStyleSheet(warning ? QStringLiteral("color: #C00000;") : QString());
}

QString FrequencyText(double mhz) {
    return QtText(radio::Trim(radio::FormatPicture("#####,####", mhz)) + " MHz");
}

}  // namespace

TOperatingPanel::TOperatingPanel(const OperatingSettings& settings,
                                 const std::vector<std::string>& knownCalls, Hooks hooks,
                                 QWidget* parent)
    : QFrame(parent), hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("panelOperating"));
    (void)scp_.AddScpFile(settings.scpFile.toStdString());  // a missing list leaves the suite's
    scp_.AddCalls(knownCalls);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    lSCP = Named(new QLabel(this), "lSCP");
    lSCP->setTextFormat(Qt::RichText);
    lSCP->setMinimumHeight(lSCP->fontMetrics().height() + 4);
    column->addWidget(lSCP);
    auto* row = new QHBoxLayout;
    row->addWidget(CreateCat(settings));
    row->addWidget(CreateRefused(), 1);
    column->addLayout(row);
    StartListening(settings);
}

QWidget* TOperatingPanel::CreateCat(const OperatingSettings& settings) {
    panelCAT = Named(new QFrame(this), "panelCAT");
    panelCAT->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(panelCAT);
    lCAT = Named(new QLabel(QStringLiteral("CAT"), panelCAT), "lCAT");
    btnCATFolgen =
        Named(new QPushButton(QStringLiteral("Frequenz folgen: ein"), panelCAT), "btnCATFolgen");
    btnCATSetzen =
        Named(new QPushButton(QtText("Funkger\xE4t auf Freq."), panelCAT), "btnCATSetzen");
    for (QWidget* w : {static_cast<QWidget*>(lCAT), static_cast<QWidget*>(btnCATFolgen),
                       static_cast<QWidget*>(btnCATSetzen)}) {
        w->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(w);
    }
    layout->addStretch();
    // No radio configured: no panel, no polling, no message.
    panelCAT->setVisible(settings.rig.Model != 0);
    if (settings.rig.Model == 0) return panelCAT;
    radio_ = new TRigPoller(settings.rig, kPollMilliseconds, this);
    connect(radio_, &TRigPoller::FrequencyRead, this, &TOperatingPanel::Read);
    connect(radio_, &TRigPoller::Failed, this, [this](const QString& reason) {
        lCAT->setText(QStringLiteral("CAT: ") + reason);
        Warning(*lCAT, true);
        lastHz_ = -1;
    });
    connect(btnCATFolgen, &QPushButton::clicked, this, [this] {
        following_ = !following_;
        btnCATFolgen->setText(following_ ? QStringLiteral("Frequenz folgen: ein")
                                         : QStringLiteral("Frequenz folgen: aus"));
        lastHz_ = -1;
    });
    connect(btnCATSetzen, &QPushButton::clicked, this, [this] {
        const double mhz = hooks_.typedFrequency ? hooks_.typedFrequency() : 0;
        if (mhz > 0) radio_->SetFrequency(std::round(mhz * 1e6));
    });
    return panelCAT;
}

QWidget* TOperatingPanel::CreateRefused() {
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* caption =
        Named(new QLabel(QStringLiteral("Nicht gespeicherte Kontakte von WSJT-X/MSHV:"), box),
              "lAbgelehnt");
    lUDP = Named(new QLabel(box), "lUDP");
    listAbgelehnt = Named(new QListWidget(box), "listAbgelehnt");
    listAbgelehnt->setFocusPolicy(Qt::NoFocus);
    listAbgelehnt->setMaximumHeight(listAbgelehnt->fontMetrics().height() * kRefusedRows + 8);
    auto* top = new QHBoxLayout;
    top->addWidget(caption);
    top->addStretch();
    top->addWidget(lUDP);
    layout->addLayout(top);
    layout->addWidget(listAbgelehnt);
    return box;
}

void TOperatingPanel::StartListening(const OperatingSettings& settings) {
    if (!settings.listen) {
        udpState_ = QStringLiteral("UDP aus");
        ShowUdp();
        return;
    }
    retry_ = new QTimer(this);
    retry_->setInterval(kRetryMilliseconds);
    connect(retry_, &QTimer::timeout, this, [this] {
        if (hooks_.contactsWaiting) hooks_.contactsWaiting();
        if (waiting_.empty()) retry_->stop();
    });
    listener_ = new TWsjtxListener(
        [this](const log::WsjtxContact& contact) {
            waiting_.push_back(contact);
            if (hooks_.contactsWaiting) hooks_.contactsWaiting();
            if (!waiting_.empty()) retry_->start();
        },
        this);
    connect(listener_, &TWsjtxListener::Received, this, &TOperatingPanel::ShowUdp);
    QString error;
    if (listener_->Listen(settings.udpPort, settings.multicastGroup, error)) {
        udpState_ = QStringLiteral("UDP %1").arg(listener_->Port());
        if (!settings.multicastGroup.isEmpty())
            udpState_ += QStringLiteral(" ") + settings.multicastGroup;
    } else {
        udpState_ = QStringLiteral("UDP %1: %2").arg(settings.udpPort).arg(error);
        Warning(*lUDP, true);
    }
    ShowUdp();
}

void TOperatingPanel::ShowUdp() {
    QString text = udpState_;
    const int malformed = listener_ != nullptr ? listener_->MalformedCount() : 0;
    if (malformed > 0) text += QStringLiteral(", %1 fehlerhafte Datagramme").arg(malformed);
    lUDP->setText(text);
}

void TOperatingPanel::Read(double hz) {
    Warning(*lCAT, false);
    const double mhz = hz / 1e6;
    const char band = radio::ToBaender::BandFromFrequency(mhz);
    QString text = FrequencyText(mhz);
    if (band != radio::kNoBand)
        text += QStringLiteral("  ") + QtText(radio::ToBaender::BandName(band, false));
    lCAT->setText(text);
    if (!following_ || hz == lastHz_) return;
    lastHz_ = hz;
    if (hooks_.frequency && !hooks_.frequency(mhz)) lastHz_ = -1;
}

bool TOperatingPanel::TakeWaiting(log::WsjtxContact& contact) {
    if (waiting_.empty()) return false;
    contact = std::move(waiting_.front());
    waiting_.pop_front();
    return true;
}

void TOperatingPanel::AddRefused(const log::WsjtxContact& contact, const std::string& reason) {
    const std::string time = contact.TimeOn.Time == radio::kNoTime
                                 ? std::string("--:--")
                                 : radio::TimeToText("hh:mm", contact.TimeOn.Time);
    const std::string line =
        time + "  " + radio::Trim(contact.Call) + "  " + radio::Trim(contact.Mode) + "  " + reason;
    listAbgelehnt->addItem(QtText(line));
    listAbgelehnt->scrollToBottom();
}

void TOperatingPanel::ShowScp(const log::ScpLine& line) {
    QString html;
    for (const log::ScpCandidate& c : line.calls) {
        const QString call = QtText(c.call).toHtmlEscaped();
        if (!html.isEmpty()) html += QStringLiteral("&nbsp;&nbsp;");
        html += c.worked ? QStringLiteral("<s style=\"color:#808080\">%1</s>*").arg(call) : call;
    }
    if (line.more) html += QStringLiteral("&nbsp;&nbsp;...");
    lSCP->setText(html);
    lSCP->setToolTip(QtText(log::ScpLineText(line)));
}

}  // namespace mss::app

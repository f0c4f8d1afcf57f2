// The log form's panel for operating with other programs: the super check
// partial line under the entry panel, the CAT panel with the radio's
// frequency, and the list of contacts that WSJT-X or MSHV announced but the
// log refused. It owns the UDP listener, the radio poller and the call list;
// the form decides what a contact or a frequency does to the log.
#pragma once

#include <QFrame>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/operating/OperatingSettings.h"
#include "log/ScpLine.h"
#include "log/WsjtxDatagram.h"
#include "radio/SuperCheckPartial.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTimer;

namespace mss::app {

class TRigPoller;
class TWsjtxListener;

class TOperatingPanel : public QFrame {
    Q_OBJECT

  public:
    static constexpr std::size_t kScpPerLine = 12;  // calls of the one SCP line

    struct Hooks {
        std::function<void()> contactsWaiting;  // announced contacts are queued
        // The radio's frequency changed; false when the form could not take it now.
        std::function<bool(double mhz)> frequency;
        std::function<double()> typedFrequency;  // MHz in the panel, 0 for none
    };
    // Starts listening and polling as the settings say; the call list is
    // MASTER.SCP (or the file the settings name) and `knownCalls`.
    TOperatingPanel(const OperatingSettings& settings, const std::vector<std::string>& knownCalls,
                    Hooks hooks, QWidget* parent);

    // The next contact waiting, oldest first; false when none waits.
    bool TakeWaiting(log::WsjtxContact& contact);
    void AddRefused(const log::WsjtxContact& contact, const std::string& reason);
    void ShowScp(const log::ScpLine& line);
    const radio::SuperCheckPartial& Scp() const { return scp_; }

    TWsjtxListener* Listener() { return listener_; }
    TRigPoller* Radio() { return radio_; }

    QLabel* lSCP = nullptr;
    QLabel* lUDP = nullptr;
    QFrame* panelCAT = nullptr;
    QLabel* lCAT = nullptr;
    QPushButton* btnCATFolgen = nullptr;  // follow the radio: on or off
    QPushButton* btnCATSetzen = nullptr;  // tune the radio to the typed frequency
    QListWidget* listAbgelehnt = nullptr;

  private:
    QWidget* CreateCat(const OperatingSettings& settings);
    QWidget* CreateRefused();
    void StartListening(const OperatingSettings& settings);
    void Read(double hz);
    void ShowUdp();

    Hooks hooks_;
    radio::SuperCheckPartial scp_;
    TWsjtxListener* listener_ = nullptr;
    TRigPoller* radio_ = nullptr;
    std::deque<log::WsjtxContact> waiting_;
    QTimer* retry_ = nullptr;  // contacts that had to wait are offered again
    QString udpState_;
    double lastHz_ = -1;
    bool following_ = true;
};

}  // namespace mss::app

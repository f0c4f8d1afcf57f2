// Listens on UDP for the network messages of WSJT-X and MSHV and hands on
// each logged contact once (the second announcement of a pair dropped).
// Datagrams of other types are ignored; damaged ones are counted.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

#include "log/IncomingContact.h"
#include "log/WsjtxDatagram.h"

class QUdpSocket;

namespace mss::app {

class TWsjtxListener : public QObject {
    Q_OBJECT

  public:
    using ContactHandler = std::function<void(const log::WsjtxContact&)>;
    TWsjtxListener(ContactHandler handler, QObject* parent);

    // Binds the port (shared with other listeners) on loopback, or on every
    // interface joining the multicast group when one is given. False with
    // the reason when that fails.
    bool Listen(std::uint16_t port, const QString& multicastGroup, QString& error);
    std::uint16_t Port() const;
    int MalformedCount() const { return malformed_; }

  signals:
    // Datagrams were read (contacts handed on, others ignored or counted).
    void Received();

  private:
    void ReadPending();

    ContactHandler handler_;
    QUdpSocket* socket_ = nullptr;
    log::IncomingPairs pairs_;
    int malformed_ = 0;
};

}  // namespace mss::app

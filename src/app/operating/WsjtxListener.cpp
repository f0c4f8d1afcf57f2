#include "app/operating/WsjtxListener.h"

#include <QHostAddress>
#include <QNetworkDatagram>
#include <QUdpSocket>
#include <span>

namespace mss::app {

TWsjtxListener::TWsjtxListener(ContactHandler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)), socket_(new QUdpSocket(this)) {
    connect(socket_, &QUdpSocket::readyRead, this, &TWsjtxListener::ReadPending);
}

bool TWsjtxListener::Listen(std::uint16_t port, const QString& multicastGroup, QString& error) {
    socket_->close();
    // Shared, so that a second logger or JTAlert may listen to the same group.
    const auto mode = QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint;
    // Sent straight to this computer, the contacts come over loopback, and
    // nothing else of the network is heard; a group is heard on every interface.
    const QHostAddress address = multicastGroup.isEmpty() ? QHostAddress(QHostAddress::LocalHost)
                                                          : QHostAddress(QHostAddress::AnyIPv4);
    if (!socket_->bind(address, port, mode)) {
        error = socket_->errorString();
        return false;
    }
    if (!multicastGroup.isEmpty() && !socket_->joinMulticastGroup(QHostAddress(multicastGroup))) {
        error = socket_->errorString();
        socket_->close();
        return false;
    }
    return true;
}

std::uint16_t TWsjtxListener::Port() const {
    return socket_->localPort();
}

void TWsjtxListener::ReadPending() {
    while (socket_->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = socket_->receiveDatagram();
        const QByteArray bytes = datagram.data();
        const log::WsjtxDatagram decoded = log::DecodeWsjtxDatagram(
            std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                      static_cast<std::size_t>(bytes.size())));
        if (decoded.Outcome == log::WsjtxOutcome::Malformed) {
            ++malformed_;
            continue;
        }
        if (decoded.Outcome != log::WsjtxOutcome::Contact) continue;
        if (pairs_.IsTwin(decoded.Contact)) continue;
        handler_(decoded.Contact);
    }
    emit Received();
}

}  // namespace mss::app

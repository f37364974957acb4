#include "instance/LocalInstanceChannel.h"

#include <QLocalSocket>
#include <QtEndian>

namespace {
constexpr int kConnectTimeoutMs = 1000;
}

LocalInstanceChannel::LocalInstanceChannel(std::chrono::milliseconds replyTimeout)
    : m_replyTimeout(replyTimeout)
{}

bool LocalInstanceChannel::isAlive(const QString& name)
{
    if (name.isEmpty()) {
        return false;
    }
    QLocalSocket socket;
    socket.connectToServer(name);
    const bool alive = socket.waitForConnected(kConnectTimeoutMs);
    socket.abort();
    return alive;
}

bool LocalInstanceChannel::send(const QString& name, const QString& text)
{
    if (name.isEmpty()) {
        return false;
    }
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kConnectTimeoutMs)) {
        return false;
    }
    const QByteArray payload = text.toUtf8();
    QByteArray frame(4, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(payload.size()), frame.data());
    frame += payload;
    socket.write(frame);
    if (!socket.waitForBytesWritten(kConnectTimeoutMs)) {
        return false;
    }
    const auto deadline = static_cast<int>(m_replyTimeout.count());
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(deadline)) {
            return false;
        }
    }
    char reply = 0;
    return socket.getChar(&reply) && reply == kAcknowledgement;
}

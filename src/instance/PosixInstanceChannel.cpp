#include "instance/PosixInstanceChannel.h"

#include "instance/LocalInstanceChannel.h"
#include "util/UniqueFd.h"

#include <QFile>
#include <QtEndian>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

timeval timeOf(std::chrono::milliseconds ms)
{
    timeval tv{};
    tv.tv_sec = static_cast<time_t>(ms.count() / 1000);
    tv.tv_usec = static_cast<suseconds_t>((ms.count() % 1000) * 1000);
    return tv;
}

} // namespace

PosixInstanceChannel::PosixInstanceChannel(std::chrono::milliseconds replyTimeout,
                                           std::chrono::milliseconds connectTimeout)
    : m_replyTimeout(replyTimeout), m_connectTimeout(connectTimeout)
{}

int PosixInstanceChannel::connectTo(const QString& name) const
{
    const QByteArray path = QFile::encodeName(name);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || static_cast<size_t>(path.size()) >= sizeof(address.sun_path)) {
        return -1;
    }
    std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return -1;
    }
    // A full accept queue makes connect wait, up to this long.
    const timeval limit = timeOf(m_connectTimeout);
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    int rc;
    do {
        rc = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool PosixInstanceChannel::isAlive(const QString& name)
{
    const korvane::UniqueFd socket(connectTo(name));
    return socket.get() >= 0;
}

bool PosixInstanceChannel::send(const QString& name, const QString& text)
{
    const korvane::UniqueFd socket(connectTo(name));
    if (socket.get() < 0) {
        return false;
    }
    const QByteArray payload = text.toUtf8();
    QByteArray frame(4, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(payload.size()), frame.data());
    frame += payload;
    const char* at = frame.constData();
    size_t left = static_cast<size_t>(frame.size());
    while (left > 0) {
        const ssize_t sent = ::send(socket.get(), at, left, MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        at += sent;
        left -= static_cast<size_t>(sent);
    }
    const timeval limit = timeOf(m_replyTimeout);
    ::setsockopt(socket.get(), SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    char reply = 0;
    ssize_t got;
    do {
        got = ::recv(socket.get(), &reply, 1, 0);
    } while (got < 0 && errno == EINTR);
    return got == 1 && reply == LocalInstanceChannel::kAcknowledgement;
}

#include "instance/InstanceServer.h"

#include "instance/LocalInstanceChannel.h"
#include "util/Logging.h"
#include "util/RuntimeFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTimer>
#include <QtEndian>
#include <cerrno>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

QString uniqueSocketName(const QString& folder, const QString& kind)
{
    return QStringLiteral("%1/korvane-%2-%3.%4")
        .arg(folder)
        .arg(QCoreApplication::applicationPid())
        .arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0'))
        .arg(kind);
}

// Only printable text can name a file to open: a NUL or a line break would make the name read
// differently by each part that looks at it.
bool isAcceptableCommand(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0) || u == 0xFFFD) {
            return false;
        }
    }
    return true;
}

constexpr int kListenCheckMs = 500;

} // namespace

InstanceServer::InstanceServer(QObject* parent)
    : QObject(parent), m_command(new QLocalServer(this)), m_check(new QLocalServer(this)),
      m_watch(new QTimer(this))
{
    connect(m_watch, &QTimer::timeout, this, &InstanceServer::listenAgainIfStopped);
    for (QLocalServer* server : {m_command, m_check}) {
        server->setSocketOptions(QLocalServer::UserAccessOption);
        const bool isCommand = server == m_command;
        connect(server, &QLocalServer::newConnection, this,
                [this, server, isCommand] { accept(server, isCommand); });
    }
}

InstanceServer::~InstanceServer() = default;

bool InstanceServer::listen()
{
    const QString folder = korvane::privateRuntimeFolder();
    if (folder.isEmpty()) {
        return false;
    }
    removeStaleSockets(folder);
    if (!m_command->listen(uniqueSocketName(folder, QStringLiteral("cmd"))) ||
        !m_check->listen(uniqueSocketName(folder, QStringLiteral("check")))) {
        return false;
    }
    m_commandPath = m_command->fullServerName();
    m_checkPath = m_check->fullServerName();
    // Qt closes a server for good when one accept fails (too many open files, say); a later
    // start would then take this player for gone and open a second one.
    m_watch->start(kListenCheckMs);
    return true;
}

void InstanceServer::listenAgainIfStopped()
{
    const std::pair<QLocalServer*, QString> servers[] = {{m_command, m_commandPath},
                                                         {m_check, m_checkPath}};
    for (const auto& [server, path] : servers) {
        if (server->isListening()) {
            continue;
        }
        qCWarning(lcApp).noquote() << "hand-over socket stopped:" << server->errorString();
        QLocalServer::removeServer(path);
        if (server->listen(path)) {
            qCWarning(lcApp).noquote() << "listening again on" << path;
        }
    }
}

int InstanceServer::removeStaleSockets(const QString& folder)
{
    int removed = 0;
    const QStringList names =
        QDir(folder).entryList({QStringLiteral("korvane-*")}, QDir::System | QDir::Files);
    for (const QString& name : names) {
        // korvane-<pid>-<random>.cmd or .check
        const QStringList parts = name.split(u'-');
        bool isNumber = false;
        const qint64 pid = parts.value(1).toLongLong(&isNumber);
        if (parts.size() != 3 || !isNumber || pid <= 0 ||
            !(name.endsWith(QLatin1String(".cmd")) || name.endsWith(QLatin1String(".check")))) {
            continue;
        }
        const QByteArray path = QFile::encodeName(folder + u'/' + name);
        struct stat info = {};
        if (::lstat(path.constData(), &info) != 0 || !S_ISSOCK(info.st_mode)) {
            continue;
        }
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) {
            continue; // its player still runs (or belongs to someone we may not signal)
        }
        if (::unlink(path.constData()) == 0) {
            ++removed;
        }
    }
    if (removed > 0) {
        qCDebug(lcApp) << "removed" << removed << "sockets of players that are gone";
    }
    return removed;
}

void InstanceServer::close()
{
    m_closed = true;
    m_watch->stop();
    m_command->close();
    m_check->close();
}

QString InstanceServer::commandName() const
{
    return m_command->fullServerName();
}

QString InstanceServer::checkName() const
{
    return m_check->fullServerName();
}

void InstanceServer::accept(QLocalServer* server, bool isCommand)
{
    while (QLocalSocket* socket = server->nextPendingConnection()) {
        if (m_connections >= kMaxConnections) {
            qCWarning(lcApp) << "hand-over connection refused:" << m_connections << "already open";
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++m_connections;
        connect(socket, &QObject::destroyed, this, [this] { --m_connections; });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this,
                [this, socket, isCommand] { readMessage(socket, isCommand); });
        QTimer::singleShot(kIdleLimitMs, socket, [socket] {
            qCWarning(lcApp) << "hand-over connection idle, closed";
            socket->abort();
            socket->deleteLater();
        });
        if (socket->bytesAvailable() > 0) {
            readMessage(socket, isCommand);
        }
    }
}

void InstanceServer::readMessage(QLocalSocket* socket, bool isCommand)
{
    if (socket->bytesAvailable() < 4) {
        return;
    }
    char header[4];
    socket->peek(header, sizeof header);
    const quint32 length = qFromBigEndian<quint32>(header);
    if (length > kMaxMessageBytes) {
        qCWarning(lcApp) << "hand-over message too long, dropped";
        socket->abort();
        socket->deleteLater();
        return;
    }
    if (socket->bytesAvailable() < static_cast<qint64>(4 + length)) {
        return;
    }
    socket->read(4);
    const QByteArray bytes = socket->read(length);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (m_closed) {
        qCDebug(lcApp) << "hand-over refused: shutting down";
        socket->putChar(LocalInstanceChannel::kRefusal);
        socket->flush();
        socket->disconnectFromServer();
        return;
    }
    if (utf8.hasError() || !isAcceptableCommand(text)) {
        qCWarning(lcApp).noquote() << "hand-over refused: control characters or broken text"
                                   << bytes.toPercentEncoding(" /*.");
    } else if (isCommand) {
        emit commandReceived(text);
    } else {
        m_checkText = text;
    }
    socket->putChar(LocalInstanceChannel::kAcknowledgement);
    socket->flush();
    socket->disconnectFromServer();
}

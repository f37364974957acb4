#include "app/InstanceServer.h"

#include "app/LocalInstanceChannel.h"
#include "util/Logging.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QtEndian>

namespace {

QString socketFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    return folder;
}

QString uniqueSocketName(const QString& kind)
{
    return QStringLiteral("%1/korvane-%2-%3.%4")
        .arg(socketFolder())
        .arg(QCoreApplication::applicationPid())
        .arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0'))
        .arg(kind);
}

} // namespace

InstanceServer::InstanceServer(QObject* parent)
    : QObject(parent), m_command(new QLocalServer(this)), m_check(new QLocalServer(this))
{
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
    return m_command->listen(uniqueSocketName(QStringLiteral("cmd"))) &&
           m_check->listen(uniqueSocketName(QStringLiteral("check")));
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
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this,
                [this, socket, isCommand] { readMessage(socket, isCommand); });
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
        return;
    }
    if (socket->bytesAvailable() < static_cast<qint64>(4 + length)) {
        return;
    }
    socket->read(4);
    const QString text = QString::fromUtf8(socket->read(length));
    if (isCommand) {
        emit commandReceived(text);
    } else {
        m_checkText = text;
    }
    socket->putChar(LocalInstanceChannel::kAcknowledgement);
    socket->flush();
    socket->disconnectFromServer();
}

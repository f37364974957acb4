#pragma once

#include "instance/HandOver.h"

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;
class QTimer;

// The receiving side of the hand-over: a command socket whose texts are acted upon and a check
// socket that only proves this instance is alive. Both names are unique to this process, so a
// new instance never takes over a live instance's name.
class InstanceServer : public QObject
{
    Q_OBJECT
public:
    static constexpr int kMaxMessageBytes = HandOver::kMaxMessageBytes;
    // A connection that has not delivered its whole message by then is dropped, and no more than
    // this many are served at once: idle connections must not use up the descriptors.
    static constexpr int kIdleLimitMs = 2000;
    static constexpr int kMaxConnections = 32;

    explicit InstanceServer(QObject* parent = nullptr);
    ~InstanceServer() override;

    bool listen();
    // Stops listening and removes the socket files. Messages still arriving on open connections
    // are refused, so their senders open the file themselves instead of losing it.
    void close();
    QString commandName() const;
    QString checkName() const;
    // The last text that arrived on the check socket ("Hello" from a later start).
    QString checkText() const { return m_checkText; }
    int openConnections() const { return m_connections; }

    // Removes the socket files in folder that players which no longer run (a crash, a kill)
    // left behind. Returns how many.
    static int removeStaleSockets(const QString& folder);

signals:
    // Emitted on the UI thread; the sender is released once every receiver has returned.
    void commandReceived(const QString& text);

private:
    void accept(QLocalServer* server, bool isCommand);
    void readMessage(QLocalSocket* socket, bool isCommand);
    void listenAgainIfStopped();

    QLocalServer* m_command = nullptr;
    QLocalServer* m_check = nullptr;
    QTimer* m_watch = nullptr;
    QString m_commandPath;
    QString m_checkPath;
    QString m_checkText;
    int m_connections = 0;
    bool m_closed = false;
};

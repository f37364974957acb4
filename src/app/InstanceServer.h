#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// The receiving side of the hand-over: a command socket whose texts are acted upon and a check
// socket that only proves this instance is alive. Both names are unique to this process, so a
// new instance never takes over a live instance's name.
class InstanceServer : public QObject
{
    Q_OBJECT
public:
    static constexpr int kMaxMessageBytes = 64 * 1024;

    explicit InstanceServer(QObject* parent = nullptr);
    ~InstanceServer() override;

    bool listen();
    QString commandName() const;
    QString checkName() const;
    // The last text that arrived on the check socket ("Hello" from a later start).
    QString checkText() const { return m_checkText; }

signals:
    // Emitted on the UI thread; the sender is released once every receiver has returned.
    void commandReceived(const QString& text);

private:
    void accept(QLocalServer* server, bool isCommand);
    void readMessage(QLocalSocket* socket, bool isCommand);

    QLocalServer* m_command = nullptr;
    QLocalServer* m_check = nullptr;
    QString m_checkText;
};

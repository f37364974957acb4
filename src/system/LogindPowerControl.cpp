#include "system/LogindPowerControl.h"

#include "util/Logging.h"

#include <QDBusConnection>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

void LogindPowerControl::reboot()
{
    send(QStringLiteral("Reboot"));
}

void LogindPowerControl::powerOff()
{
    send(QStringLiteral("PowerOff"));
}

QDBusMessage LogindPowerControl::managerCall(const QString& method)
{
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), method);
    message << false;
    return message;
}

void LogindPowerControl::send(const QString& method)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        qCDebug(lcPlayback) << "power" << method << "not sent: no system bus" << bus.lastError();
        return;
    }
    qCDebug(lcPlayback) << "power" << method << "requested";
    // Runs on the UI thread when the answer comes; the window never waits for it.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(managerCall(method)));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [method](QDBusPendingCallWatcher* call) {
                         const QDBusPendingReply<> reply = *call;
                         if (reply.isError())
                             qCDebug(lcPlayback) << "power" << method << "refused" << reply.error();
                         call->deleteLater();
                     });
}

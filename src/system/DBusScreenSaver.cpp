#include "system/DBusScreenSaver.h"

#include "util/Logging.h"
#include "util/Product.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {
const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kPath = QStringLiteral("/org/freedesktop/ScreenSaver");
} // namespace

DBusScreenSaver::DBusScreenSaver(QDBusConnection bus, QObject* parent)
    : QObject(parent), m_bus(std::move(bus))
{}

DBusScreenSaver::~DBusScreenSaver()
{
    // The service also forgets a cookie when its owner leaves the bus; this is for the case
    // where the player stays.
    if (m_cookie && m_bus.isConnected()) {
        m_bus.call(
            QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("UnInhibit"))
                << *m_cookie,
            QDBus::NoBlock);
    }
}

void DBusScreenSaver::setInhibited(bool inhibited)
{
    m_wanted = inhibited;
    apply();
}

void DBusScreenSaver::apply()
{
    if (m_pending || !m_bus.isConnected()) {
        return;
    }
    if (m_wanted && !m_cookie) {
        qCDebug(lcSystem) << "inhibiting the screensaver";
        send(QStringLiteral("Inhibit"),
             {QString(korvane::kProductName), QStringLiteral("Playing a video")}, true);
    } else if (!m_wanted && m_cookie) {
        qCDebug(lcSystem) << "releasing the screensaver";
        const uint cookie = *m_cookie;
        m_cookie.reset();
        send(QStringLiteral("UnInhibit"), {cookie}, false);
    }
}

void DBusScreenSaver::send(const QString& method, const QVariantList& arguments, bool wantCookie)
{
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kService, method);
    message.setArguments(arguments);
    if (!wantCookie) {
        m_bus.send(message);
        return;
    }
    m_pending = true;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(message), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                m_pending = false;
                const QDBusPendingReply<uint> reply = *call;
                if (reply.isError()) {
                    qCDebug(lcSystem) << "no screensaver service:" << reply.error().message();
                    // The wish is dropped: asking again every change would only fail again.
                    m_wanted = false;
                    return;
                }
                m_cookie = reply.value();
                apply();
            });
}

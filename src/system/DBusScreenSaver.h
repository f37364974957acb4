#pragma once

#include "system/ScreenSaverInhibitor.h"

#include <QDBusConnection>
#include <QObject>
#include <optional>

// org.freedesktop.ScreenSaver on the session bus. Calls never wait for the answer: the cookie of
// an Inhibit that arrives after the wish has changed is handed straight back. Without a session
// bus or the service, nothing happens.
class DBusScreenSaver : public QObject, public ScreenSaverInhibitor
{
    Q_OBJECT
public:
    explicit DBusScreenSaver(QDBusConnection bus = QDBusConnection::sessionBus(),
                             QObject* parent = nullptr);
    ~DBusScreenSaver() override;

    void setInhibited(bool inhibited) override;
    bool isInhibited() const { return m_cookie.has_value(); }

private:
    void send(const QString& method, const QVariantList& arguments, bool wantCookie);
    void apply();

    QDBusConnection m_bus;
    bool m_wanted = false;
    bool m_pending = false;
    std::optional<uint> m_cookie;
};

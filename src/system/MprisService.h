#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QVariantMap>

class MprisPlayer;
class MprisPlayerAdaptor;

// Korvane on the session bus as org.mpris.MediaPlayer2.korvane. refresh() sends
// PropertiesChanged for whatever changed since the last call; the player calls it on each of
// its own changes.
class MprisService : public QObject
{
    Q_OBJECT
public:
    static inline const QString ServiceName = QStringLiteral("org.mpris.MediaPlayer2.korvane");
    static inline const QString ObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");

    MprisService(MprisPlayer& player, QDBusConnection bus = QDBusConnection::sessionBus(),
                 QObject* parent = nullptr);
    ~MprisService() override;

    // False without a session bus, or when the name is taken; the player runs on either way.
    bool start();
    void refresh();
    // After a jump the player made itself (not through the bus).
    void seeked(qint64 positionUs);

private:
    QVariantMap playerProperties() const;

    MprisPlayer& m_player;
    QDBusConnection m_bus;
    MprisPlayerAdaptor* m_playerAdaptor = nullptr;
    QVariantMap m_sent;
    bool m_started = false;
};

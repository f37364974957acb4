#include "system/MprisService.h"

#include "system/MprisPlayer.h"
#include "system/MprisPlayerAdaptor.h"
#include "system/MprisRootAdaptor.h"
#include "util/Logging.h"

#include <QDBusMessage>

MprisService::MprisService(MprisPlayer& player, QDBusConnection bus, QObject* parent)
    : QObject(parent), m_player(player), m_bus(std::move(bus))
{
    new MprisRootAdaptor(this, player);
    m_playerAdaptor = new MprisPlayerAdaptor(this, player);
}

MprisService::~MprisService()
{
    if (m_started) {
        m_bus.unregisterObject(ObjectPath);
        m_bus.unregisterService(ServiceName);
    }
}

bool MprisService::start()
{
    if (!m_bus.isConnected()) {
        return false;
    }
    if (!m_bus.registerObject(ObjectPath, this, QDBusConnection::ExportAdaptors)) {
        return false;
    }
    if (!m_bus.registerService(ServiceName)) {
        qCDebug(lcSystem) << "media player name taken:" << m_bus.lastError().message();
        m_bus.unregisterObject(ObjectPath);
        return false;
    }
    m_started = true;
    m_sent = playerProperties();
    qCDebug(lcSystem) << "on the session bus as" << ServiceName;
    return true;
}

QVariantMap MprisService::playerProperties() const
{
    const MprisPlayerAdaptor& a = *m_playerAdaptor;
    return {
        {QStringLiteral("PlaybackStatus"), a.playbackStatus()},
        {QStringLiteral("Metadata"), a.metadata()},
        {QStringLiteral("Volume"), a.volume()},
        {QStringLiteral("CanGoNext"), a.canGoNext()},
        {QStringLiteral("CanGoPrevious"), a.canGoPrevious()},
        {QStringLiteral("CanPlay"), a.canPlay()},
        {QStringLiteral("CanPause"), a.canPause()},
        {QStringLiteral("CanSeek"), a.canSeek()},
    };
}

void MprisService::refresh()
{
    if (!m_started) {
        return;
    }
    const QVariantMap now = playerProperties();
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (m_sent.value(it.key()) != it.value()) {
            changed.insert(it.key(), it.value());
        }
    }
    m_sent = now;
    if (changed.isEmpty()) {
        return;
    }
    QDBusMessage signal =
        QDBusMessage::createSignal(ObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    signal << QStringLiteral("org.mpris.MediaPlayer2.Player") << changed << QStringList();
    m_bus.send(signal);
}

void MprisService::seeked(qint64 positionUs)
{
    emit m_playerAdaptor->Seeked(positionUs);
}

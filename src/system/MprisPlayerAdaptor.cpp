#include "system/MprisPlayerAdaptor.h"

#include "system/MprisPlayer.h"
#include "util/Logging.h"

#include <QtNumeric>
#include <algorithm>
#include <cmath>
#include <limits>

MprisPlayerAdaptor::MprisPlayerAdaptor(QObject* parent, MprisPlayer& player)
    : QDBusAbstractAdaptor(parent), m_player(player)
{}

QString MprisPlayerAdaptor::playbackStatus() const
{
    return m_player.playbackStatus();
}

QVariantMap MprisPlayerAdaptor::metadata() const
{
    const MprisPlayer::Track track = m_player.track();
    QVariantMap map;
    map.insert(QStringLiteral("mpris:trackid"),
               QVariant::fromValue(QDBusObjectPath(track.id.isEmpty() ? NoTrack : track.id)));
    if (track.id.isEmpty()) {
        return map;
    }
    map.insert(QStringLiteral("xesam:title"), track.title);
    map.insert(QStringLiteral("xesam:url"), track.url);
    if (track.lengthUs > 0) {
        map.insert(QStringLiteral("mpris:length"), qlonglong(track.lengthUs));
    }
    if (!track.artUrl.isEmpty()) {
        map.insert(QStringLiteral("mpris:artUrl"), track.artUrl);
    }
    return map;
}

double MprisPlayerAdaptor::volume() const
{
    return m_player.volume();
}

void MprisPlayerAdaptor::setVolume(double volume)
{
    // NaN is no volume at all; it would compare false everywhere and come out as silence.
    if (std::isnan(volume)) {
        qCDebug(lcSystem) << "MPRIS volume NaN ignored";
        return;
    }
    m_player.setVolume(std::clamp(volume, 0.0, 1.0));
}

qlonglong MprisPlayerAdaptor::position() const
{
    return m_player.positionUs();
}

bool MprisPlayerAdaptor::canGoNext() const
{
    return m_player.canGoNext();
}

bool MprisPlayerAdaptor::canGoPrevious() const
{
    return m_player.canGoPrevious();
}

bool MprisPlayerAdaptor::canPlay() const
{
    return m_player.canPlay();
}

bool MprisPlayerAdaptor::canPause() const
{
    return m_player.canPause();
}

bool MprisPlayerAdaptor::canSeek() const
{
    return m_player.canSeek();
}

void MprisPlayerAdaptor::Next()
{
    m_player.next();
}

void MprisPlayerAdaptor::Previous()
{
    m_player.previous();
}

void MprisPlayerAdaptor::Pause()
{
    m_player.pause();
}

void MprisPlayerAdaptor::PlayPause()
{
    m_player.playPause();
}

void MprisPlayerAdaptor::Stop()
{
    m_player.stop();
}

void MprisPlayerAdaptor::Play()
{
    m_player.play();
}

void MprisPlayerAdaptor::Seek(qlonglong offset)
{
    if (!m_player.canSeek()) {
        return;
    }
    const MprisPlayer::Track track = m_player.track();
    // Saturated: an offset near the ends of the range must not wrap round to the start.
    qint64 moved = 0;
    if (qAddOverflow(m_player.positionUs(), qint64(offset), &moved)) {
        moved = offset > 0 ? std::numeric_limits<qint64>::max() : 0;
    }
    const qint64 target = std::max<qint64>(0, moved);
    // Past the end is the next track, as media keys expect.
    if (track.lengthUs > 0 && target > track.lengthUs) {
        m_player.next();
        return;
    }
    if (m_player.seekTo(target)) {
        emit Seeked(target);
    }
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& trackId, qlonglong position)
{
    const MprisPlayer::Track track = m_player.track();
    if (!m_player.canSeek() || track.id.isEmpty() || trackId.path() != track.id || position < 0 ||
        (track.lengthUs > 0 && position > track.lengthUs)) {
        return;
    }
    if (m_player.seekTo(position)) {
        emit Seeked(position);
    }
}

void MprisPlayerAdaptor::OpenUri(const QString& uri)
{
    if (uri.size() > kMaxUriLength) {
        qCDebug(lcSystem) << "MPRIS OpenUri refused: a URI of" << uri.size() << "characters";
        return;
    }
    m_player.openUri(uri);
}

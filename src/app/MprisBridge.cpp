#include "app/MprisBridge.h"

#include "playback/PlaybackSession.h"
#include "playback/engine/Engine.h"
#include "playlist/Playlist.h"
#include "playlist/PlaylistModel.h"
#include "settings/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <algorithm>
#include <cmath>

MprisBridge::MprisBridge(PlaybackSession& session, Playlist& playlist, SettingsStore& settings,
                         QString artFolder, QObject* parent)
    : QObject(parent), m_session(session), m_playlist(playlist), m_settings(settings),
      m_artFolder(std::move(artFolder))
{
    PlaybackSession* s = &session;
    connect(s, &PlaybackSession::controlStateChanged, this, &MprisBridge::changed);
    connect(s, &PlaybackSession::itemStarted, this, &MprisBridge::changed);
    // The length becomes known a moment after an item starts; the monitor's ticks carry it.
    connect(s, &PlaybackSession::timeTextChanged, this, &MprisBridge::changed);
    connect(s, &PlaybackSession::modesChanged, this, &MprisBridge::changed);
    connect(&playlist.model(), &PlaylistModel::entryAdded, this, &MprisBridge::changed);
    connect(&playlist.model(), &PlaylistModel::entryRemoved, this, &MprisBridge::changed);
    connect(&playlist.model(), &PlaylistModel::cleared, this, &MprisBridge::changed);
}

MprisBridge::~MprisBridge()
{
    if (!m_artPath.isEmpty()) {
        QFile::remove(m_artPath);
    }
}

void MprisBridge::raise()
{
    emit raiseRequested();
}

void MprisBridge::quit()
{
    emit commandRequested(Command::Exit);
}

void MprisBridge::playPause()
{
    emit commandRequested(Command::PlayPause);
}

void MprisBridge::play()
{
    // Play while playing would start the item over; a media key means "keep playing".
    if (!m_session.flags().mediaActive) {
        emit commandRequested(Command::Play);
    }
}

void MprisBridge::pause()
{
    if (m_session.flags().mediaActive) {
        emit commandRequested(Command::PlayPause);
    }
}

void MprisBridge::stop()
{
    emit commandRequested(Command::Stop);
}

void MprisBridge::next()
{
    emit commandRequested(Command::Next);
}

void MprisBridge::previous()
{
    emit commandRequested(Command::Previous);
}

bool MprisBridge::seekTo(qint64 positionUs)
{
    const TransportState transport = m_session.transportNow();
    if (transport.lengthMs <= 0 || !transport.flags.mediaActive) {
        return false;
    }
    m_session.seek(std::clamp(double(positionUs) / 1000.0 / transport.lengthMs, 0.0, 1.0));
    return true;
}

void MprisBridge::openUri(const QString& uri)
{
    // Taken in like a file handed over by a later start: described, added, played. What is not
    // a local file is refused by the intake with a message naming it, like a missing file.
    const QUrl url(uri);
    const QString path = url.isLocalFile() ? url.toLocalFile() : uri;
    if (path.isEmpty()) {
        return;
    }
    m_playlist.addPaths({path}, true, m_settings.launchFullscreen());
}

void MprisBridge::setVolume(double volume)
{
    if (std::isnan(volume)) {
        return;
    }
    m_session.setVolume(static_cast<int>(std::lround(std::clamp(volume, 0.0, 1.0) * 100)));
    emit changed();
}

QString MprisBridge::playbackStatus() const
{
    switch (m_session.controlState()) {
    case MediaControlState::Playing:
        return m_session.flags().mediaActive ? QStringLiteral("Playing")
                                             : QStringLiteral("Stopped");
    case MediaControlState::Paused:
        return QStringLiteral("Paused");
    case MediaControlState::Stopped:
        break;
    }
    return QStringLiteral("Stopped");
}

int MprisBridge::currentIndex() const
{
    const PlaylistModel& model = m_playlist.model();
    const QString current = m_session.currentFile();
    if (current.isEmpty()) {
        return -1;
    }
    int index = model.indexOf(current);
    if (index < 0) {
        // A disc started from the drive list holds the drive, its entry the disc's address.
        index = model.indexOf(QStringLiteral("dvd://") + current);
    }
    return index;
}

void MprisBridge::writeArt(int index) const
{
    const PlaylistEntry& entry = m_playlist.model().entry(index);
    if (m_artFor == entry.path) {
        return;
    }
    if (!m_artPath.isEmpty()) {
        QFile::remove(m_artPath);
        m_artPath.clear();
    }
    m_artFor = entry.path;
    if (entry.picture.isNull() || m_artFolder.isEmpty()) {
        return;
    }
    // A new name per track: widgets keep pictures by address.
    const QString path = QDir(m_artFolder)
                             .filePath(QStringLiteral("korvane-art-%1-%2.png")
                                           .arg(QCoreApplication::applicationPid())
                                           .arg(++m_artSerial));
    if (entry.picture.save(path, "PNG")) {
        m_artPath = path;
    }
}

MprisPlayer::Track MprisBridge::track() const
{
    Track track;
    const int index = currentIndex();
    if (index < 0) {
        return track;
    }
    const PlaylistEntry& entry = m_playlist.model().entry(index);
    track.id = QStringLiteral("/io/github/korvane/Track/%1").arg(index);
    track.title = entry.title;
    track.url = entry.path.contains(QStringLiteral("://"))
                    ? entry.path
                    : QUrl::fromLocalFile(entry.path).toString();
    track.lengthUs = static_cast<qint64>(m_session.transportNow().lengthMs * 1000);
    writeArt(index);
    if (!m_artPath.isEmpty()) {
        track.artUrl = QUrl::fromLocalFile(m_artPath).toString();
    }
    return track;
}

double MprisBridge::volume() const
{
    return m_session.volume() / 100.0;
}

qint64 MprisBridge::positionUs() const
{
    return static_cast<qint64>(m_session.transportNow().timeMs * 1000);
}

bool MprisBridge::canGoNext() const
{
    return m_session.flags().mediaActive && m_playlist.count() > 1;
}

bool MprisBridge::canGoPrevious() const
{
    return m_session.flags().mediaActive && m_playlist.count() > 1;
}

bool MprisBridge::canPlay() const
{
    return m_playlist.count() > 0;
}

bool MprisBridge::canPause() const
{
    return m_session.transportState().itemUnderWay();
}

bool MprisBridge::canSeek() const
{
    const TransportState transport = m_session.transportNow();
    return transport.flags.mediaActive && transport.lengthMs > 0;
}

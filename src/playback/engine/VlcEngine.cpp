#include "playback/engine/VlcEngine.h"

#include "playback/engine/VideoFrames.h"
#include "util/Logging.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QUrl>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>
#include <optional>
#include <vlc/vlc.h>

// Bridges libVLC's event threads to the UI thread. The engine clears `engine` before it stops and
// releases the player, so a callback that is already running can never post to a dead object.
struct VlcEventRelay
{
    std::mutex mutex;
    VlcEngine* engine = nullptr;
    // Set on the event thread: after a failed open libVLC reads "ended", not "error".
    std::atomic<bool> failed{false};

    // Runs on a libVLC thread (or inside libvlc_media_player_stop on the caller's): copy and queue.
    static void onEvent(const libvlc_event_t* event, void* data)
    {
        auto* relay = static_cast<VlcEventRelay*>(data);
        const int type = event->type;
        int value = 0;
        if (type == libvlc_MediaPlayerVout) {
            value = event->u.media_player_vout.new_count;
        } else if (type == libvlc_MediaPlayerESAdded || type == libvlc_MediaPlayerESDeleted ||
                   type == libvlc_MediaPlayerESSelected) {
            value = event->u.media_player_es_changed.i_type;
        } else if (type == libvlc_MediaPlayerEncounteredError) {
            relay->failed = true;
        }
        std::lock_guard lock(relay->mutex);
        if (VlcEngine* target = relay->engine) {
            QMetaObject::invokeMethod(
                target, [target, type, value] { target->handleEvent(type, value); },
                Qt::QueuedConnection);
        }
    }
};

namespace {

constexpr libvlc_event_type_t kWatchedEvents[] = {
    libvlc_MediaPlayerOpening,          libvlc_MediaPlayerPlaying,    libvlc_MediaPlayerPaused,
    libvlc_MediaPlayerStopped,          libvlc_MediaPlayerEndReached, libvlc_MediaPlayerVout,
    libvlc_MediaPlayerEncounteredError, libvlc_MediaPlayerESAdded,    libvlc_MediaPlayerESDeleted,
    libvlc_MediaPlayerESSelected,
};

// A libVLC track list without its "Disable" entry (id -1), which the menus offer as "Off".
QList<Engine::Track> tracksOf(libvlc_track_description_t* list)
{
    QList<Engine::Track> tracks;
    for (const libvlc_track_description_t* it = list; it; it = it->p_next) {
        if (it->i_id >= 0) {
            tracks.append({it->i_id, QString::fromUtf8(it->psz_name ? it->psz_name : "")});
        }
    }
    libvlc_track_description_list_release(list);
    return tracks;
}

// A seek or snapshot while paused has this long to show its picture before the output is held
// again.
constexpr std::chrono::milliseconds kPausedGrace(1500);

// The largest screen in device pixels: no picture needs to be larger.
QSize largestScreen()
{
    QSize largest;
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (const QScreen* screen : screens) {
        largest = largest.expandedTo(screen->geometry().size() * screen->devicePixelRatio());
    }
    return largest;
}

bool isAddress(const QString& mrlOrPath)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    return scheme.match(mrlOrPath).hasMatch();
}

} // namespace

VlcEngine::VlcEngine(const QStringList& options, VideoSurface* videoSurface, AudioOutput audio,
                     QObject* parent)
    : VlcEngine(VlcInstance::create(options, audio), videoSurface, parent)
{}

VlcEngine::VlcEngine(std::shared_ptr<VlcInstance> instance, VideoSurface* videoSurface,
                     QObject* parent)
    : Engine(parent), m_vlc(std::move(instance)), m_relay(std::make_unique<VlcEventRelay>())
{
    if (!m_vlc) {
        return;
    }
    m_player = libvlc_media_player_new(m_vlc->get());
    if (!m_player) {
        qCWarning(lcPlayback) << "libVLC could not make a media player";
        return;
    }
    m_relay->engine = this;
    libvlc_event_manager_t* events = libvlc_media_player_event_manager(m_player);
    for (libvlc_event_type_t type : kWatchedEvents) {
        libvlc_event_attach(events, type, &VlcEventRelay::onEvent, m_relay.get());
    }

    // libVLC draws into memory and the surface paints: a paused picture then costs nothing,
    // and no window of libVLC's sits in the player's.
    if (videoSurface) {
        m_frames = std::make_shared<VideoFrames>();
        m_frames->setLargestSize(largestScreen());
        libvlc_video_set_format_callbacks(m_player, &VideoFrames::setup, &VideoFrames::cleanup);
        libvlc_video_set_callbacks(m_player, &VideoFrames::lock, nullptr, &VideoFrames::display,
                                   m_frames.get());
        videoSurface->showFrames(m_frames);
    }
}

VlcEngine::~VlcEngine()
{
    {
        std::lock_guard lock(m_relay->mutex);
        m_relay->engine = nullptr;
    }
    if (m_player) {
        releaseOutput();
        libvlc_media_player_stop(m_player);
        libvlc_media_player_release(m_player);
    }
}

void VlcEngine::wakeOutput()
{
    if (m_frames) {
        m_frames->release();
        if (m_reportedState == Paused) {
            m_frames->holdAfter(kPausedGrace);
        }
    }
}

void VlcEngine::releaseOutput()
{
    if (m_frames) {
        m_frames->release();
    }
}

void VlcEngine::takeDisplaySize()
{
    libvlc_media_t* media = m_frames ? libvlc_media_player_get_media(m_player) : nullptr;
    if (!media) {
        return;
    }
    libvlc_media_track_t** tracks = nullptr;
    const unsigned count = libvlc_media_tracks_get(media, &tracks);
    QSize size;
    for (unsigned i = 0; i < count && size.isEmpty(); ++i) {
        const libvlc_media_track_t* track = tracks[i];
        if (track->i_type != libvlc_track_video || !track->video) {
            continue;
        }
        const libvlc_video_track_t& video = *track->video;
        size = QSize(static_cast<int>(video.i_width), static_cast<int>(video.i_height));
        // Pixels that are not square (a DVD's, say) widen or narrow the picture.
        if (video.i_sar_num > 0 && video.i_sar_den > 0 && video.i_sar_num != video.i_sar_den) {
            const double wide = static_cast<double>(video.i_sar_num) / video.i_sar_den;
            size.setWidth(qRound(size.width() * wide));
        }
    }
    libvlc_media_tracks_release(tracks, count);
    libvlc_media_release(media);
    if (!size.isEmpty()) {
        m_frames->setDisplaySize(size);
    }
}

bool VlcEngine::open(const QString& mrlOrPath, const QStringList& options)
{
    if (!m_player || mrlOrPath.isEmpty()) {
        return false;
    }
    if (m_loaded) {
        m_stopRequested = true;
        releaseOutput();
        libvlc_media_player_stop(m_player);
        m_loaded = false;
    }
    m_voutCount = 0;
    m_item = Item{mrlOrPath, options};
    return true;
}

bool VlcEngine::loadItem()
{
    const Item& item = *m_item;
    libvlc_media_t* media =
        isAddress(item.mrlOrPath)
            ? libvlc_media_new_location(m_vlc->get(), item.mrlOrPath.toUtf8().constData())
            : libvlc_media_new_path(
                  m_vlc->get(),
                  QFile::encodeName(QFileInfo(item.mrlOrPath).absoluteFilePath()).constData());
    if (!media) {
        qCWarning(lcPlayback) << "libVLC refused the item" << item.mrlOrPath;
        return false;
    }
    for (const QString& option : item.options) {
        if (option.isEmpty()) {
            continue;
        }
        const QString mediaOption =
            option.startsWith(QLatin1Char(':')) ? option : QLatin1Char(':') + option;
        libvlc_media_add_option(media, mediaOption.toUtf8().constData());
    }
    libvlc_media_player_set_media(m_player, media);
    libvlc_media_release(media);
    m_loaded = true;
    return true;
}

void VlcEngine::play()
{
    if (!m_player || !m_item) {
        return;
    }
    if (!m_loaded && !loadItem()) {
        return;
    }
    releaseOutput();
    const libvlc_state_t current = libvlc_media_player_get_state(m_player);
    if (current == libvlc_Paused) {
        libvlc_media_player_set_pause(m_player, 0);
        return;
    }
    if (current == libvlc_Ended || current == libvlc_Error) {
        // libVLC ignores play() on an input that has run out; it has to be stopped first.
        libvlc_media_player_stop(m_player);
    }
    m_stopRequested = false;
    m_relay->failed = false;
    libvlc_media_player_play(m_player);
}

void VlcEngine::togglePause()
{
    if (!m_player) {
        return;
    }
    const libvlc_state_t current = libvlc_media_player_get_state(m_player);
    if (current == libvlc_Playing || current == libvlc_Paused) {
        releaseOutput();
        libvlc_media_player_pause(m_player);
        return;
    }
    // libVLC ignores a pause toggle with no input; from a stop the toggle resumes playing,
    // as the transport then believes.
    play();
}

void VlcEngine::stop()
{
    if (!m_player || !m_loaded) {
        return;
    }
    m_stopRequested = true;
    releaseOutput();
    libvlc_media_player_stop(m_player);
}

Engine::State VlcEngine::state() const
{
    // libVLC answers "stopped" for a player that never had anything to play.
    if (!m_player || !m_loaded) {
        return Idle;
    }
    const int current = libvlc_media_player_get_state(m_player);
    if (current == libvlc_Ended && m_relay->failed) {
        return Error;
    }
    // libVLC's own numbering is the one State follows.
    return static_cast<State>(current);
}

double VlcEngine::position() const
{
    if (!m_player) {
        return 0.0;
    }
    const float fraction = libvlc_media_player_get_position(m_player);
    return fraction < 0.0F ? 0.0 : static_cast<double>(fraction);
}

void VlcEngine::setPosition(double fraction)
{
    if (!m_player || std::isnan(fraction)) {
        return;
    }
    wakeOutput();
    libvlc_media_player_set_position(m_player, static_cast<float>(std::clamp(fraction, 0.0, 1.0)));
}

double VlcEngine::time() const
{
    if (!m_player) {
        return 0.0;
    }
    const libvlc_time_t elapsed = libvlc_media_player_get_time(m_player);
    return elapsed < 0 ? 0.0 : static_cast<double>(elapsed);
}

double VlcEngine::length() const
{
    if (!m_player) {
        return 0.0;
    }
    const libvlc_time_t total = libvlc_media_player_get_length(m_player);
    return total < 0 ? 0.0 : static_cast<double>(total);
}

double VlcEngine::rate() const
{
    return m_player ? static_cast<double>(libvlc_media_player_get_rate(m_player)) : 1.0;
}

void VlcEngine::setRate(double rate)
{
    // Zero, negative or NaN rates are not something libVLC 3 can play.
    if (m_player && rate > 0.0 && std::isfinite(rate)) {
        wakeOutput();
        libvlc_media_player_set_rate(m_player, static_cast<float>(rate));
    }
}

bool VlcEngine::hasVout() const
{
    return m_player && libvlc_media_player_has_vout(m_player) > 0;
}

void VlcEngine::toggleMute()
{
    m_muted = !m_muted;
    if (m_player) {
        libvlc_audio_set_mute(m_player, m_muted ? 1 : 0);
    }
}

void VlcEngine::setVolume(int volume)
{
    m_volume = std::clamp(volume, 0, 200);
    if (m_player) {
        libvlc_audio_set_volume(m_player, m_volume);
    }
}

void VlcEngine::applyAudioState()
{
    // The audio output only exists once the item plays; volume set before that may be lost.
    libvlc_audio_set_volume(m_player, m_volume);
    libvlc_audio_set_mute(m_player, m_muted ? 1 : 0);
}

void VlcEngine::handleEvent(int type, int value)
{
    std::optional<State> reported;
    switch (type) {
    case libvlc_MediaPlayerOpening:
        reported = Opening;
        break;
    case libvlc_MediaPlayerPlaying:
        // A resume that came before the pause was reported.
        releaseOutput();
        applyAudioState();
        reported = Playing;
        break;
    case libvlc_MediaPlayerPaused:
        // The picture on show is the paused one: nothing needs drawing until the user acts.
        if (m_frames && libvlc_media_player_get_state(m_player) == libvlc_Paused) {
            m_frames->holdAfter();
        }
        reported = Paused;
        break;
    case libvlc_MediaPlayerStopped:
        // libVLC follows every end and every failure with a Stopped of its own.
        if (!m_stopRequested && (m_reportedState == Ended || m_reportedState == Error)) {
            return;
        }
        reported = Stopped;
        break;
    case libvlc_MediaPlayerEndReached:
        reported = Ended;
        break;
    case libvlc_MediaPlayerEncounteredError:
        reported = Error;
        break;
    case libvlc_MediaPlayerVout: {
        const bool appeared = m_voutCount == 0 && value > 0;
        m_voutCount = value;
        if (appeared) {
            takeDisplaySize();
            emit voutAppeared();
        }
        return;
    }
    case libvlc_MediaPlayerESAdded:
    case libvlc_MediaPlayerESDeleted:
    case libvlc_MediaPlayerESSelected:
        if (value == libvlc_track_video) {
            takeDisplaySize();
        }
        emit tracksChanged();
        return;
    default:
        return;
    }

    if (!reported) {
        return;
    }
    m_reportedState = *reported;
    qCDebug(lcPlayback) << "engine state" << *reported;
    // A handler may delete the engine (a new one per item); touch nothing after that.
    const QPointer<VlcEngine> alive(this);
    emit stateChanged(*reported);
    if (alive && *reported == Ended) {
        emit ended();
    }
}

QList<Engine::Track> VlcEngine::audioTracks() const
{
    return m_player ? tracksOf(libvlc_audio_get_track_description(m_player)) : QList<Track>{};
}

int VlcEngine::audioTrack() const
{
    return m_player ? libvlc_audio_get_track(m_player) : -1;
}

bool VlcEngine::setAudioTrack(int id)
{
    if (!m_player) {
        return false;
    }
    wakeOutput();
    return libvlc_audio_set_track(m_player, id) == 0;
}

QList<Engine::Track> VlcEngine::subtitleTracks() const
{
    return m_player ? tracksOf(libvlc_video_get_spu_description(m_player)) : QList<Track>{};
}

int VlcEngine::subtitleTrack() const
{
    return m_player ? libvlc_video_get_spu(m_player) : -1;
}

bool VlcEngine::setSubtitleTrack(int id)
{
    if (!m_player) {
        return false;
    }
    wakeOutput();
    return libvlc_video_set_spu(m_player, id) == 0;
}

bool VlcEngine::addSubtitleFile(const QString& path)
{
    if (!m_player || !m_loaded) {
        return false;
    }
    wakeOutput();
    const QByteArray uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded();
    return libvlc_media_player_add_slave(m_player, libvlc_media_slave_type_subtitle,
                                         uri.constData(), true) == 0;
}

bool VlcEngine::saveSnapshot(const QString& filePath)
{
    if (!m_player || !hasVout() || filePath.isEmpty()) {
        return false;
    }
    wakeOutput();
    // Width and height 0: the video's own size. libVLC writes the file before it returns, or
    // gives up after half a second without a picture.
    libvlc_video_take_snapshot(m_player, 0, QFile::encodeName(filePath).constData(), 0, 0);
    const QFileInfo written(filePath);
    return written.isFile() && written.size() > 0;
}

#include "playback/engine/VlcEngine.h"

#include "playback/engine/OutputRelease.h"
#include "playback/engine/VideoFrames.h"
#include "playback/engine/VlcEventRelay.h"
#include "playback/engine/VlcMedia.h"
#include "util/Logging.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vlc/vlc.h>

namespace {

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

    // libVLC draws into memory and the surface paints: a paused picture then costs nothing,
    // and no window of libVLC's sits in the player's.
    if (videoSurface) {
        m_frames = std::make_shared<VideoFrames>();
        m_frames->setLargestSize(largestScreen());
        m_relay->frames = m_frames.get();
        libvlc_video_set_format_callbacks(m_player, &VideoFrames::setup, &VideoFrames::cleanup);
        // libVLC's memory output keeps a pool of one picture: it locks the next only after it
        // has displayed the last, so a single write slot beside the one on show is enough.
        libvlc_video_set_callbacks(m_player, &VideoFrames::lock, nullptr, &VideoFrames::display,
                                   m_frames.get());
        videoSurface->showFrames(m_frames);
    }
    m_relay->attach(m_player);
}

VlcEngine::~VlcEngine()
{
    {
        std::lock_guard lock(m_relay->mutex);
        m_relay->engine = nullptr;
    }
    if (m_player) {
        const OutputRelease released = outputRelease(OutputRelease::Then::Free);
        libvlc_media_player_stop(m_player);
        libvlc_media_player_release(m_player);
    }
}

OutputRelease VlcEngine::outputRelease(OutputRelease::Then then)
{
    return {m_frames.get(), m_player, then};
}

void VlcEngine::takeDisplaySize()
{
    const QSize size = m_frames ? VlcMedia::displaySize(m_player) : QSize();
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
        const OutputRelease released = outputRelease(OutputRelease::Then::Free);
        libvlc_media_player_stop(m_player);
        m_loaded = false;
    }
    m_voutCount = 0;
    m_item = Item{mrlOrPath, options};
    return true;
}

bool VlcEngine::loadItem()
{
    libvlc_media_t* media = VlcMedia::make(m_vlc->get(), m_item->mrlOrPath, m_item->options);
    if (!media) {
        qCWarning(lcPlayback) << "libVLC refused the item" << m_item->mrlOrPath;
        return false;
    }
    {
        const OutputRelease released = outputRelease(OutputRelease::Then::Free);
        libvlc_media_player_set_media(m_player, media);
    }
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
    const OutputRelease released = outputRelease(OutputRelease::Then::Free);
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
        const OutputRelease released = outputRelease(OutputRelease::Then::Free);
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
    const OutputRelease released = outputRelease(OutputRelease::Then::Free);
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
    const OutputRelease released = outputRelease(OutputRelease::Then::HoldIfPaused);
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
        const OutputRelease released = outputRelease(OutputRelease::Then::HoldIfPaused);
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
        if (m_frames) {
            m_frames->release();
        }
        applyAudioState();
        reported = Playing;
        break;
    case libvlc_MediaPlayerPaused:
        // The picture on show is the paused one: nothing needs drawing until the user acts. The
        // event carries the request it came in; a later request holds from its own picture.
        if (m_frames && libvlc_media_player_get_state(m_player) == libvlc_Paused) {
            m_frames->holdFrom(static_cast<unsigned>(value));
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
    return m_player ? VlcMedia::audio(m_player) : QList<Track>{};
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
    const OutputRelease released = outputRelease(OutputRelease::Then::HoldIfPaused);
    return libvlc_audio_set_track(m_player, id) == 0;
}

QList<Engine::Track> VlcEngine::subtitleTracks() const
{
    return m_player ? VlcMedia::subtitles(m_player) : QList<Track>{};
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
    const OutputRelease released = outputRelease(OutputRelease::Then::HoldIfPaused);
    return libvlc_video_set_spu(m_player, id) == 0;
}

bool VlcEngine::addSubtitleFile(const QString& path)
{
    if (!m_player || !m_loaded) {
        return false;
    }
    const OutputRelease released = outputRelease(OutputRelease::Then::HoldIfPaused);
    const QByteArray uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded();
    return libvlc_media_player_add_slave(m_player, libvlc_media_slave_type_subtitle,
                                         uri.constData(), true) == 0;
}

bool VlcEngine::saveSnapshot(const QString& filePath)
{
    if (!m_player || !hasVout() || filePath.isEmpty()) {
        return false;
    }
    const OutputRelease released = outputRelease(OutputRelease::Then::HoldIfPaused);
    // Width and height 0: the video's own size. libVLC writes the file before it returns, or
    // gives up after half a second without a picture.
    libvlc_video_take_snapshot(m_player, 0, QFile::encodeName(filePath).constData(), 0, 0);
    const QFileInfo written(filePath);
    return written.isFile() && written.size() > 0;
}

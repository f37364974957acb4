#include "playback/PlaybackSession.h"

#include "playback/SequenceFollower.h"
#include "playback/TimeText.h"
#include "playback/TransportArithmetic.h"
#include "playlist/PlaylistModel.h"
#include "settings/SettingsStore.h"
#include "system/PowerControl.h"
#include "util/Logging.h"

#include <algorithm>

namespace {
constexpr int kMonitorIntervalMs = 500;
constexpr int kRewindIntervalMs = 10;
// How long a new item may take to show video before a full-screen start gives up waiting.
constexpr int kFullScreenSettleMs = 1500;
constexpr double kFastForwardRate = 10.0;
} // namespace

PlaybackSession::PlaybackSession(SettingsStore& settings, PlaylistModel& playlist,
                                 PowerControl& power, EngineFactory factory, QObject* parent)
    : QObject(parent), m_settings(settings), m_playlist(playlist), m_power(power),
      m_factory(std::move(factory)), m_random(PlaySequence::defaultRandomSource())
{
    SequenceFollower::follow(m_playlist, m_sequence, this, [this] { return isShuffle(); });

    m_monitor.setInterval(kMonitorIntervalMs);
    connect(&m_monitor, &QTimer::timeout, this, &PlaybackSession::monitorTick);

    m_rewind.setInterval(kRewindIntervalMs);
    connect(&m_rewind, &QTimer::timeout, this, [this] {
        if (m_engine) {
            m_engine->setPosition(TransportArithmetic::rewindPosition(m_engine->position()));
        }
    });

    m_fullScreenSettle.setSingleShot(true);
    m_fullScreenSettle.setInterval(kFullScreenSettleMs);
    connect(&m_fullScreenSettle, &QTimer::timeout, this, [this] {
        if (m_pendingFullScreen && m_engine) {
            m_pendingFullScreen = false;
            emit fullScreenRequested(true);
        }
    });
}

PlaybackSession::~PlaybackSession() = default;

void PlaybackSession::applyEngineSettings()
{
    m_options.rebuild(m_settings.settings());
}

void PlaybackSession::createPlayer()
{
    m_engine = m_factory(m_options.strings());
    connectEngine();
}

void PlaybackSession::releasePlayer()
{
    m_engine.reset();
    syncMonitor();
}

void PlaybackSession::connectEngine()
{
    if (!m_engine) {
        return;
    }
    Engine* engine = m_engine.get();
    connect(engine, &Engine::stateChanged, this, &PlaybackSession::onEngineState);
    connect(engine, &Engine::voutAppeared, this, [this, engine] {
        if (engine != m_engine.get()) {
            return;
        }
        emit audioOnlyChanged(false);
        if (m_pendingFullScreen) {
            m_pendingFullScreen = false;
            m_fullScreenSettle.stop();
            emit fullScreenRequested(true);
        }
    });
}

void PlaybackSession::onEngineState(Engine::State state)
{
    syncMonitor();
    if (state < Engine::Playing || !m_flags.mediaActive) {
        return;
    }
    m_reachedPlaying = true;
    if (state == Engine::Playing) {
        // Video outputs announce themselves just after playing starts; an item that has none
        // by then is sound only.
        QPointer<Engine> engine(m_engine.get());
        QTimer::singleShot(300, this, [this, engine] {
            if (engine && engine == m_engine.get() && !engine->hasVout()) {
                emit audioOnlyChanged(true);
            }
        });
    }
}

void PlaybackSession::playEntry(int index, bool fullScreen)
{
    if (index < 0 || index >= m_playlist.count()) {
        return;
    }
    m_currentFile = m_playlist.fullPath(index);
    m_currentIsDrive = false;
    // The engine control is made with the item's snapshot folder among its options; a snapshot
    // itself is told the folder again, as the engine's instance outlives the item.
    m_options.setItem(m_settings.settings().snapshotPath, m_currentFile);
    releasePlayer();
    createPlayer();
    emit audioOnlyChanged(false);
    m_currentIndex = index;
    qCDebug(lcPlayback).noquote() << "playing" << index << m_currentFile;
    if (m_engine) {
        m_engine->setVolume(m_volume);
        if (m_muted) {
            m_engine->toggleMute();
        }
        m_engine->open(m_currentFile, m_options.strings());
        m_engine->play();
    }
    emit itemStarted(m_currentFile, m_playlist.selectedTitle());
    enableMediaControl(MediaControlState::Playing);
    m_rate = 1.0;
    m_increaseEnabled = true;
    m_decreaseEnabled = true;
    m_pendingFullScreen = fullScreen;
    if (fullScreen) {
        m_fullScreenSettle.start();
    }
}

void PlaybackSession::setCurrentDrive(const QString& drive)
{
    m_currentFile = drive;
    m_currentIsDrive = true;
}

QString PlaybackSession::snapshotFolder() const
{
    if (m_currentFile.isEmpty()) {
        return QString();
    }
    return EngineOptions::snapshotFolder(m_settings.settings().snapshotPath, m_currentFile);
}

void PlaybackSession::enableMediaControl(MediaControlState::State state)
{
    const std::optional<MediaControlState> control = MediaControlState::enableMediaControl(state);
    if (!control) {
        return;
    }
    m_controlState = control->state();
    m_flags = control->flags();
    if (m_controlState == MediaControlState::Playing) {
        m_reachedPlaying = false;
    }
    emit controlStateChanged(m_controlState);
    syncMonitor();
}

void PlaybackSession::syncMonitor()
{
    const bool wanted = PlaybackMonitor::wanted(monitorInput());
    if (wanted == m_monitor.isActive()) {
        return;
    }
    if (wanted) {
        m_monitor.start();
        return;
    }
    m_monitor.stop();
    // What the sleeping ticks would have asked for again and again.
    if (!m_flags.mediaActive && !m_flags.paused) {
        emit dvdCheckWanted();
    }
}

PlaybackMonitor::Input PlaybackSession::monitorInput() const
{
    return PlaybackMonitor::read(m_engine.get(), m_flags, m_reachedPlaying, m_currentIsDrive);
}

void PlaybackSession::monitorTick()
{
    const PlaybackMonitor::Outcome outcome = PlaybackMonitor::tick(monitorInput());
    m_reachedPlaying = outcome.reachedPlaying;
    if (outcome.rateLabel == PlaybackMonitor::RateLabel::ShowLoading) {
        emit rateTextChanged(PlaybackMonitor::LoadingText, true);
    } else if (outcome.rateLabel == PlaybackMonitor::RateLabel::Hide) {
        emit rateTextChanged(QString(), false);
    }
    if (outcome.progressPercent) {
        emit progressChanged(*outcome.progressPercent);
    }
    if (outcome.timeText) {
        emit timeTextChanged(*outcome.timeText);
    }
    if (outcome.finished) {
        m_flags.mediaActive = false;
        qCDebug(lcPlayback) << "finished" << m_currentIndex;
    }
    if (outcome.enableDvdCheck) {
        emit dvdCheckWanted();
    }
    // A disc that waited for this end has started meanwhile: it replaces the playlist instead.
    if (outcome.moveOn && !m_currentIsDrive) {
        moveOn();
    }
    syncMonitor();
}

void PlaybackSession::moveOn()
{
    const ItemEndDecision decision =
        m_sequence.afterItemEnd(playModeFromSetting(m_settings.settings().playMode),
                                repeatModeFromSetting(m_settings.settings().repeatMode));
    switch (decision.action) {
    case ItemEndDecision::Action::Replay:
        stop();
        play();
        break;
    case ItemEndDecision::Action::StopAndFinish:
        stop();
        if (m_afterPlay.finish(m_power) == AfterPlay::Result::CloseWindow) {
            emit closeRequested();
        }
        break;
    case ItemEndDecision::Action::PlayEntry:
        m_sequence.setPosition(decision.position);
        selectEntry(decision.entry);
        playEntry(m_playlist.selectedItem(), false);
        break;
    }
}

void PlaybackSession::selectEntry(int index)
{
    // The list keeps its selection when asked for no entry.
    if (index >= 0) {
        m_playlist.select(index);
    }
}

void PlaybackSession::rebuildSequence()
{
    m_sequence.build(playModeFromSetting(m_settings.settings().playMode), m_playlist.count(),
                     m_playlist.selectedItem(), m_random);
}

void PlaybackSession::entriesCommitted()
{
    if (isShuffle()) {
        m_sequence.extendShuffled(m_playlist.count(), m_playlist.selectedItem(), m_random);
    } else {
        rebuildSequence();
    }
}

void PlaybackSession::setSequencePosition(int position)
{
    m_sequence.setPosition(position);
}

bool PlaybackSession::isShuffle() const
{
    return playModeFromSetting(m_settings.settings().playMode) == PlayMode::Shuffle;
}

void PlaybackSession::entryClicked(int index)
{
    if (!isShuffle()) {
        m_sequence.setPositionToEntry(index);
    }
}

void PlaybackSession::entryActivated(int index)
{
    playEntry(index, false);
    m_sequence.setPositionToEntry(index);
}

void PlaybackSession::play()
{
    if (m_playlist.count() == 0) {
        emit openRequested();
        return;
    }
    // Resuming needs an item in the engine; with none (entries added, none played yet) the
    // selected entry starts, else "Loading..." would stay for good and stop would do nothing.
    if (m_flags.paused && m_engine && m_engine->hasMedia()) {
        m_engine->play();
        enableMediaControl(MediaControlState::Playing);
        return;
    }
    int selected = m_playlist.selectedItem();
    if (selected < 0 || selected >= m_playlist.count()) {
        selected = 0;
        selectEntry(selected);
    }
    m_sequence.setPositionToEntry(selected);
    playEntry(selected, false);
}

void PlaybackSession::playPause()
{
    if (m_playlist.count() == 0) {
        emit openRequested();
    } else if (m_controlState == MediaControlState::Stopped) {
        play();
    } else {
        pause();
    }
}

void PlaybackSession::pause()
{
    if (!m_flags.mediaActive && !m_flags.paused) {
        return;
    }
    const bool paused = !m_flags.paused;
    if (m_engine) {
        m_engine->togglePause();
    }
    enableMediaControl(paused ? MediaControlState::Paused : MediaControlState::Playing);
}

void PlaybackSession::stop()
{
    if (!m_engine || !m_engine->hasMedia()) {
        return;
    }
    // The engine stops before this returns, so the stopped state follows at once.
    m_engine->stop();
    m_flags.stopped = true;
    m_rewind.stop();
    qCDebug(lcPlayback) << "stopped";
    emit progressChanged(0);
    emit timeTextChanged(TimeText::Idle);
    enableMediaControl(MediaControlState::Stopped);
}

void PlaybackSession::next()
{
    if (!m_flags.mediaActive) {
        return;
    }
    if (const std::optional<int> position = m_sequence.nextPosition()) {
        m_sequence.setPosition(*position);
        const int entry = m_sequence.entryAt(*position);
        selectEntry(entry);
        playEntry(entry, false);
    }
}

void PlaybackSession::previous()
{
    if (!m_flags.mediaActive) {
        return;
    }
    if (const std::optional<int> position = m_sequence.previousPosition()) {
        m_sequence.setPosition(*position);
        const int entry = m_sequence.entryAt(*position);
        selectEntry(entry);
        playEntry(entry, false);
    }
}

void PlaybackSession::fastForwardStart()
{
    if (m_flags.mediaActive && m_engine) {
        m_engine->setRate(kFastForwardRate);
    }
}

void PlaybackSession::fastForwardEnd()
{
    if (m_engine) {
        m_engine->setRate(1.0);
    }
}

void PlaybackSession::rewindStart()
{
    if (m_flags.mediaActive) {
        m_rewind.start();
    }
}

void PlaybackSession::rewindEnd()
{
    m_rewind.stop();
}

void PlaybackSession::seek(double fraction)
{
    if (m_flags.mediaActive && m_engine) {
        m_engine->setPosition(fraction);
        qCDebug(lcPlayback).noquote()
            << "seek" << qRound64(fraction * std::max(0.0, m_engine->length()));
    }
}

void PlaybackSession::setVolume(int volume)
{
    m_volume = volume;
    if (m_engine) {
        m_engine->setVolume(volume);
    }
}

void PlaybackSession::toggleMute()
{
    if (m_engine) {
        m_engine->toggleMute();
    }
    m_muted = !m_muted;
    emit muteChanged(m_muted);
}

void PlaybackSession::fullScreen()
{
    if (m_flags.mediaActive) {
        emit fullScreenRequested(true);
    }
}

void PlaybackSession::applySpeed(const std::optional<SpeedSteps::Change>& change)
{
    if (!change) {
        return;
    }
    m_rate = change->rate;
    if (change->applyToEngine && m_engine) {
        m_engine->setRate(m_rate);
    }
    if (!change->rateText.isEmpty()) {
        emit speedTextChanged(change->rateText);
    }
    if (change->increaseEnabled) {
        m_increaseEnabled = *change->increaseEnabled;
    }
    if (change->decreaseEnabled) {
        m_decreaseEnabled = *change->decreaseEnabled;
    }
    if (change->increaseEnabled || change->decreaseEnabled) {
        emit speedLimitsChanged(m_increaseEnabled, m_decreaseEnabled);
    }
}

void PlaybackSession::increaseSpeed()
{
    applySpeed(SpeedSteps::increase(m_rate, m_flags.mediaActive));
}

void PlaybackSession::decreaseSpeed()
{
    applySpeed(SpeedSteps::decrease(m_rate, m_flags.mediaActive));
}

void PlaybackSession::resetSpeed()
{
    applySpeed(SpeedSteps::reset(m_flags.mediaActive));
}

void PlaybackSession::setPlayMode(PlayMode mode)
{
    m_settings.setPlayMode(mode);
    rebuildSequence();
    emit modesChanged();
}

void PlaybackSession::setRepeatMode(RepeatMode mode)
{
    m_settings.setRepeatMode(mode);
    emit modesChanged();
}

void PlaybackSession::chooseAfterPlay(int toDo)
{
    m_afterPlay.choose(toDo);
    emit modesChanged();
}

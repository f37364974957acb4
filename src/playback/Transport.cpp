#include "playback/Transport.h"

#include "playback/EngineHost.h"
#include "playback/TimeText.h"
#include "playback/TransportArithmetic.h"
#include "util/Logging.h"

#include <algorithm>

namespace {
constexpr int kMonitorIntervalMs = 500;
constexpr int kRewindIntervalMs = 10;
constexpr double kFastForwardRate = 10.0;
} // namespace

Transport::Transport(EngineHost& host, QObject* parent) : QObject(parent), m_host(host)
{
    m_monitor.setInterval(kMonitorIntervalMs);
    connect(&m_monitor, &QTimer::timeout, this, &Transport::monitorTick);

    m_rewind.setInterval(kRewindIntervalMs);
    connect(&m_rewind, &QTimer::timeout, this, [this] {
        if (Engine* engine = m_host.engine()) {
            engine->setPosition(TransportArithmetic::rewindPosition(engine->position()));
        }
    });

    connect(&m_host, &EngineHost::engineChanged, this, &Transport::adopt);
    connect(&m_host, &EngineHost::stateChanged, this, &Transport::onEngineState);
}

void Transport::adopt(Engine* engine)
{
    m_state.timeMs = 0.0;
    m_state.lengthMs = 0.0;
    if (!engine) {
        syncMonitor();
        return;
    }
    // Volume and mute belong to the engine control, and each item has a fresh one.
    engine->setVolume(m_state.volume);
    if (m_state.muted) {
        engine->toggleMute();
    }
}

void Transport::onEngineState(Engine::State state)
{
    sample();
    syncMonitor();
    if (state >= Engine::Playing && m_state.flags.mediaActive) {
        m_reachedPlaying = true;
    }
}

TransportState Transport::now() const
{
    TransportState state = m_state;
    if (const Engine* engine = m_host.engine()) {
        state.timeMs = std::max(0.0, engine->time());
        state.lengthMs = std::max(0.0, engine->length());
    }
    return state;
}

void Transport::sample()
{
    const Engine* engine = m_host.engine();
    m_state.timeMs = engine ? std::max(0.0, engine->time()) : 0.0;
    m_state.lengthMs = engine ? std::max(0.0, engine->length()) : 0.0;
}

void Transport::enableMediaControl(MediaControlState::State state)
{
    const std::optional<MediaControlState> control = MediaControlState::enableMediaControl(state);
    if (!control) {
        return;
    }
    m_state.control = control->state();
    m_state.flags = control->flags();
    if (m_state.control == MediaControlState::Playing) {
        m_reachedPlaying = false;
    }
    emit controlStateChanged(m_state.control);
    syncMonitor();
}

void Transport::start()
{
    if (Engine* engine = m_host.engine()) {
        engine->play();
    }
    m_state.rate = SpeedSteps::Normal;
    m_state.canIncreaseSpeed = true;
    m_state.canDecreaseSpeed = true;
}

bool Transport::resume()
{
    // With no item in the engine (entries added, none played yet) there is nothing to resume.
    Engine* engine = m_host.engine();
    if (!m_state.flags.paused || !engine || !engine->hasMedia()) {
        return false;
    }
    engine->play();
    sample();
    enableMediaControl(MediaControlState::Playing);
    return true;
}

void Transport::pause()
{
    if (!m_state.flags.mediaActive && !m_state.flags.paused) {
        return;
    }
    const bool paused = !m_state.flags.paused;
    if (Engine* engine = m_host.engine()) {
        engine->togglePause();
    }
    sample();
    enableMediaControl(paused ? MediaControlState::Paused : MediaControlState::Playing);
}

void Transport::stop()
{
    Engine* engine = m_host.engine();
    if (!engine || !engine->hasMedia()) {
        return;
    }
    // The engine stops before this returns, so the stopped state follows at once.
    engine->stop();
    m_state.flags.stopped = true;
    m_rewind.stop();
    sample();
    qCDebug(lcPlayback) << "stopped";
    emit progressChanged(0);
    emit timeTextChanged(TimeText::Idle);
    enableMediaControl(MediaControlState::Stopped);
}

void Transport::fastForwardStart()
{
    Engine* engine = m_host.engine();
    if (m_state.flags.mediaActive && engine) {
        engine->setRate(kFastForwardRate);
    }
}

void Transport::fastForwardEnd()
{
    if (Engine* engine = m_host.engine()) {
        engine->setRate(1.0);
    }
}

void Transport::rewindStart()
{
    if (m_state.flags.mediaActive) {
        m_rewind.start();
    }
}

void Transport::rewindEnd()
{
    m_rewind.stop();
}

void Transport::seek(double fraction)
{
    Engine* engine = m_host.engine();
    if (m_state.flags.mediaActive && engine) {
        engine->setPosition(fraction);
        sample();
        qCDebug(lcPlayback).noquote() << "seek" << qRound64(fraction * m_state.lengthMs);
    }
}

void Transport::setVolume(int volume)
{
    m_state.volume = volume;
    if (Engine* engine = m_host.engine()) {
        engine->setVolume(volume);
    }
}

void Transport::toggleMute()
{
    if (Engine* engine = m_host.engine()) {
        engine->toggleMute();
    }
    m_state.muted = !m_state.muted;
    emit muteChanged(m_state.muted);
}

void Transport::applySpeed(const std::optional<SpeedSteps::Change>& change)
{
    if (!change) {
        return;
    }
    m_state.rate = change->rate;
    Engine* engine = m_host.engine();
    if (change->applyToEngine && engine) {
        engine->setRate(m_state.rate);
    }
    if (!change->rateText.isEmpty()) {
        emit speedTextChanged(change->rateText);
    }
    if (change->increaseEnabled) {
        m_state.canIncreaseSpeed = *change->increaseEnabled;
    }
    if (change->decreaseEnabled) {
        m_state.canDecreaseSpeed = *change->decreaseEnabled;
    }
    if (change->increaseEnabled || change->decreaseEnabled) {
        emit speedLimitsChanged(m_state.canIncreaseSpeed, m_state.canDecreaseSpeed);
    }
}

void Transport::increaseSpeed()
{
    applySpeed(SpeedSteps::increase(m_state.rate, m_state.flags.mediaActive));
}

void Transport::decreaseSpeed()
{
    applySpeed(SpeedSteps::decrease(m_state.rate, m_state.flags.mediaActive));
}

void Transport::resetSpeed()
{
    applySpeed(SpeedSteps::reset(m_state.flags.mediaActive));
}

void Transport::syncMonitor()
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
    if (!m_state.flags.mediaActive && !m_state.flags.paused) {
        emit dvdCheckWanted();
    }
}

PlaybackMonitor::Input Transport::monitorInput() const
{
    return PlaybackMonitor::read(m_host.engine(), m_state.flags, m_reachedPlaying,
                                 m_host.currentIsDrive());
}

void Transport::monitorTick()
{
    const PlaybackMonitor::Input input = monitorInput();
    m_state.timeMs = static_cast<double>(std::max<qint64>(0, input.timeMs.value_or(0)));
    m_state.lengthMs = static_cast<double>(std::max<qint64>(0, input.lengthMs.value_or(0)));
    const PlaybackMonitor::Outcome outcome = PlaybackMonitor::tick(input);
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
        m_state.flags.mediaActive = false;
        qCDebug(lcPlayback) << "finished" << m_host.currentIndex();
    }
    if (outcome.enableDvdCheck) {
        emit dvdCheckWanted();
    }
    // A disc that waited for this end has started meanwhile: it replaces the playlist instead.
    if (outcome.moveOn && !m_host.currentIsDrive()) {
        emit itemEnded();
    }
    syncMonitor();
}

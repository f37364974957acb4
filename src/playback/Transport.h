#pragma once

#include "playback/MediaControlState.h"
#include "playback/PlaybackMonitor.h"
#include "playback/SpeedSteps.h"
#include "playback/TransportState.h"
#include "playback/engine/Engine.h"

#include <QObject>
#include <QTimer>
#include <optional>

class EngineHost;

// Play, pause, stop, seek, speed, volume and mute on the host's engine control, the twice-a-second
// watch over it, and the state they leave, which the rest reads instead of the engine.
class Transport : public QObject
{
    Q_OBJECT
public:
    explicit Transport(EngineHost& host, QObject* parent = nullptr);

    const TransportState& state() const { return m_state; }
    // The state with the time and length read from the engine at this moment, for readers that
    // act on them (a seek by steps, the desktop's position) between the monitor's ticks.
    TransportState now() const;
    bool isMonitoring() const { return m_monitor.isActive(); }
    bool isRewinding() const { return m_rewind.isActive(); }

    void enableMediaControl(MediaControlState::State state);
    // The item just opened plays from its start at normal speed; the playing state follows
    // once the item is announced.
    void start();
    // Plays the engine's own item again after a pause or a stop; false when it holds none.
    bool resume();
    void pause();
    void stop();
    void fastForwardStart();
    void fastForwardEnd();
    void rewindStart();
    void rewindEnd();
    void seek(double fraction);
    void setVolume(int volume);
    void toggleMute();
    void increaseSpeed();
    void decreaseSpeed();
    void resetSpeed();

    // One tick of the monitor; the timer calls it every 500 ms while something moves: an item
    // plays or has just finished. Paused, stopped or idle it sleeps until a command or an
    // engine notification changes that.
    void monitorTick();

signals:
    void controlStateChanged(MediaControlState::State state);
    void timeTextChanged(const QString& text);
    void progressChanged(int percent);
    void rateTextChanged(const QString& text, bool visible);
    void speedTextChanged(const QString& text);
    void muteChanged(bool muted);
    void speedLimitsChanged(bool canIncrease, bool canDecrease);
    // No item is active and the transport is not paused: the disc watch may look again.
    void dvdCheckWanted();
    // The item finished by itself on an earlier tick: what follows is the play order's choice.
    void itemEnded();

private:
    void adopt(Engine* engine);
    void onEngineState(Engine::State state);
    void sample();
    void applySpeed(const std::optional<SpeedSteps::Change>& change);
    PlaybackMonitor::Input monitorInput() const;
    void syncMonitor();

    EngineHost& m_host;
    TransportState m_state;
    bool m_reachedPlaying = false;
    QTimer m_monitor;
    QTimer m_rewind;
};

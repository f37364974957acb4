#pragma once

#include "playback/EngineHost.h"
#include "playback/MediaControlState.h"
#include "playback/PlayOrder.h"
#include "playback/Transport.h"
#include "playback/TransportState.h"
#include "playback/VideoStart.h"

#include <QObject>

class PlaylistModel;
class PowerControl;
class SettingsStore;

// Plays playlist entries. Three parts do the work: the engine host owns the engine control and
// starts items in it, the transport plays, pauses, seeks and watches, and the play order says
// what comes next. This façade joins them and keeps one door for the window and the commands.
class PlaybackSession : public QObject
{
    Q_OBJECT
public:
    using EngineFactory = EngineHost::Factory;

    PlaybackSession(SettingsStore& settings, PlaylistModel& playlist, PowerControl& power,
                    EngineFactory factory, QObject* parent = nullptr);
    ~PlaybackSession() override;

    EngineHost& host() { return m_host; }
    const Transport& transport() const { return m_transport; }
    const TransportState& transportState() const { return m_transport.state(); }
    TransportState transportNow() const { return m_transport.now(); }
    PlayOrder& order() { return m_order; }

    void setRandomSource(PlaySequence::RandomSource random);

    // Engine control lifetime.
    void createPlayer() { m_host.create(); }
    void releasePlayer() { m_host.release(); }
    void applyEngineSettings() { m_host.applySettings(); }
    // The control itself, for what only it can do: its tracks and its snapshots.
    Engine* engine() const { return m_host.engine(); }

    void playEntry(int index, bool fullScreen);
    // Stops what plays and makes a fresh control for the disc in `drive`; false when none could
    // be made.
    bool startDisc(const QString& drive);
    QString snapshotFolder() const { return m_host.snapshotFolder(); }

    void rebuildSequence() { m_order.rebuild(); }
    void entriesCommitted() { m_order.entriesCommitted(); }
    void setSequencePosition(int position) { m_order.setPosition(position); }
    bool isShuffle() const { return m_order.isShuffle(); }
    void entryClicked(int index) { m_order.entryClicked(index); }
    // A double-clicked entry plays, and the order goes on from it.
    void entryActivated(int index);

    // Transport commands.
    void play();
    // An empty playlist asks for the open dialog; stopped, the selected entry plays (the first
    // when none is selected); else the pause toggles.
    void playPause();
    void pause() { m_transport.pause(); }
    void stop() { m_transport.stop(); }
    void next();
    void previous();
    void fastForwardStart() { m_transport.fastForwardStart(); }
    void fastForwardEnd() { m_transport.fastForwardEnd(); }
    void rewindStart() { m_transport.rewindStart(); }
    void rewindEnd() { m_transport.rewindEnd(); }
    void seek(double fraction) { m_transport.seek(fraction); }
    void setVolume(int volume) { m_transport.setVolume(volume); }
    void toggleMute() { m_transport.toggleMute(); }
    void fullScreen();
    void increaseSpeed() { m_transport.increaseSpeed(); }
    void decreaseSpeed() { m_transport.decreaseSpeed(); }
    void resetSpeed() { m_transport.resetSpeed(); }
    void setPlayMode(PlayMode mode) { m_order.setPlayMode(mode); }
    void setRepeatMode(RepeatMode mode) { m_order.setRepeatMode(mode); }
    void chooseAfterPlay(int toDo) { m_order.chooseAfterPlay(toDo); }
    PlayMode playMode() const { return m_order.playMode(); }
    RepeatMode repeatMode() const { return m_order.repeatMode(); }

    void enableMediaControl(MediaControlState::State state);
    void monitorTick() { m_transport.monitorTick(); }
    bool isMonitoring() const { return m_transport.isMonitoring(); }

    const TransportFlags& flags() const { return transportState().flags; }
    MediaControlState::State controlState() const { return transportState().control; }
    const PlaySequence& sequence() const { return m_order.sequence(); }
    const AfterPlay& afterPlay() const { return m_order.afterPlay(); }
    const EngineOptions& engineOptions() const { return m_host.options(); }
    // The entry's path, or the drive of a disc started from the drive list.
    QString currentFile() const { return m_host.currentItem(); }
    // A disc started from the drive list never moves on by itself; the next entry played ends it.
    void setCurrentDrive(const QString& drive) { m_host.setCurrentDrive(drive); }
    double playbackRate() const { return transportState().rate; }
    bool isMuted() const { return transportState().muted; }
    int volume() const { return transportState().volume; }
    bool isRewinding() const { return m_transport.isRewinding(); }
    // Whether the rate may go up or down another step from here.
    bool canIncreaseSpeed() const { return transportState().canIncreaseSpeed; }
    bool canDecreaseSpeed() const { return transportState().canDecreaseSpeed; }

signals:
    void itemStarted(const QString& path, const QString& title);
    void controlStateChanged(MediaControlState::State state);
    void timeTextChanged(const QString& text);
    void progressChanged(int percent);
    void rateTextChanged(const QString& text, bool visible);
    // "Playing rate:…" after a speed step.
    void speedTextChanged(const QString& text);
    void audioOnlyChanged(bool audioOnly);
    // The video is to take the whole screen; the window does it.
    void fullScreenRequested(bool on);
    void muteChanged(bool muted);
    // The play mode, the repeat mode or the after-play action changed; the root keeps the modes.
    void modesChanged();
    // A speed command moved the rate's limits.
    void speedLimitsChanged(bool canIncrease, bool canDecrease);
    // The after-play action asks for the program to end.
    void closeRequested();
    // Play was asked for with nothing to play: the open dialog is wanted.
    void openRequested();
    // No item is active and the transport is not paused: the disc watch may look again.
    void dvdCheckWanted();

private:
    void moveOn();
    void playChosen(std::optional<int> entry);

    PlaylistModel& m_playlist;
    EngineHost m_host;
    Transport m_transport;
    PlayOrder m_order;
    VideoStart m_video;
};

#pragma once

#include "playback/AfterPlay.h"
#include "playback/engine/Engine.h"
#include "playback/engine/EngineOptions.h"
#include "playback/MediaControlState.h"
#include "playback/PlaySequence.h"
#include "playback/PlaybackModes.h"
#include "playback/PlaybackMonitor.h"
#include "playback/SpeedSteps.h"
#include "playback/TransportFlags.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

class Engine;
class PlaylistModel;
class PowerControl;
class SettingsStore;

// Plays playlist entries: one fresh engine control per item, the twice-a-second watch over it,
// the transport commands, and moving on by play and repeat mode when an item ends.
class PlaybackSession : public QObject
{
    Q_OBJECT
public:
    using EngineFactory = std::function<std::unique_ptr<Engine>(const QStringList& options)>;

    PlaybackSession(SettingsStore& settings, PlaylistModel& playlist, PowerControl& power,
                    EngineFactory factory, QObject* parent = nullptr);
    ~PlaybackSession() override;

    void setRandomSource(PlaySequence::RandomSource random) { m_random = std::move(random); }

    // Engine control lifetime.
    void createPlayer();
    void releasePlayer();
    void applyEngineSettings();
    Engine* engine() const { return m_engine.get(); }

    void playEntry(int index, bool fullScreen);
    // Where snapshots of the current item go: "<SnapshotPath>/<file name> Images".
    QString snapshotFolder() const;

    // The play order over the playlist: shuffled when the play mode is shuffle, in order
    // otherwise; the position follows the selected entry.
    void rebuildSequence();
    // Entries arrived: a shuffled order keeps what has played this round.
    void entriesCommitted();
    void setSequencePosition(int position);
    bool isShuffle() const;
    // A click on an entry moves the position there, unless the order is shuffled.
    void entryClicked(int index);
    // A double-clicked entry plays, and the order goes on from it.
    void entryActivated(int index);

    // Transport commands.
    void play();
    // An empty playlist asks for the open dialog; stopped, the selected entry plays; else the
    // pause toggles.
    void playPause();
    void pause();
    void stop();
    void next();
    void previous();
    void fastForwardStart();
    void fastForwardEnd();
    void rewindStart();
    void rewindEnd();
    void seek(double fraction);
    void setVolume(int volume);
    void toggleMute();
    void fullScreen();
    void increaseSpeed();
    void decreaseSpeed();
    void resetSpeed();
    void setPlayMode(PlayMode mode);
    void setRepeatMode(RepeatMode mode);
    void chooseAfterPlay(int toDo);

    void enableMediaControl(MediaControlState::State state);
    // One tick of the monitor; the timer calls it every 500 ms while something moves: an item
    // plays or has just finished. Paused, stopped or idle it sleeps until a command or an
    // engine notification changes that.
    void monitorTick();
    bool isMonitoring() const { return m_monitor.isActive(); }

    const TransportFlags& flags() const { return m_flags; }
    MediaControlState::State controlState() const { return m_controlState; }
    const PlaySequence& sequence() const { return m_sequence; }
    const AfterPlay& afterPlay() const { return m_afterPlay; }
    const EngineOptions& engineOptions() const { return m_options; }
    QString currentFile() const { return m_currentFile; }
    // A disc started from the drive list: CurrentFile holds the drive, and the item never moves
    // on by itself. The next PlayItem ends it.
    void setCurrentDrive(const QString& drive);
    double playbackRate() const { return m_rate; }
    bool isMuted() const { return m_muted; }
    int volume() const { return m_volume; }
    bool isRewinding() const { return m_rewind.isActive(); }
    // Whether the rate may go up or down another step from here.
    bool canIncreaseSpeed() const { return m_increaseEnabled; }
    bool canDecreaseSpeed() const { return m_decreaseEnabled; }

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
    void connectEngine();
    void moveOn();
    void selectEntry(int index);
    void applySpeed(const std::optional<SpeedSteps::Change>& change);
    void onEngineState(Engine::State state);
    PlaybackMonitor::Input monitorInput() const;
    void syncMonitor();

    SettingsStore& m_settings;
    PlaylistModel& m_playlist;
    PowerControl& m_power;
    EngineFactory m_factory;
    std::unique_ptr<Engine> m_engine;
    EngineOptions m_options;
    PlaySequence m_sequence;
    PlaySequence::RandomSource m_random;
    AfterPlay m_afterPlay;
    TransportFlags m_flags;
    MediaControlState::State m_controlState = MediaControlState::Stopped;
    QString m_currentFile;
    bool m_currentIsDrive = false;
    int m_currentIndex = -1;
    double m_rate = 1.0;
    bool m_increaseEnabled = true;
    bool m_decreaseEnabled = true;
    bool m_muted = false;
    int m_volume = 100;
    bool m_reachedPlaying = false;
    bool m_pendingFullScreen = false;
    QTimer m_monitor;
    QTimer m_rewind;
    QTimer m_fullScreenSettle;
};

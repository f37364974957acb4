#pragma once

#include "commands/Command.h"
#include "playback/TrackChoice.h"

#include <QObject>
#include <QString>
#include <functional>

class CommandRegistry;
class MainWindow;
class PlaybackSession;
class SettingsStore;
class UserMessages;

// The handlers of the keys, the wheel and the Audio, Subtitle and Seek items, bound to their
// actions by CommandBindings: seeking by steps, the volume by steps, the track lists of the
// playing item, subtitle files and snapshots. The volume and mute leave here as a signal;
// remembering them is someone else's business.
class ControlHandlers : public QObject
{
    Q_OBJECT
public:
    // Asks the user for a subtitle file, starting in the given folder; empty for none.
    using SubtitleChooser = std::function<QString(const QString& folder)>;

    ControlHandlers(CommandRegistry& registry, MainWindow& window, PlaybackSession& session,
                    SettingsStore& settings, UserMessages& messages, QObject* parent = nullptr);

    void setSubtitleChooser(SubtitleChooser chooser) { m_chooseSubtitle = std::move(chooser); }
    const TrackChoice& tracks() const { return m_tracks; }

    // The volume as the slider, the keys or the wheel set it, 0 .. 100.
    void setVolume(int volume);
    // Steps of a wheel over the video (volume) or over the progress bar (5 s seeks).
    void turnWheelOverVideo(int notches);
    void turnWheelOverProgress(int notches);
    // A seek by `stepMs` from where the item is, kept inside it.
    void seekBy(double stepMs);
    // Up (1) or down (-1) by a step.
    void stepVolume(int steps);
    // The track a slot of the Audio Track or Subtitle list stands for.
    void chooseAudioSlot(int slot);
    void chooseSubtitleSlot(int slot);
    void subtitleOff();
    void openSubtitleFile();
    void takeSnapshot();

signals:
    void volumeChanged(int volume);
    void muteChanged(bool muted);

private:
    void showTracks();

    CommandRegistry& m_registry;
    MainWindow& m_window;
    PlaybackSession& m_session;
    SettingsStore& m_settings;
    UserMessages& m_messages;
    TrackChoice m_tracks;
    SubtitleChooser m_chooseSubtitle;
    // The ids the track items stand for, slot by slot.
    QList<int> m_audioIds;
    QList<int> m_subtitleIds;
};

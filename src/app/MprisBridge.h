#pragma once

#include "commands/Command.h"
#include "system/MprisPlayer.h"

#include <QObject>
#include <functional>

class PlaybackSession;
class Playlist;
class SettingsStore;

// What media keys and desktop widgets ask, answered from the session and the playlist. Each
// call runs the same action as the window's buttons. changed() tells the bus side to look again.
class MprisBridge : public QObject, public MprisPlayer
{
    Q_OBJECT
public:
    MprisBridge(PlaybackSession& session, Playlist& playlist, SettingsStore& settings,
                QString artFolder, QObject* parent = nullptr);
    ~MprisBridge() override;

    std::function<void()> onRaise;
    // Triggers a command (Play/Pause, Stop, Next, Previous, Exit), so a media key does what the
    // menu item does. Unset, the session is called directly.
    std::function<void(Command)> onCommand;

    void raise() override;
    void quit() override;
    void playPause() override;
    void play() override;
    void pause() override;
    void stop() override;
    void next() override;
    void previous() override;
    bool seekTo(qint64 positionUs) override;
    void openUri(const QString& uri) override;
    void setVolume(double volume) override;

    QString playbackStatus() const override;
    Track track() const override;
    double volume() const override;
    qint64 positionUs() const override;
    bool canGoNext() const override;
    bool canGoPrevious() const override;
    bool canPlay() const override;
    bool canPause() const override;
    bool canSeek() const override;

signals:
    void changed();

private:
    void command(Command command, const std::function<void()>& direct);
    int currentIndex() const;
    void writeArt(int index) const;

    PlaybackSession& m_session;
    Playlist& m_playlist;
    SettingsStore& m_settings;
    QString m_artFolder;
    // The thumbnail handed out as the art of the current track, written when the track changes.
    mutable QString m_artPath;
    mutable QString m_artFor;
    mutable int m_artSerial = 0;
};

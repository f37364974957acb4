#pragma once

#include "commands/Command.h"
#include "system/MprisPlayer.h"

#include <QObject>

class PlaybackSession;
class Playlist;
class SettingsStore;

// What media keys and desktop widgets ask, answered from the session and the playlist. A
// transport call asks for the command whose action the window's buttons trigger too.
// changed() tells the bus side to look again.
class MprisBridge : public QObject, public MprisPlayer
{
    Q_OBJECT
public:
    MprisBridge(PlaybackSession& session, Playlist& playlist, SettingsStore& settings,
                QString artFolder, QObject* parent = nullptr);
    ~MprisBridge() override;

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
    void raiseRequested();
    // Play/Pause, Play, Stop, Next, Previous or Exit, as the menu item would give it.
    void commandRequested(Command command);

private:
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

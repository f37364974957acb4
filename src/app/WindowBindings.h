#pragma once

#include <QObject>
#include <QPoint>

class MainWindow;
class PlaybackSession;
class Playlist;
class PlaylistModel;
class UserMessages;

// Binds the skinned window to the player: its buttons to the transport, the transport's state
// back to its buttons and labels. The popups its clicks open come later; they attach to the
// hooks below.
class WindowBindings : public QObject
{
    Q_OBJECT
public:
    WindowBindings(MainWindow& window, PlaybackSession& session, Playlist& playlist,
                   PlaylistModel& model, UserMessages& messages, QObject* parent = nullptr);

signals:
    // Hooks: the DVD button, the Play menu over the video, the File menu from the tray icon.
    void dvdRequested();
    void playMenuRequested(QPoint clientPosition);
    void fileMenuRequested(QPoint globalPosition);

private:
    void regionClicked(int region);

    MainWindow& m_window;
    PlaybackSession& m_session;
    Playlist& m_playlist;
    PlaylistModel& m_model;
    UserMessages& m_messages;
};

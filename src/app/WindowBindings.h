#pragma once

#include <QObject>
#include <QPoint>

class MainWindow;
class PlaybackSession;
class Playlist;

// Binds the skinned window to the player: its buttons to the transport, the transport's state
// back to its buttons and labels. The popups its clicks open come later; they attach to the
// hooks below.
class WindowBindings : public QObject
{
    Q_OBJECT
public:
    WindowBindings(MainWindow& window, PlaybackSession& session, Playlist& playlist,
                   QObject* parent = nullptr);

signals:
    // Hooks: the Play menu over the video, the File menu from the tray icon.
    void playMenuRequested(QPoint clientPosition);
    void fileMenuRequested(QPoint globalPosition);

private:
    MainWindow& m_window;
    PlaybackSession& m_session;
    Playlist& m_playlist;
};

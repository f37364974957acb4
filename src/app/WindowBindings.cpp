#include "app/WindowBindings.h"

#include "playback/PlaybackSession.h"
#include "playlist/Playlist.h"
#include "ui/frame/MainWindow.h"
#include "util/SupportedFiles.h"

WindowBindings::WindowBindings(MainWindow& window, PlaybackSession& session, Playlist& playlist,
                               QObject* parent)
    : QObject(parent), m_window(window), m_session(session), m_playlist(playlist)
{
    MainWindow* w = &window;
    PlaybackSession* s = &session;
    connect(s, &PlaybackSession::controlStateChanged, w, [w, s](MediaControlState::State state) {
        w->setMediaActive(s->flags().MediaActive || s->flags().Paused);
        w->setControlState(state);
    });
    connect(s, &PlaybackSession::timeTextChanged, w, &MainWindow::setTimeText);
    connect(s, &PlaybackSession::progressChanged, w, &MainWindow::setProgress);
    connect(s, &PlaybackSession::rateTextChanged, w, &MainWindow::setRateText);
    connect(s, &PlaybackSession::muteChanged, w, &MainWindow::setMuted);
    connect(w, &MainWindow::seekRequested, s, &PlaybackSession::seek);
    connect(w, &MainWindow::volumeChanged, s, &PlaybackSession::setVolume);
    connect(w, &MainWindow::rewindPressed, s, &PlaybackSession::rewindStart);
    connect(w, &MainWindow::rewindReleased, s, &PlaybackSession::rewindEnd);
    connect(w, &MainWindow::fastForwardPressed, s, &PlaybackSession::fastForwardStart);
    connect(w, &MainWindow::fastForwardReleased, s, &PlaybackSession::fastForwardEnd);
    connect(w, &MainWindow::playMenuRequested, this, &WindowBindings::playMenuRequested);
    connect(w, &MainWindow::trayMenuRequested, this, &WindowBindings::fileMenuRequested);
    // The first dropped file plays, the others join the playlist.
    connect(w, &MainWindow::filesDropped, this, [this](const QStringList& paths) {
        for (qsizetype i = 0; i < paths.size(); ++i) {
            m_playlist.addEntry(fileNameOfPath(paths[i]), paths[i], false, i == 0);
        }
    });
}

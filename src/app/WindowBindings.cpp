#include "app/WindowBindings.h"

#include "playback/PlaybackSession.h"
#include "playlist/Playlist.h"
#include "playlist/PlaylistModel.h"
#include "system/UserMessages.h"
#include "ui/frame/MainWindow.h"
#include "util/Product.h"
#include "util/SupportedFiles.h"

WindowBindings::WindowBindings(MainWindow& window, PlaybackSession& session, Playlist& playlist,
                               PlaylistModel& model, UserMessages& messages, QObject* parent)
    : QObject(parent), m_window(window), m_session(session), m_playlist(playlist), m_model(model),
      m_messages(messages)
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
    connect(w, &MainWindow::regionClicked, this,
            [this](SkinRegion region) { regionClicked(static_cast<int>(region)); });
    connect(w, &MainWindow::playMenuRequested, this, &WindowBindings::playMenuRequested);
    connect(w, &MainWindow::trayMenuRequested, this, &WindowBindings::fileMenuRequested);
    // The first dropped file plays, the others join the playlist.
    connect(w, &MainWindow::filesDropped, this, [this](const QStringList& paths) {
        for (qsizetype i = 0; i < paths.size(); ++i) {
            m_playlist.addEntry(fileNameOfPath(paths[i]), paths[i], false, i == 0);
        }
    });
}

void WindowBindings::regionClicked(int region)
{
    switch (static_cast<SkinRegion>(region)) {
    case SkinRegion::Play:
        m_session.play();
        break;
    case SkinRegion::Pause:
        m_session.pause();
        break;
    case SkinRegion::Stop:
        m_session.stop();
        break;
    case SkinRegion::Previous:
        m_session.previous();
        break;
    case SkinRegion::Next:
        m_session.next();
        break;
    case SkinRegion::FullScreen:
        m_session.fullScreen();
        break;
    case SkinRegion::Sound:
        m_session.toggleMute();
        break;
    case SkinRegion::PlayList:
        m_window.togglePlaylist();
        break;
    case SkinRegion::Open:
        m_playlist.openFiles(false);
        break;
    case SkinRegion::Dvd:
        emit dvdRequested();
        break;
    case SkinRegion::SnapShot: {
        const int selected = m_model.selectedItem();
        m_messages.show(UserMessages::Icon::None, korvane::kApplicationTitle,
                        selected >= 0 ? m_model.mediaInfo(selected) : QString());
        break;
    }
    default:
        break;
    }
}

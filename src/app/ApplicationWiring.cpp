// The connections between the player's parts, grouped by direction: the second half of
// Application, kept apart so the start-up order reads on one page.
#include "app/Application.h"
#include "app/CommandBindings.h"
#include "app/CommandHandlers.h"
#include "app/ControlHandlers.h"
#include "app/DiscMenus.h"
#include "app/MprisBridge.h"
#include "commands/CommandRegistry.h"
#include "instance/InstanceServer.h"
#include "instance/SignalWatcher.h"
#include "playback/DvdPlayback.h"
#include "playback/PlaybackSession.h"
#include "playback/ScreenSaverGuard.h"
#include "playlist/Playlist.h"
#include "playlist/PlaylistModel.h"
#include "playlist/RecentHistory.h"
#include "settings/SettingsStore.h"
#include "system/MprisService.h"
#include "ui/frame/MainWindow.h"

void Application::connectWindowToSession()
{
    MainWindow* window = m_window.get();
    PlaybackSession* session = m_session.get();
    connect(window, &MainWindow::seekRequested, session, &PlaybackSession::seek);
    connect(window, &MainWindow::volumeChanged, session, &PlaybackSession::setVolume);
    connect(window, &MainWindow::rewindPressed, session, &PlaybackSession::rewindStart);
    connect(window, &MainWindow::rewindReleased, session, &PlaybackSession::rewindEnd);
    connect(window, &MainWindow::fastForwardPressed, session, &PlaybackSession::fastForwardStart);
    connect(window, &MainWindow::fastForwardReleased, session, &PlaybackSession::fastForwardEnd);
    connect(m_signals.get(), &SignalWatcher::terminationRequested, window, &QWidget::close);
    connect(window, &MainWindow::closing, this, &Application::shutdown);
}

void Application::connectWindowToPlaylist()
{
    MainWindow* window = m_window.get();
    Playlist* playlist = m_playlist.get();
    connect(window, &MainWindow::playlistEntryClicked, playlist, &Playlist::clickEntry);
    connect(window, &MainWindow::playlistEntryActivated, playlist, &Playlist::activateEntry);
    connect(window, &MainWindow::playlistFilesDropped, playlist,
            [playlist](const QStringList& paths) { playlist->addDroppedFiles(paths); });
    // The first file dropped on the video that is taken in plays, the others join the playlist.
    connect(window, &MainWindow::filesDropped, playlist,
            [playlist](const QStringList& paths) { playlist->addPaths(paths, true, false); });
    connect(playlist, &Playlist::progressChanged, window, &MainWindow::setIntakeProgress);
    connect(playlist, &Playlist::hideRequested, window,
            [window] { window->setPlaylistVisible(false); });
}

void Application::connectPlaylistToSession()
{
    PlaybackSession* session = m_session.get();
    Playlist* playlist = m_playlist.get();
    connect(playlist, &Playlist::playRequested, session, &PlaybackSession::playEntry);
    playlist->isPlayingNow = [session](const QString& path) {
        return session->currentFile() == path && session->transportState().itemUnderWay();
    };
    connect(playlist, &Playlist::committed, session, &PlaybackSession::entriesCommitted);
    connect(playlist, &Playlist::entryClicked, session, &PlaybackSession::entryClicked);
    connect(playlist, &Playlist::entryActivated, session, &PlaybackSession::entryActivated);
    connect(session, &PlaybackSession::openRequested, playlist,
            [playlist] { playlist->openFiles(false); });
    connect(session, &PlaybackSession::itemStarted, m_history.get(),
            [this](const QString& path, const QString& title) {
                m_history->addToHistory(path, title);
            });
}

void Application::connectSessionToWindow()
{
    MainWindow* window = m_window.get();
    PlaybackSession* session = m_session.get();
    connect(session, &PlaybackSession::controlStateChanged, window,
            [window, session](MediaControlState::State state) {
                window->setMediaActive(session->flags().mediaActive || session->flags().paused);
                window->setControlState(state);
            });
    connect(session, &PlaybackSession::timeTextChanged, window, &MainWindow::setTimeText);
    connect(session, &PlaybackSession::progressChanged, window, &MainWindow::setProgress);
    connect(session, &PlaybackSession::rateTextChanged, window, &MainWindow::setRateText);
    connect(session, &PlaybackSession::speedTextChanged, window, &MainWindow::showSpeedText);
    connect(session, &PlaybackSession::muteChanged, window, &MainWindow::setMuted);
    connect(session, &PlaybackSession::itemStarted, window, &MainWindow::showMediaCaption);
    connect(session, &PlaybackSession::audioOnlyChanged, window, &MainWindow::setAudioOnly);
    connect(session, &PlaybackSession::fullScreenRequested, window,
            &MainWindow::setVideoFullScreen);
    connect(session, &PlaybackSession::closeRequested, window, &QWidget::close);
}

void Application::connectCommands()
{
    CommandBindings::bindCommands(*m_registry, *m_commands, *m_session, *m_playlist, *m_window);
}

void Application::connectControls()
{
    CommandBindings::bindControls(*m_registry, *m_controls, *m_window);
}

void Application::connectSettingsListeners()
{
    // The engine options follow a new record before the window applies it.
    SettingsStore* settings = m_settings.get();
    connect(settings, &SettingsStore::changed, m_session.get(),
            &PlaybackSession::applyEngineSettings);
    connect(settings, &SettingsStore::changed, m_window.get(), &MainWindow::applyLoadedOptions);
    connect(settings, &SettingsStore::changed, m_guard.get(), &ScreenSaverGuard::refresh);
    connect(settings, &SettingsStore::changed, m_history.get(),
            [this] { m_history->setRecording(m_settings->settings().keepHistory); });
    // The modes the user chooses are kept for the next start.
    connect(m_session.get(), &PlaybackSession::modesChanged, settings, [this] {
        m_settings->setPlayMode(m_session->playMode());
        m_settings->setRepeatMode(m_session->repeatMode());
    });
}

void Application::connectMprisToCommands()
{
    CommandBindings::bindMpris(*m_registry, *m_mpris, *m_mprisService, *m_window);
}

void Application::connectDiscs()
{
    CommandBindings::bindDiscs(*m_registry, *m_dvd, m_commands->popups(), *m_window);
}

void Application::connectHandOverToPlaylist()
{
    connect(m_server.get(), &InstanceServer::commandReceived, this, &Application::receiveCommand);
}

void Application::connectRemembered()
{
    PlaylistModel* model = m_model.get();
    connect(m_session.get(), &PlaybackSession::itemStarted, model,
            [model](const QString& path) { model->setPlayingPath(path); });
    connect(m_session.get(), &PlaybackSession::controlStateChanged, model,
            [model](MediaControlState::State state) {
                if (state == MediaControlState::Stopped) {
                    model->setPlayingPath(QString());
                }
            });
}

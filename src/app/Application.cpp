#include "app/Application.h"

#include "app/CommandHandlers.h"
#include "app/ControlHandlers.h"
#include "app/DiscMenus.h"
#include "app/MprisBridge.h"
#include "commands/CommandRegistry.h"
#include "instance/HandOver.h"
#include "instance/InstanceKeys.h"
#include "instance/InstanceLock.h"
#include "instance/InstanceServer.h"
#include "instance/SignalWatcher.h"
#include "instance/StartupCommand.h"
#include "mediainfo/CodecMaps.h"
#include "mediainfo/DecoderOutputScan.h"
#include "mediainfo/DecoderProber.h"
#include "mediainfo/DefaultPictures.h"
#include "playback/DvdPlayback.h"
#include "playback/PlaybackSession.h"
#include "playback/RememberedSound.h"
#include "playback/ResumeTracker.h"
#include "playback/ScreenSaverGuard.h"
#include "playback/engine/VlcEngineFactory.h"
#include "playlist/FileIntake.h"
#include "playlist/OpenDialog.h"
#include "playlist/Playlist.h"
#include "playlist/PlaylistModel.h"
#include "playlist/RecentHistory.h"
#include "playlist/ResumePoints.h"
#include "settings/SettingsStore.h"
#include "system/DBusScreenSaver.h"
#include "system/FileAssociations.h"
#include "system/FreedesktopIntegration.h"
#include "system/LinuxDriveProvider.h"
#include "system/LogindPowerControl.h"
#include "system/MprisService.h"
#include "system/UserStore.h"
#include "ui/frame/MainWindow.h"
#include "ui/menus/ClassicPopups.h"
#include "ui/qt/QtFileChooser.h"
#include "ui/qt/QtUserMessages.h"
#include "util/ExitDeadline.h"
#include "util/Logging.h"
#include "util/PosixProcessRunner.h"
#include "util/Product.h"
#include "util/RuntimeFolder.h"
#include "util/ToolPaths.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <cstdio>
#include <cstdlib>

Application::Application(UserStore& store, InstanceChannel& channel, QObject* parent)
    : QObject(parent), m_store(store), m_channel(channel)
{}

Application::~Application()
{
    if (s_unsaved == this) {
        s_unsaved = nullptr;
    }
}

bool Application::s_running = false;
Application* Application::s_unsaved = nullptr;

bool Application::start(const QStringList& arguments)
{
    // Installed first, so a termination that comes during start-up still saves the settings.
    m_signals = std::make_unique<SignalWatcher>();
    nameApplication();
    m_lock = std::make_unique<InstanceLock>();

    createParts();
    connectWindowToSession();
    connectWindowToPlaylist();
    connectPlaylistToSession();
    connectSessionToWindow();
    connectCommands();
    connectControls();
    connectSettingsListeners();
    connectMprisToCommands();
    connectDiscs();
    connectRemembered();
    m_settings->load();
    // Made once the engine options are known: libVLC starts once, with the options it keeps.
    m_session->createPlayer();
    // The command line's file is described while the rest starts up; what the description finds
    // arrives through the event loop, after start-up, as it would if asked for at the end.
    const StartupCommand command =
        StartupCommand::fromArguments(arguments, QDir::currentPath(),
                                      [](const QString& path) { return QFileInfo(path).isFile(); });
    // Every name that is not taken in is reported, once it is clear that this process stays.
    const IntakePlan plan = Playlist::planPaths(command.paths);
    m_playlist->enqueuePlan(plan, command.autoPlay, m_settings->launchFullscreen());
    m_associations->applyAllAssociations(m_settings->settings().associations);
    m_history->loadHistory();
    m_history->setRecording(m_settings->settings().keepHistory);
    m_resumePoints->load();
    restoreSound();
    m_session->enableMediaControl(MediaControlState::Stopped);
    applyStoredModes();
    m_session->chooseAfterPlay(0);

    HandOver handOver;
    handOver.commandName = m_store.readString(InstanceKeys::kSettingKey,
                                              InstanceKeys::kCommandValue, QStringLiteral("-1"));
    handOver.checkName =
        m_store.readString(InstanceKeys::kSettingKey, InstanceKeys::kCheckValue, QString());
    handOver.useNewPlayer = m_settings->useNewPlayer();
    handOver.forwardingText = command.forwardingText;

    QString message;
    const HandOver::Outcome outcome = handOver.decide(m_channel, &message);
    if (!message.isEmpty()) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    }
    if (outcome == HandOver::Outcome::EndProcess) {
        m_playlist->intake().cancelPending();
        return false;
    }
    if (outcome == HandOver::Outcome::NoRunningInstance) {
        m_window->setLoading(false);
    }
    listenForLaterStarts();

    m_window->setLoading(false);
    m_window->show();
    m_playlist->reportRefusals(plan);
    saveWhenEndedAbruptly();
    return true;
}

void Application::nameApplication()
{
    // No display name: Qt would append it to every window title, and message boxes carry
    // exactly the titles they are given.
    QApplication::setApplicationName(korvane::kProductName);
}

void Application::listenForLaterStarts()
{
    m_server = std::make_unique<InstanceServer>();
    if (!m_server->listen()) {
        qCWarning(lcApp) << "cannot listen for later starts";
        return;
    }
    m_store.writeString(InstanceKeys::kSettingKey, InstanceKeys::kCommandValue,
                        m_server->commandName());
    m_store.writeString(InstanceKeys::kSettingKey, InstanceKeys::kCheckValue,
                        m_server->checkName());
    connectHandOverToPlaylist();
}

void Application::receiveCommand(const QString& text)
{
    if (text.isEmpty()) {
        return;
    }
    qCDebug(lcApp).noquote() << "received:" << text;
    QApplication::alert(m_window.get());
    const StartupCommand command = StartupCommand::fromHandOver(text);
    // A sender makes its paths absolute; anything else would be read against this player's
    // current folder, which names some other file or none.
    if (!command.path.isEmpty() && !command.path.startsWith(u'/')) {
        qCWarning(lcApp).noquote() << "hand-over refused: not an absolute path:" << command.path;
        m_messages->show(UserMessages::Icon::Warning, korvane::kProductName,
                         QStringLiteral("Cannot open file <") + command.path +
                             QStringLiteral(">\n") + DecoderOutputScan::UnsupportedReason);
        return;
    }
    m_playlist->addPaths(command.paths, command.autoPlay, m_settings->launchFullscreen());
}

void Application::shutdown()
{
    if (m_shutDown) {
        return;
    }
    m_shutDown = true;
    // A second termination request ends the process on the spot, and later starts no longer
    // find a player that will not answer them.
    if (m_signals) {
        m_signals->stopWatching();
    }
    if (m_server) {
        m_server->close();
    }
    korvane::PosixProcessRunner::killRunningChildren();
    m_settings->save(m_window->placement());
    saveRemembered();
    s_unsaved = nullptr;
    // What must last is written; the engine's stop may hang in libVLC when the display goes away
    // at the same moment (a logout), and the session must not wait for it.
    m_deadline = std::make_unique<korvane::ExitDeadline>(
        std::chrono::seconds(2), "shutdown: the engine did not stop within 2 s; ending now");
    m_playlist->intake().cancelPending();
    m_session->releasePlayer();
    m_window->hideTrayIcon();
    QCoreApplication::quit();
}

void Application::endProcess(int exitCode)
{
    // Probe workers are not waited for: a probe stuck on a slow disk would hold the exit.
    korvane::PosixProcessRunner::killRunningChildren();
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

void Application::saveWhenEndedAbruptly()
{
    // Qt ends the process with exit() when the display connection breaks. The settings are
    // saved then too, and the process ends before static destructors run under libVLC's threads.
    static const bool registered =
        std::atexit([] {
            if (!s_running) {
                return;
            }
            if (Application* application = s_unsaved) {
                s_unsaved = nullptr;
                std::fprintf(stderr, "the display connection ended: saving the settings\n");
                application->m_settings->save(application->m_window->placement());
                application->saveRemembered();
            }
            std::fflush(nullptr);
            std::_Exit(1);
        }) == 0;
    SignalWatcher::holdWorkerFaults();
    if (registered) {
        s_running = true;
        s_unsaved = this;
    }
}

void Application::createParts()
{
    m_settings = std::make_unique<SettingsStore>(SettingsEnvironment::fromSystem());
    m_model = std::make_unique<PlaylistModel>();
    m_registry = std::make_unique<CommandRegistry>();
    m_window = std::make_unique<MainWindow>(*m_settings);
    m_window->installCommands(*m_registry);
    QApplication::setWindowIcon(m_window->windowIcon());
    m_window->setLoading(true);
    m_window->setPlaylistModel(m_model.get());

    // The codec maps and default pictures are read once, before any file arrives.
    CodecMaps::instance();
    m_window->setAudioLogo(DefaultPictures::instance().defaultAudioPicture);

    m_history = std::make_unique<RecentHistory>(m_store);
    m_resumePoints = std::make_unique<ResumePoints>(m_store);
    m_power = std::make_unique<LogindPowerControl>();
    m_messages = std::make_unique<QtUserMessages>(m_window.get());
    m_chooser = std::make_unique<QtFileChooser>(m_window.get());
    m_dialog = std::make_unique<OpenDialog>(*m_chooser);
    m_prober = std::make_unique<DecoderProber>();
    m_drives = std::make_unique<LinuxDriveProvider>();
    m_screenSaver = std::make_unique<DBusScreenSaver>();
    m_desktop = std::make_unique<FreedesktopIntegration>();
    m_associations = std::make_unique<FileAssociations>(
        m_store, *m_desktop, korvane::programFolder(), QCoreApplication::applicationFilePath());

    m_session = std::make_unique<PlaybackSession>(*m_settings, *m_model, *m_power,
                                                  VlcEngineFactory(&m_window->videoSurface()));
    m_playlist = std::make_unique<Playlist>(*m_model, *m_prober, *m_messages, *m_dialog);
    m_resume = std::make_unique<ResumeTracker>(*m_session, *m_resumePoints);
    m_commands =
        std::make_unique<CommandHandlers>(*m_registry, *m_window, *m_session, *m_playlist,
                                          *m_history, *m_settings, *m_messages, *m_associations);
    m_controls = std::make_unique<ControlHandlers>(*m_registry, *m_window, *m_session, *m_settings,
                                                   *m_messages);
    m_dvd = std::make_unique<DvdPlayback>(*m_drives, *m_session, *m_model, *m_messages,
                                          korvane::programFolder());
    m_discMenus = std::make_unique<DiscMenus>(*m_dvd, *m_registry);
    m_guard = std::make_unique<ScreenSaverGuard>(*m_session, *m_settings, *m_screenSaver);
    m_mpris = std::make_unique<MprisBridge>(*m_session, *m_playlist, *m_settings,
                                            korvane::privateRuntimeFolder());
    m_mprisService = std::make_unique<MprisService>(*m_mpris);
    m_mprisService->start();
}

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
    CommandHandlers* commands = m_commands.get();
    connect(m_window.get(), &MainWindow::contextMenuRequested, commands,
            [commands](MainWindow::ContextMenu menu, QPoint at) {
                switch (menu) {
                case MainWindow::ContextMenu::Play:
                    commands->popupPlayMenu(at);
                    break;
                case MainWindow::ContextMenu::PlayList:
                    commands->popupPlayListMenu(at);
                    break;
                case MainWindow::ContextMenu::File:
                    commands->popupFileMenu(at);
                    break;
                }
            });
}

void Application::connectControls()
{
    // The wheel over the video sets the volume, over the progress bar it seeks; a volume from
    // the slider is reported like one from the keys.
    ControlHandlers* controls = m_controls.get();
    MainWindow* window = m_window.get();
    connect(window, &MainWindow::videoWheelTurned, controls, &ControlHandlers::turnWheelOverVideo);
    connect(window, &MainWindow::progressWheelTurned, controls,
            &ControlHandlers::turnWheelOverProgress);
    connect(window, &MainWindow::volumeChanged, controls, &ControlHandlers::setVolume);
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
    // A media key or a desktop widget runs the same action as the window's buttons.
    MainWindow* window = m_window.get();
    CommandRegistry* registry = m_registry.get();
    m_mpris->onRaise = [window] {
        window->showNormal();
        window->raise();
        window->activateWindow();
    };
    m_mpris->onCommand = [registry](Command command) {
        registry->trigger(command);
    };
    connect(m_mpris.get(), &MprisBridge::changed, m_mprisService.get(), &MprisService::refresh);
}

void Application::connectDiscs()
{
    // Opening either drive list lists the drives anew; the DVD button opens the menu bar's.
    DvdPlayback* dvd = m_dvd.get();
    connect(dvd, &DvdPlayback::timeTextChanged, m_window.get(), &MainWindow::setTimeText);
    connect(m_commands.get(), &CommandHandlers::dvdMenuRequested, m_window.get(),
            &MainWindow::popupDriveMenu);
    connect(m_window.get(), &MainWindow::driveMenuOpening, dvd, &DvdPlayback::refreshMenus);
    if (QMenu* tray = m_commands->popups().menu(QStringLiteral("mnuOpenDVD"))) {
        connect(tray, &QMenu::aboutToShow, dvd, &DvdPlayback::refreshMenus);
    }
}

void Application::connectHandOverToPlaylist()
{
    connect(m_server.get(), &InstanceServer::commandReceived, this, &Application::receiveCommand);
}

void Application::applyStoredModes()
{
    // A stored number outside the known modes is handed over as it is: it plays as a known
    // mode, checks no menu item and is written back unchanged.
    m_session->order().setModes(m_settings->settings().playMode, m_settings->settings().repeatMode);
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

void Application::restoreSound()
{
    const RememberedSound::Level level = RememberedSound::load(m_store);
    qCDebug(lcApp) << "sound restored" << level.volume << (level.muted ? "muted" : "unmuted");
    m_session->setVolume(level.volume);
    m_window->setVolume(level.volume);
    if (level.muted != m_session->isMuted()) {
        m_session->toggleMute();
    }
}

void Application::saveRemembered()
{
    m_resume->leave();
    if (!RememberedSound::save(m_store, {m_session->volume(), m_session->isMuted()})) {
        qCWarning(lcApp) << "the sound level could not be stored";
    }
}

#include "app/Application.h"

#include "app/CommandBindings.h"
#include "app/DesktopWiring.h"
#include "app/OptionsCommand.h"
#include "app/WindowBindings.h"
#include "commands/CommandRegistry.h"
#include "instance/HandOver.h"
#include "instance/InstanceKeys.h"
#include "instance/InstanceLock.h"
#include "instance/InstanceServer.h"
#include "instance/SignalWatcher.h"
#include "instance/StartupCommand.h"
#include "mediainfo/CodecMaps.h"
#include "mediainfo/DecoderProber.h"
#include "mediainfo/DefaultPictures.h"
#include "playback/PlaybackSession.h"
#include "playback/VlcEngineFactory.h"
#include "playlist/FileIntake.h"
#include "playlist/OpenDialog.h"
#include "playlist/Playlist.h"
#include "playlist/PlaylistModel.h"
#include "playlist/RecentHistory.h"
#include "settings/SettingsStore.h"
#include "system/LogindPowerControl.h"
#include "system/UserStore.h"
#include "ui/frame/MainWindow.h"
#include "ui/frame/VideoArea.h"
#include "ui/playlistview/FancyList.h"
#include "ui/qt/QtFileChooser.h"
#include "ui/qt/QtUserMessages.h"
#include "util/Logging.h"
#include "util/PosixProcessRunner.h"
#include "util/Product.h"
#include "util/SupportedFiles.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSystemTrayIcon>
#include <cstdio>
#include <cstdlib>

Application::Application(UserStore& store, InstanceChannel& channel, QObject* parent)
    : QObject(parent), m_store(store), m_channel(channel)
{}

Application::~Application()
{
    // The playlist's workers and the engine go before the window they report to.
    m_desktop.reset();
    m_commands.reset();
    m_bindings.reset();
    m_playlist.reset();
    m_session.reset();
}

bool Application::start(const QStringList& arguments)
{
    // Installed first, so a termination that comes during start-up still saves the settings.
    m_signals = std::make_unique<SignalWatcher>();
    nameApplication();
    m_lock = std::make_unique<InstanceLock>();

    createParts();
    connectParts();
    m_settings->load();
    m_options->applyAllAssociations();
    m_history->loadHistory();
    m_session->enableMediaControl(MediaControlState::Stopped);
    applyStoredModes();
    m_session->chooseAfterPlay(0);

    const StartupCommand command =
        StartupCommand::fromArguments(arguments, QDir::currentPath(),
                                      [](const QString& path) { return QFileInfo(path).isFile(); });
    HandOver handOver;
    handOver.commandName = m_store.readString(InstanceKeys::kSettingKey,
                                              InstanceKeys::kCommandValue, QStringLiteral("-1"));
    handOver.checkName =
        m_store.readString(InstanceKeys::kSettingKey, InstanceKeys::kCheckValue, QString());
    handOver.useNewPlayer = m_settings->useNewPlayer();
    handOver.forwardingText = command.forwardingText;
    handOver.path = command.path;

    QString message;
    const HandOver::Outcome outcome = handOver.decide(m_channel, &message);
    if (!message.isEmpty()) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    }
    if (outcome == HandOver::Outcome::EndProcess) {
        return false;
    }
    if (outcome == HandOver::Outcome::NoRunningInstance) {
        m_window->setLoading(false);
    }
    listenForLaterStarts();

    if (QFileInfo(command.path).isFile() && isSupportedFile(command.path)) {
        m_playlist->addEntry(fileNameOfPath(command.path), command.path,
                             m_settings->launchFullscreen(), command.autoPlay);
    }
    m_window->setLoading(false);
    m_window->show();
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
    connect(m_server.get(), &InstanceServer::commandReceived, this, &Application::receiveCommand);
}

void Application::receiveCommand(const QString& text)
{
    if (text.isEmpty()) {
        return;
    }
    qCDebug(lcApp).noquote() << "received:" << text;
    QApplication::alert(m_window.get());
    const StartupCommand command = StartupCommand::fromHandOver(text);
    m_playlist->addEntry(fileNameOfPath(command.path), command.path, m_settings->launchFullscreen(),
                         command.autoPlay);
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
    m_playlist->intake().cancelPending();
    m_session->releasePlayer();
    m_window->trayIcon()->hide();
    QCoreApplication::quit();
}

void Application::endProcess(int exitCode)
{
    // Probe workers are not waited for: a probe stuck on a slow disk would hold the exit.
    korvane::PosixProcessRunner::killRunningChildren();
    std::fflush(nullptr);
    std::_Exit(exitCode);
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
    m_window->playlistView()->setModel(m_model.get());

    // The codec maps and default pictures are read once, before any file arrives.
    CodecMaps::instance();
    m_window->videoArea()->setAudioLogo(DefaultPictures::instance().DefaultAudioPicture);

    m_history = std::make_unique<RecentHistory>(m_store);
    m_power = std::make_unique<LogindPowerControl>();
    m_messages = std::make_unique<QtUserMessages>(m_window.get());
    m_chooser = std::make_unique<QtFileChooser>(m_window.get());
    m_dialog = std::make_unique<OpenDialog>(*m_chooser);
    m_prober = std::make_unique<DecoderProber>();

    VideoArea* surface = m_window->videoArea();
    m_session = std::make_unique<PlaybackSession>(*m_settings, *m_model, *m_power,
                                                  VlcEngineFactory(surface));
    m_playlist = std::make_unique<Playlist>(*m_model, *m_prober, *m_messages, *m_dialog);
    m_session->createPlayer();
    m_options = std::make_unique<OptionsCommand>(m_store, *m_settings, *m_window);
}

void Application::connectParts()
{
    MainWindow* window = m_window.get();
    PlaybackSession* session = m_session.get();
    Playlist* playlist = m_playlist.get();
    FancyList* list = window->playlistView();

    // The engine options follow a new record before the window applies it.
    connect(m_settings.get(), &SettingsStore::changed, session, &PlaybackSession::saveVLCOptions);
    connect(m_settings.get(), &SettingsStore::changed, window, &MainWindow::applyLoadedOptions);
    connect(m_signals.get(), &SignalWatcher::terminationRequested, window, &QWidget::close);
    connect(window, &MainWindow::closing, this, &Application::shutdown);

    connect(list, &FancyList::entryClicked, playlist, &Playlist::clickEntry);
    connect(list, &FancyList::entryDoubleClicked, playlist, &Playlist::activateEntry);
    connect(list, &FancyList::filesDropped, playlist,
            [playlist](const QStringList& paths) { playlist->addDroppedFiles(paths); });

    connect(playlist, &Playlist::playRequested, session, &PlaybackSession::playEntry);
    connect(playlist, &Playlist::committed, session, &PlaybackSession::rebuildSequence);
    connect(playlist, &Playlist::entryClicked, session, &PlaybackSession::entryClicked);
    connect(playlist, &Playlist::entryActivated, session, &PlaybackSession::entryActivated);
    connect(playlist, &Playlist::progressChanged, window, &MainWindow::setIntakeProgress);
    connect(playlist, &Playlist::hideRequested, window,
            [window] { window->setPlaylistVisible(false); });

    connect(session, &PlaybackSession::itemStarted, window, &MainWindow::showMediaCaption);
    connect(session, &PlaybackSession::itemStarted, m_history.get(),
            [this](const QString& path, const QString& title) {
                m_history->addToHistory(path, title);
            });
    connect(session, &PlaybackSession::openRequested, playlist,
            [playlist] { playlist->openFiles(false); });
    connect(session, &PlaybackSession::audioOnlyChanged, window->videoArea(),
            &VideoArea::setAudioOnly);
    connect(session, &PlaybackSession::fullScreenRequested, window,
            &MainWindow::setVideoFullScreen);
    connect(session, &PlaybackSession::closeRequested, window, &QWidget::close);
    connectTransport();
    m_commands = std::make_unique<CommandBindings>(*m_registry, *window, *session, *playlist,
                                                   *m_history, *m_settings, *m_messages);
    connect(m_commands.get(), &CommandBindings::optionsRequested, m_options.get(),
            &OptionsCommand::showOptions);
    connect(m_bindings.get(), &WindowBindings::playMenuRequested, m_commands.get(),
            [this](QPoint at) { m_commands->popupPlayMenu(m_window->mapToGlobal(at)); });
    connect(m_bindings.get(), &WindowBindings::fileMenuRequested, m_commands.get(),
            &CommandBindings::popupFileMenu);
    connect(list, &FancyList::pointerPressed, m_commands.get(),
            [this, list](Qt::MouseButton button, Qt::KeyboardModifiers, const QPointF& at) {
                if (button == Qt::RightButton) {
                    m_commands->popupPlayListMenu(list->mapToGlobal(at.toPoint()));
                }
            });
    m_desktop = std::make_unique<DesktopWiring>(*window, *m_registry, *m_commands, *session,
                                                *playlist, *m_settings, *m_messages);
}

void Application::connectTransport()
{
    m_bindings = std::make_unique<WindowBindings>(*m_window, *m_session, *m_playlist);
}

void Application::applyStoredModes()
{
    // A stored number outside the known modes calls no setter.
    const Settings& settings = m_settings->settings();
    if (playModeFromSetting(settings.playMode) == settings.playMode) {
        m_session->setPlayMode(settings.playMode);
    }
    if (repeatModeFromSetting(settings.repeatMode) == settings.repeatMode) {
        m_session->setRepeatMode(settings.repeatMode);
    }
}

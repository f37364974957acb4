#include "app/Application.h"

#include "app/CommandHandlers.h"
#include "app/ControlHandlers.h"
#include "app/DiscMenus.h"
#include "app/MprisBridge.h"
#include "commands/CommandRegistry.h"
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
#include "startup/EmergencySave.h"
#include "startup/ProcessEnd.h"
#include "startup/ShutdownSequence.h"
#include "startup/StartDecision.h"
#include "system/DBusScreenSaver.h"
#include "system/FileAssociations.h"
#include "system/FreedesktopIntegration.h"
#include "system/LinuxDriveProvider.h"
#include "system/LogindPowerControl.h"
#include "system/MprisService.h"
#include "system/UserStore.h"
#include "ui/frame/MainWindow.h"
#include "ui/qt/QtFileChooser.h"
#include "ui/qt/QtUserMessages.h"
#include "util/ExitDeadline.h"
#include "util/Logging.h"
#include "util/PosixProcessRunner.h"
#include "util/Product.h"
#include "util/RuntimeFolder.h"
#include "util/ToolPaths.h"

#include <QApplication>

Application::Application(UserStore& store, InstanceChannel& channel, QObject* parent)
    : QObject(parent), m_store(store), m_channel(channel)
{}

Application::~Application()
{
    EmergencySave::disarm();
}

bool Application::start(const StartupCommand& command)
{
    // Installed first, so a termination that comes during start-up still saves the settings.
    m_signals = std::make_unique<SignalWatcher>();
    nameApplication();
    m_lock = std::make_unique<InstanceLock>();

    createParts();
    connectParts();
    const IntakePlan plan = load(command);
    if (StartDecision::handsOver(m_store, m_settings->useNewPlayer(), command.forwardingText,
                                 m_channel)) {
        m_playlist->intake().cancelPending();
        return false;
    }
    show(plan);
    return true;
}

void Application::connectParts()
{
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
}

IntakePlan Application::load(const StartupCommand& command)
{
    m_settings->load();
    // Made once the engine options are known: libVLC starts once, with the options it keeps.
    m_session->createPlayer();
    // The command line's file is described while the rest starts up; what the description finds
    // arrives through the event loop, after start-up, as it would if asked for at the end.
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
    return plan;
}

void Application::show(const IntakePlan& plan)
{
    listenForLaterStarts();
    m_window->setLoading(false);
    m_window->show();
    m_playlist->reportRefusals(plan);
    EmergencySave::arm([this] { m_ending->save(m_window->placement()); });
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
    m_playlist->intake().cancelPending();
    m_deadline = m_ending->run(m_window->placement(), [] {
        return std::make_unique<korvane::ExitDeadline>(
            std::chrono::seconds(2),
            ProcessEnd::afterDeadline("shutdown: the engine did not stop within 2 s; ending now"));
    });
    m_window->hideTrayIcon();
    QCoreApplication::quit();
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
    m_ending = std::make_unique<ShutdownSequence>(*m_resume, *m_session, *m_settings, m_store);
}

void Application::applyStoredModes()
{
    // A stored number outside the known modes is handed over as it is: it plays as a known
    // mode, checks no menu item and is written back unchanged.
    m_session->order().setModes(m_settings->settings().playMode, m_settings->settings().repeatMode);
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

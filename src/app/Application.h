#pragma once

#include <QObject>
#include <memory>

namespace korvane {
class ExitDeadline;
}
class CommandHandlers;
class ControlHandlers;
class CommandRegistry;
class DBusScreenSaver;
class DecoderProber;
class DiscMenus;
class DriveProvider;
class DvdPlayback;
class FileAssociations;
class FileChooser;
class FreedesktopIntegration;
class InstanceChannel;
class InstanceLock;
class InstanceServer;
class MainWindow;
class MprisBridge;
class MprisService;
class OpenDialog;
class PlaybackSession;
class Playlist;
class PlaylistModel;
class PowerControl;
class RecentHistory;
class ResumePoints;
class ResumeTracker;
class ScreenSaverGuard;
class SettingsStore;
class ShutdownSequence;
class SignalWatcher;
class UserMessages;
class UserStore;
struct IntakePlan;
struct StartupCommand;

// The composition root: it creates the player's parts and their adapters, connects them (the
// connections, grouped by direction, are in ApplicationWiring.cpp), loads what the last run
// kept, asks whether a running player takes the command, and otherwise shows the window. At the
// end it saves and releases them in the order ShutdownSequence keeps.
class Application : public QObject
{
    Q_OBJECT
public:
    Application(UserStore& store, InstanceChannel& channel, QObject* parent = nullptr);
    ~Application() override;

    // False when the command went to a running instance and this process should end.
    bool start(const StartupCommand& command);

    // A command handed over by a later start ("<path>" or "<path> *Add").
    void receiveCommand(const QString& text);
    // Runs once: saves the settings, releases the engine and the tray icon, ends the event loop.
    void shutdown();
    // The application's name for the desktop; window titles stay exactly as each window sets.
    static void nameApplication();

private:
    void createParts();
    void connectParts();
    // Reads what the last run kept and takes the command line's names in; the plan says which
    // are refused, to be reported once this process stays.
    IntakePlan load(const StartupCommand& command);
    void show(const IntakePlan& plan);
    void connectWindowToSession();
    void connectWindowToPlaylist();
    void connectPlaylistToSession();
    void connectSessionToWindow();
    void connectCommands();
    void connectControls();
    void connectSettingsListeners();
    void connectMprisToCommands();
    void connectDiscs();
    void listenForLaterStarts();
    void connectHandOverToPlaylist();
    void applyStoredModes();
    // The playing entry marked in the list.
    void connectRemembered();
    void restoreSound();

    UserStore& m_store;
    InstanceChannel& m_channel;
    bool m_shutDown = false;
    std::unique_ptr<korvane::ExitDeadline> m_deadline;
    // Members go in reverse order: the hand-over server and the desktop services first, then
    // the commands, the playlist's workers and the engine, and the window they report to last
    // but for the records it shows.
    std::unique_ptr<SignalWatcher> m_signals;
    std::unique_ptr<InstanceLock> m_lock;
    std::unique_ptr<SettingsStore> m_settings;
    std::unique_ptr<PlaylistModel> m_model;
    std::unique_ptr<CommandRegistry> m_registry;
    std::unique_ptr<MainWindow> m_window;

    std::unique_ptr<RecentHistory> m_history;
    std::unique_ptr<ResumePoints> m_resumePoints;
    std::unique_ptr<PowerControl> m_power;
    std::unique_ptr<UserMessages> m_messages;
    std::unique_ptr<FileChooser> m_chooser;
    std::unique_ptr<OpenDialog> m_dialog;
    std::unique_ptr<DecoderProber> m_prober;
    std::unique_ptr<DriveProvider> m_drives;
    std::unique_ptr<DBusScreenSaver> m_screenSaver;
    std::unique_ptr<FreedesktopIntegration> m_desktop;
    std::unique_ptr<FileAssociations> m_associations;

    std::unique_ptr<PlaybackSession> m_session;
    std::unique_ptr<Playlist> m_playlist;
    std::unique_ptr<ResumeTracker> m_resume;
    std::unique_ptr<CommandHandlers> m_commands;
    std::unique_ptr<ControlHandlers> m_controls;
    std::unique_ptr<DvdPlayback> m_dvd;
    std::unique_ptr<DiscMenus> m_discMenus;
    std::unique_ptr<ScreenSaverGuard> m_guard;
    std::unique_ptr<MprisBridge> m_mpris;
    std::unique_ptr<MprisService> m_mprisService;
    std::unique_ptr<InstanceServer> m_server;
    std::unique_ptr<ShutdownSequence> m_ending;
};

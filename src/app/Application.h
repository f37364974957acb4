#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

class CommandBindings;
class CommandRegistry;
class DecoderProber;
class DesktopWiring;
class FileChooser;
class InstanceChannel;
class InstanceLock;
class InstanceServer;
class MainWindow;
class OptionsCommand;
class OpenDialog;
class PlaybackSession;
class Playlist;
class PlaylistModel;
class PowerControl;
class RecentHistory;
class SettingsStore;
class SignalWatcher;
class UserMessages;
class UserStore;
class WindowBindings;

// The composition root: start-up in Korvane's fixed order, up to the decision whether this
// process becomes the player or hands its file to the one already running; then it owns the
// player's parts, connects them, and shuts them down.
class Application : public QObject
{
    Q_OBJECT
public:
    Application(UserStore& store, InstanceChannel& channel, QObject* parent = nullptr);
    ~Application() override;

    // False when the command went to a running instance and this process should end.
    bool start(const QStringList& arguments);

    // A command handed over by a later start ("<path>" or "<path> *Add").
    void receiveCommand(const QString& text);
    // Runs once: saves the settings, releases the engine and the tray icon, ends the event loop.
    void shutdown();
    // The application's name for the desktop; window titles stay exactly as each window sets.
    static void nameApplication();
    // Ends the process at once, after the event loop has ended: running probe programs are
    // killed with their process groups and nothing is waited for.
    [[noreturn]] static void endProcess(int exitCode);

    SettingsStore* settings() const { return m_settings.get(); }
    MainWindow* mainWindow() const { return m_window.get(); }
    InstanceServer* instanceServer() const { return m_server.get(); }
    Playlist* playlist() const { return m_playlist.get(); }
    PlaybackSession* session() const { return m_session.get(); }
    // "Options" and the associations.
    OptionsCommand* options() const { return m_options.get(); }
    CommandBindings* commands() const { return m_commands.get(); }
    CommandRegistry* registry() const { return m_registry.get(); }

private:
    void createParts();
    void connectParts();
    void connectTransport();
    void applyStoredModes();
    void listenForLaterStarts();

    UserStore& m_store;
    InstanceChannel& m_channel;
    bool m_shutDown = false;
    std::unique_ptr<SignalWatcher> m_signals;
    std::unique_ptr<InstanceLock> m_lock;
    std::unique_ptr<SettingsStore> m_settings;
    std::unique_ptr<PlaylistModel> m_model;
    std::unique_ptr<CommandRegistry> m_registry;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<RecentHistory> m_history;
    std::unique_ptr<PowerControl> m_power;
    std::unique_ptr<UserMessages> m_messages;
    std::unique_ptr<FileChooser> m_chooser;
    std::unique_ptr<OpenDialog> m_dialog;
    std::unique_ptr<DecoderProber> m_prober;
    std::unique_ptr<PlaybackSession> m_session;
    std::unique_ptr<Playlist> m_playlist;
    std::unique_ptr<DesktopWiring> m_desktop;
    std::unique_ptr<InstanceServer> m_server;
    std::unique_ptr<WindowBindings> m_bindings;
    std::unique_ptr<OptionsCommand> m_options;
    std::unique_ptr<CommandBindings> m_commands;
};

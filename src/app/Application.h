#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

class InstanceChannel;
class InstanceLock;
class InstanceServer;
class MainWindow;
class SignalWatcher;
class UserStore;

// Start-up in Korvane's fixed order, up to the decision whether this process becomes the
// player or hands its file to the one already running.
class Application : public QObject
{
    Q_OBJECT
public:
    static constexpr QLatin1StringView kSettingKey{"Software\\Taskel Media Player\\Setting"};
    static constexpr QLatin1StringView kCommandValue{"txtHwnd"};
    static constexpr QLatin1StringView kCheckValue{"txtHwnd1"};

    Application(UserStore& store, InstanceChannel& channel, QObject* parent = nullptr);
    ~Application() override;

    // False when the command went to a running instance and this process should end.
    bool start(const QStringList& arguments);

    MainWindow* mainWindow() const { return m_window.get(); }
    InstanceServer* instanceServer() const { return m_server.get(); }
    static QString appPath();

private:
    UserStore& m_store;
    InstanceChannel& m_channel;
    std::unique_ptr<InstanceLock> m_lock;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<InstanceServer> m_server;
    std::unique_ptr<SignalWatcher> m_signals;
};

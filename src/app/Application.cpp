#include "app/Application.h"

#include "app/HandOver.h"
#include "app/InstanceLock.h"
#include "app/InstanceServer.h"
#include "app/SignalWatcher.h"
#include "app/StartupCommand.h"
#include "playlist/SupportedFiles.h"
#include "system/UserStore.h"
#include "ui/MainWindow.h"
#include "util/Logging.h"

#include <QApplication>
#include <QFileInfo>

Application::Application(UserStore& store, InstanceChannel& channel, QObject* parent)
    : QObject(parent), m_store(store), m_channel(channel)
{}

Application::~Application() = default;

QString Application::appPath()
{
    return QCoreApplication::applicationDirPath() + u'/';
}

bool Application::start(const QStringList& arguments)
{
    QApplication::setApplicationName(QStringLiteral("Korvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Taskel Media Player"));
    // Installed first, so a termination that comes during start-up still saves the settings.
    m_signals = std::make_unique<SignalWatcher>();
    m_lock = std::make_unique<InstanceLock>();

    m_window = std::make_unique<MainWindow>(SettingsEnvironment::fromSystem());
    connect(m_signals.get(), &SignalWatcher::terminationRequested, m_window.get(), &QWidget::close);
    QApplication::setWindowIcon(m_window->windowIcon());
    m_window->setLoading(true);
    m_window->LoadConfigurations();

    const StartupCommand command = StartupCommand::fromArguments(arguments);
    HandOver handOver;
    handOver.commandName = m_store.readString(kSettingKey, kCommandValue, QStringLiteral("-1"));
    handOver.checkName = m_store.readString(kSettingKey, kCheckValue, QString());
    handOver.useNewPlayer = m_window->settings().UseNewPlayer != 0;
    handOver.forwardingText = command.forwardingText;
    handOver.path = command.path;

    const HandOver::Outcome outcome = handOver.decide(m_channel);
    if (outcome == HandOver::Outcome::EndProcess) {
        return false;
    }
    if (outcome == HandOver::Outcome::NoRunningInstance) {
        m_window->setLoading(false);
    }

    m_server = std::make_unique<InstanceServer>();
    if (m_server->listen()) {
        m_store.writeString(kSettingKey, kCommandValue, m_server->commandName());
        m_store.writeString(kSettingKey, kCheckValue, m_server->checkName());
        connect(m_server.get(), &InstanceServer::commandReceived, m_window.get(),
                &MainWindow::receiveCommand);
    } else {
        qCWarning(lcApp) << "cannot listen for later starts";
    }

    if (QFileInfo(command.path).isFile() && IsSupportedFile(command.path)) {
        emit m_window->fileRequested(FileNameOfPath(command.path), command.path,
                                     m_window->settings().LaunchFullscreen != 0, command.autoPlay);
    }
    m_window->setLoading(false);
    m_window->show();
    return true;
}

#include "app/Application.h"
#include "instance/LocalInstanceChannel.h"
#include "mediainfo/ProbeWorkerClient.h"
#include "mediainfo/ProbeWorkerRunner.h"
#include "startup/CommandLineInfo.h"
#include "startup/LaunchArguments.h"
#include "startup/LightStart.h"
#include "startup/PlatformChoice.h"
#include "startup/ProcessEnd.h"
#include "system/FileUserStore.h"
#include "util/Logging.h"
#include "util/SupportedFiles.h"

#include <QApplication>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>

namespace {

// A file on the command line is described first thing: the probe worker starts now and loads
// while the window is built, instead of after it.
void startProbeWorkerForCommandLine(const StartupCommand& command)
{
    if (command.paths.isEmpty() || !ProbeWorkerRunner::wanted()) {
        return;
    }
    const bool anyMedia =
        std::any_of(command.paths.begin(), command.paths.end(), [](const QString& path) {
            return isSupportedFile(path) && QFileInfo(path).isFile();
        });
    if (!anyMedia) {
        return;
    }
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    const QFileInfo worker(self.canonicalPath() + QStringLiteral("/korvane-probe-worker"));
    if (worker.isFile() && worker.isExecutable()) {
        ProbeWorkerClient::startEarly(worker.filePath());
    }
}

} // namespace

// One pass: the command line is read once, a question about the program is answered, a start
// that a running player takes ends before any window part is built, and the rest becomes the
// player.
int main(int argc, char** argv)
{
    const LaunchArguments launch = LaunchArguments::fromArgv(argc, argv);
    if (const std::optional<QString> reply = CommandLineInfo::reply(launch.given)) {
        std::fputs(reply->toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (LightStart::handedOver(argc, argv, launch.command.forwardingText)) {
        return 0;
    }
    if (const QByteArray platform =
            PlatformChoice::fromEnvironment(launch.platformArgument).platform();
        !platform.isEmpty()) {
        qputenv("QT_QPA_PLATFORM", platform);
        qCDebug(lcApp).noquote() << "platform" << platform << "for a Wayland session";
    }
    startProbeWorkerForCommandLine(launch.command);
    QApplication app(argc, argv);
    // The main window's close ends the run, even while a tray icon is shown.
    QApplication::setQuitOnLastWindowClosed(false);
    FileUserStore store;
    LocalInstanceChannel channel;
    Application korvane(store, channel);
    if (!korvane.start(launch.command)) {
        return 0;
    }
    ProcessEnd::now(QApplication::exec());
}

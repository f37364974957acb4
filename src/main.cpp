#include "app/Application.h"
#include "app/CommandLineInfo.h"
#include "app/LightStart.h"
#include "app/PlatformChoice.h"
#include "instance/LocalInstanceChannel.h"
#include "instance/StartupCommand.h"
#include "mediainfo/ProbeWorkerClient.h"
#include "mediainfo/ProbeWorkerRunner.h"
#include "system/FileUserStore.h"
#include "util/Logging.h"
#include "util/SupportedFiles.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>

namespace {

// A file on the command line is described first thing: the probe worker starts now and loads
// while the window is built, instead of after it.
void startProbeWorkerForCommandLine(int argc, char** argv)
{
    if (argc < 2 || !ProbeWorkerRunner::wanted()) {
        return;
    }
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const StartupCommand command =
        StartupCommand::fromArguments(arguments, QDir::currentPath(),
                                      [](const QString& path) { return QFileInfo(path).isFile(); });
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

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    if (const std::optional<QString> reply = CommandLineInfo::reply(arguments)) {
        std::fputs(reply->toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (LightStart::handedOver(argc, argv)) {
        return 0;
    }
    if (const QByteArray platform = PlatformChoice::fromEnvironment(argc, argv).platform();
        !platform.isEmpty()) {
        qputenv("QT_QPA_PLATFORM", platform);
        qCDebug(lcApp).noquote() << "platform" << platform << "for a Wayland session";
    }
    startProbeWorkerForCommandLine(argc, argv);
    QApplication app(argc, argv);
    // The main window's close ends the run, even while a tray icon is shown.
    QApplication::setQuitOnLastWindowClosed(false);
    FileUserStore store;
    LocalInstanceChannel channel;
    Application korvane(store, channel);
    if (!korvane.start(QApplication::arguments().mid(1))) {
        return 0;
    }
    Application::endProcess(QApplication::exec());
}

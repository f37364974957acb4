#include "app/LightStart.h"

#include "app/Application.h"
#include "app/HandOver.h"
#include "app/PosixInstanceChannel.h"
#include "app/StartupCommand.h"
#include "settings/ConfigFile.h"
#include "system/FileUserStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFile>

namespace {

// UseNewPlayer as the full start would load it; nothing when the file is missing or would be
// replaced by the defaults.
std::optional<bool> storedUseNewPlayer()
{
    QFile file(ConfigFile::defaultPath());
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const std::optional<Settings> settings = ConfigFile::parse(file.readAll());
    if (!settings) {
        return std::nullopt;
    }
    return settings->UseNewPlayer != 0;
}

} // namespace

bool LightStart::handedOver(int argc, char** argv)
{
    // The core application only, for the arguments and the standard paths: no display.
    int count = argc;
    QCoreApplication core(count, argv);

    HandOver handOver;
    const FileUserStore store;
    handOver.commandName = store.readString(Application::kSettingKey, Application::kCommandValue,
                                            QStringLiteral("-1"));
    handOver.checkName = store.readString(Application::kSettingKey, Application::kCheckValue);
    if (handOver.commandName == QLatin1String("-1")) {
        return false;
    }
    const std::optional<bool> useNewPlayer = storedUseNewPlayer();
    if (!useNewPlayer || *useNewPlayer) {
        return false;
    }
    const StartupCommand command =
        StartupCommand::fromArguments(QCoreApplication::arguments().mid(1), QDir::currentPath(),
                                      [](const QString& path) { return QFileInfo(path).isFile(); });
    handOver.useNewPlayer = false;
    handOver.forwardingText = command.forwardingText;
    handOver.path = command.path;
    PosixInstanceChannel channel;
    return handOver.decide(channel) == HandOver::Outcome::EndProcess;
}

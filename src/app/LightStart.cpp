#include "app/LightStart.h"

#include "app/Application.h"
#include "instance/HandOver.h"
#include "instance/InstanceKeys.h"
#include "instance/PosixInstanceChannel.h"
#include "instance/StartupCommand.h"
#include "settings/ConfigFile.h"
#include "system/FileUserStore.h"
#include "util/RegularFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace {

// UseNewPlayer as the full start would load it; nothing when the file is missing or would be
// replaced by the defaults.
std::optional<bool> storedUseNewPlayer()
{
    const korvane::RegularFileRead file =
        korvane::readRegularFile(ConfigFile::defaultPath(), ConfigFile::MaxFileBytes);
    if (file.status != korvane::RegularFileRead::Status::Read ||
        file.bytes.size() > ConfigFile::MaxFileBytes) {
        return std::nullopt;
    }
    Settings defaults;
    defaults.openMode = OpenMode::SamePlayer;
    QList<int> bad;
    const Settings settings = ConfigFile::parse(file.bytes, defaults, bad);
    if (bad.size() == ConfigFile::ValueCount) {
        return std::nullopt;
    }
    return settings.openMode != OpenMode::SamePlayer;
}

} // namespace

bool LightStart::handedOver(int argc, char** argv)
{
    // The core application only, for the arguments and the standard paths: no display.
    int count = argc;
    QCoreApplication core(count, argv);

    HandOver handOver;
    const FileUserStore store;
    handOver.commandName = store.readString(InstanceKeys::kSettingKey, InstanceKeys::kCommandValue,
                                            QStringLiteral("-1"));
    handOver.checkName = store.readString(InstanceKeys::kSettingKey, InstanceKeys::kCheckValue);
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
    PosixInstanceChannel channel;
    QString message;
    const HandOver::Outcome outcome = handOver.decide(channel, &message);
    if (!message.isEmpty()) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    }
    return outcome == HandOver::Outcome::EndProcess;
}

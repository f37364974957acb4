#include "startup/LaunchArguments.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace {

// The options QApplication reads and removes before the program sees its arguments, with one
// dash or two: these take the next argument as their value.
const QSet<QString>& qtOptionsWithValue()
{
    static const QSet<QString> options = {
        QStringLiteral("platform"),        QStringLiteral("platformpluginpath"),
        QStringLiteral("platformtheme"),   QStringLiteral("plugin"),
        QStringLiteral("qwindowgeometry"), QStringLiteral("geometry"),
        QStringLiteral("qwindowtitle"),    QStringLiteral("title"),
        QStringLiteral("qwindowicon"),     QStringLiteral("icon"),
        QStringLiteral("display"),         QStringLiteral("name"),
        QStringLiteral("session"),         QStringLiteral("style"),
        QStringLiteral("stylesheet")};
    return options;
}

// Options without a value, and those given as "-style=fusion".
bool isQtOptionAlone(const QString& option)
{
    static const QSet<QString> flags = {QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                                        QStringLiteral("testability"), QStringLiteral("sync")};
    static const QStringList joined = {QStringLiteral("style="), QStringLiteral("stylesheet="),
                                       QStringLiteral("qmljsdebugger=")};
    return flags.contains(option) ||
           std::any_of(joined.begin(), joined.end(),
                       [&option](const QString& start) { return option.startsWith(start); });
}

// "-platform" and "--platform" alike read "platform"; a name that starts no option, nothing.
QString optionName(const QString& argument)
{
    if (!argument.startsWith(u'-')) {
        return {};
    }
    return argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
}

} // namespace

LaunchArguments LaunchArguments::fromArgv(int argc, char** argv)
{
    QStringList given;
    for (int i = 1; i < argc; ++i) {
        given << QString::fromLocal8Bit(argv[i]);
    }
    return fromArguments(given, QDir::currentPath(),
                         [](const QString& path) { return QFileInfo(path).isFile(); });
}

LaunchArguments LaunchArguments::fromArguments(const QStringList& given,
                                               const QString& currentFolder,
                                               const std::function<bool(const QString&)>& isFile)
{
    LaunchArguments launch;
    launch.given = given;
    for (qsizetype i = 0; i < given.size(); ++i) {
        const QString option = optionName(given[i]);
        launch.platformArgument |= option == QLatin1String("platform");
        if (qtOptionsWithValue().contains(option) && i + 1 < given.size()) {
            ++i;
        } else if (!isQtOptionAlone(option)) {
            launch.names << given[i];
        }
    }
    launch.command = StartupCommand::fromArguments(launch.names, currentFolder, isFile);
    return launch;
}

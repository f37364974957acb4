#include "instance/StartupCommand.h"

#include <QDir>

namespace {

// A relative name means the folder this start was made in, which the running player does not
// share; and the history must name the file from anywhere.
QString absolute(const QString& path, const QString& currentFolder)
{
    if (path.isEmpty() || QDir::isAbsolutePath(path)) {
        return path;
    }
    return QDir::cleanPath(QDir(currentFolder).absoluteFilePath(path));
}

} // namespace

StartupCommand StartupCommand::fromArguments(const QStringList& arguments,
                                             const QString& currentFolder,
                                             const std::function<bool(const QString&)>& isFile)
{
    const QString joined = arguments.join(u' ');
    const bool marked = hasAddMarker(joined);
    const QString asGiven = absolute(marked ? withoutAddMarker(joined) : joined, currentFolder);
    if (!asGiven.isEmpty() && isFile && isFile(asGiven)) {
        // A Linux name may hold double quotes: the arguments as given name the file.
        StartupCommand command;
        command.path = asGiven;
        command.autoPlay = !marked;
        command.forwardingText = marked ? asGiven + QStringLiteral(" *Add") : asGiven;
        return command;
    }
    StartupCommand command = fromHandOver(QString(joined).remove(u'"'));
    const QString path = absolute(command.path, currentFolder);
    command.forwardingText = path + command.forwardingText.mid(command.path.size());
    command.path = path;
    return command;
}

StartupCommand StartupCommand::fromHandOver(const QString& text)
{
    StartupCommand command;
    command.forwardingText = text;
    command.path = text;
    if (hasAddMarker(command.path)) {
        command.autoPlay = false;
        command.path = withoutAddMarker(command.path);
    }
    return command;
}

bool StartupCommand::hasAddMarker(const QString& text)
{
    return text.endsWith(QStringLiteral("*Add"));
}

QString StartupCommand::withoutAddMarker(const QString& text)
{
    return text.left(qMax<qsizetype>(0, text.size() - 5));
}

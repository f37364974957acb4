#include "instance/StartupCommand.h"

#include <QDir>
#include <QUrl>
#include <algorithm>

namespace {

// A relative name means the folder this start was made in, which the running player does not
// share; and the history must name the file from anywhere.
QString absolute(const QString& path, const QString& currentFolder)
{
    // Qt counts a leading ':' as absolute (its resources); on disk only '/' is.
    if (path.isEmpty() || path.startsWith(u'/')) {
        return path;
    }
    return QDir::cleanPath(currentFolder + u'/' + path);
}

StartupCommand oneName(const QString& path, bool marked)
{
    StartupCommand command;
    command.path = path;
    if (!path.isEmpty()) {
        command.paths = {path};
    }
    command.autoPlay = !marked;
    command.forwardingText = marked ? path + QStringLiteral(" *Add") : path;
    return command;
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
        return oneName(asGiven, marked);
    }
    const StartupCommand unquoted = fromHandOver(QString(joined).remove(u'"'));
    const QString path = absolute(unquoted.path, currentFolder);
    QStringList names = arguments;
    const bool separateMarker = !names.isEmpty() && names.last() == QLatin1String("*Add");
    if (separateMarker) {
        names.removeLast();
    }
    // Blank arguments name nothing: with no other name they are the one text they join to.
    const bool noName = std::all_of(names.cbegin(), names.cend(),
                                    [](const QString& name) { return name.isEmpty(); });
    if (names.size() < 2 || noName || (isFile && isFile(path))) {
        StartupCommand command = oneName(path, !unquoted.autoPlay);
        command.forwardingText = path + unquoted.forwardingText.mid(unquoted.path.size());
        return command;
    }
    StartupCommand command;
    for (const QString& name : std::as_const(names)) {
        if (!name.isEmpty()) {
            // Cleaned, so that "//" at the start cannot read as a host in the file URL.
            command.paths << QDir::cleanPath(absolute(name, currentFolder));
        }
    }
    command.autoPlay = !separateMarker;
    command.forwardingText = filesText(command.paths, separateMarker);
    return command;
}

StartupCommand StartupCommand::fromHandOver(const QString& text)
{
    StartupCommand command;
    command.forwardingText = text;
    QString rest = text;
    if (hasAddMarker(rest)) {
        command.autoPlay = false;
        rest = withoutAddMarker(rest);
    }
    if (!text.startsWith(kFilesWord + u' ')) {
        command.path = rest;
        if (!rest.isEmpty()) {
            command.paths = {rest};
        }
        return command;
    }
    const QStringList items = rest.mid(kFilesWord.size() + 1).split(u' ', Qt::SkipEmptyParts);
    for (const QString& item : items) {
        const QUrl url = QUrl::fromEncoded(item.toLatin1(), QUrl::StrictMode);
        const QString path = url.isValid() && url.isLocalFile() ? url.toLocalFile() : QString();
        if (QDir::isAbsolutePath(path) && !url.hasQuery() && !url.hasFragment()) {
            command.paths << path;
        }
    }
    return command;
}

QString StartupCommand::filesText(const QStringList& paths, bool addOnly)
{
    QString text = kFilesWord;
    for (const QString& path : paths) {
        // An encoded '*' keeps a name ending in "*Add" from reading as the marker.
        text +=
            u' ' + QString::fromLatin1(QUrl::fromLocalFile(path).toEncoded().replace('*', "%2A"));
    }
    return addOnly ? text + QStringLiteral(" *Add") : text;
}

bool StartupCommand::hasAddMarker(const QString& text)
{
    return text.endsWith(QStringLiteral("*Add"));
}

QString StartupCommand::withoutAddMarker(const QString& text)
{
    return text.left(qMax<qsizetype>(0, text.size() - 5));
}

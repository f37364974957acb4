#include "app/StartupCommand.h"

StartupCommand StartupCommand::fromArguments(const QStringList& arguments)
{
    return fromHandOver(arguments.join(u' ').remove(u'"'));
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

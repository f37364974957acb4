#pragma once

#include "instance/StartupCommand.h"

#include <QStringList>

// The command line, read once at the start and handed to every step that needs it: the
// questions answered without a window, the light start, the platform choice, the early probe
// worker and the full start all see the same names.
struct LaunchArguments
{
    QStringList given;             // every argument after the program, as typed
    QStringList names;             // the same without the options Qt takes for itself
    bool platformArgument = false; // "-platform" among them: the user chose the platform
    StartupCommand command;        // what to open, read from `names`

    static LaunchArguments fromArgv(int argc, char** argv);
    // `isFile` decides whether joined arguments name one file (tests pass their own).
    static LaunchArguments fromArguments(const QStringList& given, const QString& currentFolder,
                                         const std::function<bool(const QString&)>& isFile);
};

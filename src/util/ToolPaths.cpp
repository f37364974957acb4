#include "util/ToolPaths.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace korvane {

QString programFolder()
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

QString completeProgramPath(const QString& program)
{
    if (program.contains(QLatin1Char('/')) || program.contains(QLatin1Char('\\')) ||
        program.contains(QLatin1Char(':'))) {
        return program;
    }
    return programFolder() + program;
}

QString findTool(const QString& name)
{
    const QFileInfo local(programFolder() + name);
    if (local.isFile() && local.isExecutable()) {
        return local.filePath();
    }
    return QStandardPaths::findExecutable(name);
}

} // namespace korvane

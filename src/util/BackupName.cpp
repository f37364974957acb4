#include "util/BackupName.h"

#include <QFileInfo>

namespace korvane {

namespace {

bool taken(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

QString backupName(const QString& path)
{
    QString backup = path + QStringLiteral(".bak");
    for (int n = 1; taken(backup) && n <= 9; ++n) {
        backup = path + QStringLiteral(".bak.") + QString::number(n);
    }
    return backup;
}

} // namespace korvane

#include "util/ScratchFolders.h"

#include "util/Logging.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cerrno>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace korvane {

QString scratchPattern(const QString& root, const QString& prefix)
{
    return QDir(root).filePath(prefix + QString::number(QCoreApplication::applicationPid()) +
                               QStringLiteral("-XXXXXX"));
}

int removeStaleScratchFolders(const QString& root, const QString& prefix)
{
    int removed = 0;
    const QStringList names =
        QDir(root).entryList({prefix + u'*'}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& name : names) {
        const QStringList parts = name.mid(prefix.size()).split(u'-');
        bool isNumber = false;
        const qint64 pid = parts.value(0).toLongLong(&isNumber);
        if (parts.size() != 2 || !isNumber || pid <= 0 || parts[1].isEmpty()) {
            continue;
        }
        const QString path = QDir(root).filePath(name);
        struct stat info = {};
        if (::lstat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
            info.st_uid != ::geteuid()) {
            continue;
        }
        if (pid == QCoreApplication::applicationPid() || ::kill(static_cast<pid_t>(pid), 0) == 0 ||
            errno != ESRCH) {
            continue; // its process still runs
        }
        // Links inside are removed as links; what they point at is left alone.
        if (QDir(path).removeRecursively()) {
            ++removed;
        }
    }
    if (removed > 0) {
        qCDebug(lcApp) << "removed" << removed << "scratch folders of runs that are gone";
    }
    return removed;
}

} // namespace korvane

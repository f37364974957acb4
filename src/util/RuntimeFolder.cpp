#include "util/RuntimeFolder.h"

#include "util/Logging.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QMutex>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace korvane {

bool isPrivateFolder(const QString& path)
{
    struct stat info = {};
    if (path.isEmpty() || ::lstat(QFile::encodeName(path).constData(), &info) != 0) {
        return false;
    }
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

QString privateRuntimeFolder(const QString& runtimeDir, const QString& tempDir)
{
    if (isPrivateFolder(runtimeDir)) {
        return runtimeDir;
    }
    if (!runtimeDir.isEmpty()) {
        qCWarning(lcSystem).noquote() << "runtime folder is not private, not used:" << runtimeDir;
    }
    const QString own = tempDir + QStringLiteral("/korvane-") + QString::number(::geteuid());
    ::mkdir(QFile::encodeName(own).constData(), 0700);
    if (isPrivateFolder(own)) {
        return own;
    }
    qCWarning(lcSystem).noquote() << "folder is not private to this user, not used:" << own;
    // Someone else holds the usual name: a folder with an unguessable name instead, the same one
    // for the rest of this run. Later starts find the sockets by the names in the store.
    static QMutex mutex;
    static QHash<QString, QString> made;
    const QMutexLocker lock(&mutex);
    QString& folder = made[tempDir];
    if (folder.isEmpty()) {
        QByteArray pattern = QFile::encodeName(own + QStringLiteral("-XXXXXX"));
        if (::mkdtemp(pattern.data()) != nullptr && isPrivateFolder(QFile::decodeName(pattern))) {
            folder = QFile::decodeName(pattern);
            qCWarning(lcSystem).noquote() << "using" << folder << "instead";
        }
    }
    return folder;
}

QString privateRuntimeFolder()
{
    return privateRuntimeFolder(qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath());
}

} // namespace korvane

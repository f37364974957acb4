#include "util/RuntimeFolder.h"

#include "util/Logging.h"

#include <QDir>
#include <QFile>
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
    return {};
}

QString privateRuntimeFolder()
{
    return privateRuntimeFolder(qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath());
}

} // namespace korvane

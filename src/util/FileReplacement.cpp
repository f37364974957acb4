#include "util/FileReplacement.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvane {

namespace {

bool fail(QString* error, const QString& what)
{
    if (error) {
        *error = QStringLiteral("%1: %2").arg(what, QString::fromLocal8Bit(std::strerror(errno)));
    }
    return false;
}

} // namespace

std::optional<QString> writeTarget(const QString& path, QString* error)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat link = {};
    if (::lstat(name.constData(), &link) != 0 || !S_ISLNK(link.st_mode)) {
        return path;
    }
    // A link the user keeps (a settings folder under version control, say) is written through;
    // one that leads to nothing, to a device or to someone else's file is not followed.
    char resolved[PATH_MAX];
    struct stat status = {};
    if (::realpath(name.constData(), resolved) != nullptr && ::stat(resolved, &status) == 0 &&
        S_ISREG(status.st_mode) && status.st_uid == ::geteuid()) {
        return QFile::decodeName(resolved);
    }
    if (error) {
        *error = QStringLiteral("%1 is a link, and not to a regular file of this user").arg(path);
    }
    return std::nullopt;
}

bool replaceFile(const QString& path, const QByteArray& bytes, QString* error, int mode)
{
    const std::optional<QString> landing = writeTarget(path, error);
    if (!landing) {
        return false;
    }
    const QFileInfo info(*landing);
    const QByteArray target = QFile::encodeName(info.absoluteFilePath());
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temporary =
            target + ".new-" + QByteArray::number(QRandomGenerator::global()->generate(), 16);
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                    mode);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        return fail(
            error,
            QStringLiteral("cannot create a file in %1").arg(QString::fromLocal8Bit(folder)));
    }
    const auto abandon = [&](const QString& what) {
        const int saved = errno;
        ::close(fd);
        ::unlink(temporary.constData());
        errno = saved;
        return fail(error, what);
    };
    const char* data = bytes.constData();
    std::size_t left = static_cast<std::size_t>(bytes.size());
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return abandon(QStringLiteral("write failed"));
        }
        if (written == 0) {
            errno = ENOSPC;
            return abandon(QStringLiteral("write failed"));
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    // A full disk may only show when the blocks are really allocated.
    if (::fsync(fd) != 0) {
        return abandon(QStringLiteral("sync to disk failed"));
    }
    if (::close(fd) != 0) {
        const int saved = errno;
        ::unlink(temporary.constData());
        errno = saved;
        return fail(error, QStringLiteral("close failed"));
    }
    if (::rename(temporary.constData(), target.constData()) != 0) {
        const int saved = errno;
        ::unlink(temporary.constData());
        errno = saved;
        return fail(error, QStringLiteral("cannot replace the file"));
    }
    // The new name itself must survive a crash too.
    const int folderFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return true;
}

} // namespace korvane

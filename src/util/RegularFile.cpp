#include "util/RegularFile.h"

#include "util/UniqueFd.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvane {

namespace {

QString errorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

RegularFileRead readRegularFile(const QString& path, qint64 maxBytes)
{
    RegularFileRead result;
    // Non-blocking: opening a FIFO without a writer must not wait for one.
    const UniqueFd file(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.get() < 0) {
        result.status =
            errno == ENOENT ? RegularFileRead::Status::Missing : RegularFileRead::Status::Failed;
        result.error = errorText(errno);
        return result;
    }
    struct stat info = {};
    if (::fstat(file.get(), &info) != 0) {
        result.status = RegularFileRead::Status::Failed;
        result.error = errorText(errno);
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.status = RegularFileRead::Status::NotRegular;
        result.error = QStringLiteral("not a regular file");
        return result;
    }
    ::fcntl(file.get(), F_SETFL, ::fcntl(file.get(), F_GETFL) & ~O_NONBLOCK);
    char buffer[65536];
    while (maxBytes < 0 || result.bytes.size() <= maxBytes) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            result.status = RegularFileRead::Status::Failed;
            result.error = errorText(errno);
            result.bytes.clear();
            return result;
        }
        if (got == 0) {
            break;
        }
        result.bytes.append(buffer, got);
    }
    if (maxBytes >= 0 && result.bytes.size() > maxBytes + 1) {
        result.bytes.truncate(maxBytes + 1);
    }
    result.status = RegularFileRead::Status::Read;
    return result;
}

FileStamp FileStamp::of(const QString& path)
{
    struct stat info = {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        return {};
    }
    return {static_cast<qint64>(info.st_dev), static_cast<qint64>(info.st_ino),
            static_cast<qint64>(info.st_size),
            static_cast<qint64>(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec};
}

} // namespace korvane

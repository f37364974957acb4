#include "system/LinuxDriveProvider.h"

#include "system/VolumeDescriptor.h"
#include "util/Logging.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QThreadPool>
#include <cerrno>
#include <fcntl.h>
#include <linux/cdrom.h>
#include <optional>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

struct LinuxDriveProvider::Shared
{
    struct Disc
    {
        QString stamp;
        bool done = false;
        std::optional<QString> label;
        bool videoTs = false;
    };
    mutable QMutex mutex;
    QHash<QString, Disc> discs;
    int reads = 0;
};

namespace {

QString readSmallFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromLocal8Bit(file.read(1 << 20));
}

// Opens without waiting for a disc and without taking the drive from others.
class DeviceHandle
{
public:
    explicit DeviceHandle(const QString& device)
        : m_fd(::open(QFile::encodeName(device).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC))
    {}
    ~DeviceHandle()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    DeviceHandle(const DeviceHandle&) = delete;
    DeviceHandle& operator=(const DeviceHandle&) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

LinuxDriveProvider::LinuxDriveProvider(QString procRoot, QString devRoot)
    : m_procRoot(std::move(procRoot)), m_devRoot(std::move(devRoot)),
      m_shared(std::make_shared<Shared>())
{}

LinuxDriveProvider::~LinuxDriveProvider() = default;

int LinuxDriveProvider::discReads() const
{
    QMutexLocker lock(&m_shared->mutex);
    return m_shared->reads;
}

LinuxDriveProvider::Presence LinuxDriveProvider::presence(const QString& device,
                                                          QString* stamp) const
{
    const DeviceHandle handle(device);
    if (handle.fd() < 0) {
        return Presence::NoDisc;
    }
    struct stat info = {};
    if (::fstat(handle.fd(), &info) != 0) {
        return Presence::NoDisc;
    }
    if (S_ISREG(info.st_mode)) {
        // A disc image standing in for a drive: a new image is a new disc.
        *stamp = QStringLiteral("%1/%2/%3")
                     .arg(info.st_size)
                     .arg(info.st_mtim.tv_sec)
                     .arg(info.st_mtim.tv_nsec);
        return Presence::Disc;
    }
    // Asks the drive's state from the drive, not from the disc: nothing spins up.
    const int status = ::ioctl(handle.fd(), CDROM_DRIVE_STATUS, CDSL_CURRENT);
    *stamp = QStringLiteral("disc");
    return status == CDS_DISC_OK ? Presence::Disc : Presence::NoDisc;
}

QVector<OpticalDrive> LinuxDriveProvider::opticalDrives()
{
    const QStringList names = VolumeDescriptor::cdromInfoDrives(
        readSmallFile(m_procRoot + QStringLiteral("/sys/dev/cdrom/info")));
    QVector<OpticalDrive> drives;
    for (const QString& name : names) {
        OpticalDrive drive;
        drive.name = m_devRoot + QLatin1Char('/') + name;
        QString stamp;
        if (presence(drive.name, &stamp) == Presence::NoDisc) {
            // The tray was opened: whatever comes next is a new disc.
            QMutexLocker lock(&m_shared->mutex);
            m_shared->discs.remove(drive.name);
        } else {
            bool read = false;
            {
                QMutexLocker lock(&m_shared->mutex);
                const auto it = m_shared->discs.constFind(drive.name);
                if (it == m_shared->discs.cend() || it->stamp != stamp) {
                    read = true;
                } else if (it->done && it->label) {
                    drive.readable = true;
                    drive.label = *it->label;
                }
            }
            if (read) {
                startRead(drive.name, stamp);
            }
        }
        drives.append(drive);
    }
    return drives;
}

void LinuxDriveProvider::startRead(const QString& device, const QString& stamp)
{
    {
        QMutexLocker lock(&m_shared->mutex);
        Shared::Disc disc;
        disc.stamp = stamp;
        m_shared->discs.insert(device, disc);
        ++m_shared->reads;
    }
    qCDebug(lcSystem).noquote() << "reading the disc in" << device;
    // Runs on a pool thread; it owns a share of the cache, so it may outlive the provider.
    std::shared_ptr<Shared> shared = m_shared;
    QThreadPool::globalInstance()->start([shared, device, stamp] {
        QFile file(device);
        std::optional<QString> label;
        bool videoTs = false;
        if (file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
            const VolumeDescriptor::SectorReader read = [&file](qint64 sector) {
                if (!file.seek(sector * VolumeDescriptor::kSectorSize)) {
                    return QByteArray();
                }
                return file.read(VolumeDescriptor::kSectorSize);
            };
            label = VolumeDescriptor::volumeLabel(read);
            videoTs = VolumeDescriptor::isoRootHasVideoTs(read);
        }
        QMutexLocker lock(&shared->mutex);
        auto it = shared->discs.find(device);
        if (it != shared->discs.end() && it->stamp == stamp) {
            it->done = true;
            it->label = label;
            it->videoTs = videoTs;
        }
    });
}

bool LinuxDriveProvider::hasVideoTs(const QString& driveName)
{
    bool knownDisc = false;
    bool videoTsOnDisc = false;
    {
        QMutexLocker lock(&m_shared->mutex);
        const auto it = m_shared->discs.constFind(driveName);
        if (it != m_shared->discs.cend() && it->done) {
            knownDisc = it->label.has_value();
            videoTsOnDisc = it->videoTs;
        }
    }
    if (!knownDisc) {
        return false;
    }
    // A mounted disc is looked at through its mount, which also finds discs whose folder is
    // only in their UDF part.
    const QHash<QString, QString> mounts =
        VolumeDescriptor::mountPoints(readSmallFile(m_procRoot + QStringLiteral("/mounts")));
    QString mountPoint = mounts.value(driveName);
    if (mountPoint.isEmpty()) {
        const QString canonical = QFileInfo(driveName).canonicalFilePath();
        for (auto it = mounts.cbegin(); it != mounts.cend() && mountPoint.isEmpty(); ++it) {
            if (it.key().startsWith(QLatin1Char('/')) &&
                QFileInfo(it.key()).canonicalFilePath() == canonical) {
                mountPoint = it.value();
            }
        }
    }
    if (!mountPoint.isEmpty()) {
        const QStringList folders = QDir(mountPoint).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString& folder : folders) {
            if (folder.compare(QLatin1String("VIDEO_TS"), Qt::CaseInsensitive) == 0) {
                return true;
            }
        }
    }
    return videoTsOnDisc;
}

#pragma once

#include "system/DriveProvider.h"

#include <QHash>
#include <QString>
#include <memory>

// Optical drives as Linux lists them in /proc/sys/dev/cdrom/info, with mounts from /proc/mounts.
// Asking a drive whether it holds a disc does not spin the disc up; the disc itself is read once
// per insertion, on a worker thread, so a slow drive never holds the window. Until that read is
// done the drive counts as one whose volume information cannot be read.
//
// The roots are parameters so tests can stand a folder in for /proc and disc images for /dev.
class LinuxDriveProvider : public DriveProvider
{
public:
    explicit LinuxDriveProvider(QString procRoot = QStringLiteral("/proc"),
                                QString devRoot = QStringLiteral("/dev"));
    ~LinuxDriveProvider() override;

    QVector<OpticalDrive> opticalDrives() override;
    bool hasVideoTs(const QString& driveName) override;

    // How many reads of a disc's own sectors have started; the watch must not raise it while
    // the disc stays in its drive.
    int discReads() const;

    struct Shared;

private:
    enum class Presence
    {
        NoDisc,
        Disc,
    };
    Presence presence(const QString& device, QString* stamp) const;
    void startRead(const QString& device, const QString& stamp);

    QString m_procRoot;
    QString m_devRoot;
    std::shared_ptr<Shared> m_shared;
};

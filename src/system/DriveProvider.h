#pragma once

#include <QString>
#include <QVector>

// One optical drive as the system lists it. The name stands where a drive letter stood on the
// player's first platform ("/dev/sr0"); the label is set only when the disc's volume information
// could be read.
struct OpticalDrive
{
    QString name;
    bool readable = false;
    QString label;
    bool operator==(const OpticalDrive&) const = default;
};

// The computer's optical drives. Both calls are made every second for the program's life, so
// they answer from what the system already knows and never wait on a drive.
class DriveProvider
{
public:
    virtual ~DriveProvider() = default;
    // In the system's order; empty without optical drives.
    virtual QVector<OpticalDrive> opticalDrives() = 0;
    // Whether the disc in the drive holds a DVD-Video folder ("VIDEO_TS", any case). False for a
    // name that is no drive.
    virtual bool hasVideoTs(const QString& driveName) = 0;
};

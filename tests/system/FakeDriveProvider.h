#pragma once

#include "system/DriveProvider.h"

#include <QSet>

// Drives a test lays out: `drives` as listed, `videoTs` the drive names whose disc holds a
// DVD-Video folder. Counts the calls, so a test sees what the watch asked.
class FakeDriveProvider : public DriveProvider
{
public:
    QVector<OpticalDrive> opticalDrives() override
    {
        ++listings;
        return drives;
    }
    bool hasVideoTs(const QString& driveName) override
    {
        asked << driveName;
        return videoTs.contains(driveName);
    }

    QVector<OpticalDrive> drives;
    QSet<QString> videoTs;
    QStringList asked;
    int listings = 0;
};

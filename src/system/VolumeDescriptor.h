#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Reading what a disc says about itself from its raw sectors, and what Linux says about its
// optical drives and mounts. Pure: the caller supplies the bytes.
namespace VolumeDescriptor {

inline constexpr int kSectorSize = 2048;
// Returns an empty array for a sector that cannot be read.
using SectorReader = std::function<QByteArray(qint64 sector)>;

// The volume name of an ISO 9660 disc (primary volume descriptor), trailing blanks removed.
std::optional<QString> isoLabel(const SectorReader& read);
// The logical volume name of a UDF disc, for discs without an ISO 9660 descriptor.
std::optional<QString> udfLabel(const SectorReader& read);
// ISO 9660 first, UDF where there is none.
std::optional<QString> volumeLabel(const SectorReader& read);
// Whether the ISO 9660 root folder holds a "VIDEO_TS" folder (any case).
bool isoRootHasVideoTs(const SectorReader& read);

// The drive names of /proc/sys/dev/cdrom/info ("sr0", "sr1"), in drive-number order.
QStringList cdromInfoDrives(const QString& infoText);
// Device to mount point from /proc/mounts, with its octal escapes undone; the first mount of a
// device wins.
QHash<QString, QString> mountPoints(const QString& mountsText);

} // namespace VolumeDescriptor

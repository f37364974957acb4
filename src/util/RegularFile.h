#pragma once

#include <QByteArray>
#include <QString>

namespace korvane {

// Reads a file only when it is a regular one. A FIFO, a device or a socket in its place would
// block the reader or never end, so such a name counts as no file at all.
struct RegularFileRead
{
    enum class Status
    {
        Read,
        Missing,
        NotRegular,
        Failed,
    };
    Status status = Status::Missing;
    QByteArray bytes;
    QString error; // why, when not Read
};

// With maxBytes, no more than one byte beyond it is read: enough to tell the file is too long.
RegularFileRead readRegularFile(const QString& path, qint64 maxBytes = -1);

// The identity of a file's current content as far as replacing it whole is concerned: another
// process that writes it makes a new file, so device, inode, size and change time differ.
struct FileStamp
{
    qint64 device = -1;
    qint64 inode = -1;
    qint64 size = -1;
    qint64 changedNs = -1;
    bool operator==(const FileStamp&) const = default;
    static FileStamp of(const QString& path); // all -1 when there is no file
};

} // namespace korvane

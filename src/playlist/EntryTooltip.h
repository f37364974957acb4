#pragma once

#include "playlist/PlaylistModel.h"

#include <QString>
#include <optional>

// What hovering a playlist entry shows: the file's whole name, however narrow the list, its
// duration and its size.
class EntryTooltip
{
public:
    // sizeBytes below 0 means the size is not known (the file is gone); that line is left out,
    // as is the duration of an entry whose description gives none.
    static QString text(const PlaylistEntry& entry, qint64 sizeBytes);

    // Seconds from the description's "Duration" line, whichever decimal separator it was written
    // with; none when the line is missing, unreadable or not above zero.
    static std::optional<double> durationSeconds(const QString& mediaInfo);
    // "m:ss" under an hour, "h:mm:ss" from an hour on; whole seconds, rounded down.
    static QString durationText(double seconds);
    // "512 bytes", "1.5 KB", "12.3 MB", "2.0 GB": powers of 1024, one decimal.
    static QString sizeText(qint64 bytes);
};

#pragma once

#include <QString>
#include <QtGlobal>

// The elapsed / total time text under the video.
class TimeText
{
public:
    // What the label shows before anything plays and after a stop.
    static inline const QString Idle = QStringLiteral("00:00:00 / 00:00:00");

    // HH:MM:SS, each part at least two digits; hours keep growing past 99. A negative count
    // (an engine that does not know the time answers -1) shows as zero.
    static QString fromSeconds(qint64 seconds);
    // "elapsed / total".
    static QString elapsedOfTotal(qint64 elapsedSeconds, qint64 totalSeconds);
    // Milliseconds to whole seconds, halves to the even neighbour.
    static qint64 wholeSeconds(qint64 milliseconds);
};

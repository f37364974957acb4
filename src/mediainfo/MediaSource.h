#pragma once

#include "mediainfo/OrderedMap.h"
#include "mediainfo/StreamRecord.h"

#include <QImage>
#include <QList>
#include <QLocale>
#include <QString>

// The description of one media file: its times, modification stamp, AVI flag and one record per
// audio or video stream. The probes fill it; the playlist reads its description text.
class MediaSource
{
public:
    MediaSource() = default;

    // Read-only view used by the playlist and the tools.
    QString fileName() const { return m_fileName; }
    int streamCount() const { return int(m_streams.size()); }
    QString timeStamp() const { return m_timeStamp; }
    bool isAvi() const { return m_isAVI; }
    float duration() const { return m_duration; }
    float startTime() const { return m_startTime; }

    // Out-of-range indices read as an empty picture or map and write nothing.
    QImage streamImage(int index) const;
    void streamImage(int index, const QImage& picture);
    OrderedMap streamInfo(int index) const;

    OrderedMap serialize() const;
    // Any key starting with "Stream" becomes a stream record, in the map's order. StartTime is
    // not part of the rebuild and keeps its value.
    void deserialize(const OrderedMap& map);

    // Description text for the playlist's information list, lines joined by CR LF.
    QString streamInfoText(const QLocale& locale = QLocale()) const;

    // Aspect ratio as the user reads it: a named format or the ratio to two decimals, ":1".
    static QString aspectName(float ratio, const QLocale& locale = QLocale());

    // Filling, for the probes.
    void setFileName(const QString& fileName) { m_fileName = fileName; }
    void setTimeStamp(const QString& timeStamp) { m_timeStamp = timeStamp; }
    void setIsAVI(bool isAVI) { m_isAVI = isAVI; }
    void setDuration(float seconds) { m_duration = seconds; }
    void setStartTime(float seconds) { m_startTime = seconds; }

    const QList<StreamRecord>& streams() const { return m_streams; }
    StreamRecord& stream(int index) { return m_streams[index]; }
    const StreamRecord& stream(int index) const { return m_streams[index]; }
    // Index of the first video stream, -1 without one.
    int firstVideoStream() const;
    StreamRecord& addStream(const StreamRecord& record = StreamRecord());
    void removeStream(int index);

private:
    void reset();
    bool validIndex(int index) const { return index >= 0 && index < m_streams.size(); }

    float m_duration = 0.0f;
    float m_startTime = 0.0f;
    QString m_fileName;
    QString m_timeStamp;
    bool m_isAVI = false;
    QList<StreamRecord> m_streams;
};

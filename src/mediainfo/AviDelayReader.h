#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

class RiffParser;

// Finds which streams of an AVI file are audio and how late each one's first audio frame starts,
// by walking the file's own chunks. Only the start of the file is read.
class AviDelayReader
{
public:
    // Delay values before and instead of a measurement.
    static constexpr qint32 DelayUnknown = -1;
    static constexpr qint32 DelayNoFrameStart = -2;
    // The walk stops past this file position; a stream's frame search past this much audio data.
    static constexpr qint64 WalkLimit = 2500000;
    static constexpr qint64 SearchLimit = 1500000;

    struct StreamHeader
    {
        QByteArray fccType;
        QByteArray fccHandler;
        quint32 dwFlags = 0;
        quint16 wPriority = 0;
        quint16 wLanguage = 0;
        quint32 dwInitialFrames = 0;
        quint32 dwScale = 0;
        quint32 dwRate = 0;
        quint32 dwStart = 0;
        quint32 dwLength = 0;
        quint32 dwSuggestedBufferSize = 0;
        quint32 dwQuality = 0;
        quint32 dwSampleSize = 0;
        qint16 rcFrame[4] = {0, 0, 0, 0};
    };
    struct AudioFormat
    {
        quint16 wFormatTag = 0;
        quint16 nChannels = 0;
        quint32 nSamplesPerSec = 0;
        quint32 nAvgBytesPerSec = 0;
        quint16 nBlockAlign = 0;
        quint16 wBitsPerSample = 0;
        quint16 cbSize = 0;
    };
    struct StreamEntry
    {
        StreamHeader header;
        AudioFormat format;
        qint64 bytesBeforeSync = 0;
        qint32 delay = DelayUnknown;
    };

    // True when myFile is a RIFF "AVI " file and its walk finished without a malformed item.
    bool open(const QString& myFile);
    int streamCount() const { return static_cast<int>(m_streams.size()); }
    bool streamIsAudio(int index) const;
    // DelayUnknown for an index without a stream entry.
    qint32 StreamDelay(int index) const;

    const std::vector<StreamEntry>& streams() const { return m_streams; }
    const QString& fileName() const { return m_fileName; }

private:
    bool walk(RiffParser& parser);
    bool readAudioChunk(RiffParser& parser, StreamEntry& entry);

    QString m_fileName;
    std::vector<StreamEntry> m_streams;
};

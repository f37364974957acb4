#pragma once

#include <QString>
#include <QStringList>

class MediaSource;
class CodecMaps;

// Reads what the decoder printed about a file, line by line, into a MediaSource: whether it named
// an input, one record per audio or video stream line, the duration and the start time.
class DecoderOutputScan
{
public:
    static const QString UnsupportedReason; // "Unsupported file format or the file is corrupted."
    static const QString IncompleteReason;  // "File may be incomplete or corrupted."

    // mediaPath goes into warning texts. Every occurrence of each of hiddenTexts (the path in the
    // forms the decoder was given it) is removed from a line before any rule looks at it, so a
    // file's name never counts as something the decoder said.
    DecoderOutputScan(const CodecMaps& maps, const QString& mediaPath,
                      const QStringList& hiddenTexts = QStringList());
    // The maps are kept by reference and must outlive the scan.
    DecoderOutputScan(CodecMaps&&, const QString&, const QStringList& = QStringList()) = delete;

    // Reads the runner's capture text (the command line, then the decoder's output). Returns false
    // with reason() set when the file is refused; streams, duration and start time are filled as
    // far as the text went. Unsupported audio streams are left out with a warning.
    bool read(const QString& capture, MediaSource& source);

    const QString& reason() const { return m_reason; }
    const QStringList& warnings() const { return m_warnings; }

    // The items of a stream line after "Audio: " or "Video: ": annotations in ( ) and [ ] removed
    // with the blanks before them, split at ", ", and "SAR n:m DAR n:m" items dropped.
    static QStringList streamItems(const QString& rest);
    static QString stripAnnotations(const QString& text);
    // Channel count of a channel item: "mono", "stereo", "quad", "5.1", "5:1", "6 channels";
    // a count of 5 reads as 6, anything unknown (negative or too large too) as 0.
    static int channelCount(const QString& item);
    // Seconds of an "HH:MM:SS.t" text (later digits ignored); "N/A", a time past the range of a
    // float or anything else gives 0.
    static float parseDuration(const QString& text);
    static bool isUnsupportedAudio(const QString& mappedName);
    // The codec item of a stream line as the decoder wrote it, annotations and all: the text up
    // to the first ", " outside brackets.
    static QString rawCodecItem(const QString& rest);
    // An audio stream the decoder has no codec for: it reads "none", its tag in brackets.
    static bool isUnknownAudioTag(const QString& rawCodec);

private:
    void readLine(QString line, MediaSource& source);
    void readAudio(const QString& rest, MediaSource& source);
    void readVideo(const QString& rest, MediaSource& source);
    void readDuration(const QString& trimmed, MediaSource& source);

    const CodecMaps& m_maps;
    QString m_mediaPath;
    QStringList m_hiddenTexts;
    bool m_sawInput = false;
    bool m_failed = false;
    bool m_zeroDuration = false;
    bool m_emptyAudio = false; // an audio stream without channels or rate was left out
    int m_streamNumber = 0;
    // Where the last stream line's record went, -1 when it added none.
    int m_lastRecord = -1;
    // Indent of the "Metadata:" line whose values are being passed over, -1 outside one.
    qsizetype m_metadataIndent = -1;
    QString m_reason;
    QStringList m_warnings;
};

#include "mediainfo/DecoderOutputScan.h"

#include "mediainfo/CodecMaps.h"
#include "mediainfo/MediaSource.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

const QString DecoderOutputScan::UnsupportedReason =
    QStringLiteral("Unsupported file format or the file is corrupted.");
const QString DecoderOutputScan::IncompleteReason =
    QStringLiteral("File may be incomplete or corrupted.");

namespace {

const QString kAudio = QStringLiteral("Audio: ");
const QString kVideo = QStringLiteral("Video: ");
const QString kStream = QStringLiteral("Stream #");
const QString kDuration = QStringLiteral("Duration: ");
const QString kStart = QStringLiteral("start: ");

// Numbers in decoder text that cannot be read count as 0 rather than refusing the whole file.
int integerOf(const QString& text)
{
    bool ok = false;
    const int value = QLocale::c().toInt(text.trimmed(), &ok);
    return ok ? value : 0;
}

std::optional<double> decimalOf(const QString& text)
{
    QString t = text.trimmed();
    double factor = 1.0;
    // The decoder abbreviates round thousands: "1k fps", "90k tbn".
    if (t.endsWith(QLatin1Char('k'))) {
        factor = 1000.0;
        t.chop(1);
    }
    bool ok = false;
    const double value = QLocale::c().toDouble(t, &ok) * factor;
    if (!ok || !std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
        return std::nullopt;
    }
    return value;
}

QString beforeFirst(const QString& text, QChar c)
{
    const qsizetype at = text.indexOf(c);
    return at < 0 ? text : text.left(at);
}

QString item(const QStringList& items, qsizetype k)
{
    return k < items.size() ? items[k] : QString();
}

QStringList splitLines(const QString& text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\\r\\n|\\n|\\r"));
    return text.split(lineBreak);
}

} // namespace

DecoderOutputScan::DecoderOutputScan(const CodecMaps& maps, const QString& mediaPath,
                                     const QStringList& hiddenTexts)
    : m_maps(maps), m_mediaPath(mediaPath), m_hiddenTexts(hiddenTexts)
{
    m_hiddenTexts.append(mediaPath);
    m_hiddenTexts.removeAll(QString());
    m_hiddenTexts.removeDuplicates();
    // A longer form first, so "file:/a/b.avi" goes as a whole and not leave "file:" behind.
    std::stable_sort(m_hiddenTexts.begin(), m_hiddenTexts.end(),
                     [](const QString& a, const QString& b) { return a.size() > b.size(); });
}

bool DecoderOutputScan::read(const QString& capture, MediaSource& source)
{
    while (source.streamCount() > 0) {
        source.removeStream(source.streamCount() - 1);
    }
    for (const QString& line : splitLines(capture)) {
        readLine(line, source);
        if (m_failed) {
            break;
        }
    }
    if (!m_sawInput) {
        m_reason = UnsupportedReason;
        m_failed = true;
    }
    // A text file named like raw audio (.flac, .ac3, .dts) gives the decoder an audio stream of
    // no channels at no rate: nothing that plays.
    if (!m_failed && m_emptyAudio && source.streamCount() == 0) {
        m_reason = UnsupportedReason;
        m_failed = true;
    }
    // Streaming recorders write no duration, and a very short sound rounds to none; such a file
    // plays all the same and ends by the engine's end state. Without a stream it is broken.
    if (!m_failed && m_zeroDuration && source.streamCount() == 0) {
        m_reason = IncompleteReason;
        m_failed = true;
    }
    return !m_failed;
}

void DecoderOutputScan::readLine(QString line, MediaSource& source)
{
    for (const QString& hidden : std::as_const(m_hiddenTexts)) {
        line.remove(hidden);
    }
    const QString trimmed = line.trimmed();
    qsizetype indent = 0;
    while (indent < line.size() && line[indent].isSpace()) {
        ++indent;
    }

    // Metadata values (titles, comments, chapter names) are the file's text, not the decoder's:
    // they are written deeper than their "Metadata:" line, continuation lines included.
    if (m_metadataIndent >= 0) {
        if (indent > m_metadataIndent && !trimmed.isEmpty()) {
            return;
        }
        m_metadataIndent = -1;
    }
    if (trimmed == QLatin1String("Metadata:")) {
        m_metadataIndent = indent;
        return;
    }

    if (line.contains(QLatin1String("Input"))) {
        m_sawInput = true;
    }
    if (line.contains(QLatin1String("Unknown format")) ||
        line.contains(QLatin1String("could not find codec parameters"))) {
        m_reason = UnsupportedReason;
        m_failed = true;
        return;
    }
    if (line.startsWith(QLatin1Char('['))) {
        return;
    }

    if (trimmed.startsWith(kStream)) {
        const qsizetype digitAt = kStream.size() + 2;
        m_streamNumber = digitAt < trimmed.size() && trimmed[digitAt].isDigit()
                             ? trimmed[digitAt].digitValue()
                             : 0;
        m_lastRecord = -1;
        const qsizetype audioAt = trimmed.indexOf(kAudio);
        const qsizetype videoAt = trimmed.indexOf(kVideo);
        if (audioAt >= 0) {
            readAudio(trimmed.mid(audioAt + kAudio.size()), source);
        } else if (videoAt >= 0) {
            readVideo(trimmed.mid(videoAt + kVideo.size()), source);
        }
        return;
    }

    // Side data of the stream above: a phone turns its picture by a display matrix.
    static const QRegularExpression rotation(
        QStringLiteral("^displaymatrix: rotation of (-?\\d+(?:\\.\\d+)?) degrees"));
    if (const QRegularExpressionMatch m = rotation.match(trimmed); m.hasMatch()) {
        if (m_lastRecord >= 0 && m_lastRecord < source.streamCount() &&
            source.stream(m_lastRecord).isVideo()) {
            const long turned = std::lround(m.captured(1).toDouble());
            source.stream(m_lastRecord).rotation = static_cast<int>(((turned % 360) + 360) % 360);
        }
        return;
    }

    if (trimmed.startsWith(kDuration)) {
        readDuration(trimmed, source);
    }
}

void DecoderOutputScan::readDuration(const QString& trimmed, MediaSource& source)
{
    const qsizetype textAt = kDuration.size();
    const qsizetype comma = trimmed.indexOf(QLatin1Char(','));
    if (comma >= 0) {
        source.setDuration(parseDuration(trimmed.mid(textAt, comma - textAt)));
    }
    if (source.duration() == 0.0f) {
        m_zeroDuration = true;
    }
    const qsizetype startAt = trimmed.indexOf(kStart);
    if (startAt >= 0) {
        const QString rest = trimmed.mid(startAt + kStart.size());
        if (const auto start = decimalOf(beforeFirst(rest, QLatin1Char(',')))) {
            source.setStartTime(static_cast<float>(*start));
        }
    }
}

void DecoderOutputScan::readAudio(const QString& rest, MediaSource& source)
{
    const QStringList items = streamItems(rest);
    const QString rawCodec = rawCodecItem(rest);
    StreamRecord record;
    record.type = StreamRecord::Audio;
    record.index = m_streamNumber;
    record.compression = m_maps.AudioCodecMap.lookup(item(items, 0));
    QString rate = item(items, 1);
    rate.chop(3);
    record.sampleRate = integerOf(rate);
    record.channels = channelCount(item(items, 2));
    if (items.size() == 4 && items[3].contains(QLatin1Char(' '))) {
        record.bitRate = integerOf(beforeFirst(items[3], QLatin1Char(' ')));
    }
    // The decoder names the channels it found; "0 channels" is its word for none at all.
    if (record.sampleRate == 0 && items.contains(QLatin1String("0 channels"))) {
        m_emptyAudio = true;
        return;
    }
    const bool unknownTag = isUnknownAudioTag(rawCodec);
    if (unknownTag || isUnsupportedAudio(record.compression)) {
        const QString name = unknownTag ? rawCodec : record.compression;
        m_warnings.append(QStringLiteral("The audio format ") + name + QStringLiteral(" in file ") +
                          m_mediaPath +
                          QStringLiteral(" is currently unsupported. It will not be added to the "
                                         "project."));
        return;
    }
    source.addStream(record);
    m_lastRecord = source.streamCount() - 1;
}

void DecoderOutputScan::readVideo(const QString& rest, MediaSource& source)
{
    static const QRegularExpression sizeShape(QStringLiteral("^(\\d+)x(\\d+)$"));
    const QStringList items = streamItems(rest);
    StreamRecord record;
    record.type = StreamRecord::Video;
    record.index = m_streamNumber;
    record.compression = m_maps.VideoCodecMap.lookup(item(items, 0));
    record.attachedPicture = rest.contains(QLatin1String("(attached pic)"));

    // Pixel formats come in more names than any list holds, and the decoder puts properties
    // ("Film Grain", "Closed Captions", "lossless") between the size and the rates: each value
    // is found by its own shape wherever it stands.
    qsizetype k = 1;
    for (; k < items.size(); ++k) {
        if (const QRegularExpressionMatch m = sizeShape.match(items[k].trimmed()); m.hasMatch()) {
            record.width = integerOf(m.captured(1));
            record.height = integerOf(m.captured(2));
            ++k;
            break;
        }
    }
    if (record.width == 0 && record.height == 0) {
        k = 1;
    }
    bool haveRate = false;
    bool haveFps = false;
    for (; k < items.size(); ++k) {
        const QString& current = items[k];
        if (!haveRate && current.contains(QLatin1String(" kb/s"))) {
            record.bitRate = integerOf(beforeFirst(current, QLatin1Char(' ')));
            haveRate = true;
        } else if (!haveFps && current.contains(QLatin1String(" fps"))) {
            if (const auto fps = decimalOf(beforeFirst(current, QLatin1Char(' ')))) {
                record.fps = static_cast<float>(*fps);
            }
            haveFps = true;
        }
    }
    source.addStream(record);
    m_lastRecord = source.streamCount() - 1;
}

QString DecoderOutputScan::rawCodecItem(const QString& rest)
{
    int depth = 0;
    for (qsizetype i = 0; i < rest.size(); ++i) {
        const QChar c = rest[i];
        if (c == QLatin1Char('(') || c == QLatin1Char('[')) {
            ++depth;
        } else if ((c == QLatin1Char(')') || c == QLatin1Char(']')) && depth > 0) {
            --depth;
        } else if (depth == 0 && c == QLatin1Char(',') && i + 1 < rest.size() &&
                   rest[i + 1] == QLatin1Char(' ')) {
            return rest.left(i);
        }
    }
    return rest;
}

bool DecoderOutputScan::isUnknownAudioTag(const QString& rawCodec)
{
    // Known codecs carry their tag in brackets too ("pcm_s16le ([1][0][0][0] / 0x0001)"); only
    // a codec the decoder names "none" is one it cannot decode.
    const QString name = stripAnnotations(rawCodec).trimmed();
    return (name.isEmpty() || name == QLatin1String("none")) &&
           (rawCodec.contains(QLatin1String(" / ")) || rawCodec.contains(QLatin1String("0x")));
}

QString DecoderOutputScan::stripAnnotations(const QString& text)
{
    QString out;
    out.reserve(text.size());
    int depth = 0;
    for (const QChar c : text) {
        if (c == QLatin1Char('(') || c == QLatin1Char('[')) {
            if (depth == 0) {
                while (out.endsWith(QLatin1Char(' '))) {
                    out.chop(1);
                }
            }
            ++depth;
        } else if ((c == QLatin1Char(')') || c == QLatin1Char(']')) && depth > 0) {
            --depth;
        } else if (depth == 0) {
            out.append(c);
        }
    }
    return out;
}

QStringList DecoderOutputScan::streamItems(const QString& rest)
{
    static const QRegularExpression aspectItem(QStringLiteral("^SAR \\d+:\\d+ DAR \\d+:\\d+$"));
    QStringList items = stripAnnotations(rest).split(QStringLiteral(", "));
    items.removeIf([](const QString& i) { return aspectItem.match(i.trimmed()).hasMatch(); });
    return items;
}

int DecoderOutputScan::channelCount(const QString& channelItem)
{
    static const QRegularExpression layout(QStringLiteral("^(\\d+)\\.(\\d+)$"));
    const QString text = channelItem.trimmed();
    int channels = 0;
    if (text == QLatin1String("stereo")) {
        channels = 2;
    } else if (text == QLatin1String("mono")) {
        channels = 1;
    } else if (text == QLatin1String("quad")) {
        channels = 4;
    } else if (text.contains(QLatin1Char(':'))) {
        channels = integerOf(beforeFirst(text, QLatin1Char(':')));
    } else if (const QRegularExpressionMatch m = layout.match(text); m.hasMatch()) {
        const qint64 sum = qint64(integerOf(m.captured(1))) + integerOf(m.captured(2));
        channels = sum <= std::numeric_limits<int>::max() ? int(sum) : 0;
    } else {
        channels = integerOf(text.left(std::max<qsizetype>(0, text.size() - 9)));
    }
    if (channels < 0) {
        return 0;
    }
    return channels == 5 ? 6 : channels;
}

float DecoderOutputScan::parseDuration(const QString& text)
{
    static const QRegularExpression shape(QStringLiteral("^(\\d+):(\\d\\d):(\\d\\d)(?:\\.(\\d))?"));
    const QRegularExpressionMatch m = shape.match(text.trimmed());
    if (!m.hasMatch()) {
        return 0.0f;
    }
    const double seconds = m.captured(1).toDouble() * 3600.0 + m.captured(2).toDouble() * 60.0 +
                           m.captured(3).toDouble() + m.captured(4).toDouble() * 0.1;
    // Hours beyond any float are no duration at all.
    if (!std::isfinite(seconds) || seconds > std::numeric_limits<float>::max()) {
        return 0.0f;
    }
    return static_cast<float>(seconds);
}

bool DecoderOutputScan::isUnsupportedAudio(const QString& mappedName)
{
    return mappedName == QLatin1String("Windows Media Audio Professional v9") ||
           mappedName == QLatin1String("Windows Media Audio v9") ||
           mappedName.contains(QLatin1String(" / ")) || mappedName.contains(QLatin1String("0x"));
}
